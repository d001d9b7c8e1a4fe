// The texts of floats already formatted, kept by the float's bits: a mesh repeats few distinct
// numbers many times (every vertex of a ring shares its height, normals repeat around an axis),
// and copying a kept text costs a fraction of formatting it again.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "codegen/number_text.h"
#include "codegen/recycled_arrays.h"

namespace meshwright {

class RealTextMemo {
  public:
    RealTextMemo() = default;
    RealTextMemo(const RealTextMemo&) = delete;
    RealTextMemo& operator=(const RealTextMemo&) = delete;
    ~RealTextMemo() { RecycledArrays<Slot>::giveBack(std::move(slots_)); }

    // Writes the text of formatReal(value) at `out`, which must hold kNumberTextCapacity bytes
    // (bytes past the returned end may be overwritten), and returns the end of the text. The
    // same bytes as formatReal, always: a slot serves only the very bits it was filled for.
    char* format(float value, char* out) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        if (slots_.empty()) {
            // Taken at the first number: an Output that only passes on text made elsewhere
            // never needs it.
            // Slots an earlier memo filled are kept as they are: a slot serves only the very
            // bits it was filled for, whose text never changes.
            slots_ = RecycledArrays<Slot>::take(kSlots);
        }
        Slot& slot = slots_[(bits * kHashMultiplier) >> (32 - kSlotBits)];
        if (slot.length != 0 && slot.bits == bits) {
            std::memcpy(out, slot.text, sizeof slot.text);
            return out + slot.length;
        }
        return formatNew(value, bits, slot, out);
    }

  private:
    // 27 characters hold every float text but those of huge magnitudes, which are not kept.
    struct Slot {
        uint32_t bits = 0;
        uint8_t length = 0;  // 0: empty
        char text[27] = {};
    };
    static constexpr int kSlotBits = 13;  // 8192 slots, 256 KiB
    static constexpr uint32_t kSlots = uint32_t{1} << kSlotBits;
    // Fibonacci hashing: neighbouring bit patterns land in slots far apart.
    static constexpr uint32_t kHashMultiplier = 0x9E3779B1u;

    static char* formatNew(float value, uint32_t bits, Slot& slot, char* out) {
        char* end = formatReal(value, out);
        const size_t length = static_cast<size_t>(end - out);
        if (length <= sizeof slot.text) {
            slot.bits = bits;
            slot.length = static_cast<uint8_t>(length);
            std::memcpy(slot.text, out, length);
        }
        return end;
    }

    std::vector<Slot> slots_;
};

}  // namespace meshwright
