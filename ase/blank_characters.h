// The one test for blank characters, shared by the dialogue and the number words.
#pragma once

namespace meshwright {

// Space, tab, line feed, vertical tab, form feed and carriage return: what isspace gives in the
// "C" locale, without depending on the locale or on a character's signedness. `c` is a character
// or EOF (never blank).
constexpr bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace meshwright
