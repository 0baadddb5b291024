#pragma once
// One external compile's batch run. Where a terminal window can be opened it
// runs there, for the user to read; otherwise its output is captured and
// handed on when the run ends, so that it is never lost.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>

namespace tz {

// A terminal program that takes "-e program arguments", when there is a
// display to open it on; empty otherwise.
QString findTerminal();

class ExternalRun {
  public:
    // Starts runner in folder, which lives as long as the run: in terminal
    // when one is given, else captured, with ended called on the output.
    ExternalRun(std::shared_ptr<QTemporaryDir> folder, const QString& runner,
                const QString& terminal, std::function<void(const std::string&)> ended);
    // A captured run still going is ended with everything it started.
    ~ExternalRun();
    ExternalRun(const ExternalRun&) = delete;
    ExternalRun& operator=(const ExternalRun&) = delete;

    QString folder() const { return folder_->path(); }

  private:
    std::shared_ptr<QTemporaryDir> folder_;
    QProcess captured_;
    QMetaObject::Connection ending_;
};

}  // namespace tz
