// The values of number words: integers and reals as the section readers take them.
#pragma once

#include <cstdint>
#include <string_view>

namespace meshwright {

// Integer value of a word: optional leading white space and sign, then decimal digits up to the
// first other character ("8abc" is 8, "1,2" is 1, "abc" is 0); saturates to the 32-bit bounds.
int32_t parseInt(std::string_view word);

// Real value of a word: optional leading white space and sign, digits with an optional '.', an
// optional exponent (e, E, d or D, optional sign, digits), up to the first character that does
// not fit; no number gives 0. The text is rounded twice: to the nearest double, then that double
// to the nearest float (ties to even both times), as a C program reading the file with strtod and
// storing a float would; a word just off a halfway point between floats can thus land on the
// other float than a single rounding would give. Beyond the float range: an infinity of its sign.
// Never a NaN.
float parseReal(std::string_view word);

}  // namespace meshwright
