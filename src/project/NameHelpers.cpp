#include "project/NameHelpers.h"

namespace tz {

namespace {
constexpr std::size_t ShortestDeclaration = 5;
constexpr std::size_t LongestTrailingClassName = 30;
}  // namespace

std::string GetClassName(const std::string& declaration) {
    if (declaration.size() < ShortestDeclaration) return "???";
    const std::string keyword = "class ";
    const auto found = declaration.find(keyword);
    if (found == std::string::npos) return "???";
    const std::size_t start = found + keyword.size();
    const auto space = declaration.find(' ', start);
    if (space == std::string::npos) {
        const std::string name = declaration.substr(start);
        return name.size() >= LongestTrailingClassName ? "???" : name;
    }
    return declaration.substr(start, space - start);
}

std::string GetFuncName(const std::string& declaration) {
    if (declaration.size() < ShortestDeclaration) return "???";
    const auto paren = declaration.find('(');
    if (paren == std::string::npos) return "NOT";
    std::size_t end = paren;
    while (end > 0 && declaration[end - 1] == ' ') --end;
    std::size_t start = end;
    while (start > 0 && declaration[start - 1] != ' ') --start;
    return declaration.substr(start, end - start);
}

}  // namespace tz
