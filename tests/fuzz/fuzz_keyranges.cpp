// The pieces a line is painted in lie inside the line, in order, without
// overlapping: for the ranges the rules find and for any table a handler
// leaves behind.
#include <fuzzer/FuzzedDataProvider.h>

#include "controls/KeyRanges.h"
#include "fuzzcheck.h"

namespace {

void checkPieces(const tz::KeyRangeTable& table, int lineLength) {
    int end = 0;
    for (const tz::KeyPiece& piece : tz::colouredPieces(table, lineLength)) {
        FUZZ_CHECK(piece.start >= end);
        FUZZ_CHECK(piece.length > 0);
        FUZZ_CHECK(piece.start + piece.length <= lineLength);
        end = piece.start + piece.length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    tz::KeyRangeRules rules;
    rules.drawingType = static_cast<tz::ColouringMode>(input.ConsumeIntegralInRange(0, 2));
    rules.beginChar = QChar(input.ConsumeIntegral<char16_t>());
    rules.endChar = QChar(input.ConsumeIntegral<char16_t>());
    const bool keyCase = input.ConsumeBool();
    QStringList keywords;
    for (int n = input.ConsumeIntegralInRange(0, 4); n > 0; --n)
        keywords << QString::fromUtf8(input.ConsumeRandomLengthString(12));
    const tz::KeywordPattern pattern(keywords, keyCase);

    tz::KeyRangeTable handlerTable;
    for (tz::KeyRange& entry : handlerTable) {
        if (input.ConsumeBool()) break;
        entry = {input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>(), 0};
    }
    const QString line = QString::fromUtf8(input.ConsumeRemainingBytesAsString());
    const int length = static_cast<int>(line.size());

    tz::KeyRangeTable table{};
    tz::fillKeyRanges(line, rules, pattern, table);
    checkPieces(table, length);
    checkPieces(handlerTable, length);
    return 0;
}
