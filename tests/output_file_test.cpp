// The output file on its own: nothing under the name before it is complete, nothing of anyone
// else's removed or replaced, devices written in place, both ways of staging the file.
#include "app/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "codegen/output.h"
#include "test_support.h"

namespace meshwright {
namespace {

using testing::fileExists;
using testing::namesIn;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;
using Mode = OutputFile::Mode;

void put(const OutputFile& file, const std::string& text) {
    ASSERT_EQ(write(file.descriptor(), text.data(), text.size()), ssize_t(text.size()));
}

// Every test runs with the file system's unnamed files and with the named temporary that
// stands in for them where a file system has none.
class OutputFileTest : public ::testing::TestWithParam<bool> {
  protected:
    OutputFile::Request request(const std::string& name, Mode mode = Mode::kCreateNew) {
        OutputFile::Request r;
        r.path = dir_.file(name);
        r.mode = mode;
        r.namedTemporary = GetParam();
        return r;
    }
    TempDir dir_;
};

TEST_P(OutputFileTest, NothingStandsUnderTheNameUntilTheFileIsComplete) {
    for (Mode mode : {Mode::kCreateNew, Mode::kReplace}) {
        OutputFile file;
        file.open(request("out.cpp", mode));
        put(file, "all of it");
        EXPECT_FALSE(fileExists(dir_.file("out.cpp")));
        file.commit();
        EXPECT_EQ(readFile(dir_.file("out.cpp")), "all of it");
        EXPECT_EQ(namesIn(dir_.path()), std::vector<std::string>{"out.cpp"});
        if (mode == Mode::kCreateNew) {
            std::filesystem::remove(dir_.file("out.cpp"));
        }
    }
}

// A file system may report a failed write only when the file is closed.
int closeFailingWithIoError(int descriptor) {
    close(descriptor);
    errno = EIO;
    return -1;
}

TEST_P(OutputFileTest, FailingCloseIsAWriteErrorThatLeavesNothing) {
    OutputFile file;
    OutputFile::Request failing = request("out.cpp");
    failing.closeWritten = closeFailingWithIoError;
    file.open(failing);
    put(file, "all of it");
    try {
        file.commit();
        ADD_FAILURE() << "a failed close was taken for success";
    } catch (const WriteError& error) {
        EXPECT_STREQ(error.what(), "Input/output error");
    }
    EXPECT_EQ(namesIn(dir_.path()), std::vector<std::string>{});
}

TEST_P(OutputFileTest, DiscardedFileLeavesNothing) {
    OutputFile file;
    file.open(request("out.cpp"));
    put(file, "half of i");
    file.discard();
    EXPECT_EQ(namesIn(dir_.path()), std::vector<std::string>{});
}

TEST_P(OutputFileTest, NameTakenMeanwhileIsReportedAndTheOtherFileKept) {
    OutputFile file;
    file.open(request("out.cpp"));
    put(file, "mine");
    writeFile(dir_.file("out.cpp"), "another job's");
    EXPECT_THROW(file.commit(), NameTakenError);
    EXPECT_EQ(readFile(dir_.file("out.cpp")), "another job's");
    EXPECT_EQ(namesIn(dir_.path()), std::vector<std::string>{"out.cpp"});
}

TEST_P(OutputFileTest, ReplacementKeepsThePermissionBitsOfTheFileItReplaces) {
    for (mode_t bits : {0600, 0751, 0644}) {
        writeFile(dir_.file("out.cpp"), "old");
        ASSERT_EQ(chmod(dir_.file("out.cpp").c_str(), bits), 0);
        OutputFile file;
        file.open(request("out.cpp", Mode::kReplace));
        put(file, "new");
        file.commit();
        struct stat status {};
        ASSERT_EQ(stat(dir_.file("out.cpp").c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, bits);
        EXPECT_EQ(readFile(dir_.file("out.cpp")), "new");
    }
}

TEST_P(OutputFileTest, LongestNameReplacesAFile) {
    const std::string name(251, 'n');  // with ".cpp": the 255 bytes a name may have
    writeFile(dir_.file(name + ".cpp"), "old");
    OutputFile file;
    file.open(request(name + ".cpp", Mode::kReplace));
    put(file, "new");
    file.commit();
    EXPECT_EQ(readFile(dir_.file(name + ".cpp")), "new");
    EXPECT_EQ(namesIn(dir_.path()), std::vector<std::string>{name + ".cpp"});
}

TEST_P(OutputFileTest, MovedOrRemovedFolderIsAFailureThatLeavesNoFile) {
    for (Mode mode : {Mode::kCreateNew, Mode::kReplace}) {
        std::filesystem::create_directory(dir_.file("sub"));
        OutputFile file;
        file.open(request("sub/out.cpp", mode));
        put(file, "code");
        std::filesystem::rename(dir_.file("sub"), dir_.file("moved"));
        EXPECT_THROW(file.commit(), WriteError);
        EXPECT_EQ(namesIn(dir_.file("moved")), std::vector<std::string>{});
        std::filesystem::remove(dir_.file("moved"));
    }
    if (!GetParam()) {  // a named temporary keeps its folder from being removed
        std::filesystem::create_directory(dir_.file("sub"));
        OutputFile file;
        file.open(request("sub/out.cpp"));
        std::filesystem::remove(dir_.file("sub"));
        EXPECT_THROW(file.commit(), WriteError);
        EXPECT_FALSE(fileExists(dir_.file("sub")));
    }
}

TEST_P(OutputFileTest, FolderAsTheTargetIsAnError) {
    std::filesystem::create_directory(dir_.file("sub"));
    for (const std::string name : {"sub", "sub/", "none/"}) {
        OutputFile file;
        try {
            file.open(request(name, Mode::kReplace));
            ADD_FAILURE() << name << " was opened";
        } catch (const CreateError& error) {
            EXPECT_STREQ(error.what(), "Is a directory") << name;
        }
    }
    OutputFile file;
    EXPECT_THROW(file.open(request("sub", Mode::kCreateNew)), NameTakenError);
    EXPECT_EQ(namesIn(dir_.file("sub")), std::vector<std::string>{});
}

TEST_P(OutputFileTest, TheInputIsNeverTheOutputThroughAnyPath) {
    writeFile(dir_.file("model.ase"), "the model");
    ASSERT_EQ(symlink("model.ase", dir_.file("soft.cpp").c_str()), 0);
    ASSERT_EQ(link(dir_.file("model.ase").c_str(), dir_.file("hard.cpp").c_str()), 0);
    struct stat input {};
    ASSERT_EQ(stat(dir_.file("model.ase").c_str(), &input), 0);
    for (const std::string name : {"model.ase", "soft.cpp", "hard.cpp", "./model.ase"}) {
        for (Mode mode : {Mode::kCreateNew, Mode::kReplace}) {
            auto r = request(name, mode);
            r.input = identityOf(input);
            OutputFile file;
            EXPECT_THROW(file.open(r), OutputIsInputError) << name;
        }
    }
    EXPECT_EQ(readFile(dir_.file("model.ase")), "the model");
}

TEST_P(OutputFileTest, FifoIsWrittenInPlaceAndStaysAFifo) {
    const std::string fifo = dir_.file("pipe.cpp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(OutputFile().open(request("pipe.cpp")), NameTakenError);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    for (Mode mode : {Mode::kCreateNew, Mode::kReplace}) {
        auto r = request("pipe.cpp", mode);
        r.writeDevicesInPlace = true;
        OutputFile file;
        file.open(r);
        put(file, "code");
        file.commit();
        char got[8] = {};
        EXPECT_EQ(read(reader, got, sizeof got), 4);
        EXPECT_EQ(std::string(got), "code");
    }
    close(reader);
    struct stat status {};
    ASSERT_EQ(lstat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(namesIn(dir_.path()), std::vector<std::string>{"pipe.cpp"});
}

TEST_P(OutputFileTest, FailedJobOnADeviceLeavesTheDevice) {
    OutputFile::Request r;
    r.path = "/dev/null";
    r.mode = Mode::kReplace;
    r.writeDevicesInPlace = true;
    r.namedTemporary = GetParam();
    OutputFile file;
    file.open(r);
    file.discard();
    struct stat status {};
    ASSERT_EQ(lstat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

INSTANTIATE_TEST_SUITE_P(Staging, OutputFileTest, ::testing::Bool(), [](const auto& info) {
    return info.param ? "NamedTemporary" : "UnnamedFile";
});

// A cleanup removes a name only while it leads to the file the job wrote.
TEST(OutputFileCleanup, AnotherFileUnderTheTemporaryNameIsNotRemoved) {
    TempDir dir;
    OutputFile::Request r;
    r.path = dir.file("out.cpp");
    r.namedTemporary = true;
    OutputFile file;
    file.open(r);
    const std::vector<std::string> names = namesIn(dir.path());
    ASSERT_EQ(names.size(), 1u);
    const std::string temporary = dir.file(names[0]);
    EXPECT_LE(names[0].size(), 16u) << "must fit beside any output name";
    writeFile(dir.file("other"), "someone else's");
    std::filesystem::rename(dir.file("other"), temporary);
    file.discard();
    EXPECT_EQ(readFile(temporary), "someone else's");
}

}  // namespace
}  // namespace meshwright
