#pragma once
// The program's version, as the build names it.

namespace tz {

const char* programVersion();

}  // namespace tz
