#pragma once
// How the program meets the signals a user or the system sends it.

namespace tz {

// A write past the file size limit then fails with EFBIG and is reported
// like any other failed write, instead of the signal ending the program.
void ignoreFileSizeSignal();

// Interrupt (Ctrl+C), termination and hang-up then end the application's
// event loops instead of the program at once: a wait for a child ends that
// child's process group, and the caller can clean up before endBySignal.
// Needs the application object.
void quitOnStopSignals();
// The stop signal received so far, or 0.
int receivedStopSignal();
// Ends the program as the signal would have, so that the caller sees the
// usual status for it.
[[noreturn]] void endBySignal(int signal);

}  // namespace tz
