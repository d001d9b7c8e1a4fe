// Scratch arrays handed back when their user ends, for the next user of the same length to take.
//
// The formatting threads start afresh for each long run of output: an Output with its buffer and
// memo of number texts, and the writers' caches, a few hundred kilobytes each. On a virtual
// machine a page touched for the first time costs about 10 us, so a scene of a hundred objects
// spent more on fresh pages than its second thread gained. Kept arrays are already in memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace meshwright {

template <typename T>
class RecycledArrays {
  public:
    // `length` elements: a kept array of that length as its last user left it, or a new one of
    // T{}. The caller clears what it needs cleared: often one field of each element will do.
    static std::vector<T> take(size_t length) {
        std::vector<T> array = takeKept(length);
        return array.empty() ? std::vector<T>(length) : std::move(array);
    }

    // Keeps `array` for a later take, unless enough are kept already (then it is freed).
    static void giveBack(std::vector<T>&& array) {
        if (array.empty()) {
            return;
        }
        std::lock_guard lock(mutex());
        if (kept().size() < kKeptAtMost) {
            kept().push_back(std::move(array));
        }
    }

  private:
    // Two formatting threads use at most a few arrays of a type at once.
    static constexpr size_t kKeptAtMost = 4;

    static std::vector<T> takeKept(size_t length) {
        std::lock_guard lock(mutex());
        auto& arrays = kept();
        auto found = std::find_if(arrays.begin(), arrays.end(),
                                  [length](const std::vector<T>& a) { return a.size() == length; });
        if (found == arrays.end()) {
            return {};
        }
        std::vector<T> array = std::move(*found);
        arrays.erase(found);
        return array;
    }

    static std::mutex& mutex() {
        static std::mutex instance;
        return instance;
    }
    static std::vector<std::vector<T>>& kept() {
        static std::vector<std::vector<T>> instance;
        return instance;
    }
};

// Blocks of bytes that are written before they are read, kept like the arrays above. A new block
// is not cleared, so its pages are only taken as text reaches them.
class RecycledBlocks {
  public:
    static std::unique_ptr<char[]> take(size_t size) {
        std::lock_guard lock(mutex());
        auto& blocks = kept();
        auto found = std::find_if(blocks.begin(), blocks.end(),
                                  [size](const Kept& block) { return block.size == size; });
        if (found == blocks.end()) {
            return std::unique_ptr<char[]>(new char[size]);
        }
        std::unique_ptr<char[]> block = std::move(found->bytes);
        blocks.erase(found);
        return block;
    }

    static void giveBack(std::unique_ptr<char[]> block, size_t size) {
        if (!block) {
            return;
        }
        std::lock_guard lock(mutex());
        if (kept().size() < kKeptAtMost) {
            kept().push_back({std::move(block), size});
        }
    }

  private:
    struct Kept {
        std::unique_ptr<char[]> bytes;
        size_t size;
    };
    static constexpr size_t kKeptAtMost = 4;

    static std::mutex& mutex() {
        static std::mutex instance;
        return instance;
    }
    static std::vector<Kept>& kept() {
        static std::vector<Kept> instance;
        return instance;
    }
};

}  // namespace meshwright
