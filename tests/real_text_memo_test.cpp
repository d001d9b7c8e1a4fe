// The memo of number texts gives formatReal's bytes for every float, kept or not.
#include "codegen/real_text_memo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace meshwright {
namespace {

std::string formatted(float value) {
    char text[kNumberTextCapacity];
    return std::string(text, formatReal(value, text));
}

std::string remembered(RealTextMemo& memo, float value) {
    char text[kNumberTextCapacity];
    return std::string(text, memo.format(value, text));
}

// Many more distinct values than the memo keeps, each met several times in a row and again much
// later, so that slots are filled, served and taken over by other values.
TEST(RealTextMemo, GivesFormatRealsTextForRepeatedAndCollidingValues) {
    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> anyBits;
    std::vector<float> values;
    while (values.size() < 40000) {
        const uint32_t bits = anyBits(random);
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isnan(value)) {
            values.push_back(value);
        }
    }
    RealTextMemo memo;
    for (int pass = 0; pass < 2; ++pass) {
        for (float value : values) {
            for (int repeat = 0; repeat < 3; ++repeat) {
                ASSERT_EQ(remembered(memo, value), formatted(value)) << value;
            }
        }
    }
}

// Values whose bits differ little, and values whose texts are the same or too long to keep.
TEST(RealTextMemo, TellsApartZerosInfinitiesAndHugeValues) {
    const float kInfinity = std::numeric_limits<float>::infinity();
    const float values[] = {0.0f,
                            -0.0f,
                            kInfinity,
                            -kInfinity,
                            std::numeric_limits<float>::max(),
                            -std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::denorm_min(),
                            1.0f,
                            std::nextafter(1.0f, 2.0f),
                            0.1f,
                            1e30f};
    RealTextMemo memo;
    for (int pass = 0; pass < 2; ++pass) {
        for (float value : values) {
            EXPECT_EQ(remembered(memo, value), formatted(value)) << value;
        }
    }
}

}  // namespace
}  // namespace meshwright
