#pragma once
// Starting a child process and waiting for it while every window stays live.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QProcess;

namespace tz {

inline constexpr int AnimationFrameCount = 8;
inline constexpr int AnimationFrameMilliseconds = 150;

// Runs program with arguments in workingDirectory and returns its exit code
// once it has ended; -1 when it cannot be started. The caller's event loop
// keeps running meanwhile; showFrame(0..7) is called on a timer for the
// busy animation. nullopt when the application was asked to quit during
// the wait: the child and everything it started have then been ended, and
// the caller stops what it was doing.
std::optional<int> runAndWait(const QString& program, const QStringList& arguments,
                              const QString& workingDirectory,
                              const std::function<void(int frame)>& showFrame);

// Starts child as the leader of a process group of its own, so that what it
// starts in turn (a shell, the compiler) can be ended with it.
void startAsGroup(QProcess& child, const QString& program, const QStringList& arguments);
// Ends a child started by startAsGroup and every process of its group.
void endProcessGroup(QProcess& child);

}  // namespace tz
