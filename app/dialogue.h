// The console dialogue: banner, the two questions, and the readers of the two answers.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string>

namespace meshwright {

// The five banner lines and the empty lines between them, each line flushed.
void printBanner(std::ostream& out);

// The next whitespace-delimited word of `in`, any length. Leading white space (blank, tab, line
// feed, vertical tab, form feed, carriage return), empty lines included, is skipped; the white
// space after the word stays unread. At the end of input before any word: "" and `in` failed.
// The name ends at the first NUL (the rest of the word is read and dropped). A word longer than
// the longest path (PATH_MAX - 1) is read to its end but kept as its first PATH_MAX - 1
// characters, "..." and its last four: a name that can't be opened, in bounded memory.
std::string readFileName(std::istream& in);

// The kind as typed: leading white space skipped, then at most 15 characters of an optional sign
// and digits, hexadecimal after "0x" / "0X", octal after a leading 0, decimal otherwise, up to
// the first character that can't continue the number (left unread). Values past 32 bits become
// the nearest bound. No digit taken: 0, the characters taken go back, and `in` fails. When `in`
// has already ended or failed: 0, nothing read.
int32_t readKind(std::istream& in);

// The whole dialogue: banner, questions, one conversion, "Press any key to exit", then
// `waitForKey`. The conversion is finished and its file closed before the prompt appears.
void runDialogue(std::istream& in, std::ostream& out, const std::function<void()>& waitForKey);

}  // namespace meshwright
