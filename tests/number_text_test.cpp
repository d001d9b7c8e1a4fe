// Number text: exact 17-digit reals in fixed or exponent form, and integers.
#include "codegen/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace meshwright {
namespace {

std::string realText(double value) {
    char buffer[kNumberTextCapacity];
    return std::string(buffer, formatReal(value, buffer));
}

std::string intText(int64_t n) {
    char buffer[kNumberTextCapacity];
    return std::string(buffer, formatInt(n, buffer));
}

float floatFromBits(uint32_t bits) {
    return std::bit_cast<float>(bits);
}

// ---- An independent reading of the text -------------------------------------------------------

// A positive number as 0.digits × 10^position, with neither leading nor trailing zeros in digits.
struct DecimalValue {
    std::string digits;
    int position = 0;
    bool operator==(const DecimalValue&) const = default;
};

std::string withoutTrailingZeros(std::string digits) {
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    return digits;
}

// The C library's conversion rounds the exact value correctly to 17 digits, ties to even.
DecimalValue referenceValue(double magnitude) {
    char text[64];
    std::snprintf(text, sizeof text, "%.16e", magnitude);  // "d.dddddddddddddddde-xx"
    const char* e = std::strchr(text, 'e');
    const std::string digits = text[0] + std::string(text + 2, e - (text + 2));
    return {withoutTrailingZeros(digits), std::atoi(e + 1) + 1};
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads text made by formatReal without its sign; says what breaks the form rules in `fault`.
DecimalValue readValue(const std::string& text, std::string& fault) {
    const size_t point = text.find('.');
    const size_t e = text.find('e');
    if (point == std::string::npos || text.find('.', point + 1) != std::string::npos) {
        fault = "not exactly one point";
        return {};
    }
    const std::string whole = text.substr(0, point);
    const std::string fraction = text.substr(point + 1, e == std::string::npos ? e : e - point - 1);
    for (const char c : whole + fraction) {
        if (!isDigit(c)) {
            fault = "a character that is no digit";
            return {};
        }
    }
    if (!fraction.empty() && fraction.back() == '0') {
        fault = "a trailing zero after the point";
        return {};
    }
    if (e != std::string::npos) {
        const std::string exponent = text.substr(e + 1);
        if (whole.size() != 1 || whole == "0" || exponent.size() != 4 ||
            (exponent[0] != '-' && exponent[0] != '+') || !isDigit(exponent[1]) ||
            !isDigit(exponent[2]) || !isDigit(exponent[3])) {
            fault = "a malformed exponent form";
            return {};
        }
        return {whole + fraction, std::atoi(exponent.c_str()) + 1};
    }
    if (whole.empty() || (whole[0] == '0' && whole != "0") ||
        (whole == "0" && (fraction.empty() || fraction[0] == '0'))) {
        fault = "a malformed fixed form";
        return {};
    }
    if (whole == "0") {
        return {fraction, 0};
    }
    return {withoutTrailingZeros(whole + fraction), static_cast<int>(whole.size())};
}

// What is wrong with the text of a finite nonzero float's value, or nothing.
std::string faultIn(float value) {
    char buffer[kNumberTextCapacity + 1];
    buffer[kNumberTextCapacity] = '#';
    const std::string text(buffer, formatReal(value, buffer));
    if (buffer[kNumberTextCapacity] != '#') {
        return "wrote past its buffer";
    }
    const bool negative = value < 0;
    if (negative != (text[0] == '-')) {
        return "a wrong sign: " + text;
    }
    const std::string body = text.substr(negative ? 1 : 0);
    const DecimalValue expected = referenceValue(std::fabs(value));
    const bool exponentForm = expected.position < 0;  // rounded below 0.1
    if (exponentForm != (body.find('e') != std::string::npos)) {
        return "the wrong form: " + text;
    }
    if (text.size() > (exponentForm ? 24u : 41u)) {
        return "too long: " + text;
    }
    std::string fault;
    const DecimalValue written = readValue(body, fault);
    if (!fault.empty()) {
        return fault + ": " + text;
    }
    if (written != expected) {
        return "digits " + written.digits + " at " + std::to_string(written.position) +
               " instead of " + expected.digits + " at " + std::to_string(expected.position);
    }
    return {};
}

// ---- Worked examples ----------------------------------------------------------------------------

constexpr float kInfinity = std::numeric_limits<float>::infinity();

struct RealCase {
    double value;  // a float's value
    const char* text;
};

TEST(NumberText, FloatsGiveTheirExactTexts) {
    const RealCase cases[] = {
        {0.0f, "0."},
        {-0.0f, "0."},
        {1.0f, "1."},
        {-1.0f, "-1."},
        {0.5f, "0.5"},
        {-0.75f, "-0.75"},
        {2.5f, "2.5"},
        {-2.5f, "-2.5"},
        {100.0f, "100."},
        {1234.5f, "1234.5"},
        {65536.0f, "65536."},
        {0.1f, "0.10000000149011612"},
        {0.2f, "0.20000000298023224"},
        {1.0f / 3.0f, "0.3333333432674408"},
        {0.7071068f, "0.7071068286895752"},
        {12.3456f, "12.345600128173828"},
        {-12.3456f, "-12.345600128173828"},
        {123456.789f, "123456.7890625"},
        {1e10f, "10000000000."},
        {1e20f, "100000002004087730000."},
        {FLT_MAX, "340282346638528860000000000000000000000."},
        {0.0999999940395355224609375f, "9.9999994039535522e-002"},
        {0.0625f, "6.25e-002"},
        {0.05f, "5.000000074505806e-002"},
        {0.01f, "9.9999997764825821e-003"},
        {0.001f, "1.0000000474974513e-003"},
        {0.00001f, "9.9999997473787516e-006"},
        {0x1p-20f, "9.5367431640625e-007"},
        {1e-7f, "1.0000000116860974e-007"},
        {1e-40f, "9.9999461011147596e-041"},
        {0x1p-149f, "1.4012984643248171e-045"},
        {kInfinity, "1.#INF"},
        {-kInfinity, "-1.#INF"},
    };
    for (const RealCase& c : cases) {
        EXPECT_EQ(realText(c.value), c.text) << "for " << c.value;
    }
}

TEST(NumberText, WholeNumbersKeepTheirPointAndLargeOnesAreWrittenInFull) {
    EXPECT_EQ(realText(16777216.0f), "16777216.");
    EXPECT_EQ(realText(-16777218.0f), "-16777218.");
    EXPECT_EQ(realText(1e17f), "99999998430674944.");
    EXPECT_EQ(realText(1e18f), "999999984306749440.");
    EXPECT_EQ(realText(-FLT_MAX), "-340282346638528860000000000000000000000.");
}

TEST(NumberText, ValuesBelowOneTenthAfterRoundingTakeTheExponentForm) {
    EXPECT_EQ(realText(std::nextafter(0.1f, 0.0f)), "9.9999994039535522e-002");
    EXPECT_EQ(realText(0.1f), "0.10000000149011612");
    EXPECT_EQ(realText(std::nextafter(0.1, 0.0)), "9.9999999999999992e-002");
    EXPECT_EQ(realText(0.1), "0.10000000000000001");
}

TEST(NumberText, SubnormalsKeepSeventeenDigitsDownToTheSmallest) {
    EXPECT_EQ(realText(-0x1p-149f), "-1.4012984643248171e-045");
    EXPECT_EQ(realText(floatFromBits(0x007fffff)), "1.1754942106924411e-038");
    EXPECT_EQ(realText(FLT_MIN), "1.1754943508222875e-038");
    // A sweep across every size of subnormal, against the C library.
    for (uint32_t bits = 1; bits < 0x00800000; bits += 97) {
        const std::string fault = faultIn(floatFromBits(bits));
        ASSERT_EQ(fault, "") << "for the float with bits " << std::hex << bits;
    }
}

// A float m × 2^-x (m odd) is exactly m × 5^x × 10^-x, and lies halfway between two 17-digit
// decimals exactly when m × 5^x has 18 digits: the last one is then a 5.
TEST(NumberText, ExactTiesRoundToTheEvenDigit) {
    EXPECT_EQ(realText(1.00000762939453125f), "1.0000076293945312");
    EXPECT_EQ(realText(1.00002288818359375f), "1.0000228881835938");
    EXPECT_EQ(realText(1051 * 0x1p-20f), "1.0023117065429688e-003");
    EXPECT_EQ(realText(0x1p-25f), "2.9802322387695312e-008");
    EXPECT_EQ(realText(3 * 0x1p-25f), "8.9406967163085938e-008");

    constexpr uint64_t kTenTo17 = 100'000'000'000'000'000;
    uint64_t fivePower = 1;
    int checked = 0;
    for (int x = 1; x <= 25; ++x) {
        fivePower *= 5;
        const uint64_t first = (kTenTo17 + fivePower - 1) / fivePower;
        const uint64_t end = std::min((10 * kTenTo17 - 1) / fivePower + 1, uint64_t{1} << 24);
        // Every tie of the small scales, an even spread of the larger ones.
        const uint64_t step = 2 * std::max<uint64_t>(1, (end - first) / 100'000);
        for (uint64_t m = first | 1; m < end; m += step) {
            const uint64_t exact = m * fivePower;  // 18 digits, the last a 5
            const uint64_t kept = exact / 10 + (exact / 10 % 2);
            const DecimalValue expected{withoutTrailingZeros(std::to_string(kept)), 18 - x};
            std::string fault;
            const float tie = std::ldexp(static_cast<float>(m), -x);
            const DecimalValue written = readValue(realText(tie), fault);
            ASSERT_EQ(fault, "") << m << " × 2^-" << x;
            ASSERT_EQ(written, expected) << m << " × 2^-" << x;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100'000);
}

TEST(NumberText, RandomFloatsMatchACorrectlyRoundedConversion) {
    std::mt19937 bitsSource(20240607);
    int failures = 0;
    for (int i = 0; i < 2'000'000 && failures < 10; ++i) {
        const float value = floatFromBits(bitsSource());
        if (std::isnan(value) || std::isinf(value) || value == 0) {
            continue;
        }
        const std::string fault = faultIn(value);
        if (!fault.empty()) {
            ADD_FAILURE() << std::hexfloat << value << ": " << fault;
            ++failures;
        }
    }
}

TEST(NumberText, DoublesBeyondFloatsFollowTheSameRules) {
    EXPECT_EQ(realText(1e300), "1.0000000000000001e+300");
    EXPECT_EQ(realText(-5e-324), "-4.9406564584124654e-324");
    EXPECT_EQ(realText(1e49), "9999999999999999500000000000000000000000000000000.");
    EXPECT_EQ(realText(2e49), "19999999999999999000000000000000000000000000000000");
    EXPECT_EQ(realText(1e50), "1.0000000000000001e+050");
    EXPECT_EQ(realText(1.0 + 0x1p-52), "1.0000000000000002");
}

TEST(NumberText, IntegersAreWrittenInFull) {
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {1000, "1000"},
        {-15, "-15"},
        {123456, "123456"},
        {std::numeric_limits<int32_t>::max(), "2147483647"},
        {std::numeric_limits<int32_t>::min(), "-2147483648"},
        {4294967295, "4294967295"},
        {4294967296, "4294967296"},
        {std::numeric_limits<int64_t>::max(), "9223372036854775807"},
        {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& [n, text] : cases) {
        EXPECT_EQ(intText(n), text);
    }
}

// Each width has its own digit count and its own last pair (odd and even lengths), on both sides
// of the 32-bit boundary.
TEST(NumberText, IntegersOfEveryWidthMatchTheLibrary) {
    for (int64_t power = 1; power <= std::numeric_limits<int64_t>::max() / 10; power *= 10) {
        for (int64_t n : {power - 1, power, power + 1, 10 * power - 1, 5 * power + 3}) {
            for (int64_t value : {n, -n}) {
                char expected[kNumberTextCapacity];
                const auto end = std::to_chars(expected, expected + sizeof expected, value).ptr;
                EXPECT_EQ(intText(value), std::string(expected, end)) << value;
            }
        }
    }
}

}  // namespace
}  // namespace meshwright
