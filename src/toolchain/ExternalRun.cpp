#include "toolchain/ExternalRun.h"

#include <QStandardPaths>

#include "toolchain/ProcessRunner.h"

namespace tz {

QString findTerminal() {
    if (qEnvironmentVariable("DISPLAY").isEmpty() &&
        qEnvironmentVariable("WAYLAND_DISPLAY").isEmpty())
        return {};
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) return found;
    }
    return {};
}

ExternalRun::ExternalRun(std::shared_ptr<QTemporaryDir> folder, const QString& runner,
                         const QString& terminal, std::function<void(const std::string&)> ended)
    : folder_(std::move(folder)) {
    if (!terminal.isEmpty()) {
        // The window stays open until the user has read it.
        QProcess::startDetached(terminal, {"-e", runner, "--in-terminal"}, folder_->path());
        return;
    }
    captured_.setWorkingDirectory(folder_->path());
    captured_.setProcessChannelMode(QProcess::MergedChannels);
    ending_ = QObject::connect(&captured_, &QProcess::finished, [this, ended = std::move(ended)] {
        ended(captured_.readAll().toStdString());
    });
    startAsGroup(captured_, runner, {});
    // Nothing is typed into the batch: a compiler asking for input ends.
    captured_.closeWriteChannel();
}

ExternalRun::~ExternalRun() {
    QObject::disconnect(ending_);
    endProcessGroup(captured_);
}

}  // namespace tz
