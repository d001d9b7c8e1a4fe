// Reading the batch command line.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace meshwright {
namespace {

TEST(CommandLine, KindsAreNumbersOrNames) {
    for (auto [name, kind] : {std::pair{"1", 1},
                              {"2", 2},
                              {"3", 3},
                              {"display-list", 1},
                              {"vertex-array", 2},
                              {"indexed-vertex-array", 3},
                              {"0", 0},
                              {"4", 4},
                              {"exact-indexed", 4},
                              {"5", 0},
                              {"Display-List", 0},
                              {"01", 0},
                              {"", 0}}) {
        EXPECT_EQ(kindFromName(name), kind) << name;
    }
}

TEST(CommandLine, OptionsTakeTheirValueJoinedOrSeparate) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"-k", "2", "-o", "out.cpp", "-f", "a.ase"},
             {"-k2", "-oout.cpp", "--force", "a.ase"},
             {"--kind=vertex-array", "--output=out.cpp", "a.ase", "-f"},
             {"--kind", "2", "--output", "out.cpp", "-f", "--", "a.ase"}}) {
        CommandLine command = parseCommandLine(arguments);
        ASSERT_EQ(command.action, CommandAction::kConvert) << command.problem;
        EXPECT_EQ(command.request.kind, 2);
        EXPECT_TRUE(command.request.outputGiven);
        EXPECT_EQ(command.request.outputPath, "out.cpp");
        EXPECT_TRUE(command.request.force);
        EXPECT_EQ(command.request.inputs, std::vector<std::string>{"a.ase"});
    }
}

TEST(CommandLine, DoubleDashLetsAnInputStartWithADash) {
    CommandLine command = parseCommandLine({"-k", "1", "--", "-odd.ase", "b.ase"});
    ASSERT_EQ(command.action, CommandAction::kConvert);
    EXPECT_EQ(command.request.inputs, (std::vector<std::string>{"-odd.ase", "b.ase"}));
    EXPECT_FALSE(command.request.outputGiven);
}

TEST(CommandLine, UsageErrorsSayWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"a.ase"}, "the kind is missing (-k KIND)"},
        {{"-k", "1"}, "no input file"},
        {{"-k", "5", "a.ase"}, "unknown kind '5'"},
        {{"-k"}, "option '-k' needs a value"},
        {{"-k", "1", "-x", "a.ase"}, "unknown option '-x'"},
        {{"-k", "1", "--frobnicate", "a.ase"}, "unknown option '--frobnicate'"},
        {{"-k", "1", "-o", "out.cpp", "a.ase", "b.ase"}, "-o takes one input only"},
        {{"-k", "1", "--output=", "a.ase"}, "empty output path"},
    };
    for (const auto& [arguments, problem] : cases) {
        CommandLine command = parseCommandLine(arguments);
        EXPECT_EQ(command.action, CommandAction::kUsageError);
        EXPECT_EQ(command.problem, problem);
    }
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(parseCommandLine({"-x", "--help"}).action, CommandAction::kUsageError);
    EXPECT_EQ(parseCommandLine({"a.ase", "-h"}).action, CommandAction::kHelp);
    EXPECT_EQ(parseCommandLine({"--version", "-k"}).action, CommandAction::kVersion);
}

}  // namespace
}  // namespace meshwright
