#include "platform/ui/FontConfigurationLoad.h"

#include <fontconfig/fontconfig.h>

namespace tz {

// The toolkit's font database asks for the same configuration, which is
// read once per process.
FontConfigurationLoad::FontConfigurationLoad() : reader_([] { FcInit(); }) {}

FontConfigurationLoad::~FontConfigurationLoad() {
    finish();
}

void FontConfigurationLoad::finish() {
    if (reader_.joinable()) reader_.join();
}

}  // namespace tz
