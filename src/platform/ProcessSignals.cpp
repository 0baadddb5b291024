#include "platform/ProcessSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>

namespace tz {

namespace {

volatile std::sig_atomic_t received = 0;
// The handler may only write; the event loop reads and acts.
int wakeRead = -1;
int wakeWrite = -1;

void onStopSignal(int signal) {
    received = signal;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakeWrite, &byte, 1);
}

void onWake() {
    char bytes[16];
    while (::read(wakeRead, bytes, sizeof bytes) > 0) {
    }
    QCoreApplication::exit(1);
}

}  // namespace

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

void quitOnStopSignals() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their default
    wakeRead = ends[0];
    wakeWrite = ends[1];
    auto* notifier =
        new QSocketNotifier(wakeRead, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &onWake);
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

int receivedStopSignal() {
    return received;
}

void endBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

}  // namespace tz
