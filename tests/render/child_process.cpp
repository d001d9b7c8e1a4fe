// posix_spawn with pipes: the input is small enough to be written before the output is read.
#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace meshwright::render {

namespace {

constexpr size_t kLargestInput = 65536;

// The caller's environment with LC_ALL=C in front, which wins over any later LC_ALL.
std::vector<char*> environmentInCLocale() {
    static char cLocale[] = "LC_ALL=C";
    std::vector<char*> variables{cLocale};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        variables.push_back(*variable);
    }
    variables.push_back(nullptr);
    return variables;
}

pid_t spawn(const std::vector<std::string>& command, const std::string& workingDir, int inputEnd,
            int outputEnd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inputEnd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputEnd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputEnd, STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    std::vector<char*> arguments;
    for (const std::string& argument : command) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    pid_t child = 0;
    int error = posix_spawn(&child, arguments[0], &actions, nullptr, arguments.data(),
                            environmentInCLocale().data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::runtime_error("can't start " + command[0] + ": " + std::strerror(error));
    }
    return child;
}

std::string readToEnd(int descriptor) {
    std::string text;
    char chunk[65536];
    ssize_t got = 0;
    while ((got = read(descriptor, chunk, sizeof chunk)) != 0) {
        if (got > 0) {
            text.append(chunk, static_cast<size_t>(got));
        } else if (errno != EINTR) {
            break;
        }
    }
    return text;
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& command, const std::string& input,
                         const std::string& workingDir) {
    if (command.empty() || input.size() > kLargestInput) {
        throw std::runtime_error("runProcess: no program, or more input than a pipe holds");
    }
    // Close-on-exec keeps our ends out of the child, so each side sees the other's end of file.
    int inputPipe[2], outputPipe[2];
    if (pipe2(inputPipe, O_CLOEXEC) != 0 || pipe2(outputPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("can't make a pipe: ") + std::strerror(errno));
    }
    pid_t child = -1;
    try {
        child = spawn(command, workingDir, inputPipe[0], outputPipe[1]);
    } catch (...) {
        for (int end : {inputPipe[0], inputPipe[1], outputPipe[0], outputPipe[1]}) {
            close(end);
        }
        throw;
    }
    close(inputPipe[0]);
    close(outputPipe[1]);
    // The pipe takes all of the input at once. A program that ends without reading it must not
    // end this process too.
    std::signal(SIGPIPE, SIG_IGN);
    [[maybe_unused]] ssize_t written = write(inputPipe[1], input.data(), input.size());
    close(inputPipe[1]);
    ProcessResult result;
    result.output = readToEnd(outputPipe[0]);
    close(outputPipe[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace meshwright::render
