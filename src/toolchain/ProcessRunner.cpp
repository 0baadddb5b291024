#include "toolchain/ProcessRunner.h"

#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace tz {

void startAsGroup(QProcess& child, const QString& program, const QStringList& arguments) {
    child.setChildProcessModifier([] { ::setpgid(0, 0); });
    child.start(program, arguments);
}

void endProcessGroup(QProcess& child) {
    if (child.state() == QProcess::NotRunning) return;
    // The leader is not yet reaped, so its id still names its group.
    if (const auto leader = pid_t(child.processId()); leader > 0) ::kill(-leader, SIGKILL);
    child.waitForFinished();
}

std::optional<int> runAndWait(const QString& program, const QStringList& arguments,
                              const QString& workingDirectory,
                              const std::function<void(int frame)>& showFrame) {
    QProcess child;
    child.setWorkingDirectory(workingDirectory);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    startAsGroup(child, program, arguments);
    if (!child.waitForStarted()) return -1;

    QEventLoop wait;
    QObject::connect(&child, &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer animation;
    int frame = 0;
    QObject::connect(&animation, &QTimer::timeout, [&] {
        frame = (frame + 1) % AnimationFrameCount;
        if (showFrame) showFrame(frame);
    });
    animation.start(AnimationFrameMilliseconds);
    if (child.state() != QProcess::NotRunning) wait.exec();
    animation.stop();

    // Leaving the loop with the child still running means a quit request.
    if (child.state() != QProcess::NotRunning) {
        endProcessGroup(child);
        return std::nullopt;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

}  // namespace tz
