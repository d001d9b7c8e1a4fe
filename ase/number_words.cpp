// The integer and real values of words: decimal only, saturated, never a NaN.
#include "ase/number_words.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

#include "ase/blank_characters.h"

namespace meshwright {

namespace {

constexpr size_t kNone = std::string_view::npos;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t skipLeadingSpace(std::string_view word) {
    size_t at = 0;
    while (at < word.size() && isBlank(word[at])) {
        ++at;
    }
    return at;
}

size_t skipDigits(std::string_view word, size_t at) {
    while (at < word.size() && isDigit(word[at])) {
        ++at;
    }
    return at;
}

// Where the parts of the number that opens a word lie: digits with an optional point, then an
// exponent only when its letter is followed by digits ("1e" is the number 1).
struct NumberExtent {
    bool negative = false;
    bool hasDigits = false;
    size_t digitsStart = 0;  // first byte after the sign
    size_t point = kNone;
    size_t digitsEnd = 0;
    size_t exponentLetter = kNone;
    size_t end = 0;
    uint64_t digitsValue = 0;  // the mantissa digits as one integer, point ignored, up to 19 digits
    int digitCount = 0;        // all mantissa digits, also those beyond 19
    int fractionDigits = 0;
    int64_t exponent = 0;  // the written exponent, saturated far beyond any double
};

constexpr int64_t kFarExponent = 1'000'000'000;

// Every power of ten up to 10^22 is an exact double.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int64_t kLargestExactPower = 22;

// Scans the digits from `at` into the number's value and returns where they end.
size_t scanDigits(std::string_view word, size_t at, NumberExtent& number) {
    for (; at < word.size() && isDigit(word[at]); ++at) {
        if (number.digitCount < 19) {
            number.digitsValue = number.digitsValue * 10 + static_cast<uint64_t>(word[at] - '0');
        }
        ++number.digitCount;
    }
    return at;
}

// "+12", "-3", "7": the exponent's value, saturated.
int64_t readExponent(std::string_view text) {
    bool negative = text[0] == '-';
    int64_t value = 0;
    for (char c : text.substr(text[0] == '+' || text[0] == '-' ? 1 : 0)) {
        value = std::min(value * 10 + (c - '0'), kFarExponent);
    }
    return negative ? -value : value;
}

NumberExtent findNumber(std::string_view word) {
    NumberExtent number;
    size_t at = skipLeadingSpace(word);
    if (at < word.size() && (word[at] == '+' || word[at] == '-')) {
        number.negative = word[at] == '-';
        ++at;
    }
    number.digitsStart = at;
    at = scanDigits(word, at, number);
    if (at < word.size() && word[at] == '.') {
        number.point = at;
        size_t fractionStart = at + 1;
        at = scanDigits(word, fractionStart, number);
        number.fractionDigits = static_cast<int>(at - fractionStart);
    }
    number.hasDigits = number.digitCount > 0;
    number.digitsEnd = at;
    number.end = at;
    if (number.hasDigits && at < word.size() &&
        (word[at] == 'e' || word[at] == 'E' || word[at] == 'd' || word[at] == 'D')) {
        size_t exponentDigits = at + 1;
        if (exponentDigits < word.size() &&
            (word[exponentDigits] == '+' || word[exponentDigits] == '-')) {
            ++exponentDigits;
        }
        size_t exponentEnd = skipDigits(word, exponentDigits);
        if (exponentEnd > exponentDigits) {
            number.exponentLetter = at;
            number.end = exponentEnd;
            number.exponent = readExponent(word.substr(at + 1, exponentEnd - at - 1));
        }
    }
    return number;
}

// The power of ten of the number's first significant digit, saturated far beyond any double.
// Only consulted when the value is beyond the range of a double, where its sign tells overflow
// (about 1e308 and up) from underflow (about 1e-324 and down).
int64_t decimalMagnitude(std::string_view word, const NumberExtent& number) {
    int64_t exponent = number.exponent;
    size_t pointAt = number.point == kNone ? number.digitsEnd : number.point;
    for (size_t at = number.digitsStart; at < number.digitsEnd; ++at) {
        if (word[at] != '.' && word[at] != '0') {
            int64_t place = at < pointAt ? static_cast<int64_t>(pointAt - at) - 1
                                         : -static_cast<int64_t>(at - pointAt);
            return exponent + place;
        }
    }
    return 0;
}

// Most numbers in ASE files are short decimals, which one IEEE operation converts exactly: an
// integer up to 2^53 and a power of ten up to 10^22 are both exact doubles, so their product or
// quotient is the correctly rounded value. Returns false when that does not apply.
bool convertExactly(const NumberExtent& number, double& value) {
    int64_t scale = number.exponent - number.fractionDigits;
    if (number.digitCount > 19 || number.digitsValue > (uint64_t{1} << 53) ||
        scale < -kLargestExactPower || scale > kLargestExactPower) {
        return false;
    }
    double digits = static_cast<double>(number.digitsValue);
    value = scale < 0 ? digits / kPowersOfTen[-scale] : digits * kPowersOfTen[scale];
    return true;
}

// The double nearest to the unsigned number text, by the library; it knows no 'd' exponents.
double convertByLibrary(std::string_view word, const NumberExtent& number) {
    std::string_view digits = word.substr(number.digitsStart, number.end - number.digitsStart);
    std::string copy;
    if (number.exponentLetter != kNone && word[number.exponentLetter] != 'e' &&
        word[number.exponentLetter] != 'E') {
        copy.assign(digits);
        copy[number.exponentLetter - number.digitsStart] = 'e';
        digits = copy;
    }
    double value = 0.0;
    std::from_chars_result result =
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = decimalMagnitude(word, number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value;
}

double toDouble(std::string_view word, const NumberExtent& number) {
    double value = 0.0;
    if (!convertExactly(number, value)) {
        value = convertByLibrary(word, number);
    }
    return number.negative ? -value : value;
}

// Most numbers that exporters write are plain decimals: "-29.3447". When the whole word has that
// form, with at most 15 digits (so the digits are an exact double) and one optional point, one
// IEEE division by an exact power of ten gives the correctly rounded value. Returns false for
// any other word, which then takes the general way. One pass, one test per byte in the usual
// case: this runs for nearly every number of a mesh.
bool convertPlainDecimal(std::string_view word, double& value) {
    const char* at = word.data();
    const char* end = at + word.size();
    const bool negative = at != end && *at == '-';
    at += negative ? 1 : 0;
    uint64_t digits = 0;  // wraps harmlessly for long words, which are refused below
    const char* point = nullptr;
    for (const char* scan = at; scan != end; ++scan) {
        const uint32_t digit = static_cast<uint32_t>(static_cast<unsigned char>(*scan)) - '0';
        if (digit <= 9) {
            digits = digits * 10 + digit;
        } else if (*scan == '.' && point == nullptr) {
            point = scan;
        } else {
            return false;
        }
    }
    const ptrdiff_t digitCount = (end - at) - (point != nullptr ? 1 : 0);
    if (digitCount == 0 || digitCount > 15) {
        return false;
    }
    const ptrdiff_t fractionDigits = point != nullptr ? end - point - 1 : 0;
    value = static_cast<double>(digits) / kPowersOfTen[fractionDigits];
    value = negative ? -value : value;
    return true;
}

// Rounds to the nearest float, deciding the overflow explicitly: converting a double beyond the
// float range is undefined in C++.
float roundToFloat(double value) {
    // Halfway between the largest float and 2^128; a tie rounds to the even side, infinity.
    constexpr double kInfinityFrom = 0x1.ffffffp127;
    constexpr float kLargest = std::numeric_limits<float>::max();
    double magnitude = std::fabs(value);
    if (magnitude >= kInfinityFrom) {
        constexpr float kInfinity = std::numeric_limits<float>::infinity();
        return value > 0 ? kInfinity : -kInfinity;
    }
    if (magnitude > kLargest) {
        return value > 0 ? kLargest : -kLargest;
    }
    return static_cast<float>(value);
}

// Record numbers are short runs of bare digits; nine digits can't overflow, so they are summed
// without the caps. Returns false for any other word, which then takes the general way.
bool convertShortDigits(std::string_view word, int32_t& value) {
    if (word.empty() || word.size() > 9) {
        return false;
    }
    uint32_t sum = 0;
    for (char c : word) {
        const uint32_t digit = static_cast<uint32_t>(static_cast<unsigned char>(c)) - '0';
        if (digit > 9) {
            return false;
        }
        sum = sum * 10 + digit;
    }
    value = static_cast<int32_t>(sum);
    return true;
}

}  // namespace

int32_t parseInt(std::string_view word) {
    int32_t digitsOnly = 0;
    if (convertShortDigits(word, digitsOnly)) {
        return digitsOnly;
    }
    size_t at = skipLeadingSpace(word);
    bool negative = false;
    if (at < word.size() && (word[at] == '+' || word[at] == '-')) {
        negative = word[at] == '-';
        ++at;
    }
    // Past 2^31 every further digit saturates anyway; stopping there keeps the sum small.
    constexpr int64_t kCap = int64_t{1} << 31;
    int64_t magnitude = 0;
    for (; at < word.size() && isDigit(word[at]); ++at) {
        magnitude = std::min(magnitude * 10 + (word[at] - '0'), kCap);
    }
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(negative ? std::max(-magnitude, kMin) : std::min(magnitude, kMax));
}

float parseReal(std::string_view word) {
    double plain = 0.0;
    if (convertPlainDecimal(word, plain)) {
        return static_cast<float>(plain);  // below 10^15: far inside the float range
    }
    NumberExtent number = findNumber(word);
    if (!number.hasDigits) {
        return 0.0f;
    }
    return roundToFloat(toDouble(word, number));
}

}  // namespace meshwright
