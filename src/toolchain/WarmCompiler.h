#pragma once
// The program's warm compile service: started in the background, ended with
// the program, started again after a compile when it has gone or answers
// nothing (stopped, stuck).
#include <QString>
#include <memory>

class QProcess;

namespace tz {

class WarmCompiler {
  public:
    // launcher: the service's start script in java/bin.
    explicit WarmCompiler(QString launcher);
    ~WarmCompiler();
    WarmCompiler(const WarmCompiler&) = delete;
    WarmCompiler& operator=(const WarmCompiler&) = delete;

    // Starts the service at low priority unless one of this user answers, ours
    // is still starting or there is no private folder for its socket. A
    // service that takes connections but answers nothing is ended first.
    void keepRunning();

  private:
    QString launcher_;
    std::unique_ptr<QProcess> service_;
};

}  // namespace tz
