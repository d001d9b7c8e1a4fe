// Waiting for a key: a blocking poll of the terminal, with its settings restored on every exit.
#include "app/key_wait.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "app/ending_signals.h"

namespace meshwright {
namespace {

// The settings to put back, reachable from the signal handler; only written outside it.
struct termios savedSettings;
volatile sig_atomic_t settingsChanged = 0;

// A signal that ends the process must not leave the terminal silent and unbuffered.
void restoreAndEnd(int signalNumber) {
    if (settingsChanged) {
        tcsetattr(STDIN_FILENO, TCSANOW, &savedSettings);
    }
    endAsTheSignalWould(signalNumber);
}

}  // namespace

bool keyPending(int timeoutMs) {
    if (!isatty(STDIN_FILENO)) {
        return false;
    }
    pollfd terminal{STDIN_FILENO, POLLIN, 0};
    return poll(&terminal, 1, timeoutMs) > 0 && (terminal.revents & (POLLIN | POLLHUP | POLLERR));
}

void waitForKey() {
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &savedSettings) != 0) {
        return;
    }
    const EndingDispositions previous = takeEndingSignals(restoreAndEnd);
    // Without canonical mode a single key delivers its byte at once, Enter not needed; a
    // modifier alone or a key release delivers nothing, so it does not end the wait.
    struct termios byteAtATime = savedSettings;
    byteAtATime.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    byteAtATime.c_cc[VMIN] = 1;
    byteAtATime.c_cc[VTIME] = 0;
    settingsChanged = 1;
    tcsetattr(STDIN_FILENO, TCSANOW, &byteAtATime);
    while (!keyPending(-1)) {
    }
    tcsetattr(STDIN_FILENO, TCSANOW, &savedSettings);
    settingsChanged = 0;
    restoreEndingSignals(previous);
}

}  // namespace meshwright
