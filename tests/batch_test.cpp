// Batch mode end to end: the built tool run as a script or a build system runs it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "test_support.h"

namespace meshwright {
namespace {

using testing::examplePath;
using testing::fileExists;
using testing::readFile;
using testing::runTool;
using testing::TempDir;
using testing::writeFile;

class Batch : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(examplePath("cube.ase"), dir_.file("cube.ase"));
        std::filesystem::copy_file(examplePath("ball.ase"), dir_.file("ball.ase"));
    }
    testing::ToolResult run(const std::vector<std::string>& arguments) {
        return runTool(arguments, "", dir_.path());
    }
    std::string dialogueOutput(int kind) {
        TempDir other;
        std::filesystem::copy_file(examplePath("cube.ase"), other.file("cube.ase"));
        EXPECT_EQ(runTool({}, "cube.ase " + std::to_string(kind) + "\n", other.path()).status, 0);
        return readFile(other.file("cube.cpp"));
    }
    TempDir dir_;
};

TEST_F(Batch, WritesTheSameBytesAsTheDialogueSilently) {
    for (int kind : {1, 2, 3}) {
        std::filesystem::remove(dir_.file("cube.cpp"));
        auto result = run({"-k", std::to_string(kind), "cube.ase"});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(readFile(dir_.file("cube.cpp")), dialogueOutput(kind)) << "kind " << kind;
    }
}

TEST_F(Batch, ConvertsSeveralFilesAndNamesEachOutputAfterItsInput) {
    auto result = run({"--kind", "indexed-vertex-array", "cube.ase", "ball.ase"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(fileExists(dir_.file("cube.cpp")));
    EXPECT_TRUE(fileExists(dir_.file("ball.cpp")));
}

TEST_F(Batch, OutputOptionWritesThereAndDashMeansStandardOutput) {
    auto toFile = run({"-k", "2", "-o", "drawn.inc", "cube.ase"});
    EXPECT_EQ(toFile.status, 0);
    EXPECT_FALSE(fileExists(dir_.file("cube.cpp")));
    auto toStdout = run({"-k", "2", "-o", "-", "cube.ase"});
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, readFile(dir_.file("drawn.inc")));
    EXPECT_EQ(toStdout.out, dialogueOutput(2));
}

TEST_F(Batch, ExistingOutputIsUntouchedWithoutForceAndReplacedWholeWithIt) {
    writeFile(dir_.file("cube.cpp"), "old");
    auto refused = run({"-k", "1", "cube.ase"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "meshwright: cube.ase: cube.cpp already exists (--force replaces it)\n");
    EXPECT_EQ(readFile(dir_.file("cube.cpp")), "old");
    auto forced = run({"-k", "1", "-f", "cube.ase"});
    EXPECT_EQ(forced.status, 0);
    EXPECT_EQ(readFile(dir_.file("cube.cpp")), dialogueOutput(1));
    // Nothing temporary is left beside it.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        ++files;
    }
    EXPECT_EQ(files, 3);
}

TEST_F(Batch, FailedConversionWithForceLeavesTheOldFileByteForByte) {
    writeFile(dir_.file("bad.ase"),
              "*MESH_NUMVERTEX 1 *MESH_NUMFACES 1 *MESH_FACE_LIST { "
              "*MESH_FACE 0: A: 0 B: 0 C: 9 *MESH_SMOOTHING 1 *MESH_MTLID 0");
    writeFile(dir_.file("bad.cpp"), "precious");
    auto result = run({"-k", "2", "--force", "bad.ase"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("meshwright: bad.ase: ", 0), 0u) << result.err;
    EXPECT_EQ(readFile(dir_.file("bad.cpp")), "precious");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        ++files;
    }
    EXPECT_EQ(files, 4);
}

TEST_F(Batch, OneFailingFileDoesNotStopTheOthers) {
    auto result = run({"-k", "3", "missing.ase", "cube.ase", "notes.txt", "ball.ase"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "meshwright: missing.ase: can't open: No such file or directory\n"
              "meshwright: notes.txt: the file name must end in .ase\n");
    EXPECT_TRUE(fileExists(dir_.file("cube.cpp")));
    EXPECT_TRUE(fileExists(dir_.file("ball.cpp")));
    EXPECT_FALSE(fileExists(dir_.file("missing.cpp")));
}

TEST_F(Batch, FileWithoutAnyMeshSectionFailsAndWritesNothing) {
    writeFile(dir_.file("empty.ase"), "");
    writeFile(dir_.file("notes.ase"), "*SCENE {\n  *SCENE_FILENAME \"x\"\n}\n*MESH_NUMVERTEXX 3\n");
    writeFile(dir_.file("noise.ase"),
              std::string("\x8f\x02\xff\x00 }{\r\n\x1a*MESH_NUMFACES 1", 20));
    for (const std::string name : {"empty.ase", "notes.ase", "noise.ase"}) {
        auto result = run({"-k", "2", "-o", "-", name});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "meshwright: " + name + ": no mesh in " + name + "\n");
        result = run({"-k", "1", name});
        EXPECT_EQ(result.status, 1);
        EXPECT_FALSE(fileExists(dir_.file(name.substr(0, name.size() - 4) + ".cpp")));
    }
    // The dialogue still writes the empty fragment it always wrote.
    EXPECT_EQ(runTool({}, "empty.ase 1\n", dir_.path()).out,
              testing::kDialogueQuestions + "Press any key to exit\n");
    EXPECT_TRUE(fileExists(dir_.file("empty.cpp")));
}

TEST_F(Batch, ControlCharactersInNamesAreEscapedInMessages) {
    writeFile(dir_.file("line\nfeed.ase"), "");
    auto result = run({"-k", "1", "line\nfeed.ase", "\x1b[2Jred\t.ase", "--x\x07"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.substr(0, result.err.find('\n') + 1),
              "meshwright: unknown option '--x\\x07'\n");
    result = run({"-k", "1", "line\nfeed.ase", "\x1b[2Jred\t.ase"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "meshwright: line\\nfeed.ase: no mesh in line\\nfeed.ase\n"
              "meshwright: \\x1b[2Jred\\t.ase: can't open: No such file or directory\n");
}

TEST_F(Batch, UsageErrorsExitWithTwoAndConvertNothing) {
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"cube.ase"},
                                               {"-k", "1", "--bogus", "cube.ase"},
                                               {"-k", "1", "-o", "x.cpp", "cube.ase", "ball.ase"},
                                               {"-k", "9", "cube.ase"}}) {
        auto result = run(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("Usage: meshwright -k KIND"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fileExists(dir_.file("cube.cpp")));
}

TEST_F(Batch, FourthKindIsOfferedOnTheCommandLineOnly) {
    auto result = run({"-k", "exact-indexed", "-o", "-", "cube.ase"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("\tglDrawElements( GL_TRIANGLES,36,GL_UNSIGNED_BYTE, Farray);"),
              std::string::npos);
    auto dialogue = runTool({}, "cube.ase 4\n", dir_.path());
    EXPECT_NE(dialogue.out.find("Error: Wrong Type (only 1,2 or 3 allowed)\n"), std::string::npos);
    EXPECT_FALSE(fileExists(dir_.file("cube.cpp")));
}

TEST_F(Batch, TheInputIsNeverTheOutputEvenWithForce) {
    const std::string model = readFile(dir_.file("cube.ase"));
    ASSERT_EQ(symlink("cube.ase", dir_.file("link.cpp").c_str()), 0);
    ASSERT_EQ(link(dir_.file("cube.ase").c_str(), dir_.file("hard.cpp").c_str()), 0);
    for (const std::string output : {"cube.ase", "./cube.ase", "link.cpp", "hard.cpp"}) {
        for (const auto& force : {std::vector<std::string>{}, std::vector<std::string>{"-f"}}) {
            std::vector<std::string> arguments{"-k", "1", "-o", output, "cube.ase"};
            arguments.insert(arguments.end(), force.begin(), force.end());
            auto result = run(arguments);
            EXPECT_EQ(result.status, 1) << output;
            EXPECT_EQ(result.err, "meshwright: cube.ase: " + output + " is the input itself\n");
        }
    }
    EXPECT_EQ(readFile(dir_.file("cube.ase")), model);
}

TEST_F(Batch, SecondInputWithTheSameOutputIsRefusedAndTheFirstKept) {
    std::filesystem::rename(dir_.file("cube.ase"), dir_.file("m.ase"));
    std::filesystem::rename(dir_.file("ball.ase"), dir_.file("m.ASE"));
    auto result = run({"-k", "2", "-f", "m.ase", "m.ASE"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "meshwright: m.ASE: m.cpp is also the output of m.ase\n");
    EXPECT_EQ(readFile(dir_.file("m.cpp")), dialogueOutput(2));
    std::filesystem::create_directory(dir_.file("sub"));
    std::filesystem::copy_file(dir_.file("m.ase"), dir_.file("sub/s.ase"));
    auto paths = run({"-k", "2", "-f", "sub/s.ase", "sub/../sub/s.ase"});
    EXPECT_EQ(paths.err,
              "meshwright: sub/../sub/s.ase: sub/../sub/s.cpp is also the output of "
              "sub/s.ase\n");
}

TEST_F(Batch, ForceKeepsTheReplacedFilesPermissions) {
    writeFile(dir_.file("cube.cpp"), "old");
    ASSERT_EQ(chmod(dir_.file("cube.cpp").c_str(), 0600), 0);
    ASSERT_EQ(run({"-k", "1", "-f", "cube.ase"}).status, 0);
    struct stat status {};
    ASSERT_EQ(stat(dir_.file("cube.cpp").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(readFile(dir_.file("cube.cpp")), dialogueOutput(1));
}

TEST_F(Batch, LongestOutputNameIsReplacedWithForce) {
    const std::string name = std::string(251, 'n') + ".cpp";
    writeFile(dir_.file(name), "old");
    auto result = run({"-k", "1", "-f", "-o", name, "cube.ase"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(dir_.file(name)), dialogueOutput(1));
}

TEST_F(Batch, DevicesAreWrittenInPlaceWithOrWithoutForce) {
    for (const std::string device : {"/dev/null", "/dev/stdout"}) {
        for (const auto& force : {std::vector<std::string>{}, std::vector<std::string>{"-f"}}) {
            std::vector<std::string> arguments{"-k", "2", "-o", device, "cube.ase"};
            arguments.insert(arguments.end(), force.begin(), force.end());
            auto result = run(arguments);
            EXPECT_EQ(result.status, 0) << device << ": " << result.err;
            EXPECT_EQ(result.out, device == "/dev/stdout" ? dialogueOutput(2) : "");
        }
    }
    struct stat status {};
    ASSERT_EQ(stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

TEST_F(Batch, FifoTargetIsWrittenInPlaceAndStaysAFifo) {
    const std::string fifo = dir_.file("pipe.cpp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readFile(fifo); });
    auto result = run({"-k", "2", "-f", "-o", "pipe.cpp", "cube.ase"});
    reader.join();
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(received, dialogueOutput(2));
    struct stat status {};
    ASSERT_EQ(lstat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST_F(Batch, FolderAsOutputIsAnError) {
    std::filesystem::create_directory(dir_.file("sub"));
    auto forced = run({"-k", "1", "-f", "-o", "sub", "cube.ase"});
    EXPECT_EQ(forced.status, 1);
    EXPECT_EQ(forced.err, "meshwright: cube.ase: can't create sub: Is a directory\n");
    EXPECT_EQ(run({"-k", "1", "-o", "sub", "cube.ase"}).status, 1);
    EXPECT_TRUE(std::filesystem::is_empty(dir_.file("sub")));
}

// The old file's folder is not the working folder: what is written aside to replace it must be
// there, or the rename fails or leaves it behind.
TEST_F(Batch, FolderAsTheTargetInAnotherFolderLeavesNoTemporaryWithForce) {
    std::filesystem::create_directories(dir_.file("out/cube.cpp"));
    auto forced = run({"-k", "1", "-f", "-o", "out/cube.cpp", "cube.ase"});
    EXPECT_EQ(forced.status, 1);
    EXPECT_EQ(forced.err, "meshwright: cube.ase: can't create out/cube.cpp: Is a directory\n");
    EXPECT_EQ(testing::namesIn(dir_.file("out")), std::vector<std::string>{"cube.cpp"});
    EXPECT_TRUE(std::filesystem::is_empty(dir_.file("out/cube.cpp")));
    EXPECT_EQ(testing::namesIn(dir_.path()),
              (std::vector<std::string>{"ball.ase", "cube.ase", "out"}));
}

TEST_F(Batch, ForceReplacesInAnotherFolderAndOnAnotherFileSystem) {
    std::vector<std::string> folders{dir_.file("out")};
    std::filesystem::create_directory(folders[0]);
    char otherSystem[] = "/dev/shm/meshwright-test-XXXXXX";
    struct stat here {
    }, there{};
    const bool haveOther = std::filesystem::is_directory("/dev/shm") && mkdtemp(otherSystem) &&
                           stat(dir_.path().c_str(), &here) == 0 &&
                           stat(otherSystem, &there) == 0 && here.st_dev != there.st_dev;
    if (haveOther) {
        folders.push_back(otherSystem);
    }
    for (const std::string& folder : folders) {
        writeFile(folder + "/cube.cpp", "the old code");
        auto result = run({"-k", "2", "-f", "-o", folder + "/cube.cpp", "cube.ase"});
        EXPECT_EQ(result.status, 0) << folder << ": " << result.err;
        EXPECT_EQ(readFile(folder + "/cube.cpp"), dialogueOutput(2)) << folder;
        EXPECT_EQ(testing::namesIn(folder), std::vector<std::string>{"cube.cpp"}) << folder;
    }
    EXPECT_EQ(testing::namesIn(dir_.path()),
              (std::vector<std::string>{"ball.ase", "cube.ase", "out"}));
    if (haveOther) {
        std::filesystem::remove_all(otherSystem);
    } else {
        GTEST_SKIP() << "no second file system at /dev/shm";
    }
}

// A file that opens but fails when read: /proc/self/mem has nothing at offset 0.
TEST_F(Batch, UnreadableInputSaysWhyAndLeavesNothing) {
    ASSERT_EQ(symlink("/proc/self/mem", dir_.file("memory.ase").c_str()), 0);
    auto result = run({"-k", "1", "memory.ase"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "meshwright: memory.ase: can't read: Input/output error\n");
    EXPECT_FALSE(fileExists(dir_.file("memory.cpp")));
}

TEST_F(Batch, FolderAsInputSaysWhyAndCreatesNothing) {
    std::filesystem::create_directory(dir_.file("models.ase"));
    writeFile(dir_.file("taken.cpp"), "mine");
    std::filesystem::create_directory(dir_.file("taken.ase"));
    auto result = run({"-k", "1", "models.ase", "taken.ase"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "meshwright: models.ase: can't open: Is a directory\n"
              "meshwright: taken.ase: can't open: Is a directory\n");
    EXPECT_FALSE(fileExists(dir_.file("models.cpp")));
    EXPECT_EQ(readFile(dir_.file("taken.cpp")), "mine");
}

TEST_F(Batch, ClosedPipeEndsBatchModeAsAFilterButNotTheDialogue) {
    auto batch =
        testing::runToolIntoClosedPipe({"-k", "2", "-o", "-", "cube.ase"}, "", dir_.path());
    EXPECT_EQ(batch.status, 128 + SIGPIPE);
    auto dialogue = testing::runToolIntoClosedPipe({}, "cube.ase 2\n", dir_.path());
    EXPECT_EQ(dialogue.status, 0);
    EXPECT_EQ(readFile(dir_.file("cube.cpp")), dialogueOutput(2));
}

// The header kind writes FILE.h, names its contents after the file unless told otherwise, and,
// like kind 4, is not one of the dialogue's kinds.
TEST_F(Batch, HeaderKindWritesADotHBesideTheInput) {
    std::filesystem::copy_file(examplePath("cube.ase"), dir_.file("3 Cubes.ase"));
    auto result = run({"-k", "buffers", "3 Cubes.ase"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string header = readFile(dir_.file("3 Cubes.h"));
    EXPECT_EQ(header.rfind("// \"3 Cubes.ase\" as OpenGL vertex and index buffers", 0), 0u);
    EXPECT_NE(header.find("#ifndef _3_Cubes_BUFFERS_H\r\n"), std::string::npos);
    EXPECT_NE(header.find("static const float _3_Cubes_vertices[192] = {"), std::string::npos);
    EXPECT_FALSE(fileExists(dir_.file("3 Cubes.cpp")));

    auto named = run({"-k", "5", "--name", "box", "--normals", "none", "-o", "-", "cube.ase"});
    EXPECT_EQ(named.status, 0);
    EXPECT_NE(named.out.find("#define box_HAS_NORMALS 0\r\n"), std::string::npos);
    EXPECT_NE(named.out.find("static const float box_vertices[100] = {"), std::string::npos);

    auto dialogue = runTool({}, "cube.ase 5\n", dir_.path());
    EXPECT_NE(dialogue.out.find("Error: Wrong Type (only 1,2 or 3 allowed)\n"), std::string::npos);
    EXPECT_FALSE(fileExists(dir_.file("cube.h")));
    EXPECT_FALSE(fileExists(dir_.file("cube.cpp")));
}

TEST_F(Batch, HeaderKindWithSceneHasARecordPerObject) {
    std::filesystem::copy_file(testing::dataPath("ThreeCubesGreen.ASE"), dir_.file("cubes.ase"));
    auto result = run({"-k", "buffers", "--scene", "--name", "cubes", "-o", "-", "cubes.ase"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("static const cubes_part cubes_parts[3] = {\r\n"
                              "\t{\"Quader01\", 0, 0, 36, 1,"),
              std::string::npos);
    auto whole = run({"-k", "buffers", "--name", "cubes", "-o", "-", "cubes.ase"});
    EXPECT_NE(whole.out.find("cubes_parts[1] = {\r\n\t{\"cubes\", 0, 0, 36, 0,"), std::string::npos)
        << "without --scene the file is one mesh, as the dialogue reads it";
}

// A number past the float range reads as an infinity, which no literal can hold: the file is
// refused with the place of the number, and no header is left behind.
TEST_F(Batch, HeaderKindRefusesAnInfiniteNumberAndLeavesNoFile) {
    std::string text = readFile(dir_.file("cube.ase"));
    const std::string vertex = "*MESH_VERTEX    3\t10.0000";
    const size_t at = text.find(vertex);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, vertex.size(), "*MESH_VERTEX    3\t1e39");
    writeFile(dir_.file("huge.ase"), text);
    auto result = run({"-k", "buffers", "huge.ase"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "meshwright: huge.ase: a coordinate of vertex 3 is beyond the float range "
              "(infinite), which a header can't write\n");
    EXPECT_FALSE(fileExists(dir_.file("huge.h")));
}

TEST_F(Batch, HelpAndVersionGoToStandardOutput) {
    auto help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("-k, --kind KIND"), std::string::npos);
    auto version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "meshwright " MESHWRIGHT_PROJECT_VERSION "\n");
}

}  // namespace
}  // namespace meshwright
