// Any source through the scanner: a refusal leaves the project as it was; an
// imported project survives save and open.
#include "designer/DesignRules.h"
#include "fuzzcheck.h"
#include "fuzzproject.h"
#include "project/ProjectFile.h"
#include "project/Scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string source(reinterpret_cast<const char*>(data), size);
    tz::ProjectFileContent content;
    const tz::Project before = content.project;
    const tz::ScanResult result = tz::scanJavaSource(content.project, source);
    if (!result.ok) {
        FUZZ_CHECK(!result.message.empty());
        FUZZ_CHECK(fuzz::sameTables(content.project, before));
        return 0;
    }
    const tz::Project& imported = content.project;
    const tz::ProjectFileReading reading = tz::readProjectFile(
        tz::writeProjectFile(content), tz::Project{}, tz::fixedComponentNames());
    FUZZ_CHECK(reading.content);
    const tz::Project& back = reading.content->project;
    FUZZ_CHECK(back.classCount() == imported.classCount());
    FUZZ_CHECK(back.imports == fuzz::gathered(imported.imports));
    for (int n = 1; n <= imported.classCount(); ++n) {
        FUZZ_CHECK(back.lastSlot(n) == imported.lastSlot(n));
        for (int s = 0; s <= imported.lastSlot(n); ++s) {
            FUZZ_CHECK(back.slot(n, s).name == imported.slot(n, s).name);
            FUZZ_CHECK(back.slot(n, s).declaration == imported.slot(n, s).declaration);
            FUZZ_CHECK(back.slot(n, s).body == fuzz::gathered(imported.slot(n, s).body));
        }
    }
    return 0;
}
