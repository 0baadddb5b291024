#pragma once
// Where the warm compile service of this user listens, shared by the javac
// client and the program that starts the service. Plain POSIX: the client
// must start in a few milliseconds.
#include <string>

namespace tz {

// The socket in a folder only this user can open: $XDG_RUNTIME_DIR/tzjava,
// else a private folder in the temporary folder, created when asked for and
// missing. Empty when the folder is not this user's alone or the path is too
// long.
std::string compileServiceSocket(bool createFolder = false);

// A connection to the service whose peer is this user, or -1.
int connectToCompileService();

}  // namespace tz
