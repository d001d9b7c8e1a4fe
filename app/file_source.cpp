// Opening the input and reading it in blocks.
#include "app/file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace meshwright {

InputFile openInputFile(const std::string& path) {
    InputFile input{FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY)), {}};
    if (!input.descriptor.isOpen()) {
        throw OpenError(std::strerror(errno));
    }
    struct stat status {};
    if (fstat(input.descriptor.get(), &status) != 0) {
        throw OpenError(std::strerror(errno));
    }
    // A folder opens for reading but has no text to read: it is no input, and saying so here
    // keeps the later checks from hiding it or making an output for it.
    if (S_ISDIR(status.st_mode)) {
        throw OpenError(std::strerror(EISDIR));
    }
    input.identity = identityOf(status);
    return input;
}

namespace {

// Reads one stretch of a regular file with pread(2), which leaves the descriptor's offset alone,
// so that two threads can read one descriptor at once.
class FileRangeSource : public ByteSource {
  public:
    FileRangeSource(int descriptor, uint64_t start, uint64_t end)
        : descriptor_(descriptor), next_(start), end_(end) {}

    size_t read(char* destination, size_t capacity) override {
        capacity = static_cast<size_t>(std::min<uint64_t>(capacity, end_ - next_));
        for (;;) {
            ssize_t got = ::pread(descriptor_, destination, capacity, static_cast<off_t>(next_));
            if (got >= 0) {
                next_ += static_cast<uint64_t>(got);
                return static_cast<size_t>(got);
            }
            if (errno != EINTR) {
                throw ReadError(std::strerror(errno));
            }
        }
    }
    uint64_t size() const override { return end_ - next_; }

  private:
    int descriptor_;
    uint64_t next_;
    uint64_t end_;
};

}  // namespace

FileSource::FileSource(int descriptor) : descriptor_(descriptor) {
    struct stat status {};
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        size_ = static_cast<uint64_t>(status.st_size);
        const off_t origin = lseek(descriptor, 0, SEEK_CUR);
        regular_ = origin >= 0;
        origin_ = regular_ ? static_cast<uint64_t>(origin) : 0;
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
bool FileSource::seek(uint64_t offset) {
    return regular_ && origin_ + offset <= size_ &&
           lseek(descriptor_, static_cast<off_t>(origin_ + offset), SEEK_SET) >= 0;
}

std::unique_ptr<ByteSource> FileSource::openAt(uint64_t offset) const {
    if (!regular_ || origin_ + offset > size_) {
        return nullptr;
    }
    return std::make_unique<FileRangeSource>(descriptor_, origin_ + offset, size_);
}

}  // namespace meshwright
