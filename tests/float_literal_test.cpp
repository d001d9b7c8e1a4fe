// Shortest float literals: every class of float, and that each text reads back to its bits.
#include "codegen/float_literal.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace meshwright {
namespace {

std::string literalOf(float value) {
    char text[kFloatLiteralCapacity];
    return std::string(text, formatFloatLiteral(value, text));
}

// What a C compiler makes of the literal: the text without its "f", read as a float.
float readBack(const std::string& literal) {
    EXPECT_EQ(literal.back(), 'f') << literal;
    return std::strtof(literal.substr(0, literal.size() - 1).c_str(), nullptr);
}

TEST(FloatLiteral, WholeNumbersKeepAPointBeforeTheSuffix) {
    EXPECT_EQ(literalOf(1.0f), "1.f");
    EXPECT_EQ(literalOf(-1.0f), "-1.f");
    EXPECT_EQ(literalOf(100.0f), "100.f");
    EXPECT_EQ(literalOf(16777216.0f), "16777216.f");
}

TEST(FloatLiteral, FractionsAndExponentsTakeTheShorterForm) {
    EXPECT_EQ(literalOf(0.5f), "0.5f");
    EXPECT_EQ(literalOf(-1.25f), "-1.25f");
    EXPECT_EQ(literalOf(0.1f), "0.1f");
    EXPECT_EQ(literalOf(1e10f), "1e+10f");
    EXPECT_EQ(literalOf(0.0001f), "1e-04f");
    EXPECT_EQ(literalOf(123456.79f), "123456.79f");
}

TEST(FloatLiteral, BothZerosKeepTheirSign) {
    EXPECT_EQ(literalOf(0.0f), "0.f");
    EXPECT_EQ(literalOf(-0.0f), "-0.f");
    EXPECT_TRUE(std::signbit(readBack(literalOf(-0.0f))));
}

TEST(FloatLiteral, ExtremesAndSubnormals) {
    EXPECT_EQ(literalOf(std::numeric_limits<float>::max()), "3.4028235e+38f");
    EXPECT_EQ(literalOf(-std::numeric_limits<float>::max()), "-3.4028235e+38f");
    EXPECT_EQ(literalOf(std::numeric_limits<float>::min()), "1.1754944e-38f");
    EXPECT_EQ(literalOf(std::numeric_limits<float>::denorm_min()), "1e-45f");
    EXPECT_EQ(literalOf(-std::numeric_limits<float>::denorm_min()), "-1e-45f");
    EXPECT_EQ(literalOf(1e-40f), "1e-40f");
}

TEST(FloatLiteral, NineDigitsWhereFewerWouldReadAsAnotherFloat) {
    const float value = std::bit_cast<float>(uint32_t(0x41216d68));
    EXPECT_EQ(literalOf(value), "10.0892105f");
    EXPECT_NE(readBack("10.08921f"), value);  // both eight-digit neighbours miss it
    EXPECT_NE(readBack("10.089211f"), value);
}

// The longest text there is fits the capacity, and every text reads back to the same bits.
TEST(FloatLiteral, EveryTextReadsBackToItsBits) {
    EXPECT_LT(literalOf(-1.17549435e-38f).size(), kFloatLiteralCapacity);
    std::mt19937 random(17);
    for (int i = 0; i < 200000; ++i) {
        const uint32_t bits = random();
        const float value = std::bit_cast<float>(bits);
        if (!std::isfinite(value)) {
            continue;
        }
        const std::string literal = literalOf(value);
        ASSERT_EQ(std::bit_cast<uint32_t>(readBack(literal)), bits) << literal;
        ASSERT_TRUE(literal.find_first_of(".e") != std::string::npos) << literal;
    }
}

}  // namespace
}  // namespace meshwright
