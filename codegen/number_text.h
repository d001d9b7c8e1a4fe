// The text of numbers in generated code. Both functions write into the caller's buffer, add no
// terminating zero, allocate nothing, ignore the locale, and return the end of the text. The buffer
// must hold kNumberTextCapacity bytes: bytes past the returned end may be overwritten.
#pragma once

#include <cstddef>
#include <cstdint>

namespace meshwright {

// Enough for any text of formatReal (41 characters at most for a float) and of formatInt (20).
inline constexpr size_t kNumberTextCapacity = 64;

// The text of a float value widened to double:
//  - both zeros: "0."; infinities: "1.#INF" and "-1.#INF";
//  - otherwise |v| rounded to 17 significant digits (exact ties round to the even digit), then
//    from 0.1 up fixed form with no trailing zeros and the point always kept ("1.", "0.5",
//    "100000002004087730000."), and below 0.1 exponent form with a signed three-digit exponent
//    ("9.9999997764825821e-003", "6.25e-002"), with "-" in front of a negative value.
// `value` must not be a NaN.
char* formatReal(double value, char* out);

// The decimal text of `value`, "-" in front of a negative one, with no leading zeros.
char* formatInt(int64_t value, char* out);

}  // namespace meshwright
