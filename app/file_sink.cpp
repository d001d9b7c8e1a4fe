// Writing the output's bytes to its descriptor.
#include "app/file_sink.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace meshwright {

void FileSink::write(const char* data, size_t size) {
    while (size > 0) {
        ssize_t put = ::write(descriptor_, data, size);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw WriteError(std::strerror(errno));
        }
        data += put;
        size -= static_cast<size_t>(put);
        written_ += static_cast<uint64_t>(put);
    }
    if (written_ - writtenBack_ >= kWriteBackBytes) {
        startWriteBack();
    }
}

void FileSink::startWriteBack() {
    // Only a hint: a failure here (a pipe, a terminal) leaves the bytes to the usual write-back.
    sync_file_range(descriptor_, static_cast<off_t>(writtenBack_),
                    static_cast<off_t>(written_ - writtenBack_), SYNC_FILE_RANGE_WRITE);
    writtenBack_ = written_;
}

}  // namespace meshwright
