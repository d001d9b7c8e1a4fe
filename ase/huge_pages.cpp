// Huge-page backing for the mesh arrays.
#include "ase/huge_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace meshwright {

namespace {

// The C library serves a large request from a mapping of its own, a little longer than the request
// (a header of two words, then rounded up to a page). The kernel places a mapping whose length is
// a whole number of huge pages on a huge-page boundary, so a request this much short of such a
// length lands 16 bytes past the boundary. Another allocator merely loses the first partial page.
constexpr size_t kAllocatorOverhead = 32;

}  // namespace

size_t hugePageCapacity(size_t count, size_t elementSize) {
    if (elementSize == 0 || count > SIZE_MAX / elementSize - 2 * kHugePageBytes ||
        count * elementSize < 2 * kHugePageBytes) {
        return count;
    }
    const size_t pages =
        (count * elementSize + kAllocatorOverhead + kHugePageBytes - 1) / kHugePageBytes;
    return (pages * kHugePageBytes - kAllocatorOverhead) / elementSize;
}

void adviseHugePages(const void* data, size_t bytes) {
    const auto start = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (start + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    const uintptr_t end = (start + bytes) & ~(kHugePageBytes - 1);
    if (end > first) {
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
}

void populatePages(const void* data, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    const auto pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = start & ~(pageSize - 1);
    const uintptr_t end = (start + bytes + pageSize - 1) & ~(pageSize - 1);
    if (bytes > 0) {
        madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
    }
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace meshwright
