// The group text cache: slots a power of two in number, and texts kept only when they fit.
#include "codegen/group_text_cache.h"

#include <algorithm>
#include <bit>
#include <cassert>

#include "codegen/number_text.h"
#include "codegen/recycled_arrays.h"

namespace meshwright {

// A power of two, so that a place finds its slot with a mask.
GroupTextCache::GroupTextCache(Shape shape, int64_t places, Frame frame)
    : shape_(shape),
      slots_(RecycledArrays<Slot>::take(
          std::bit_ceil(size_t(std::clamp<int64_t>(places, 1, kMostSlots))))),
      before_(Output::storedForm(frame.before)),
      after_(Output::storedForm(frame.after)) {
    assert(before_.size() <= kMostFrame && after_.size() <= kMostFrame);
    for (Slot& slot : slots_) {
        slot.length = 0;  // a slot left by an earlier cache may hold the other shape's text
    }
}

GroupTextCache::~GroupTextCache() {
    RecycledArrays<Slot>::giveBack(std::move(slots_));
}

void GroupTextCache::putNew(Output& out, const Vec3f& value, const Key& key, Slot& slot) {
    char text[3 * kNumberTextCapacity + 2 * kMostFrame];
    char* end = std::copy(before_.begin(), before_.end(), text);
    end = out.realText(value.x, end);
    *end++ = ',';
    end = out.realText(value.y, end);
    if (shape_ == Shape::kTriple) {
        *end++ = ',';
        end = out.realText(value.z, end);
    }
    end = std::copy(after_.begin(), after_.end(), end);
    const size_t length = size_t(end - text);
    out.putPlainPrefix(text, length);
    if (length <= sizeof slot.text) {
        std::memcpy(slot.key, key.bits, sizeof key.bits);
        std::memcpy(slot.text, text, length);
        slot.length = uint8_t(length);
    }
}

}  // namespace meshwright
