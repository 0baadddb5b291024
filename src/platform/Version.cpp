#include "platform/Version.h"

namespace tz {

const char* programVersion() {
    return TZ_VERSION;
}

}  // namespace tz
