// A conversion stopped by a signal leaves no output behind: neither the file it was writing nor,
// with --force, its temporary file; a file it was replacing stays as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "bench/torus_model.h"
#include "test_support.h"

namespace meshwright {
namespace {

using testing::TempDir;

// A model big enough that converting it takes far longer than it takes to notice it started.
void writeLargeModel(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    ASSERT_NE(out, nullptr);
    writeTorusModel(out, 300000);
    std::fclose(out);
}

pid_t startTool(const std::vector<std::string>& arguments, const std::string& folder) {
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        std::vector<char*> argv{const_cast<char*>(MESHWRIGHT_TOOL_PATH)};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(MESHWRIGHT_TOOL_PATH, argv.data());
        _exit(127);
    }
    return child;
}

// Files in `folder` other than the model itself and `keep`.
std::vector<std::string> leftovers(const std::string& folder, const std::string& keep = "") {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name != "big.ase" && name != keep) {
            names.push_back(name);
        }
    }
    return names;
}

bool waitUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 2000 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return condition();
}

class Interruption : public ::testing::TestWithParam<int> {
  protected:
    static void SetUpTestSuite() {
        folder_ = new TempDir;
        writeLargeModel(folder_->file("big.ase"));
    }
    static void TearDownTestSuite() { delete folder_; }
    static TempDir* folder_;
};
TempDir* Interruption::folder_ = nullptr;

TEST_P(Interruption, WhileWritingANewFileRemovesIt) {
    const int signalNumber = GetParam();
    pid_t tool = startTool({"-k", "2", "big.ase"}, folder_->path());
    ASSERT_TRUE(waitUntil([&] { return !leftovers(folder_->path()).empty(); }));
    kill(tool, signalNumber);
    int status = 0;
    waitpid(tool, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the conversion ended before the signal came";
    EXPECT_EQ(WTERMSIG(status), signalNumber);
    EXPECT_EQ(leftovers(folder_->path()), std::vector<std::string>{});
}

TEST_P(Interruption, WhileReplacingKeepsTheOldFileAndRemovesTheTemporaryOne) {
    const int signalNumber = GetParam();
    testing::writeFile(folder_->file("big.cpp"), "the old code");
    pid_t tool = startTool({"-k", "1", "--force", "big.ase"}, folder_->path());
    ASSERT_TRUE(waitUntil([&] { return !leftovers(folder_->path(), "big.cpp").empty(); }));
    kill(tool, signalNumber);
    int status = 0;
    waitpid(tool, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the conversion ended before the signal came";
    EXPECT_EQ(leftovers(folder_->path(), "big.cpp"), std::vector<std::string>{});
    EXPECT_EQ(testing::readFile(folder_->file("big.cpp")), "the old code");
    std::filesystem::remove(folder_->file("big.cpp"));
}

INSTANTIATE_TEST_SUITE_P(Signals, Interruption, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& info) {
                             return info.param == SIGINT ? "Interrupt" : "Terminate";
                         });

}  // namespace
}  // namespace meshwright
