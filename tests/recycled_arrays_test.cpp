// Scratch arrays and blocks are handed from one user to the next, a few at most kept between them.
#include "codegen/recycled_arrays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace meshwright {
namespace {

// A type of its own, so that no other test's arrays are in its pool.
struct Element {
    int value = 0;
};
using Pool = RecycledArrays<Element>;

TEST(RecycledArrays, AnArrayGivenBackIsTakenAgainAsItWasLeft) {
    std::vector<Element> first = Pool::take(100);
    ASSERT_EQ(first.size(), 100u);
    EXPECT_EQ(first[7].value, 0);  // a new array: every element T{}
    first[7].value = 42;
    const Element* memory = first.data();
    Pool::giveBack(std::move(first));

    std::vector<Element> other = Pool::take(50);  // another length: a new array
    EXPECT_NE(other.data(), memory);
    EXPECT_EQ(other[7].value, 0);

    std::vector<Element> again = Pool::take(100);
    EXPECT_EQ(again.data(), memory);
    EXPECT_EQ(again[7].value, 42);
    EXPECT_NE(Pool::take(100).data(), memory);  // taken: not handed out twice
}

TEST(RecycledArrays, OnlyAFewArraysAreKept) {
    std::vector<std::vector<Element>> waiting;
    for (int i = 0; i < 10; ++i) {
        waiting.push_back(Pool::take(7));
        waiting.back()[0].value = i + 1;
    }
    for (auto& array : waiting) {
        Pool::giveBack(std::move(array));
    }
    int kept = 0;
    for (int i = 0; i < 10; ++i) {
        kept += Pool::take(7)[0].value != 0;  // a new array's elements are all T{}
    }
    EXPECT_EQ(kept, 4);  // the rest were freed when given back
}

TEST(RecycledBlocks, ABlockGivenBackIsTakenAgainByTheNextOfItsSize) {
    // An odd size of its own: no Output's buffer shares it.
    constexpr size_t kSize = 12345;
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < 6; ++i) {
        blocks.push_back(RecycledBlocks::take(kSize));
        blocks.back()[0] = char('a' + i);
    }
    for (auto& block : blocks) {
        RecycledBlocks::giveBack(std::move(block), kSize);
    }
    std::string firstBytes;
    for (int i = 0; i < 4; ++i) {
        firstBytes += RecycledBlocks::take(kSize)[0];
    }
    std::sort(firstBytes.begin(), firstBytes.end());
    EXPECT_EQ(firstBytes, "abcd");  // the first four given back were kept, as they were
}

}  // namespace
}  // namespace meshwright
