// The built tool run as a user runs it: answers piped in, screen and files checked byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "bench/torus_model.h"
#include "test_support.h"

namespace meshwright {
namespace {

using testing::dataPath;
using testing::examplePath;
using testing::fileExists;
using testing::readFile;
using testing::runTool;
using testing::TempDir;

const std::string& kScreen = testing::kDialogueQuestions;
const std::string kPrompt = "Press any key to exit\n";

void copyInto(const TempDir& dir, const std::string& from, const std::string& name) {
    std::filesystem::copy_file(from, dir.file(name));
}

TEST(Tool, SuccessShowsOnlyTheDialogueAndWritesTheFile) {
    TempDir dir;
    copyInto(dir, examplePath("cube.ase"), "cube.ase");
    auto result = runTool({}, "cube.ase 1\n", dir.path());
    EXPECT_EQ(result.out, kScreen + kPrompt);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(readFile(dir.file("cube.cpp")), readFile(dataPath("expected/cube.1.expected")));
}

TEST(Tool, EachFailureShowsItsLinesBeforeTheKeyPromptAndExitsWithZero) {
    TempDir dir;
    copyInto(dir, examplePath("cube.ase"), "cube.ase");
    testing::writeFile(dir.file("taken.cpp"), "keep");
    copyInto(dir, examplePath("cube.ase"), "taken.ase");
    const std::pair<std::string, std::string> cases[] = {
        {"cube.ase\n7\n", "Error: Wrong Type (only 1,2 or 3 allowed)\n"},
        {"my file.ase\n1\n",
         "Error: Wrong Type (only 1,2 or 3 allowed)\nError: The file MUST have the ASE "
         "extension\n"},
        {"cube.as 1\n", "Error: The file MUST have the ASE extension\n"},
        {"absent.ase 1\n", "Error: couldn't open absent.ase\n"},
        {"taken.ase 2\n",
         "Error: file taken.cpp already exists\nNo Changes will be done to taken.cpp\n"},
        {"",
         "Error: Wrong Type (only 1,2 or 3 allowed)\nError: The file MUST have the ASE "
         "extension\n"},
        {"cube.ase", "Error: Wrong Type (only 1,2 or 3 allowed)\n"},
    };
    for (const auto& [typed, errors] : cases) {
        auto result = runTool({}, typed, dir.path());
        EXPECT_EQ(result.out, kScreen + errors + kPrompt) << typed;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.status, 0);
    }
    EXPECT_FALSE(fileExists(dir.file("cube.cpp")));
    EXPECT_EQ(readFile(dir.file("taken.cpp")), "keep");
}

TEST(Tool, RejectedInputLeavesNoFile) {
    TempDir dir;
    copyInto(dir, dataPath("InvalidUVIndex.ase"), "bad.ase");
    auto result = runTool({}, "bad.ase 1\n", dir.path());
    EXPECT_NE(result.out.find("\nError: bad.ase: "), std::string::npos) << result.out;
    EXPECT_EQ(result.out.substr(result.out.size() - kPrompt.size()), kPrompt);
    EXPECT_FALSE(fileExists(dir.file("bad.cpp")));
}

TEST(Tool, FullDiskIsAWriteErrorAndLeavesNoPartialFile) {
    TempDir dir;
    copyInto(dir, examplePath("ball.ase"), "ball.ase");
    auto result = runTool({}, "ball.ase 2\n", dir.path(), 4096);
    EXPECT_EQ(result.out, kScreen + "Error: couldn't write ball.cpp: File too large\n" + kPrompt);
    EXPECT_EQ(result.status, 0);
    EXPECT_FALSE(fileExists(dir.file("ball.cpp")));
}

TEST(Tool, NameEndsAtItsFirstNul) {
    TempDir dir;
    copyInto(dir, examplePath("cube.ase"), "cube.ase");
    auto result = runTool({}, std::string("cube.ase\0junk 1\n", 16), dir.path());
    EXPECT_EQ(result.out, kScreen + kPrompt);
    EXPECT_EQ(readFile(dir.file("cube.cpp")), readFile(dataPath("expected/cube.1.expected")));
}

// Sanitizers reserve far more address space than any limit a test could set.
#ifdef MESHWRIGHT_SANITIZED
constexpr long long kMemoryLimit = -1;
#else
constexpr long long kMemoryLimit = 24 << 20;
#endif

// No path is that long: the name is refused as one that can't be opened, and is never held whole.
TEST(Tool, NameLongerThanAnyPathIsRefusedInBoundedMemory) {
    TempDir dir;
    const std::string name = std::string(8 << 20, 'n') + ".ase";
    auto result = runTool({}, name + " 1\n", dir.path(), -1, kMemoryLimit);
    const std::string shown = std::string(4095, 'n') + "....ase";
    EXPECT_EQ(result.out, kScreen + "Error: couldn't open " + shown + "\n" + kPrompt);
    EXPECT_EQ(result.status, 0);
}

TEST(Tool, MemoryShortageIsReportedAndLeavesNoFile) {
    if (kMemoryLimit < 0) {
        GTEST_SKIP() << "no memory limit under the sanitizers";
    }
    TempDir dir;
    std::FILE* out = std::fopen(dir.file("torus.ase").c_str(), "w");
    writeTorusModel(out, 200000);
    std::fclose(out);
    auto result = runTool({}, "torus.ase 3\n", dir.path(), -1, kMemoryLimit);
    EXPECT_EQ(result.out, kScreen + "Error: not enough memory to convert torus.ase\n" + kPrompt);
    EXPECT_EQ(result.status, 0);
    EXPECT_FALSE(fileExists(dir.file("torus.cpp")));
}

// Every model in examples/ and tests/data/ in every kind, against output checked once by hand.
class FrozenOutput : public ::testing::TestWithParam<std::tuple<std::string, int>> {};

TEST_P(FrozenOutput, MatchesTheExpectedFile) {
    const auto& [model, kind] = GetParam();
    const std::filesystem::path source =
        std::filesystem::exists(examplePath(model)) ? examplePath(model) : dataPath(model);
    TempDir dir;
    copyInto(dir, source, "model.ase");
    auto result = runTool({}, "model.ase " + std::to_string(kind) + "\n", dir.path());
    ASSERT_EQ(result.out, kScreen + kPrompt);
    // A UTF-16 file must convert exactly like its single-byte twin, so both share one expectation.
    std::string stem = std::filesystem::path(model).stem().string();
    stem = stem.substr(0, stem.find("_UTF16LE"));
    EXPECT_EQ(readFile(dir.file("model.cpp")),
              readFile(dataPath("expected/" + stem + "." + std::to_string(kind) + ".expected")));
}

INSTANTIATE_TEST_SUITE_P(
    Models, FrozenOutput,
    ::testing::Combine(::testing::Values("cube.ase", "ball.ase", "RotatingCube.ASE",
                                         "ThreeCubesGreen.ASE", "ThreeCubesGreen_UTF16LE.ASE",
                                         "UVTransform_Normal.ASE"),
                       ::testing::Values(1, 2, 3)),
    [](const auto& info) {
        std::string name = std::get<0>(info.param);
        name = name.substr(0, name.find('.'));
        return name + "Kind" + std::to_string(std::get<1>(info.param));
    });

}  // namespace
}  // namespace meshwright
