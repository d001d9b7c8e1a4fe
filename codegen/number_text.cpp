// The text of numbers in generated code: 17 correctly rounded digits laid out in fixed or exponent
// form, and plain integers.
#include "codegen/number_text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace meshwright {
namespace {

using Uint128 = unsigned __int128;

constexpr int kDigits = 17;
constexpr uint64_t kTenTo16 = 10'000'000'000'000'000;
constexpr uint64_t kTenTo17 = 100'000'000'000'000'000;

// A value rounded to 17 significant digits: value = 0.digits × 10^digitsBeforePoint (negative: that
// many zeros follow the point). `count` excludes the trailing zeros of `digits`, which still holds
// all 17. The spare room lets the layout copy whole blocks of fixed size, which is markedly cheaper
// than copies of a length known only at run time; what lands past the end of the text is scratch
// within the caller's buffer.
struct Decimal {
    char digits[2 * kDigits];
    int count;
    int digitsBeforePoint;
};

// ---- Laying out the digits --------------------------------------------------------------------

// Below 0.1 the exponent form keeps small values short; its exponent always has a sign and three
// digits, so every such number has the same shape.
char* writeExponentForm(const Decimal& decimal, char* out) {
    *out++ = decimal.digits[0];
    *out++ = '.';
    std::memcpy(out, decimal.digits + 1, kDigits - 1);
    out += decimal.count - 1;
    const int exponent = decimal.digitsBeforePoint - 1;
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

// From 0.1 up to 10^50, far past any float, numbers are written in full, so a coordinate never
// switches to exponent form however large. A whole number keeps its point so that it stays a
// floating literal; only the 50-digit case, which no float reaches, goes without.
char* writeFixedForm(const Decimal& decimal, char* out) {
    const int p = decimal.digitsBeforePoint;
    if (p == 0) {
        *out++ = '0';
        *out++ = '.';
        std::memcpy(out, decimal.digits, kDigits);
        return out + decimal.count;
    }
    if (p < decimal.count) {
        std::memcpy(out, decimal.digits, kDigits);
        std::memcpy(out + p + 1, decimal.digits + p, kDigits);
        out[p] = '.';
        return out + decimal.count + 1;
    }
    std::memcpy(out, decimal.digits, decimal.count);
    std::memset(out + decimal.count, '0', p - decimal.count);
    out += p;
    if (p < 50) {
        *out++ = '.';
    }
    return out;
}

char* writeDecimal(const Decimal& decimal, bool negative, char* out) {
    if (negative) {
        *out++ = '-';
    }
    if (decimal.digitsBeforePoint >= 0 && decimal.digitsBeforePoint <= 50) {
        return writeFixedForm(decimal, out);
    }
    return writeExponentForm(decimal, out);
}

int countWithoutTrailingZeros(const char* digits) {
    int count = kDigits;
    while (count > 1 && digits[count - 1] == '0') {
        --count;
    }
    return count;
}

// ---- Digits of any double ---------------------------------------------------------------------

// The library's conversion rounds exactly, ties to the even digit; it serves every double that is
// not a float's value (callers outside the mesh pipeline) and is the reference for the fast path.
Decimal decimalOfDouble(double magnitude) {
    char text[kNumberTextCapacity];
    const auto result = std::to_chars(text, text + sizeof text, magnitude,
                                      std::chars_format::scientific, kDigits - 1);
    // text is "decimal.dddddddddddddddde±xx[x]"
    Decimal decimal;
    decimal.digits[0] = text[0];
    std::memcpy(decimal.digits + 1, text + 2, kDigits - 1);
    int exponent = 0;
    std::from_chars(text + kDigits + 3, result.ptr, exponent);
    decimal.digitsBeforePoint = (text[kDigits + 2] == '-' ? -exponent : exponent) + 1;
    decimal.count = countWithoutTrailingZeros(decimal.digits);
    return decimal;
}

// ---- Digits of a float's value, exactly -------------------------------------------------------
//
// Below, m, e and k are the functions' significand, exponent and scale, j a divisor's power of ten.
// A float is m × 2^e with m < 2^24, e >= -149 and a value below 2^128. Scaling it by 10^k so that
// 17 or 18 digits stand before the point needs at most 5^61 × m (under 2^166) for small values, or
// a division of an integer under 2^128 by at most 10^22 for large ones: both fit in plain integer
// arithmetic, so the digits and the exact remainder come out without any approximation.

// 5^k as a 192-bit number in three 64-bit words, least significant first.
struct Wide {
    uint64_t word[3];
};

// The smallest float, 2^-149, is scaled by 10^61 to bring 17 digits before the point.
constexpr int kMaxScale = 61;

constexpr std::array<Wide, kMaxScale + 1> makePowersOfFive() {
    std::array<Wide, kMaxScale + 1> powers{};
    Wide p{{1, 0, 0}};
    for (int k = 0; k <= kMaxScale; ++k) {
        powers[k] = p;
        uint64_t carry = 0;
        for (uint64_t& word : p.word) {
            const Uint128 product = static_cast<Uint128>(word) * 5 + carry;
            word = static_cast<uint64_t>(product);
            carry = static_cast<uint64_t>(product >> 64);
        }
    }
    return powers;
}

constexpr auto kPowersOfFive = makePowersOfFive();

// Values of 10^17 and more are divided by at most 10^22 (the largest float is below 10^39).
constexpr int kMaxDivisor = 22;

constexpr std::array<Uint128, kMaxDivisor + 1> makePowersOfTen() {
    std::array<Uint128, kMaxDivisor + 1> powers{};
    Uint128 p = 1;
    for (Uint128& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}

constexpr auto kPowersOfTen = makePowersOfTen();

// How the dropped part of a scaled value compares with one half of its last kept unit.
enum class Remainder { kZero, kBelowHalf, kHalf, kAboveHalf };

struct Scaled {
    uint64_t whole;  // 10^16 <= whole < 10^18
    Remainder rest;
};

Remainder compareWithHalf(Uint128 rest, Uint128 half) {
    if (rest == 0) {
        return Remainder::kZero;
    }
    return rest < half    ? Remainder::kBelowHalf
           : rest == half ? Remainder::kHalf
                          : Remainder::kAboveHalf;
}

// m × 2^e × 10^k for k >= 0: m × 5^k shifted by e + k bits.
Scaled scaleUp(uint32_t significand, int exponent, int scale) {
    const Wide& five = kPowersOfFive[scale];
    const Uint128 low = static_cast<Uint128>(significand) * five.word[0];
    const Uint128 middle =
        static_cast<Uint128>(significand) * five.word[1] + static_cast<uint64_t>(low >> 64);
    const uint64_t high = significand * five.word[2] + static_cast<uint64_t>(middle >> 64);
    const Uint128 bottom =
        (static_cast<Uint128>(static_cast<uint64_t>(middle)) << 64) | static_cast<uint64_t>(low);
    const int shift = exponent + scale;
    if (shift >= 0) {  // an integer: the product is below 10^18 before the shift
        return {static_cast<uint64_t>(bottom) << shift, Remainder::kZero};
    }
    // At most 95 bits are dropped (from the smallest normal floats), so the remainder lies in
    // `bottom`, and the kept part, below 2^60, in `bottom` and the low bits of `high`.
    const int drop = -shift;
    uint64_t whole = static_cast<uint64_t>(bottom >> drop);
    if (drop > 64) {
        whole |= high << (128 - drop);
    }
    const Uint128 half = static_cast<Uint128>(1) << (drop - 1);
    return {whole, compareWithHalf(bottom & ((half << 1) - 1), half)};
}

// m × 2^e / 10^j for values of 10^17 and more: the float is an integer below 2^128.
Scaled scaleDown(uint32_t significand, int exponent, int divisorPower) {
    const Uint128 value = static_cast<Uint128>(significand) << exponent;
    const Uint128 divisor = kPowersOfTen[divisorPower];
    const Uint128 whole = value / divisor;
    const Uint128 rest = value - whole * divisor;
    return {static_cast<uint64_t>(whole), compareWithHalf(2 * rest, divisor)};
}

// The dropped part once one more digit, `last`, joins it: that digit outweighs all that follows,
// and only a 5 followed by nothing is exactly half.
Remainder dropLastDigit(uint64_t last, Remainder rest) {
    if (last == 5) {
        return rest == Remainder::kZero ? Remainder::kHalf : Remainder::kAboveHalf;
    }
    return last > 5 ? Remainder::kAboveHalf : Remainder::kBelowHalf;
}

bool roundsUp(uint64_t whole, Remainder rest) {
    return rest == Remainder::kAboveHalf || (rest == Remainder::kHalf && (whole & 1) != 0);
}

// Two digits at a time from a table halves the divisions.
constexpr std::array<char, 200> makeDigitPairs() {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}

constexpr auto kDigitPairs = makeDigitPairs();

template <typename Unsigned>
int countDigits(Unsigned value) {
    int count = 1;
    for (;;) {
        if (value < 10) {
            return count;
        }
        if (value < 100) {
            return count + 1;
        }
        if (value < 1000) {
            return count + 2;
        }
        if (value < 10000) {
            return count + 3;
        }
        value /= 10000;
        count += 4;
    }
}

// The decimal digits of value, written from the last pair to the first so that each pair is one
// division: the same way for 32-bit and 64-bit values.
template <typename Unsigned>
char* writeDigits(Unsigned value, char* out) {
    char* const end = out + countDigits(value);
    char* to = end;
    while (value >= 100) {
        to -= 2;
        std::memcpy(to, &kDigitPairs[2 * (value % 100)], 2);
        value /= 100;
    }
    if (value < 10) {
        *--to = static_cast<char>('0' + value);
    } else {
        std::memcpy(to - 2, &kDigitPairs[2 * value], 2);
    }
    return end;
}

void writeEightDigits(uint32_t value, char* out) {
    for (int i = 6; i >= 0; i -= 2) {
        std::memcpy(out + i, &kDigitPairs[2 * (value % 100)], 2);
        value /= 100;
    }
}

void writeSeventeenDigits(uint64_t value, char* out) {
    const auto high = static_cast<uint32_t>(value / 100'000'000);  // nine digits
    writeEightDigits(static_cast<uint32_t>(value % 100'000'000), out + 9);
    out[0] = static_cast<char>('0' + high / 100'000'000);
    writeEightDigits(high % 100'000'000, out + 1);
}

// m × 2^e, with 0 < m < 2^24, -149 <= e, and a value below 2^128.
Decimal decimalOfFloat(uint32_t significand, int exponent) {
    // floor(log10(2^b)) for the binary exponent b (the multiplier is exact far past the float
    // range), so that 10^tens <= value < 10^(tens + 2) and the scaled value has 17 or 18 digits.
    const int binaryExponent = exponent + std::bit_width(significand) - 1;
    const int tens = (binaryExponent * 78913) >> 18;
    const int scale = kDigits - 1 - tens;
    Scaled scaled = scale >= 0 ? scaleUp(significand, exponent, scale)
                               : scaleDown(significand, exponent, -scale);
    int digitsBeforePoint = kDigits - scale;
    if (scaled.whole >= kTenTo17) {  // one digit too many: it joins the dropped part
        scaled.rest = dropLastDigit(scaled.whole % 10, scaled.rest);
        scaled.whole /= 10;
        ++digitsBeforePoint;
    }
    if (roundsUp(scaled.whole, scaled.rest)) {
        ++scaled.whole;
        if (scaled.whole == kTenTo17) {  // 99…9 carried into a new leading digit (no float does)
            scaled.whole = kTenTo16;
            ++digitsBeforePoint;
        }
    }
    Decimal decimal;
    writeSeventeenDigits(scaled.whole, decimal.digits);
    decimal.count = countWithoutTrailingZeros(decimal.digits);
    decimal.digitsBeforePoint = digitsBeforePoint;
    return decimal;
}

// Splits a positive finite double into m × 2^e with m odd; true when that is a float's value.
bool splitAsFloat(double magnitude, uint32_t& significand, int& exponent) {
    const auto bits = std::bit_cast<uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    if (biased == 0) {
        return false;  // below every float but zero
    }
    uint64_t odd = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    const int zeros = std::countr_zero(odd);
    odd >>= zeros;
    exponent = biased - 1075 + zeros;
    const int binaryExponent = biased - 1023;
    if (odd >= (uint64_t{1} << 24) || exponent < -149 || binaryExponent > 127) {
        return false;
    }
    significand = static_cast<uint32_t>(odd);
    return true;
}

}  // namespace

char* formatReal(double value, char* out) {
    if (value == 0) {
        std::memcpy(out, "0.", 2);
        return out + 2;
    }
    const bool negative = std::signbit(value);
    if (std::isinf(value)) {
        const char* text = negative ? "-1.#INF" : "1.#INF";
        const size_t length = negative ? 7 : 6;
        std::memcpy(out, text, length);
        return out + length;
    }
    if (std::isnan(value)) {  // never produced by the reader; kept visible and bounded
        std::memcpy(out, "1.#NAN", 6);
        return out + 6;
    }
    const double magnitude = std::fabs(value);
    uint32_t significand = 0;
    int exponent = 0;
    const Decimal decimal = splitAsFloat(magnitude, significand, exponent)
                                ? decimalOfFloat(significand, exponent)
                                : decimalOfDouble(magnitude);
    return writeDecimal(decimal, negative, out);
}

char* formatInt(int64_t value, char* out) {
    // Through unsigned so that the most negative value has a magnitude too.
    uint64_t magnitude = static_cast<uint64_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    // Most integers written are indices below 2^32, whose divisions are cheaper in 32 bits.
    if (magnitude <= UINT32_MAX) {
        return writeDigits(static_cast<uint32_t>(magnitude), out);
    }
    return writeDigits(magnitude, out);
}

}  // namespace meshwright
