#pragma once
// Where the warm compile service of this user listens and how to talk to it,
// shared by the javac client and the program that starts the service. Plain
// POSIX: the client must start in a few milliseconds. Every wait is bounded.
#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tz {

// The socket in a folder only this user can open: $XDG_RUNTIME_DIR/tzjava,
// else a private folder in the temporary folder, created when asked for and
// missing. Empty when the folder is not this user's alone or the path is too
// long.
std::string compileServiceSocket(bool createFolder = false);

// A non-blocking connection to the service whose peer is this user, or -1.
// A service whose queue is full counts as none.
int connectToCompileService();

// Writes all of bytes to a non-blocking fd, waiting at most timeoutMs each
// time the peer takes nothing.
bool sendAll(int fd, std::string_view bytes, int timeoutMs);

// Everything the peer sends until it closes; nothing when the first byte
// takes longer than firstMs, a later pause longer than nextMs, or the reply
// grows past limit.
std::optional<std::string> receiveAll(int fd, std::size_t limit, int firstMs, int nextMs);

enum class ServiceProbe { Answers, Absent, Stuck };

// Asks the service for its state: Absent when nothing listens, Stuck when
// it takes a connection but says nothing within timeoutMs.
ServiceProbe probeCompileService(int timeoutMs);

// The process that holds the service's instance lock, or 0.
pid_t compileServiceHolder();

}  // namespace tz
