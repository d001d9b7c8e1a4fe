// Reading the batch command line.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "app/thread_count.h"
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
                              {"5", 5},
                              {"buffers", 5},
                              {"6", 0},
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
        EXPECT_TRUE(command.request.replace);
        EXPECT_EQ(command.request.inputs, std::vector<std::string>{"a.ase"});
    }
}

TEST(CommandLine, ThreadsComeFromTheOptionThenTheEnvironmentThenTwo) {
    EXPECT_EQ(parseCommandLine({"-k", "1", "-j", "1", "a.ase"}).request.threads, 1u);
    EXPECT_EQ(parseCommandLine({"-k", "1", "-j64", "a.ase"}).request.threads, 64u);
    EXPECT_EQ(parseCommandLine({"-k", "1", "--threads=2", "a.ase"}).request.threads, 2u);
    EXPECT_EQ(parseCommandLine({"-k", "1", "a.ase"}).request.threads, 0u);
    const char* const saved = std::getenv("MESHWRIGHT_THREADS");
    const std::string kept = saved != nullptr ? saved : "";
    unsetenv("MESHWRIGHT_THREADS");
    EXPECT_EQ(threadsToUse(0), 2u);
    setenv("MESHWRIGHT_THREADS", "1", 1);
    EXPECT_EQ(threadsToUse(0), 1u);
    EXPECT_EQ(threadsToUse(3), 3u);  // the option wins
    for (const char* unusable : {"", "0", "65", "-1", "2x", "007"}) {
        setenv("MESHWRIGHT_THREADS", unusable, 1);
        EXPECT_EQ(threadsToUse(0), 2u) << unusable;
    }
    if (saved != nullptr) {
        setenv("MESHWRIGHT_THREADS", kept.c_str(), 1);
    } else {
        unsetenv("MESHWRIGHT_THREADS");
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
        {{"-k", "6", "a.ase"}, "unknown kind '6'"},
        {{"-k", "5", "--name", "3d", "a.ase"}, "--name needs a C identifier, not '3d'"},
        {{"-k", "5", "--name=a-b", "a.ase"}, "--name needs a C identifier, not 'a-b'"},
        {{"-k", "5", "--normals", "flat", "a.ase"},
         "unknown normals source 'flat' (file, smoothing, none)"},
        {{"-k", "4", "--name", "m", "a.ase"}, "--name and --normals go with -k buffers only"},
        {{"-k", "1", "--normals=none", "a.ase"}, "--name and --normals go with -k buffers only"},
        {{"-k", "1", "-j", "0", "a.ase"}, "-j needs a number of threads from 1 to 64, not '0'"},
        {{"-k", "1", "--threads=65", "a.ase"},
         "-j needs a number of threads from 1 to 64, not '65'"},
        {{"-k", "1", "-jtwo", "a.ase"}, "-j needs a number of threads from 1 to 64, not 'two'"},
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

TEST(CommandLine, HeaderOptionsNameThePrefixAndTheNormals) {
    CommandLine command =
        parseCommandLine({"-k", "buffers", "--name", "_3_Cubes", "--normals=smoothing", "a.ase"});
    ASSERT_EQ(command.action, CommandAction::kConvert) << command.problem;
    EXPECT_EQ(command.request.headerPrefix, "_3_Cubes");
    EXPECT_EQ(command.request.normals, NormalsSource::kSmoothing);
    EXPECT_EQ(parseCommandLine({"-k5", "a.ase"}).request.normals,
              NormalsSource::kFileElseSmoothing);
    EXPECT_EQ(parseCommandLine({"-k5", "--normals", "file", "a.ase"}).request.normals,
              NormalsSource::kFile);
    EXPECT_EQ(parseCommandLine({"-k5", "--normals", "none", "a.ase"}).request.normals,
              NormalsSource::kNone);
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(parseCommandLine({"-x", "--help"}).action, CommandAction::kUsageError);
    EXPECT_EQ(parseCommandLine({"a.ase", "-h"}).action, CommandAction::kHelp);
    EXPECT_EQ(parseCommandLine({"--version", "-k"}).action, CommandAction::kVersion);
}

// The man page as a reader sees its words: roff's escaped hyphens, font changes and request
// names taken out, every line break a blank, so "-k" and ".B 4 / or / .B exact\\-indexed" read
// as in the help.
std::string manPageWords() {
    const std::string page = testing::readFile(testing::examplePath("../docs/meshwright.1"));
    std::string words;
    bool lineStart = true;
    for (size_t i = 0; i < page.size(); ++i) {
        if (lineStart && page[i] == '.') {
            i = page.find_first_of(" \n", i);  // the request's name
            if (i == std::string::npos || page[i] == '\n') {
                --i;
                continue;
            }
        } else if (page.compare(i, 2, "\\f") == 0) {
            i += 2;  // a font change
        } else if (page.compare(i, 2, "\\-") == 0) {
            words += '-';
            ++i;
        } else if (page[i] == '\n' || page[i] == '"') {
            if (words.empty() || words.back() != ' ') {
                words += ' ';
            }
        } else if (page[i] != ' ' || words.empty() || words.back() != ' ') {
            words += page[i];
        }
        lineStart = page[i] == '\n';
    }
    return words;
}

bool isNameByte(char c) {
    return (c >= 'a' && c <= 'z') || c == '-';
}

// "-k", "--kind": a dash and a letter after a blank, a comma or a bracket.
std::set<std::string> optionsIn(const std::string& text) {
    std::set<std::string> found;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        const bool starts =
            i == 0 || text[i - 1] == ' ' || text[i - 1] == ',' || text[i - 1] == '[';
        const size_t name = text.find_first_not_of('-', i);
        if (starts && text[i] == '-' && name != std::string::npos && name - i <= 2 &&
            text[name] >= 'a' && text[name] <= 'z') {
            size_t end = name;
            while (end < text.size() && isNameByte(text[end])) {
                ++end;
            }
            found.insert(text.substr(i, end - i));
        }
    }
    return found;
}

// "4, exact-indexed" in the help.
std::set<std::string> kindsIn(const std::string& text) {
    std::set<std::string> found;
    for (size_t i = 0; i + 3 < text.size(); ++i) {
        if (text[i] >= '1' && text[i] <= '9' && text.compare(i + 1, 2, ", ") == 0 &&
            text[i + 3] >= 'a' && text[i + 3] <= 'z') {
            size_t end = i + 3;
            while (end < text.size() && isNameByte(text[end])) {
                ++end;
            }
            found.insert(text.substr(i, end - i));
        }
    }
    return found;
}

TEST(CommandLine, ManPageDocumentsEveryOptionAndKindOfTheHelp) {
    const std::string page = manPageWords();
    const std::set<std::string> helpOptions = optionsIn(kHelpText);
    EXPECT_EQ(helpOptions.size(), 14u);  // nine options, five of them with both names
    EXPECT_EQ(optionsIn(page), helpOptions);
    const std::set<std::string> kinds = kindsIn(kHelpText);
    EXPECT_EQ(kinds.size(), 5u);
    for (std::string k : kinds) {
        k.replace(k.find(','), 1, " or");  // "4, exact-indexed" is "4 or exact-indexed" there
        EXPECT_NE(page.find(k), std::string::npos) << k;
    }
}

}  // namespace
}  // namespace meshwright
