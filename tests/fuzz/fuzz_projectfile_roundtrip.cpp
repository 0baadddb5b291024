// An accepted file, written and read again, is accepted, and writing it a
// second time gives the same bytes.
#include "designer/DesignRules.h"
#include "fuzzcheck.h"
#include "project/ProjectFile.h"

namespace {

std::optional<tz::ProjectFileContent> read(const std::string& bytes) {
    return tz::readProjectFile(bytes, tz::Project{}, tz::fixedComponentNames()).content;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto first = read(std::string(reinterpret_cast<const char*>(data), size));
    if (!first) return 0;
    const std::string written = tz::writeProjectFile(*first);
    const auto second = read(written);
    FUZZ_CHECK(second);
    FUZZ_CHECK(tz::writeProjectFile(*second) == written);
    return 0;
}
