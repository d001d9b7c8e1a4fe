// Writing the output's bytes to its descriptor.
#include "app/file_sink.h"

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
    }
}

}  // namespace meshwright
