#include "toolchain/CompileServiceSocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace tz {

namespace {

bool isPrivateFolder(const std::string& folder) {
    struct stat info {};
    return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & 07777) == 0700;
}

std::string serviceFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/tzjava";
    const char* temporary = std::getenv("TMPDIR");
    const std::string base = temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp";
    return base + "/tzjava-" + std::to_string(geteuid());
}

bool waitFor(int fd, short events, int timeoutMs) {
    pollfd wanted{fd, events, 0};
    int ready = 0;
    while ((ready = poll(&wanted, 1, timeoutMs)) < 0 && errno == EINTR) {
    }
    return ready == 1;
}

bool isConnectionRefused(int error) {
    return error == ECONNREFUSED || error == ENOENT;
}

}  // namespace

std::string compileServiceSocket(bool createFolder) {
    const std::string folder = serviceFolder();
    // An existing folder keeps its mode; the check below decides.
    if (createFolder) mkdir(folder.c_str(), 0700);
    if (!isPrivateFolder(folder)) return {};
    const std::string socket = folder + "/compile.sock";
    return socket.size() < sizeof(sockaddr_un::sun_path) ? socket : std::string();
}

int connectToCompileService() {
    const std::string path = compileServiceSocket();
    if (path.empty()) return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    ucred peer{};
    socklen_t size = sizeof peer;
    // A Unix socket connects at once or, with a full queue, not at all (EAGAIN).
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != geteuid()) {
        const int error = errno;
        close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool sendAll(int fd, std::string_view bytes, int timeoutMs) {
    while (!bytes.empty()) {
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(std::size_t(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && errno == EAGAIN) {
            if (!waitFor(fd, POLLOUT, timeoutMs)) return false;
        } else {
            return false;
        }
    }
    return true;
}

std::optional<std::string> receiveAll(int fd, std::size_t limit, int firstMs, int nextMs) {
    std::string received;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0) return received;
        if (got > 0) {
            if (std::size_t(got) > limit - received.size()) return std::nullopt;
            received.append(buffer, std::size_t(got));
        } else if (errno == EAGAIN) {
            if (!waitFor(fd, POLLIN, received.empty() ? firstMs : nextMs)) return std::nullopt;
        } else if (errno != EINTR) {
            return std::nullopt;
        }
    }
}

ServiceProbe probeCompileService(int timeoutMs) {
    const int fd = connectToCompileService();
    if (fd < 0) return isConnectionRefused(errno) ? ServiceProbe::Absent : ServiceProbe::Stuck;
    // Any first byte will do: a service busy with others declines at once.
    char first = 0;
    const bool answered = sendAll(fd, "TZS1", timeoutMs) && waitFor(fd, POLLIN, timeoutMs) &&
                          read(fd, &first, 1) == 1;
    close(fd);
    return answered ? ServiceProbe::Answers : ServiceProbe::Stuck;
}

pid_t compileServiceHolder() {
    const std::string socket = compileServiceSocket();
    if (socket.empty()) return 0;
    const int fd = open((socket + ".lock").c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return 0;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(fd);
    return held ? lock.l_pid : 0;
}

}  // namespace tz
