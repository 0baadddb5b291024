#pragma once
// Names taken out of declaration lines.
#include <string>
#include <string_view>

namespace tz {

// The word after "class ", or "???". The word ends at the first character
// that cannot stand in a Java identifier, so that it is safe in a path.
std::string declaredClassName(const std::string& declaration);
// The last word before the first "(", "NOT" without "(", or "???".
std::string declaredMethodName(const std::string& declaration);

// ASCII letters, digits, "_", "$" and the bytes of non-ASCII characters.
bool isJavaIdentifierPart(char c);
// Identifier characters, not starting with a digit: a name that may name a
// class and its source file.
bool isJavaIdentifier(std::string_view name);

}  // namespace tz
