// The base of every error a conversion reports: what the job catches and turns into words.
#pragma once

#include <stdexcept>

namespace meshwright {

// A failure of one conversion that is the input's or the system's, not the program's: a mesh
// that breaks the rules, a failed read or write, an output that can't be made. what() is the
// reason (a fault and where it is, or the system's words); the one who reports it adds which
// file, each in its own form (the dialogue's "Error: " line, the command line's).
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace meshwright
