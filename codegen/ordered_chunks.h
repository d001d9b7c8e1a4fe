// Text made of many items of one shape (array entries, faces), formatted in chunks on two threads
// and appended in order, so the second core shares the formatting of a large mesh.
#pragma once

#include <cstdint>
#include <functional>
#include <type_traits>

#include "codegen/output.h"

namespace meshwright {

// Writes the text of items [begin, end) to an Output.
using RangeWriter = std::function<void(Output& out, int64_t begin, int64_t end)>;

// Appends the text of items [0, count) to `out`, in order, the same bytes as one writer writing
// them all: chunks of `itemsPerChunk` items are formatted on this thread and on one more, each
// thread through a writer of its own from `makeWriter` (so what a writer keeps, such as a cache of
// texts, is never shared), and this thread appends them in order while at most a few chunks wait.
// Throws what `out` or a writer throws, after the other thread stopped. Without a second thread
// (none can be started) this thread formats every chunk.
void putOrderedChunks(Output& out, int64_t count, int64_t itemsPerChunk,
                      const std::function<RangeWriter()>& makeWriter);

// A writer of one item from `item`: a copy of it when it is one (called as item(out, j)), else
// the one it makes (see putItems).
template <typename Item>
auto itemWriterOf(Item& item) {
    if constexpr (std::is_invocable_v<Item&, Output&, int64_t>) {
        return item;
    } else {
        return item();
    }
}

// Items [0, count), each written by putItem(out, j): on out.threads() threads when there are
// several and at least out.chunksForTwoThreads() chunks of `itemsPerChunk` items, on this thread
// otherwise. `item` is
// either putItem itself, copied for each thread (so it must keep nothing that changes), or a maker
// of a putItem that keeps something of its own (a cache of texts), called once per thread.
template <typename Item>
void putItems(Output& out, int64_t count, int64_t itemsPerChunk, Item item) {
    auto makeItemWriter = [&item] { return itemWriterOf(item); };
    const int64_t chunks = (count + itemsPerChunk - 1) / itemsPerChunk;
    if (out.threads() < 2 || chunks < out.chunksForTwoThreads()) {
        auto putItem = makeItemWriter();
        for (int64_t j = 0; j < count; ++j) {
            putItem(out, j);
        }
        return;
    }
    putOrderedChunks(out, count, itemsPerChunk, [&makeItemWriter] {
        return RangeWriter(
            [putItem = makeItemWriter()](Output& chunk, int64_t begin, int64_t end) mutable {
                for (int64_t j = begin; j < end; ++j) {
                    putItem(chunk, j);
                }
            });
    });
}

}  // namespace meshwright
