// Removes a named temporary output when the process is interrupted or terminated.
#pragma once

#include "app/ending_signals.h"
#include "app/file_identity.h"

namespace meshwright {

// From now until disarmRemovalOnSignal(), the ending signals (see
// kEndingSignals) first remove `name` from the
// folder open as `folder` if that name is still the file `own` (a name someone else has taken
// over since is theirs), then end the process as the signal would have. One file at a time;
// `name` is copied.
void removeOnSignal(int folder, const char* name, FileIdentity own);
void disarmRemovalOnSignal();

}  // namespace meshwright
