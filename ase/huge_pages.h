// Large arrays on transparent huge pages: one page fault per 2 MiB instead of one per 4 KiB.
#pragma once

#include <cstddef>

namespace meshwright {

// Arrays smaller than this gain too little to be worth the advice.
inline constexpr size_t kHugePageBytes = size_t{2} << 20;

// How many elements of `elementSize` bytes to reserve so that an array of at least `count` of
// them starts on a huge-page boundary: at least `count`, and just short of a whole number of
// huge pages when the array is large. Small arrays get `count`. The rounding only ever adds
// address space: pages past the elements written are never touched.
size_t hugePageCapacity(size_t count, size_t elementSize);

// Asks the kernel to back the whole huge pages inside the first `bytes` bytes at `data` with huge
// pages when they are first touched. Pages only partly inside are left as they are, so memory never
// grows past what the array fills. A refusal (no transparent huge pages here) changes nothing.
void adviseHugePages(const void* data, size_t bytes);

// Has the kernel give memory now to the pages that hold the `bytes` bytes at `data`, as writing
// to them would, and leaves what they hold unchanged. A thread with nothing else to do takes the
// page faults in place of the one that will fill them; a fresh page costs more than parsing what
// it holds. A kernel that can't (before Linux 5.14) changes nothing.
void populatePages(const void* data, size_t bytes);

}  // namespace meshwright
