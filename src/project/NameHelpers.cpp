#include "project/NameHelpers.h"

namespace tz {

namespace {
constexpr std::size_t ShortestDeclaration = 5;
constexpr std::size_t LongestTrailingClassName = 30;
}  // namespace

std::string declaredClassName(const std::string& declaration) {
    if (declaration.size() < ShortestDeclaration) return "???";
    const std::string keyword = "class ";
    const auto found = declaration.find(keyword);
    if (found == std::string::npos) return "???";
    const std::size_t start = found + keyword.size();
    std::size_t end = start;
    while (end < declaration.size() && isJavaIdentifierPart(declaration[end])) ++end;
    if (end == declaration.size()) {
        const std::string name = declaration.substr(start);
        return name.size() >= LongestTrailingClassName ? "???" : name;
    }
    return declaration.substr(start, end - start);
}

std::string declaredMethodName(const std::string& declaration) {
    if (declaration.size() < ShortestDeclaration) return "???";
    const auto paren = declaration.find('(');
    if (paren == std::string::npos) return "NOT";
    std::size_t end = paren;
    while (end > 0 && declaration[end - 1] == ' ') --end;
    std::size_t start = end;
    while (start > 0 && declaration[start - 1] != ' ') --start;
    return declaration.substr(start, end - start);
}

bool isJavaIdentifierPart(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || byte >= 0x80;
}

bool isJavaIdentifier(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (const char c : name) {
        if (!isJavaIdentifierPart(c)) return false;
    }
    return true;
}

}  // namespace tz
