#include "platform/Conversions.h"

#include <limits>

namespace tz {
namespace {

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c) {
    if (isDecimalDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<int> strToInt(const std::string& text) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos) return std::nullopt;
    const bool negative = text[at] == '-';
    if (text[at] == '+' || text[at] == '-') ++at;
    int base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        ++at;
    }
    if (at == text.size()) return std::nullopt;
    // Accumulate the magnitude with room for the most negative int.
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at]);
        if (digit < 0 || digit >= base) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return std::nullopt;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value);
}

bool isValidIdentifier(const std::string& text) {
    if (text.empty() || !(isAsciiLetter(text[0]) || text[0] == '_')) return false;
    for (const char c : text) {
        if (!(isAsciiLetter(c) || isDecimalDigit(c) || c == '_')) return false;
    }
    return true;
}

}  // namespace tz
