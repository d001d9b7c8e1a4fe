// Taking the ending signals, ending as they would, and holding them back for a moment.
#include "app/ending_signals.h"

#include <iterator>

namespace meshwright {

EndingDispositions takeEndingSignals(void (*handler)(int)) {
    EndingDispositions previous{};
    struct sigaction taken {};
    taken.sa_handler = handler;
    sigemptyset(&taken.sa_mask);
    for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
        sigaction(kEndingSignals[i], nullptr, &previous.of[i]);
        if (previous.of[i].sa_handler != SIG_IGN) {
            sigaction(kEndingSignals[i], &taken, nullptr);
        }
    }
    return previous;
}

void restoreEndingSignals(const EndingDispositions& previous) {
    for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
        sigaction(kEndingSignals[i], &previous.of[i], nullptr);
    }
}

void endAsTheSignalWould(int signalNumber) {
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
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
