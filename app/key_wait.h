// The closing key wait on a terminal.
#pragma once

namespace meshwright {

// Whether the terminal on standard input has a byte waiting, without taking it. Waits up to
// `timeoutMs` milliseconds in the system (-1: until one comes). False when standard input is not a
// terminal. Expects the terminal in the byte-at-a-time mode that waitForKey sets.
bool keyPending(int timeoutMs);

// When standard input is a terminal: switches it to byte-at-a-time input without echo, blocks until
// a key delivers a byte (the byte stays unread), and puts the terminal's settings back, also when
// the process is ended by a signal meanwhile. When it is not a terminal (a pipe, a file): returns
// at once, since no one is there to press a key.
void waitForKey();

}  // namespace meshwright
