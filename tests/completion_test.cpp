// The bash completion of meshwright, driven through bash as the shell calls it on a Tab.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace meshwright {
namespace {

using testing::runProgram;
using testing::TempDir;
using testing::ToolResult;
using testing::writeFile;

using Words = std::vector<std::string>;

// The completions bash offers for the last of `words` (as bash splits the line: "--kind=di" is
// "--kind", "=", "di"), in folder `dir`, sorted.
Words complete(const Words& words, const std::string& dir = ".") {
    // compopt only works inside a real completion; its options don't change what is offered.
    const std::string script =
        "compopt() { :; }\n"
        "source '" MESHWRIGHT_SOURCE_DIR
        "/completion/meshwright.bash'\n"
        "COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1))\n"
        "_meshwright\n"
        "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
    Words arguments = {"--norc", "-c", script, "bash"};
    arguments.insert(arguments.end(), words.begin(), words.end());
    ToolResult result = runProgram("bash", arguments, "", dir);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    Words offered;
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty()) {
            offered.push_back(line);
        }
    }
    std::sort(offered.begin(), offered.end());
    return offered;
}

TEST(Completion, OffersTheKindsAfterTheKindOption) {
    const Words kinds = {"1",
                         "2",
                         "3",
                         "4",
                         "5",
                         "buffers",
                         "display-list",
                         "exact-indexed",
                         "indexed-vertex-array",
                         "vertex-array"};
    EXPECT_EQ(complete({"meshwright", "-k", ""}), kinds);
    EXPECT_EQ(complete({"meshwright", "a.ase", "--kind", ""}), kinds);
    EXPECT_EQ(complete({"meshwright", "--kind", "=", ""}), kinds);
    EXPECT_EQ(complete({"meshwright", "--kind", "=", "di"}), Words{"display-list"});
    EXPECT_EQ(complete({"meshwright", "-k", "ex"}), Words{"exact-indexed"});
}

TEST(Completion, OffersTheOptionsForADash) {
    EXPECT_EQ(complete({"meshwright", "-"}),
              (Words{"--force", "--help", "--kind", "--name", "--normals", "--output", "--scene",
                     "--threads", "--version", "-f", "-h", "-j", "-k", "-o"}));
    EXPECT_EQ(complete({"meshwright", "-k", "5", "--normals", "s"}), Words{"smoothing"});
    EXPECT_EQ(complete({"meshwright", "-k", "2", "--f"}), Words{"--force"});
}

TEST(Completion, OffersModelsAndFoldersButNoOtherFiles) {
    TempDir dir;
    for (const char* name : {"cube.ase", "BALL.ASE", "notes.txt", "cube.ase.txt", "cube.cpp"}) {
        writeFile(dir.file(name), "");
    }
    std::filesystem::create_directory(dir.file("models"));
    EXPECT_EQ(complete({"meshwright", "-k", "1", ""}, dir.path()),
              (Words{"BALL.ASE", "cube.ase", "models"}));
    EXPECT_EQ(complete({"meshwright", "c"}, dir.path()), Words{"cube.ase"});
}

TEST(Completion, OffersAnyFileAfterTheOutputOptionAndDashFilesAfterTheSeparator) {
    TempDir dir;
    for (const char* name : {"cube.ase", "cube.cpp", "-odd.ase"}) {
        writeFile(dir.file(name), "");
    }
    EXPECT_EQ(complete({"meshwright", "-o", "cube"}, dir.path()), (Words{"cube.ase", "cube.cpp"}));
    EXPECT_EQ(complete({"meshwright", "--", "-"}, dir.path()), Words{"-odd.ase"});
}

}  // namespace
}  // namespace meshwright
