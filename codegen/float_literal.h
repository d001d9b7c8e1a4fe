// The text of a float as a C and C++ literal: the fewest digits that read back to the same bits.
#pragma once

#include <cstddef>

namespace meshwright {

// Enough for any text of formatFloatLiteral ("-1.17549435e-38f" is 16 characters).
inline constexpr size_t kFloatLiteralCapacity = 32;

// Writes the shortest decimal text that a correctly rounding compiler reads back as exactly
// `value` (std::to_chars: fixed or exponent form, whichever is shorter), followed by "f". A text
// that would read as an integer gets a point first, since "1f" is no literal: 1 gives "1.f",
// 100 gives "100.f", 0.5 gives "0.5f", 1e+10 stays "1e+10f". Negative zero keeps its sign ("-0.f").
// Adds no terminating zero and returns the end of the text. `value` must be finite: an infinity
// or a NaN has no literal, so callers reject them first.
char* formatFloatLiteral(float value, char* out);

}  // namespace meshwright
