// The signals that end the process, for the two things that must be undone first: a temporary
// output file, and the terminal's settings during the key wait.
#pragma once

#include <signal.h>

namespace meshwright {

// Interrupt, terminate, hang-up and quit: each ends the process by default.
inline constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// The dispositions of the ending signals, as they were before a handler took them.
struct EndingDispositions {
    struct sigaction of[sizeof kEndingSignals / sizeof kEndingSignals[0]];
};

// Makes `handler` run for each ending signal the caller did not choose to ignore (nohup, a
// background job: an ignored one stays ignored). Returns what was there before.
EndingDispositions takeEndingSignals(void (*handler)(int));
// Puts back what takeEndingSignals found.
void restoreEndingSignals(const EndingDispositions& previous);

// For a handler, once its undo is done: ends the process as `signalNumber` would have, so the
// caller sees the signal, not an exit status. Async-signal-safe.
void endAsTheSignalWould(int signalNumber);

// Holds back the ending signals for its lifetime, so that a file and its registration for
// removal appear, or a file is published and its removal disarmed, as one step; a signal that
// came meanwhile is delivered when it ends.
class SignalsHeld {
  public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t previous_;
};

}  // namespace meshwright
