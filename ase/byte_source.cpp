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

}  // namespace meshwright
