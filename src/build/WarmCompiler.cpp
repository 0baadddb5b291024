#include "build/WarmCompiler.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "build/javaclient/CompileServiceSocket.h"

namespace tz {

WarmCompiler::WarmCompiler(QString launcher) : launcher_(std::move(launcher)) {}

WarmCompiler::~WarmCompiler() {
    if (!service_ || service_->state() == QProcess::NotRunning) return;
    // The service ends when its standard input closes.
    service_->closeWriteChannel();
    if (!service_->waitForFinished(5000)) {
        service_->kill();
        service_->waitForFinished();
    }
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
