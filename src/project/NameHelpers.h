#pragma once
// Names taken out of declaration lines.
#include <string>

namespace tz {

// The word after "class ", or "???".
std::string GetClassName(const std::string& declaration);
// The last word before the first "(", "NOT" without "(", or "???".
std::string GetFuncName(const std::string& declaration);

}  // namespace tz
