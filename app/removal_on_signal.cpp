// The one piece of process-wide state: the temporary file a signal must remove. A signal handler
// can only reach it through globals, and only async-signal-safe calls use it there.
#include "app/removal_on_signal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits.h>
#include <csignal>
#include <cstring>

namespace meshwright {
namespace {

char pendingName[NAME_MAX + 1];
int pendingFolder = -1;
FileIdentity pendingIdentity;
volatile sig_atomic_t nameArmed = 0;
bool handlersInstalled = false;

void removeAndEnd(int signalNumber) {
    struct stat status {};
    if (nameArmed && fstatat(pendingFolder, pendingName, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        identityOf(status) == pendingIdentity) {
        unlinkat(pendingFolder, pendingName, 0);
    }
    endAsTheSignalWould(signalNumber);
}

}  // namespace

void removeOnSignal(int folder, const char* name, FileIdentity own) {
    if (!handlersInstalled) {
        takeEndingSignals(removeAndEnd);
        handlersInstalled = true;
    }
    nameArmed = 0;
    if (std::strlen(name) < sizeof pendingName) {
        std::strcpy(pendingName, name);
        pendingFolder = folder;
        pendingIdentity = own;
        nameArmed = 1;
    }
}

void disarmRemovalOnSignal() {
    nameArmed = 0;
}

}  // namespace meshwright
