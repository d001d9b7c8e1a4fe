// Entry point: the interactive dialogue on the console.
#include <csignal>
#include <iostream>

#include "app/dialogue.h"
#include "app/key_wait.h"

int main() {
    // Past a file-size limit, write() should fail with an error we can report and clean up
    // after, instead of the signal ending the process with half a file on disk.
    std::signal(SIGXFSZ, SIG_IGN);
    meshwright::runDialogue(std::cin, std::cout, meshwright::waitForKey);
    return 0;
}
