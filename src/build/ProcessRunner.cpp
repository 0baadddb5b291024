#include "build/ProcessRunner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace tz {

std::optional<int> WinExecAndWait(const QString& program, const QStringList& arguments,
                                  const QString& workingDirectory,
                                  const std::function<void(int frame)>& showFrame) {
    QProcess child;
    child.setWorkingDirectory(workingDirectory);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(program, arguments);
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
        child.kill();
        child.waitForFinished();
        return std::nullopt;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

}  // namespace tz
