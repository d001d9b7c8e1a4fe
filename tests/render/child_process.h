// Running another program to its end and collecting what it printed.
#pragma once

#include <string>
#include <vector>

namespace meshwright::render {

struct ProcessResult {
    int status = -1;     // exit status, or 128 + signal number when a signal ended it
    std::string output;  // standard output and standard error, interleaved as written
};

// Runs `command` (the program's path, then its arguments) in `workingDir` with `input` on its
// standard input and the C locale, so messages come in English. `input` must fit a pipe's buffer
// (64 KiB). Throws std::runtime_error when the program can't be started.
ProcessResult runProcess(const std::vector<std::string>& command, const std::string& input = "",
                         const std::string& workingDir = ".");

}  // namespace meshwright::render
