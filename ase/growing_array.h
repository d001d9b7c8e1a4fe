// An array whose length a count of the file gives, filled as its records arrive, so that memory
// follows the records actually read and never a count that nothing has proven yet.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "ase/huge_pages.h"

namespace meshwright {

// Element type T; `length` is the count the list claims. Records are stored in record order
// (append) or at the index they give (storeAt, index already checked to lie below `length`).
// finish() gives exactly `length` elements; those no record stored are zero.
template <typename T>
class GrowingArray {
  public:
    // Room for `reserved` elements is taken ahead (at most `length`, a little more address space
    // to start on a huge page); it costs address space only, not memory, until records fill it.
    // Most lists fill that room exactly, so it goes on huge pages: the mesh arrays are most of a
    // conversion's memory, and faulting them in 4 KiB at a time costs more than parsing them.
    GrowingArray(size_t length, size_t reserved) : length_(length) {
        const size_t room = std::min(length, reserved);
        elements_.reserve(hugePageCapacity(room, sizeof(T)));
        adviseHugePages(elements_.data(), room * sizeof(T));
    }

    void append(const T& element) { elements_.push_back(element); }

    // Lists in index order (nearly all) are stored in place as they come. A record that jumps
    // ahead is held with its index until the end, and so is every record after it, so that a
    // later record for the same index still wins.
    void storeAt(size_t index, const T& element) {
        if (held_.empty() && index < elements_.size()) {
            elements_[index] = element;
        } else if (held_.empty() && index == elements_.size()) {
            elements_.push_back(element);
        } else {
            held_.emplace_back(static_cast<uint32_t>(index), element);
        }
    }

    // Whether every record so far was stored in place, in index order: `records` of them.
    bool inPlace(size_t records) const { return held_.empty() && elements_.size() == records; }

    // When inPlace(): gives the array its whole length at once (elements past those stored are
    // zero) so that another thread may store at indices the records have not reached yet;
    // storeAt still serves the rest. The elements, for that thread.
    T* fillAll() {
        elements_.resize(length_);
        return elements_.data();
    }

    // Where fillAll() will put the elements, known before it runs when the room taken ahead holds
    // the whole length (nullptr otherwise): another thread may get their pages ready meanwhile.
    T* elementsAhead() { return elements_.capacity() >= length_ ? elements_.data() : nullptr; }

    std::vector<T> finish() {
        elements_.resize(length_);
        for (const auto& [index, element] : held_) {
            elements_[index] = element;
        }
        held_.clear();
        return std::move(elements_);
    }

  private:
    size_t length_;
    std::vector<T> elements_;
    std::vector<std::pair<uint32_t, T>> held_;  // indices stay below 2^31: they are counts
};

// Gets the pages of elements `from` to `to` - 1 ready ahead of the stores (see populatePages).
template <typename T>
void populateElements(T* elements, size_t from, size_t to) {
    if (from < to) {
        populatePages(elements + from, (to - from) * sizeof(T));
    }
}

}  // namespace meshwright
