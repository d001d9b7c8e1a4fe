// The texts of number groups kept per vertex, so that a vertex many corners share is formatted
// once.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "ase/mesh.h"
#include "codegen/array_text.h"
#include "codegen/ordered_chunks.h"
#include "codegen/output.h"

namespace meshwright {

// Writes number groups like putTriple or putPair, byte for byte, but keeps the text of each
// group in a slot chosen by the group's place (the index of the vertex it belongs to): a vertex
// that six corners share is formatted once, not six times. A slot serves a group only when it
// holds the very same values, so the place is a hint and never changes the text. Slots are
// shared by places far apart, which keeps memory under 0.4 MB (one cache per thread);
// meshes list faces near the vertices they use, so a vertex's slot is usually still its own when
// its next corner comes.
class GroupTextCache {
  public:
    enum class Shape { kTriple, kPair };
    // Text written before and after every group, kept with it in the slot: an array entry's tab
    // and its ",\n", a call's name and its ");". Line ends as the writers give them ("\n").
    struct Frame {
        std::string_view before;
        std::string_view after;
    };
    // `places`: how many places there are (the vertex count); fewer slots are made for fewer.
    GroupTextCache(Shape shape, int64_t places, Frame frame = {});
    // A copy takes slots of its own; a cache that ends hands its slots to the next one made.
    GroupTextCache(const GroupTextCache&) = default;
    GroupTextCache(GroupTextCache&&) = default;
    GroupTextCache& operator=(const GroupTextCache&) = default;
    GroupTextCache& operator=(GroupTextCache&&) = default;
    ~GroupTextCache();

    void put(Output& out, int64_t place, const Vec3f& value) {
        const Key key = keyOf(value);
        Slot& slot = slots_[size_t(place) & (slots_.size() - 1)];
        if (slot.length != 0 && std::memcmp(slot.key, key.bits, sizeof key.bits) == 0) {
            out.putPlainPrefix(slot.text, slot.length);
            return;
        }
        putNew(out, value, key, slot);
    }

  private:
    // The exact bits of the values: -0 and 0 differ here, though their texts are the same.
    struct Key {
        uint32_t bits[3];
    };
    // Room for any group of numbers below 10^17 in magnitude, each at most 24 characters
    // ("-9.9999997764825821e-003"), in an array entry's frame ("\t" and ",\r\n"); the longer
    // texts of huger values, or in longer frames, are written but not kept. The key comes first,
    // on the cache line where the text starts: with the key after the text, kind 2 measured 4%
    // slower.
    struct Slot {
        uint32_t key[3];
        uint8_t length;  // 0: empty
        char text[83];
    };
    static constexpr int64_t kMostSlots = int64_t(1) << 12;
    static constexpr size_t kMostFrame = 16;  // bytes before or after, in stored form

    Key keyOf(const Vec3f& value) const {
        Key key{};
        std::memcpy(&key.bits[0], &value.x, 4);
        std::memcpy(&key.bits[1], &value.y, 4);
        if (shape_ == Shape::kTriple) {
            std::memcpy(&key.bits[2], &value.z, 4);
        }
        return key;
    }
    void putNew(Output& out, const Vec3f& value, const Key& key, Slot& slot);

    Shape shape_;
    std::vector<Slot> slots_;
    std::string before_;  // the frame, stored as the output stores it
    std::string after_;
};

// An array block (see putArrayBlock) whose entry j is the group valueOf(j, placeOf(j)), written
// through a cache of texts kept by placeOf(j) among `places`, one per thread. The cache keeps
// each entry's tab and ",\n" with its numbers; the last entry, which has no ",", is written
// past it.
template <typename PlaceOf, typename ValueOf>
void putArrayBlockCachedByPlace(Output& out, std::string_view declaration, int64_t count,
                                GroupTextCache::Shape shape, int64_t places, PlaceOf placeOf,
                                ValueOf valueOf) {
    out.putText(declaration);
    putItems(out, count, kEntriesPerChunk, [=] {
        return [=, cache = GroupTextCache(shape, places, {"\t", ",\n"})](Output& o,
                                                                         int64_t j) mutable {
            const int32_t place = placeOf(j);
            if (j + 1 < count) {
                cache.put(o, place, valueOf(j, place));
                return;
            }
            o.putChar('\t');
            if (shape == GroupTextCache::Shape::kTriple) {
                putTriple(o, valueOf(j, place));
            } else {
                putPair(o, valueOf(j, place));
            }
        };
    });
    out.putText("\t};\n");
}

}  // namespace meshwright
