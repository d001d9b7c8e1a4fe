// C identifiers made from file names, and string literals that hold any bytes.
#include "codegen/c_text.h"

#include <gtest/gtest.h>

namespace meshwright {
namespace {

TEST(CText, IdentifierFromTheBaseNameWithoutExtension) {
    EXPECT_EQ(cIdentifierFromPath("cube.ase", 4), "cube");
    EXPECT_EQ(cIdentifierFromPath("models/3 Cubes.ase", 4), "_3_Cubes");
    EXPECT_EQ(cIdentifierFromPath("a.b-c.ASE", 4), "a_b_c");
    EXPECT_EQ(cIdentifierFromPath("dir/W\xc3\xbcrfel.ase", 4), "W__rfel");
    EXPECT_EQ(cIdentifierFromPath("dir/.ase", 4), "_");
}

TEST(CText, IdentifiersAreAsciiLettersDigitsAndUnderscoresNotLedByADigit) {
    EXPECT_TRUE(isCIdentifier("cube"));
    EXPECT_TRUE(isCIdentifier("_3_Cubes"));
    EXPECT_FALSE(isCIdentifier(""));
    EXPECT_FALSE(isCIdentifier("3cubes"));
    EXPECT_FALSE(isCIdentifier("a-b"));
    EXPECT_FALSE(isCIdentifier("a b"));
}

TEST(CText, StringLiteralsEscapeWhatCWouldReadOtherwise) {
    EXPECT_EQ(cStringLiteral("Bip01 L Thigh"), "\"Bip01 L Thigh\"");
    EXPECT_EQ(cStringLiteral("C:\\maps\\wood.jpg"), "\"C:\\\\maps\\\\wood.jpg\"");
    EXPECT_EQ(cStringLiteral("say \"hi\""), "\"say \\\"hi\\\"\"");
    // No trigraph: "??/" would read as a backslash.
    EXPECT_EQ(cStringLiteral("what?"
                             "?/"),
              "\"what\\?\\?/\"");
    EXPECT_EQ(cStringLiteral("a\nb\x7f"), "\"a\\012b\\177\"");
    // A digit after an escape can't join it: octal escapes take three digits at most.
    EXPECT_EQ(cStringLiteral("\xc3\xbc"
                             "1"),
              "\"\\303\\2741\"");
}

}  // namespace
}  // namespace meshwright
