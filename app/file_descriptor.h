// An open file descriptor with exactly one owner, closed once when the owner lets it go.
#pragma once

#include <unistd.h>

#include <utility>

namespace meshwright {

// Move-only: a moved-from descriptor holds nothing and closes nothing, so no descriptor is
// closed twice (a second close could close a file someone else has opened since).
class FileDescriptor {
  public:
    FileDescriptor() = default;
    // Takes over `descriptor` (-1 for none).
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        reset(other.release());
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }

    // The descriptor, or -1; still owned here.
    int get() const { return descriptor_; }
    bool isOpen() const { return descriptor_ >= 0; }
    // Gives the descriptor up unclosed, for a caller that closes it itself to see whether the
    // close failed (a close is where some file systems first report a failed write).
    int release() { return std::exchange(descriptor_, -1); }
    // Closes what is held, ignoring the close's result, and takes over `descriptor`.
    void reset(int descriptor = -1) {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        descriptor_ = descriptor;
    }

  private:
    int descriptor_ = -1;
};

}  // namespace meshwright
