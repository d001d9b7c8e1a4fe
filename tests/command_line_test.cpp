// Reading the batch command line.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "test_support.h"

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

// The man page as a reader sees its words: roff's escaped hyphens and font changes taken out, and
// every line break a blank, so "-k" and ".B 4 / or / .B exact\-indexed" read as in the help.
std::string manPageWords() {
    std::string page = testing::readFile(testing::examplePath("../docs/meshwright.1"));
    page = std::regex_replace(page, std::regex(R"(\\f[BIRP])"), "");
    page = std::regex_replace(page, std::regex(R"(\\-)"), "-");
    page = std::regex_replace(page, std::regex(R"((^|\n)\.[A-Z]+ ?)"), "$1");
    page = std::regex_replace(page, std::regex(R"([\n"])"), " ");
    return std::regex_replace(page, std::regex(" +"), " ");
}

std::set<std::string> matches(const std::string& text, const std::regex& pattern, int group) {
    std::set<std::string> found;
    for (std::sregex_iterator m(text.begin(), text.end(), pattern), end; m != end; ++m) {
        found.insert((*m)[group]);
    }
    return found;
}

TEST(CommandLine, ManPageDocumentsEveryOptionAndKindOfTheHelp) {
    const std::string page = manPageWords();
    const std::string help = kHelpText;
    const std::regex option(R"((^|[ ,\[])(--?[a-z][a-z-]*))");
    const std::set<std::string> helpOptions = matches(help, option, 2);
    EXPECT_EQ(helpOptions.size(), 9u);  // five options, four of them with both names
    EXPECT_EQ(matches(page, option, 2), helpOptions);
    const std::regex kind(R"((\d), ([a-z-]+))");
    const std::set<std::string> kinds = matches(help, kind, 0);
    EXPECT_EQ(kinds.size(), 4u);
    for (std::string k : kinds) {
        k.replace(k.find(','), 1, " or");  // "4, exact-indexed" is "4 or exact-indexed" there
        EXPECT_NE(page.find(k), std::string::npos) << k;
    }
}

}  // namespace
}  // namespace meshwright
