// The one piece of process-wide state: the name of the file a signal must remove. A signal
// handler can only reach it through a global, and only async-signal-safe calls use it there.
#include "app/removal_on_signal.h"

#include <unistd.h>

#include <limits.h>
#include <csignal>
#include <cstring>
#include <iterator>

namespace meshwright {
namespace {

char pendingPath[PATH_MAX + 1];
volatile sig_atomic_t pathArmed = 0;
bool handlersInstalled = false;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

void removeAndReraise(int signalNumber) {
    if (pathArmed) {
        unlink(pendingPath);
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

void removeOnSignal(const char* path) {
    if (!handlersInstalled) {
        installHandlers();
    }
    pathArmed = 0;
    if (std::strlen(path) < sizeof pendingPath) {
        std::strcpy(pendingPath, path);
        pathArmed = 1;
    }
}

void forgetRemovalOnSignal() {
    pathArmed = 0;
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
