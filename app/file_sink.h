// The output's bytes written to a file descriptor with write(2).
#pragma once

#include <cstddef>

#include "codegen/output.h"

namespace meshwright {

// Writes to a file descriptor, which it does not own. Every byte is written, a write
// interrupted by a signal tried again; a failure throws WriteError with the system's reason.
class FileSink : public ByteSink {
  public:
    explicit FileSink(int descriptor) : descriptor_(descriptor) {}
    void write(const char* data, size_t size) override;

  private:
    int descriptor_;
};

}  // namespace meshwright
