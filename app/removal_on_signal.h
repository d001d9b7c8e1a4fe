// Removes a named temporary output when the process is interrupted or terminated.
#pragma once

#include <signal.h>

#include "app/file_identity.h"

namespace meshwright {

// From now until disarmRemovalOnSignal(), SIGINT, SIGTERM and SIGHUP first remove `name` from the
// folder open as `folder` if that name is still the file `own` (a name someone else has taken
// over since is theirs), then end the process as the signal would have. One file at a time;
// `name` is copied.
void removeOnSignal(int folder, const char* name, FileIdentity own);
void disarmRemovalOnSignal();

// Holds back those signals for its lifetime, so that a file and its registration for removal
// appear, or a file is published and forgotten, as one step; a signal that came meanwhile is
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
