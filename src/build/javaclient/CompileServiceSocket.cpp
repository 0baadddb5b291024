#include "build/javaclient/CompileServiceSocket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    ucred peer{};
    socklen_t size = sizeof peer;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != geteuid()) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace tz
