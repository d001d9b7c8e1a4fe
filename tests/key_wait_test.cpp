// The closing key wait on a real (pseudo-)terminal: it blocks without burning the processor, ends
// on the first byte, and leaves the terminal as it found it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <chrono>
#include <string>
#include <thread>

#include "test_support.h"

namespace meshwright {
namespace {

// The tool started on a fresh pseudo-terminal; the test holds both ends.
class ToolOnTerminal {
  public:
    explicit ToolOnTerminal(const std::string& workingDir) {
        if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
            ADD_FAILURE() << "openpty failed";
            return;
        }
        tcgetattr(slave_, &initial_);
        pid_ = fork();
        if (pid_ == 0) {
            close(master_);
            login_tty(dup(slave_));
            if (chdir(workingDir.c_str()) != 0) {
                _exit(126);
            }
            execl(MESHWRIGHT_TOOL_PATH, MESHWRIGHT_TOOL_PATH, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~ToolOnTerminal() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(master_);
        close(slave_);
    }

    void type(const std::string& text) {
        ASSERT_EQ(write(master_, text.data(), text.size()), ssize_t(text.size()));
    }

    // Reads the screen until `text` appears or five seconds pass.
    bool waitForScreen(const std::string& text) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (screen_.find(text) == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            drain();
        }
        return screen_.find(text) != std::string::npos;
    }

    // Takes what the tool has written so far, waiting at most 50 ms for it.
    void drain() {
        pollfd fd{master_, POLLIN, 0};
        if (poll(&fd, 1, 50) > 0) {
            char chunk[4096];
            ssize_t got = read(master_, chunk, sizeof chunk);
            if (got > 0) {
                screen_.append(chunk, size_t(got));
            }
        }
    }

    // Waits up to `seconds` for the tool to end; true when it did.
    bool waitForExit(double seconds) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            drain();  // the tool must never block on a full screen
            if (wait4(pid_, &status_, WNOHANG, &usage_) == pid_) {
                exited_ = true;
                return true;
            }
        }
        return false;
    }

    double cpuSecondsAtExit() const {
        return usage_.ru_utime.tv_sec + usage_.ru_utime.tv_usec / 1e6 + usage_.ru_stime.tv_sec +
               usage_.ru_stime.tv_usec / 1e6;
    }

    bool settingsAsBefore() const {
        termios now{};
        tcgetattr(slave_, &now);
        return now.c_iflag == initial_.c_iflag && now.c_oflag == initial_.c_oflag &&
               now.c_lflag == initial_.c_lflag && now.c_cflag == initial_.c_cflag &&
               std::equal(std::begin(now.c_cc), std::end(now.c_cc), std::begin(initial_.c_cc));
    }

    int status() const { return status_; }

  private:
    int master_ = -1;
    int slave_ = -1;
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = 0;
    rusage usage_{};
    termios initial_{};
    std::string screen_;
};

TEST(KeyWait, BlocksQuietlyUntilAKeyThenRestoresTheTerminal) {
    testing::TempDir dir;
    ToolOnTerminal tool(dir.path());
    tool.type("absent.ase 1\n");
    ASSERT_TRUE(tool.waitForScreen("Press any key to exit"));
    EXPECT_FALSE(tool.waitForExit(1.0)) << "the tool ended without a key";
    tool.type("x");
    ASSERT_TRUE(tool.waitForExit(5.0)) << "the tool did not end on a key";
    EXPECT_TRUE(WIFEXITED(tool.status()) && WEXITSTATUS(tool.status()) == 0);
    EXPECT_LT(tool.cpuSecondsAtExit(), 0.1) << "the wait spins the processor";
    EXPECT_TRUE(tool.settingsAsBefore());
}

TEST(KeyWait, InterruptDuringTheWaitStillRestoresTheTerminal) {
    testing::TempDir dir;
    ToolOnTerminal tool(dir.path());
    tool.type("absent.ase 1\n");
    ASSERT_TRUE(tool.waitForScreen("Press any key to exit"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    tool.type("\x03");  // Ctrl-C
    ASSERT_TRUE(tool.waitForExit(5.0));
    EXPECT_TRUE(WIFSIGNALED(tool.status()) && WTERMSIG(tool.status()) == SIGINT);
    EXPECT_TRUE(tool.settingsAsBefore());
}

}  // namespace
}  // namespace meshwright
