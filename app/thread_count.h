// How many threads a conversion may use: the command line's -j, else MESHWRIGHT_THREADS, else two.
#pragma once

#include <string_view>

namespace meshwright {

inline constexpr unsigned kMostThreads = 64;

// The count `text` gives: 1 to kMostThreads in decimal digits; 0 for anything else.
unsigned parseThreadCount(std::string_view text);

// `requested` when not 0 (a -j value); else MESHWRIGHT_THREADS when it holds a count (anything
// else there is passed over, as an unset variable); else 2, the cores the reader can use.
unsigned threadsToUse(unsigned requested);

}  // namespace meshwright
