// Entry point: the interactive dialogue without arguments, batch mode with them.
#include <csignal>
#include <iostream>
#include <new>
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
        try {
            return meshwright::runBatch(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                        std::cerr);
        } catch (const std::bad_alloc&) {
            // Each job reports its own shortage; this is the command line's.
            std::cerr << "meshwright: not enough memory" << std::endl;
            return 1;
        }
    }
    // The dialogue's screen is a courtesy: with no one reading it, the file is still converted
    // and the status is still 0. Batch mode keeps the default, as filters do in a pipeline.
    std::signal(SIGPIPE, SIG_IGN);
    meshwright::runDialogue(std::cin, std::cout, meshwright::waitForKey);
    return 0;
}
