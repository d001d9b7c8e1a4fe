// Entry point: the interactive dialogue without arguments, batch mode with them.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "app/batch.h"
#include "app/dialogue.h"
#include "app/key_wait.h"

int main(int argc, char** argv) {
    // Past a file-size limit, write() should fail with an error we can report and clean up
    // after, instead of the signal ending the process with half a file on disk.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc > 1) {
        return meshwright::runBatch(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                    std::cerr);
    }
    meshwright::runDialogue(std::cin, std::cout, meshwright::waitForKey);
    return 0;
}
