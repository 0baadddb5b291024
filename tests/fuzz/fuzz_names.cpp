// The name helpers and the integer conversion against plain references.
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>

#include "fuzzcheck.h"
#include "platform/Conversions.h"
#include "project/NameHelpers.h"

namespace {

bool asciiLetter(char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
bool digit(char c) {
    return c >= '0' && c <= '9';
}
bool identifierPart(char c) {
    return asciiLetter(c) || digit(c) || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) > 127;
}

std::string className(const std::string& text) {
    const auto keyword = text.find("class ");
    if (text.size() < 5 || keyword == std::string::npos) return "???";
    std::string name;
    std::size_t i = keyword + 6;
    for (; i < text.size() && identifierPart(text[i]); ++i) name += text[i];
    const bool atEnd = i == text.size();
    return atEnd && name.size() >= 30 ? "???" : name;
}

std::string funcName(const std::string& text) {
    if (text.size() < 5) return "???";
    const auto paren = text.find('(');
    if (paren == std::string::npos) return "NOT";
    std::string before = text.substr(0, paren);
    while (!before.empty() && before.back() == ' ') before.pop_back();
    const auto space = before.rfind(' ');
    return space == std::string::npos ? before : before.substr(space + 1);
}

bool validIdentifier(const std::string& text) {
    if (text.empty() || digit(text[0])) return false;
    for (const char c : text)
        if (!(asciiLetter(c) || digit(c) || c == '_')) return false;
    return true;
}

// Blanks, a sign, "$" for hexadecimal, digits; the value must fit an int.
std::optional<int> integer(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const bool hex = i < text.size() && text[i] == '$';
    if (hex) ++i;
    if (i == text.size()) return std::nullopt;
    __int128 value = 0;
    for (; i < text.size(); ++i) {
        const char c = static_cast<char>(text[i] | 0x20);
        int d = -1;
        if (digit(text[i]))
            d = text[i] - '0';
        else if (hex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        if (d < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + d;
        if (value > (__int128(1) << 40)) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(tz::declaredClassName(text) == className(text));
    FUZZ_CHECK(tz::declaredMethodName(text) == funcName(text));
    FUZZ_CHECK(tz::isValidIdentifier(text) == validIdentifier(text));
    const std::string name = tz::declaredClassName(text);
    FUZZ_CHECK(name == "???" || name.find_first_of("/\\.") == std::string::npos);
    FUZZ_CHECK(tz::strToInt(text) == integer(text));
    return 0;
}
