// Room for large lists ends just short of whole huge pages, and never falls short of the list.
#include "ase/huge_pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ase/growing_array.h"

namespace meshwright {
namespace {

TEST(HugePages, LargeListsGetRoomUpToTheirLastHugePageAndSmallOnesExactly) {
    for (size_t elementSize : {size_t{4}, size_t{12}, size_t{16}}) {
        for (size_t count : {size_t{0}, size_t{1}, size_t{1000}, size_t{349525}, size_t{349526},
                             size_t{1} << 20, size_t{3000001}}) {
            const size_t capacity = hugePageCapacity(count, elementSize);
            ASSERT_GE(capacity, count) << count << " of " << elementSize;
            if (count * elementSize < 2 * kHugePageBytes) {
                EXPECT_EQ(capacity, count);
            } else {
                // With the allocator's two-word header, the request ends within one element of
                // a huge-page boundary, and takes less than one huge page more than asked.
                const size_t end = capacity * elementSize + 32;
                EXPECT_LT((kHugePageBytes - end % kHugePageBytes) % kHugePageBytes, elementSize);
                EXPECT_LT(end, count * elementSize + 32 + kHugePageBytes);
            }
        }
    }
    EXPECT_EQ(hugePageCapacity(SIZE_MAX / 8, 16), SIZE_MAX / 8);  // no overflow: as asked
}

TEST(HugePages, AGrowingArrayOnHugePagesKeepsEveryRecordAndZeroesTheRest) {
    const size_t length = size_t{3} << 20;  // 12 MiB
    GrowingArray<int32_t> values(length, length);
    for (size_t i = 0; i + 5 < length; ++i) {
        values.storeAt(i, static_cast<int32_t>(i));
    }
    const std::vector<int32_t> finished = values.finish();
    ASSERT_EQ(finished.size(), length);
    for (size_t i = 0; i < length; ++i) {
        ASSERT_EQ(finished[i], i + 5 < length ? static_cast<int32_t>(i) : 0) << i;
    }
}

}  // namespace
}  // namespace meshwright
