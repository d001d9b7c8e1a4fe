// Conversions that race another run for their output's name, lose their folder, or are stopped
// by a signal: they never leave part of a file under the output's name, never a stray file, and
// never remove or replace a file another run put there. The input is a FIFO the test holds open,
// so each step of a race comes exactly when the test says.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <thread>

#include "app/converter.h"
#include "bench/torus_model.h"
#include "test_support.h"

namespace meshwright {
namespace {

using testing::fileExists;
using testing::namesIn;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

void runToolInChild(const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(MESHWRIGHT_TOOL_PATH)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execv(MESHWRIGHT_TOOL_PATH, argv.data());
    _exit(127);
}

// The job run in the child itself, writing under a named temporary as it does where the file
// system has no unnamed files.
void runJobWithNamedTemporaryInChild(const std::string& input) {
    BatchReporter reporter(std::cerr);
    JobOptions options;
    options.namedTemporary = true;
    Converter job(input, 1, reporter, options);
    const bool converted = job.run();
    std::cerr.flush();
    _exit(converted ? 0 : 1);
}

struct Ending {
    int status = -1;  // exit status, or 128 + the signal's number
    std::string out, err;
};

// One conversion in a child process, `folder` its working folder, "m.ase" a FIFO fed by the test.
class FedConversion {
  public:
    FedConversion(const std::string& folder, const std::function<void()>& childMain,
                  const std::string& standardInput = "") {
        EXPECT_EQ(mkfifo((folder + "/m.ase").c_str(), 0600), 0);
        int in[2], out[2], err[2];
        EXPECT_EQ(pipe(in) | pipe(out) | pipe(err), 0);
        child_ = fork();
        if (child_ == 0) {
            testing::takePipesAsStandardStreams(in, out, err);
            if (chdir(folder.c_str()) != 0) {
                _exit(126);
            }
            childMain();
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        close(err[1]);
        out_ = out[0];
        err_ = err[0];
        EXPECT_EQ(write(in[1], standardInput.data(), standardInput.size()),
                  ssize_t(standardInput.size()));
        close(in[1]);
        feed_ = open((folder + "/m.ase").c_str(), O_WRONLY | O_CLOEXEC);  // waits for the child
        EXPECT_GE(feed_, 0);
    }
    ~FedConversion() {
        if (child_ > 0) {
            finish();
        }
    }

    void feed(const std::string& text) {
        for (size_t done = 0; done < text.size();) {
            const ssize_t put = write(feed_, text.data() + done, text.size() - done);
            ASSERT_GT(put, 0);
            done += size_t(put);
        }
    }
    // Words the reader passes over, far more than a pipe holds: when this returns the child has
    // read most of them, so its set-up, and the output's creation, are over.
    void feedPastTheSetUp() {
        std::string padding;
        while (padding.size() < (1u << 20)) {
            padding += "*COMMENT padding\n";
        }
        feed(padding);
    }
    void stop(int signalNumber) { kill(child_, signalNumber); }
    Ending finish() {
        if (feed_ >= 0) {
            close(feed_);
            feed_ = -1;
        }
        Ending ending;
        ending.out = drain(out_);
        ending.err = drain(err_);
        int status = 0;
        waitpid(child_, &status, 0);
        child_ = -1;
        ending.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return ending;
    }

  private:
    static std::string drain(int fd) {
        std::string text;
        char chunk[4096];
        for (ssize_t got; (got = read(fd, chunk, sizeof chunk)) > 0;) {
            text.append(chunk, size_t(got));
        }
        close(fd);
        return text;
    }

    pid_t child_ = -1;
    int feed_ = -1, out_ = -1, err_ = -1;
};

// What another run would do with --force: write its own file aside and rename it into place.
void putAnotherRunsFile(const std::string& path) {
    writeFile(path + ".other", "another run's code");
    std::filesystem::rename(path + ".other", path);
}

class Race : public ::testing::Test {
  protected:
    std::string cube() { return readFile(testing::examplePath("cube.ase")); }
    TempDir dir_;
};

TEST_F(Race, NameTakenMeanwhileIsReportedAndTheOtherFileKept) {
    FedConversion job(dir_.path(), [] { runToolInChild({"-k", "1", "m.ase"}); });
    job.feedPastTheSetUp();
    putAnotherRunsFile(dir_.file("m.cpp"));
    job.feed(cube());
    const Ending ending = job.finish();
    EXPECT_EQ(ending.status, 1);
    EXPECT_EQ(ending.err, "meshwright: m.ase: m.cpp already exists (--force replaces it)\n");
    EXPECT_EQ(readFile(dir_.file("m.cpp")), "another run's code");
    EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"m.ase", "m.cpp"}));
}

TEST_F(Race, DialogueReportsANameTakenMeanwhileAsAnExistingFile) {
    FedConversion job(
        dir_.path(), [] { runToolInChild({}); }, "m.ase 2\n");
    job.feedPastTheSetUp();
    putAnotherRunsFile(dir_.file("m.cpp"));
    job.feed(cube());
    const Ending ending = job.finish();
    EXPECT_EQ(ending.status, 0);
    EXPECT_EQ(ending.out, testing::kDialogueQuestions +
                              "Error: file m.cpp already exists\n"
                              "No Changes will be done to m.cpp\n"
                              "Press any key to exit\n");
    EXPECT_EQ(readFile(dir_.file("m.cpp")), "another run's code");
}

TEST_F(Race, FailedOrStoppedRunNeverRemovesTheOtherFile) {
    for (const bool stopped : {false, true}) {
        TempDir dir;
        FedConversion job(dir.path(), [] { runToolInChild({"-k", "3", "m.ase"}); });
        job.feedPastTheSetUp();
        putAnotherRunsFile(dir.file("m.cpp"));
        if (stopped) {
            job.stop(SIGTERM);
        } else {
            job.feed("*MESH_NUMVERTEX -5");
        }
        const Ending ending = job.finish();
        EXPECT_EQ(ending.status, stopped ? 128 + SIGTERM : 1) << ending.err;
        EXPECT_EQ(readFile(dir.file("m.cpp")), "another run's code");
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"m.ase", "m.cpp"}));
    }
}

TEST_F(Race, NamedTemporaryKeepsTheOtherFileToo) {
    for (const bool completes : {true, false}) {
        TempDir dir;
        FedConversion job(dir.path(), [] { runJobWithNamedTemporaryInChild("m.ase"); });
        job.feedPastTheSetUp();
        putAnotherRunsFile(dir.file("m.cpp"));
        job.feed(completes ? cube() : "*MESH_NUMVERTEX -5");
        const Ending ending = job.finish();
        EXPECT_EQ(ending.status, 1);
        EXPECT_EQ(readFile(dir.file("m.cpp")), "another run's code");
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"m.ase", "m.cpp"}));
    }
}

TEST_F(Race, FolderRenamedOrRemovedMeanwhileIsAFailureWithoutAStrayFile) {
    for (const bool removed : {false, true}) {
        TempDir dir;
        std::filesystem::create_directory(dir.file("out"));
        FedConversion job(dir.path(), [] {
            runToolInChild({"-k", "1", "-o", "out/m.cpp", "m.ase"});
        });
        job.feedPastTheSetUp();
        if (removed) {
            std::filesystem::remove(dir.file("out"));
        } else {
            std::filesystem::rename(dir.file("out"), dir.file("moved"));
        }
        job.feed(cube());
        const Ending ending = job.finish();
        EXPECT_EQ(ending.status, 1);
        EXPECT_EQ(ending.err,
                  "meshwright: m.ase: can't write out/m.cpp: its folder was moved or removed\n");
        const std::vector<std::string> left = removed ? std::vector<std::string>{"m.ase"}
                                                      : std::vector<std::string>{"m.ase", "moved"};
        EXPECT_EQ(namesIn(dir.path()), left);
        if (!removed) {
            EXPECT_EQ(namesIn(dir.file("moved")), std::vector<std::string>{});
        }
    }
}

class Interruption : public ::testing::TestWithParam<int> {
  protected:
    TempDir dir_;
};

TEST_P(Interruption, WhileWritingLeavesNothing) {
    FedConversion job(dir_.path(), [] { runToolInChild({"-k", "2", "m.ase"}); });
    job.feedPastTheSetUp();
    job.stop(GetParam());
    EXPECT_EQ(job.finish().status, 128 + GetParam());
    EXPECT_EQ(namesIn(dir_.path()), std::vector<std::string>{"m.ase"});
}

TEST_P(Interruption, WhileReplacingKeepsTheOldFileAndLeavesNothingElse) {
    writeFile(dir_.file("m.cpp"), "the old code");
    FedConversion job(dir_.path(), [] { runToolInChild({"-k", "1", "-f", "m.ase"}); });
    job.feedPastTheSetUp();
    job.stop(GetParam());
    EXPECT_EQ(job.finish().status, 128 + GetParam());
    EXPECT_EQ(readFile(dir_.file("m.cpp")), "the old code");
    EXPECT_EQ(namesIn(dir_.path()), (std::vector<std::string>{"m.ase", "m.cpp"}));
}

TEST_P(Interruption, NamedTemporaryIsRemoved) {
    FedConversion job(dir_.path(), [] { runJobWithNamedTemporaryInChild("m.ase"); });
    job.feedPastTheSetUp();
    ASSERT_EQ(namesIn(dir_.path()).size(), 2u) << "the named temporary is there while it runs";
    job.stop(GetParam());
    EXPECT_EQ(job.finish().status, 128 + GetParam());
    EXPECT_EQ(namesIn(dir_.path()), std::vector<std::string>{"m.ase"});
}

// Under nohup the caller ignores hang-ups: the job's own handler, set up for its temporary,
// must not turn one back into the end of the conversion.
TEST(IgnoredHangUp, DoesNotEndAConversion) {
    TempDir dir;
    FedConversion job(dir.path(), [] {
        signal(SIGHUP, SIG_IGN);
        runJobWithNamedTemporaryInChild("m.ase");
    });
    job.feedPastTheSetUp();
    ASSERT_EQ(namesIn(dir.path()).size(), 2u) << "the named temporary is there while it runs";
    job.stop(SIGHUP);
    job.feed(readFile(testing::examplePath("cube.ase")));
    const Ending ending = job.finish();
    EXPECT_EQ(ending.status, 0) << ending.err;
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"m.ase", "m.cpp"}));
    EXPECT_EQ(readFile(dir.file("m.cpp")).rfind("glBegin(GL_TRIANGLES);", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Signals, Interruption, ::testing::Values(SIGINT, SIGTERM, SIGHUP, SIGQUIT),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

// SIGKILL can't be caught: what protects the user is that the name is given only at the end.
class Killed : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new TempDir;
        std::FILE* out = std::fopen(folder_->file("big.ase").c_str(), "w");
        ASSERT_NE(out, nullptr);
        writeTorusModel(out, 120000);
        std::fclose(out);
        const auto start = std::chrono::steady_clock::now();
        auto result =
            testing::runTool({"-k", "2", "-o", "whole.cpp", "big.ase"}, "", folder_->path());
        ASSERT_EQ(result.status, 0) << result.err;
        runTime_ = std::chrono::steady_clock::now() - start;
        whole_ = new std::string(readFile(folder_->file("whole.cpp")));
        std::filesystem::remove(folder_->file("whole.cpp"));
    }
    static void TearDownTestSuite() {
        delete folder_;
        delete whole_;
    }

    // Starts the job, kills it at a random moment of about its run time, and returns what is
    // under the output's name then ("" when nothing) after checking nothing else was left.
    std::string killAtRandom(const std::function<void()>& childMain, std::mt19937& random,
                             bool strayTemporaryAllowed = false) {
        const pid_t child = fork();
        if (child == 0) {
            if (chdir(folder_->path().c_str()) != 0) {
                _exit(126);
            }
            childMain();
            _exit(127);
        }
        std::uniform_int_distribution<long> delay(0, long(runTime_.count() * 1.2e6));
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::string under;
        if (fileExists(folder_->file("big.cpp"))) {
            under = readFile(folder_->file("big.cpp"));
        }
        for (const std::string& name : namesIn(folder_->path())) {
            const bool temporary = name.rfind(".mw", 0) == 0;
            if (name != "big.ase" && name != "big.cpp") {
                EXPECT_TRUE(strayTemporaryAllowed && temporary) << "left behind: " << name;
                std::filesystem::remove(folder_->file(name));
            }
        }
        return under;
    }

    static TempDir* folder_;
    static std::string* whole_;
    static std::chrono::duration<double> runTime_;
};
TempDir* Killed::folder_ = nullptr;
std::string* Killed::whole_ = nullptr;
std::chrono::duration<double> Killed::runTime_;

constexpr int kKillTrials = 12;

TEST_F(Killed, AtRandomMomentsLeavesTheWholeFileOrNothingUnderTheName) {
    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    for (int trial = 0; trial < kKillTrials; ++trial) {
        const std::string under = killAtRandom(
            [] {
                runToolInChild({"-k", "2", "big.ase"});
            },
            random);
        EXPECT_TRUE(under.empty() || under == *whole_) << "trial " << trial;
        std::filesystem::remove(folder_->file("big.cpp"));
    }
}

// Replacing links the complete file under a short temporary name, then renames it over the old
// one: a kill between the two leaves that temporary beside the old file, never a part of a file.
TEST_F(Killed, AtRandomMomentsWithForceLeavesTheOldFileOrTheWholeNewOne) {
    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed() + 1);
    for (int trial = 0; trial < kKillTrials; ++trial) {
        writeFile(folder_->file("big.cpp"), "the old code");
        const std::string under = killAtRandom(
            [] {
                runToolInChild({"-k", "2", "-f", "big.ase"});
            },
            random, true);
        EXPECT_TRUE(under == "the old code" || under == *whole_) << "trial " << trial;
    }
    std::filesystem::remove(folder_->file("big.cpp"));
}

TEST_F(Killed, WithANamedTemporaryLeavesNothingUnderTheName) {
    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed() + 2);
    for (int trial = 0; trial < kKillTrials / 2; ++trial) {
        const std::string under = killAtRandom(
            [] {
                BatchReporter reporter(std::cerr);
                JobOptions options;
                options.namedTemporary = true;
                Converter job("big.ase", 2, reporter, options);
                _exit(job.run() ? 0 : 1);
            },
            random, true);
        EXPECT_TRUE(under.empty() || under == *whole_) << "trial " << trial;
        std::filesystem::remove(folder_->file("big.cpp"));
    }
}

}  // namespace
}  // namespace meshwright
