// Temporary folders, file helpers and a child-process runner for the tests.
#include "test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace meshwright::testing {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << "can't read " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << "can't write " << path;
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "meshwright-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

namespace {

// Writes `input` to `fd` and collects both output pipes at once, so no side blocks the other.
void exchange(int inFd, const std::string& input, int outFd, int errFd, ToolResult& result) {
    size_t written = 0;
    if (input.empty()) {
        close(inFd);
        inFd = -1;
    }
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
        poll(fds, 3, -1);
        char chunk[65536];
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? outFd : errFd;
            if (fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR))) {
                ssize_t got = read(fd, chunk, sizeof chunk);
                if (got <= 0) {
                    close(fd);
                    fd = -1;
                } else {
                    (i == 0 ? result.out : result.err).append(chunk, static_cast<size_t>(got));
                }
            }
        }
        if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t put = write(inFd, input.data() + written, input.size() - written);
            if (put <= 0 || (written += static_cast<size_t>(put)) == input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    if (inFd >= 0) {
        close(inFd);
    }
}

}  // namespace

void takePipesAsStandardStreams(const int (&in)[2], const int (&out)[2], const int (&err)[2]) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
        close(fd);
    }
    // As a shell starts a program, whatever this process does with the signal.
    signal(SIGPIPE, SIG_DFL);
}

namespace {

ToolResult runWith(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& input, const std::string& workingDir, long long fileSizeLimit,
                   long long memoryLimit, bool outputClosed) {
    ToolResult result;
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) {
        ADD_FAILURE() << "pipe failed";
        return result;
    }
    if (outputClosed) {  // before the child can write anything into the pipe
        close(out[0]);
        out[0] = -1;
    }
    pid_t child = fork();
    if (child == 0) {
        takePipesAsStandardStreams(in, out, err);
        if (fileSizeLimit >= 0) {
            rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (chdir(workingDir.c_str()) != 0) {
            _exit(126);
        }
        std::vector<char*> argv;
        std::string name = program;
        argv.push_back(name.data());
        std::vector<std::string> copies = arguments;
        for (std::string& argument : copies) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        // Last of all: this copy of the test process may hold far more than the tool may take.
        if (memoryLimit >= 0) {
            rlimit limit{static_cast<rlim_t>(memoryLimit), static_cast<rlim_t>(memoryLimit)};
            setrlimit(RLIMIT_AS, &limit);
        }
        execvp(name.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    signal(SIGPIPE, SIG_IGN);
    exchange(in[1], input, out[0], err[0], result);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    result.peakMemoryKb = usage.ru_maxrss;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace

ToolResult runTool(const std::vector<std::string>& arguments, const std::string& input,
                   const std::string& workingDir, long long fileSizeLimit, long long memoryLimit) {
    return runWith(MESHWRIGHT_TOOL_PATH, arguments, input, workingDir, fileSizeLimit, memoryLimit,
                   false);
}

ToolResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input, const std::string& workingDir,
                      long long fileSizeLimit, long long memoryLimit) {
    return runWith(program, arguments, input, workingDir, fileSizeLimit, memoryLimit, false);
}

ToolResult runToolIntoClosedPipe(const std::vector<std::string>& arguments,
                                 const std::string& input, const std::string& workingDir) {
    return runWith(MESHWRIGHT_TOOL_PATH, arguments, input, workingDir, -1, -1, true);
}

std::string dataPath(const std::string& name) {
    return std::string(MESHWRIGHT_TEST_DATA_DIR) + "/" + name;
}

std::string examplePath(const std::string& name) {
    return std::string(MESHWRIGHT_EXAMPLES_DIR) + "/" + name;
}

}  // namespace meshwright::testing
