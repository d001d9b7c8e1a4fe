// Block reads from memory.
#include "ase/byte_source.h"

#include <algorithm>
#include <cstring>

namespace meshwright {

size_t MemorySource::read(char* destination, size_t capacity) {
    size_t count = std::min(capacity, bytes_.size() - position_);
    std::memcpy(destination, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

bool MemorySource::seek(uint64_t offset) {
    if (offset > bytes_.size()) {
        return false;
    }
    position_ = static_cast<size_t>(offset);
    return true;
}

std::unique_ptr<ByteSource> MemorySource::openAt(uint64_t offset) const {
    return std::make_unique<MemorySource>(bytes_.substr(std::min<uint64_t>(offset, bytes_.size())));
}

}  // namespace meshwright
