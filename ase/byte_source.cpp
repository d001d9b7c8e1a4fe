// Block reads from a file descriptor or from memory.
#include "ase/byte_source.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace meshwright {

FileSource::FileSource(int descriptor) : descriptor_(descriptor) {
    struct stat status {};
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        size_ = static_cast<uint64_t>(status.st_size);
    }
}

size_t FileSource::read(char* destination, size_t capacity) {
    for (;;) {
        ssize_t got = ::read(descriptor_, destination, capacity);
        if (got >= 0) {
            return static_cast<size_t>(got);
        }
        if (errno != EINTR) {
            throw ReadError(std::strerror(errno));
        }
    }
}

// Only a regular file reads the same bytes again: lseek "succeeds" on some devices too.
bool FileSource::rewind() {
    struct stat status {};
    return fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode) &&
           lseek(descriptor_, 0, SEEK_SET) == 0;
}

size_t MemorySource::read(char* destination, size_t capacity) {
    size_t count = std::min(capacity, bytes_.size() - position_);
    std::memcpy(destination, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

}  // namespace meshwright
