// Buffered output with CR LF line ends.
#include "codegen/output.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "codegen/number_text.h"

namespace meshwright {

Output::Output(ByteSink& sink, size_t capacity)
    : sink_(sink), buffer_(std::max<size_t>(capacity, 64)) {}

void Output::makeRoom(size_t size) {
    if (buffer_.size() - used_ < size) {
        flush();
    }
}

void Output::putRaw(const char* data, size_t size) {
    if (size > buffer_.size()) {
        flush();
        sink_.write(data, size);
        return;
    }
    makeRoom(size);
    std::memcpy(buffer_.data() + used_, data, size);
    used_ += size;
}

void Output::putLongText(std::string_view text) {
    // Line ends are rare inside a piece, so copy the runs between them whole.
    size_t start = 0;
    for (size_t lineEnd; (lineEnd = text.find('\n', start)) != std::string_view::npos;
         start = lineEnd + 1) {
        putPlain(text.substr(start, lineEnd - start));
        putBytes(kLineEnd);
    }
    putPlain(text.substr(start));
}

void Output::putCharSlowly(char c) {
    if (c == '\n') {
        putRaw(kLineEnd.data(), kLineEnd.size());
        return;
    }
    makeRoom(1);
    buffer_[used_++] = c;
}

void Output::putReal(float value) {
    makeRoom(kNumberTextCapacity);
    char* start = buffer_.data() + used_;
    used_ += static_cast<size_t>(realTexts_.format(value, start) - start);
}

void Output::putInt(int64_t value) {
    makeRoom(kNumberTextCapacity);
    char* start = buffer_.data() + used_;
    used_ += static_cast<size_t>(formatInt(value, start) - start);
}

void Output::flush() {
    if (used_ > 0) {
        size_t size = used_;
        used_ = 0;  // a failed write is not retried: the caller abandons the file
        sink_.write(buffer_.data(), size);
    }
}

}  // namespace meshwright
