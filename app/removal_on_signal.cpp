// The one piece of process-wide state: the temporary file a signal must remove. A signal handler
// can only reach it through globals, and only async-signal-safe calls use it there.
#include "app/removal_on_signal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits.h>
#include <csignal>
#include <cstring>
#include <iterator>

namespace meshwright {
namespace {

char pendingName[NAME_MAX + 1];
int pendingFolder = -1;
FileIdentity pendingIdentity;
volatile sig_atomic_t nameArmed = 0;
bool handlersInstalled = false;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

void removeAndReraise(int signalNumber) {
    struct stat status {};
    if (nameArmed && fstatat(pendingFolder, pendingName, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        identityOf(status) == pendingIdentity) {
        unlinkat(pendingFolder, pendingName, 0);
    }
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

void installHandlers() {
    struct sigaction handler {};
    handler.sa_handler = removeAndReraise;
    sigemptyset(&handler.sa_mask);
    for (int signalNumber : kEndingSignals) {
        struct sigaction previous {};
        sigaction(signalNumber, nullptr, &previous);
        // A signal the caller chose to ignore (nohup, a background job) stays ignored.
        if (previous.sa_handler != SIG_IGN) {
            sigaction(signalNumber, &handler, nullptr);
        }
    }
    handlersInstalled = true;
}

}  // namespace

void removeOnSignal(int folder, const char* name, FileIdentity own) {
    if (!handlersInstalled) {
        installHandlers();
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

SignalsHeld::SignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signalNumber : kEndingSignals) {
        sigaddset(&held, signalNumber);
    }
    sigprocmask(SIG_BLOCK, &held, &previous_);
}

SignalsHeld::~SignalsHeld() {
    sigprocmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace meshwright
