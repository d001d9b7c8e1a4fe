// Removes a half-written output when the process is interrupted or terminated.
#pragma once

namespace meshwright {

// From now until forgetRemovalOnSignal(), SIGINT, SIGTERM and SIGHUP first remove the file at
// `path` (copied; one file at a time), then end the process as the signal would have.
void removeOnSignal(const char* path);
void forgetRemovalOnSignal();

}  // namespace meshwright
