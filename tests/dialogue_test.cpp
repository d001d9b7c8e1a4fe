// The answer readers of the dialogue, and the screen of a whole dialogue held in memory.
#include "app/dialogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "test_support.h"

namespace meshwright {
namespace {

struct KindCase {
    std::string typed;
    int32_t kind;
    bool streamFailed;
    std::string leftUnread;
};

class KindReading : public ::testing::TestWithParam<KindCase> {};

TEST_P(KindReading, GivesTheValueTyped) {
    const KindCase& c = GetParam();
    std::istringstream in(c.typed);
    EXPECT_EQ(readKind(in), c.kind) << '"' << c.typed << '"';
    EXPECT_EQ(in.fail(), c.streamFailed);
    in.clear();
    std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(rest, c.leftUnread);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogue, KindReading,
    ::testing::Values(
        KindCase{"1", 1, false, ""}, KindCase{"2", 2, false, ""}, KindCase{"+2", 2, false, ""},
        KindCase{"2abc", 2, false, "abc"}, KindCase{"2.9", 2, false, ".9"},
        KindCase{"  \n\n 2\n", 2, false, "\n"}, KindCase{"0x3", 3, false, ""},
        KindCase{"0X2", 2, false, ""}, KindCase{"03", 3, false, ""}, KindCase{"09", 0, false, "9"},
        KindCase{"010", 8, false, ""}, KindCase{"3rd", 3, false, "rd"},
        KindCase{"-1", -1, false, ""}, KindCase{"0", 0, false, ""}, KindCase{"abc", 0, true, "abc"},
        KindCase{"-", 0, true, "-"}, KindCase{"0xg", 0, true, "0xg"},
        KindCase{"file.ase", 0, true, "file.ase"}, KindCase{"000000000000001", 1, false, ""},
        KindCase{"0000000000000001", 0, false, "1"},
        KindCase{"99999999999999", INT32_MAX, false, ""},
        KindCase{"-99999999999999", INT32_MIN, false, ""},
        KindCase{"0xFFFFFFFF", INT32_MAX, false, ""}, KindCase{"-0x80000000", INT32_MIN, false, ""},
        KindCase{"1234567890123456", INT32_MAX, false, "6"}, KindCase{"", 0, true, ""},
        KindCase{" \n\t ", 0, true, ""}));

TEST(Dialogue, KindIsZeroWhenTheInputHasAlreadyEnded) {
    std::istringstream in("cube.ase");
    EXPECT_EQ(readFileName(in), "cube.ase");
    EXPECT_TRUE(in.eof());
    EXPECT_EQ(readKind(in), 0);
}

TEST(Dialogue, NameIsOneWhitespaceDelimitedWord) {
    struct Case {
        std::string typed, name, rest;
        bool failed;
    } cases[] = {
        {"cube.ase 1\n", "cube.ase", " 1\n", false},
        {"\n\n  \t cube.ase\n2\n", "cube.ase", "\n2\n", false},
        {"my file.ase\n1\n", "my", " file.ase\n1\n", false},
        {"\v\f\rx.ase", "x.ase", "", false},
        {"", "", "", true},
        {"\n \n", "", "", true},
        {std::string(300, 'n') + ".ase\n", std::string(300, 'n') + ".ase", "\n", false},
        // A NUL ends the name; the rest of the word is read and dropped.
        {std::string("cube.ase\0xyz 1", 14), "cube.ase", " 1", false},
        // The longest path is kept whole; one more character and only the ends stand for it.
        {std::string(4091, 'n') + ".ase 1", std::string(4091, 'n') + ".ase", " 1", false},
        {std::string(4092, 'n') + ".ase 1", std::string(4092, 'n') + ".as....ase", " 1", false},
        {std::string(4092, 'n') + ".asx", std::string(4092, 'n') + ".as....asx", "", false},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.typed);
        EXPECT_EQ(readFileName(in), c.name);
        EXPECT_EQ(in.fail(), c.failed) << c.typed;
        in.clear();
        std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(rest, c.rest);
    }
}

TEST(Dialogue, ShowsBannerQuestionsErrorsAndTheKeyPromptThenWaits) {
    testing::TempDir dir;
    std::istringstream in("my file.ase\n");
    std::ostringstream out;
    bool waited = false;
    runDialogue(in, out, [&] {
        waited = true;
        EXPECT_EQ(out.str().substr(out.str().size() - 22), "Press any key to exit\n");
    });
    EXPECT_TRUE(waited);
    EXPECT_EQ(out.str(), testing::kDialogueQuestions +
                             "Error: Wrong Type (only 1,2 or 3 allowed)\n"
                             "Error: The file MUST have the ASE extension\n"
                             "Press any key to exit\n");
}

}  // namespace
}  // namespace meshwright
