// Compiler output: the text shown is the output before the marker it found,
// and a line's range is exactly that line.
#include <fuzzer/FuzzedDataProvider.h>
#include <algorithm>

#include "toolchain/CompilerMessages.h"
#include "fuzzcheck.h"

namespace {

void checkShown(const std::string& output, const std::string& shown) {
    FUZZ_CHECK(output.compare(0, shown.size(), shown) == 0);
    FUZZ_CHECK(output.compare(shown.size(), 3, "//\\") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int lineIndex = input.ConsumeIntegralInRange(-1, 40);
    const std::string text = input.ConsumeRemainingBytesAsString();

    // With no line map the place comes from the markers alone.
    if (const auto place = tz::findErrorPlace(text, {}, "A.java"))
        checkShown(text, place->shownOutput);

    // Lines end after their line feed; an empty text has one empty line.
    const auto feeds = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    const int lines = std::max(1, feeds + (!text.empty() && text.back() != '\n' ? 1 : 0));
    const auto range = tz::lineRange(text, lineIndex);
    FUZZ_CHECK(range.has_value() == (lineIndex >= 0 && lineIndex < lines));
    if (!range) return 0;
    FUZZ_CHECK(range->start <= range->end && range->end <= text.size());
    FUZZ_CHECK(std::count(text.begin(), text.begin() + range->start, '\n') == lineIndex);
    FUZZ_CHECK(range->start == 0 || text[range->start - 1] == '\n');
    const std::string line = text.substr(range->start, range->end - range->start);
    const auto feed = line.find('\n');
    FUZZ_CHECK(feed == std::string::npos ? range->end == text.size() : feed == line.size() - 1);
    return 0;
}
