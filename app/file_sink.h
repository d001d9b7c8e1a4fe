// The output's bytes written to a file descriptor with write(2).
#pragma once

#include <cstddef>
#include <cstdint>

#include "codegen/output.h"

namespace meshwright {

// Writes to a file descriptor, which it does not own. Every byte is written, a write
// interrupted by a signal tried again; a failure throws WriteError with the system's reason.
// Every kWriteBackBytes written, it asks the kernel to start writing them to the disk (a regular
// file; elsewhere the request fails and changes nothing) without waiting: the disk then works
// while the rest is made, and the sync that publishes the file waits for the last stretch only.
class FileSink : public ByteSink {
  public:
    static constexpr uint64_t kWriteBackBytes = uint64_t{8} << 20;

    explicit FileSink(int descriptor) : descriptor_(descriptor) {}
    void write(const char* data, size_t size) override;

  private:
    void startWriteBack();

    int descriptor_;
    uint64_t written_ = 0;
    uint64_t writtenBack_ = 0;  // bytes already handed to the disk's write-back
};

}  // namespace meshwright
