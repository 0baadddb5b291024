// Any bytes as a project file: refused with a message, or accepted within the
// tables' capacities and with a class name that is safe in a path.
#include "designer/DesignRules.h"
#include "fuzzcheck.h"
#include "project/NameHelpers.h"
#include "project/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const tz::ProjectFileReading reading =
        tz::readProjectFile(bytes, tz::Project{}, tz::fixedComponentNames());
    if (!reading.content) {
        FUZZ_CHECK(!reading.error.empty());
        return 0;
    }
    FUZZ_CHECK(tz::isJavaIdentifier(reading.javaClassName));
    const tz::Project& project = reading.content->project;
    FUZZ_CHECK(project.classCount() >= 0 && project.classCount() <= tz::Project::MaxClasses);
    for (int n = 1; n <= project.classCount(); ++n)
        FUZZ_CHECK(project.lastSlot(n) >= 0 && project.lastSlot(n) <= tz::Project::MaxMethods);
    for (const tz::ObjectTable& table : reading.content->objects)
        FUZZ_CHECK(table.count >= 0 && table.count <= tz::ObjectTable::SlotCount);
    return 0;
}
