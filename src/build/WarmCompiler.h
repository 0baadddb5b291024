#pragma once
// The program's warm compile service: started in the background, ended with
// the program, started again after a compile when it has gone.
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

    // Starts the service at low priority unless it runs, another service of
    // this user answers or there is no private folder for its socket.
    void keepRunning();

  private:
    QString launcher_;
    std::unique_ptr<QProcess> service_;
};

}  // namespace tz
