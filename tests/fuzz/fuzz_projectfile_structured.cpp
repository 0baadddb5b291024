// A project built from the input, written and read back, comes back as it
// was stored: one-line fields with blanks for line breaks, texts gathered.
#include <fuzzer/FuzzedDataProvider.h>

#include "designer/DesignRules.h"
#include "fuzzcheck.h"
#include "fuzzproject.h"
#include "project/NameHelpers.h"
#include "project/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    tz::ProjectFileContent saved;
    tz::Project& project = saved.project;
    project.setClassCount(input.ConsumeIntegralInRange(0, 3));
    for (int n = 1; n <= project.classCount(); ++n) {
        project.setLastSlot(n, input.ConsumeIntegralInRange(0, 3));
        for (int s = 0; s <= project.lastSlot(n); ++s) {
            const std::string name = input.ConsumeRandomLengthString(60);
            const std::string declaration = input.ConsumeRandomLengthString(120);
            project.fillSlot(n, s, name, declaration, input.ConsumeRandomLengthString(300));
        }
    }
    // Class 1 names the Java source; a file naming a path is refused.
    if (!tz::isJavaIdentifier(project.slot(1, 0).name)) project.setName(1, 0, "Main");
    project.imports = input.ConsumeRandomLengthString(200);
    // Numbers outside their ranges are refused on reading: only those inside round-trip.
    const auto within = [&](tz::IntRange range) {
        return input.ConsumeIntegralInRange(range.low, range.high);
    };
    saved.appletWidth = within(tz::AppletWidthRange);
    saved.appletHeight = within(tz::AppletHeightRange);
    tz::ProjectOptions& options = saved.options;
    options.optimize = input.ConsumeBool();
    options.addAppletObjects = input.ConsumeBool();
    options.withoutLineBreaks = input.ConsumeBool();
    options.automaticBackground = input.ConsumeBool();
    options.dynamicObjects = input.ConsumeBool();
    options.colourIndex = input.ConsumeIntegralInRange(-1, 12);
    options.parameters.resize(input.ConsumeIntegralInRange(0, 3));
    for (tz::RunParameter& parameter : options.parameters)
        parameter = {input.ConsumeRandomLengthString(30), input.ConsumeRandomLengthString(30)};
    int number = 0;
    for (tz::ObjectTable& table : saved.objects) {
        table.count = input.ConsumeIntegralInRange(0, 3);
        for (int slot = 0; slot < table.count; ++slot) {
            // Deleted objects (no name) are left out of the file.
            const std::string name =
                input.ConsumeBool() ? "n" + std::to_string(number++) : std::string();
            table.records[slot] = tz::ObjectRecord{
                {input.ConsumeRandomLengthString(40), std::to_string(within(tz::PositionRange)),
                 std::to_string(within(tz::PositionRange)), std::to_string(within(tz::SizeRange)),
                 std::to_string(within(tz::SizeRange)), name, input.ConsumeRandomLengthString(10)}};
        }
    }

    const tz::ProjectFileReading reading =
        tz::readProjectFile(tz::writeProjectFile(saved), tz::Project{}, tz::fixedComponentNames());
    FUZZ_CHECK(reading.content);
    const tz::ProjectFileContent& opened = *reading.content;
    FUZZ_CHECK(opened.appletWidth == saved.appletWidth);
    FUZZ_CHECK(opened.appletHeight == saved.appletHeight);
    FUZZ_CHECK(opened.options.optimize == options.optimize);
    FUZZ_CHECK(opened.options.addAppletObjects == options.addAppletObjects);
    FUZZ_CHECK(opened.options.withoutLineBreaks == options.withoutLineBreaks);
    FUZZ_CHECK(opened.options.automaticBackground == options.automaticBackground);
    FUZZ_CHECK(opened.options.dynamicObjects == options.dynamicObjects);
    FUZZ_CHECK(opened.options.colourIndex == options.colourIndex);
    FUZZ_CHECK(opened.options.parameters.size() == options.parameters.size());
    for (std::size_t i = 0; i < options.parameters.size(); ++i) {
        FUZZ_CHECK(opened.options.parameters[i].name == fuzz::oneLine(options.parameters[i].name));
        FUZZ_CHECK(opened.options.parameters[i].value ==
                   fuzz::oneLine(options.parameters[i].value));
    }
    for (std::size_t k = 0; k < saved.objects.size(); ++k) {
        int slot = 0;
        for (int s = 0; s < saved.objects[k].count; ++s) {
            tz::ObjectRecord expected = saved.objects[k].records[s];
            if (!expected.inUse()) continue;
            for (std::string& field : expected.fields) field = fuzz::oneLine(field);
            FUZZ_CHECK(opened.objects[k].records[slot++] == expected);
        }
        FUZZ_CHECK(opened.objects[k].count == slot);
    }
    const tz::Project& back = opened.project;
    FUZZ_CHECK(back.classCount() == project.classCount());
    FUZZ_CHECK(back.imports == fuzz::gathered(project.imports));
    for (int n = 1; n <= project.classCount(); ++n) {
        FUZZ_CHECK(back.lastSlot(n) == project.lastSlot(n));
        for (int s = 0; s <= project.lastSlot(n); ++s) {
            FUZZ_CHECK(back.slot(n, s).name == fuzz::oneLine(project.slot(n, s).name));
            FUZZ_CHECK(back.slot(n, s).declaration ==
                       fuzz::oneLine(project.slot(n, s).declaration));
            FUZZ_CHECK(back.slot(n, s).body == fuzz::gathered(project.slot(n, s).body));
        }
    }
    return 0;
}
