// A value written into any profile reads back, from the same profile and
// from its bytes; writing it a second time changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzzcheck.h"
#include "platform/ProfileFile.h"

namespace {

std::string without(std::string text, const char* characters) {
    std::erase_if(text, [&](char c) {
        return std::string_view(characters).find(c) != std::string_view::npos;
    });
    return text;
}

// Without the blanks and tabs a reader trims.
std::string trimmed(std::string text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    // Names and a value that a profile file can hold as they are.
    const std::string section = trimmed(without(input.ConsumeRandomLengthString(20), "\r\n]"));
    const std::string key = trimmed(without(input.ConsumeRandomLengthString(20), "\r\n=["));
    std::string value = trimmed(without(input.ConsumeRandomLengthString(100), "\r\n"));
    if (key.empty()) return 0;
    // A value in quotes would be read without them.
    while (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front()) {
        value.pop_back();
        value = trimmed(value);
    }

    tz::ProfileFile profile = tz::ProfileFile::fromBytes(input.ConsumeRemainingBytesAsString());
    profile.write(section, key, value);
    FUZZ_CHECK(profile.value(section, key) == value);
    const std::string written = profile.bytes();
    FUZZ_CHECK(tz::ProfileFile::fromBytes(written).value(section, key) == value);
    profile.write(section, key, value);
    FUZZ_CHECK(profile.bytes() == written);
    return 0;
}
