#include "toolchain/WarmCompiler.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "toolchain/CompileServiceSocket.h"

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

// A service that is alive answers its state in milliseconds, also when busy.
constexpr int ProbeMs = 3000;

// Ends the service that holds the instance lock but answers nothing (stopped,
// stuck), so that a new one can take the lock.
void endStuckService() {
    const pid_t stuck = compileServiceHolder();
    if (stuck <= 0 || kill(stuck, SIGKILL) != 0) return;
    const QDeadlineTimer deadline(5000);
    while (compileServiceHolder() == stuck && !deadline.hasExpired()) QThread::msleep(10);
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
    if (!QFileInfo(launcher_).isExecutable()) return;
    const ServiceProbe probe = probeCompileService(ProbeMs);
    if (probe == ServiceProbe::Answers) return;
    // One of ours that does not listen yet is still starting.
    const bool ownRuns = service_ && service_->state() != QProcess::NotRunning;
    if (probe == ServiceProbe::Absent && ownRuns) return;
    const std::string socket = compileServiceSocket(true);
    if (socket.empty()) return;
    if (probe == ServiceProbe::Stuck) endStuckService();
    service_ = std::make_unique<QProcess>();
    service_->setProcessChannelMode(QProcess::ForwardedChannels);
    // Starting a JVM must not slow the windows down.
    service_->setChildProcessModifier([] { setpriority(PRIO_PROCESS, 0, 10); });
    service_->start(launcher_, {QFile::decodeName(QByteArray::fromStdString(socket))});
}

}  // namespace tz
