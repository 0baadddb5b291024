#include "build/WarmCompiler.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "build/javaclient/CompileServiceSocket.h"

namespace tz {

namespace {

// A service leaves its lock file behind. It goes, and then the socket's
// folder when empty, unless another service holds the lock.
void removeServiceLeftovers() {
    const std::string socket = compileServiceSocket();
    if (socket.empty()) return;
    const std::string lockFile = socket + ".lock";
    const int fd = open(lockFile.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return;
    // The service's Java lock is a record lock.
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (fcntl(fd, F_SETLK, &whole) == 0) {
        unlink(lockFile.c_str());
        rmdir(socket.substr(0, socket.rfind('/')).c_str());
    }
    close(fd);
}

}  // namespace

WarmCompiler::WarmCompiler(QString launcher) : launcher_(std::move(launcher)) {}

WarmCompiler::~WarmCompiler() {
    if (!service_) return;
    if (service_->state() != QProcess::NotRunning) {
        // The service ends when its standard input closes.
        service_->closeWriteChannel();
        if (!service_->waitForFinished(5000)) {
            service_->kill();
            service_->waitForFinished();
        }
    }
    removeServiceLeftovers();
}

void WarmCompiler::keepRunning() {
    if (service_ && service_->state() != QProcess::NotRunning) return;
    if (!QFileInfo(launcher_).isExecutable()) return;
    if (const int probe = connectToCompileService(); probe >= 0) {
        close(probe);
        return;
    }
    const std::string socket = compileServiceSocket(true);
    if (socket.empty()) return;
    service_ = std::make_unique<QProcess>();
    service_->setProcessChannelMode(QProcess::ForwardedChannels);
    // Starting a JVM must not slow the windows down.
    service_->setChildProcessModifier([] { setpriority(PRIO_PROCESS, 0, 10); });
    service_->start(launcher_, {QFile::decodeName(QByteArray::fromStdString(socket))});
}

}  // namespace tz
