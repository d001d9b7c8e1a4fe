// Opening the input and reading it in blocks.
#include "app/file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace meshwright
