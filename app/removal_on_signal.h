// Removes a half-written output when the process is interrupted or terminated.
#pragma once

#include <signal.h>

namespace meshwright {

// From now until forgetRemovalOnSignal(), SIGINT, SIGTERM and SIGHUP first remove the file at
// `path` (copied; one file at a time), then end the process as the signal would have.
void removeOnSignal(const char* path);
void forgetRemovalOnSignal();

// Holds back those signals for its lifetime, so that a file and its registration for removal
// appear, or a file is completed and forgotten, as one step; a signal that came meanwhile is
// delivered when it ends.
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
