// The cache of number-group texts: whatever it keeps, the bytes are those of
// putTriple / putPair.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "codegen/array_text.h"
#include "codegen/group_text_cache.h"

namespace meshwright {
namespace {

// The text of `values` written group by group at `places`, through the cache or
// directly.
std::string throughCache(GroupTextCache::Shape shape, const std::vector<Vec3f>& values,
                         const std::vector<int64_t>& places, int64_t placeCount,
                         size_t capacity = 1 << 16, GroupTextCache::Frame frame = {}) {
    StringSink sink;
    Output out(sink, capacity);
    GroupTextCache cache(shape, placeCount, frame);
    for (size_t i = 0; i < values.size(); ++i) {
        cache.put(out, places[i], values[i]);
        out.putChar(';');
    }
    out.flush();
    return sink.text;
}

std::string directly(GroupTextCache::Shape shape, const std::vector<Vec3f>& values,
                     GroupTextCache::Frame frame = {}) {
    StringSink sink;
    Output out(sink);
    for (const Vec3f& value : values) {
        out.putText(frame.before);
        shape == GroupTextCache::Shape::kTriple ? putTriple(out, value) : putPair(out, value);
        out.putText(frame.after);
        out.putChar(';');
    }
    out.flush();
    return sink.text;
}

// Values of every text length: zeros of both signs, short and 17-digit fixed
// forms, exponent forms, infinities, and huge values whose groups are too long
// to keep.
std::vector<float> samples() {
    const float huge = std::numeric_limits<float>::max();
    return {0.0f,
            -0.0f,
            1.0f,
            -0.5f,
            0.1f,
            -12.3456f,
            0.0999999940395355f,
            1e-7f,
            -1e-40f,
            100.0f,
            123456.789f,
            1e20f,
            -huge,
            huge,
            std::numeric_limits<float>::infinity(),
            -std::numeric_limits<float>::infinity()};
}

TEST(GroupTextCache, RepeatedAndCollidingGroupsWriteExactlyTheirOwnText) {
    const std::vector<float> pool = samples();
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
    // Few places for many values: the same place comes back with other values,
    // and places far apart share slots once there are more places than slots.
    for (int64_t placeCount : {int64_t(5), int64_t(100000)}) {
        std::uniform_int_distribution<int64_t> place(0, placeCount - 1);
        std::vector<Vec3f> values;
        std::vector<int64_t> places;
        for (int i = 0; i < 20000; ++i) {
            values.push_back({pool[pick(random)], pool[pick(random)], pool[pick(random)]});
            places.push_back(place(random));
        }
        // Bare groups, array entries, and the longest frame a writer gives.
        const GroupTextCache::Frame frames[] = {{}, {"\t", ",\n"}, {"\tglNormal3f(", ");\n"}};
        for (auto shape : {GroupTextCache::Shape::kTriple, GroupTextCache::Shape::kPair}) {
            for (const GroupTextCache::Frame& frame : frames) {
                EXPECT_EQ(throughCache(shape, values, places, placeCount, 1 << 16, frame),
                          directly(shape, values, frame))
                    << "places " << placeCount << ", frame " << frame.before;
            }
        }
    }
}

TEST(GroupTextCache, PairsIgnoreTheThirdValue) {
    // A texture vertex's w is never written, so it must not make two equal pairs
    // differ, nor a kept pair stand for one with other u, v.
    const std::vector<Vec3f> values = {
        {0.25f, 0.5f, 0.0f}, {0.25f, 0.5f, 9.0f}, {0.5f, 0.25f, 9.0f}};
    const std::vector<int64_t> places = {3, 3, 3};
    EXPECT_EQ(throughCache(GroupTextCache::Shape::kPair, values, places, 4),
              "0.25,0.5;0.25,0.5;0.5,0.25;");
}

TEST(GroupTextCache, KeptTextsStraddleFlushesOfASmallBuffer) {
    const std::vector<Vec3f> values(50, Vec3f{-0.70710676908493042f, 0.05f, -36.2846f});
    const std::vector<int64_t> places(50, 1);
    EXPECT_EQ(throughCache(GroupTextCache::Shape::kTriple, values, places, 2, 64),
              directly(GroupTextCache::Shape::kTriple, values));
}

TEST(GroupTextCache, ACacheMadeAfterOneOfTheOtherShapeKeepsNoneOfItsTexts) {
    // The slots of a cache that ended go to the next one made of the same size. A pair (1, 2)
    // has the key of the triple (1, 2, 0), so a kept pair text would stand for the triple.
    const std::vector<Vec3f> values = {{1.0f, 2.0f, 0.0f}, {1.0f, 2.0f, 0.0f}};
    const std::vector<int64_t> places = {5, 5};
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(throughCache(GroupTextCache::Shape::kPair, values, places, 8),
                  directly(GroupTextCache::Shape::kPair, values));
        EXPECT_EQ(throughCache(GroupTextCache::Shape::kTriple, values, places, 8),
                  directly(GroupTextCache::Shape::kTriple, values));
    }
    // Nor does a cache keep the texts of one with another frame.
    const GroupTextCache::Frame entry{"\t", ",\n"};
    EXPECT_EQ(throughCache(GroupTextCache::Shape::kPair, values, places, 8, 1 << 16, entry),
              directly(GroupTextCache::Shape::kPair, values, entry));
    EXPECT_EQ(throughCache(GroupTextCache::Shape::kPair, values, places, 8),
              directly(GroupTextCache::Shape::kPair, values));
}

// An array block through the cache is the block of plainly written entries, the last one
// without its ",", on one thread and on two.
TEST(GroupTextCache, ArrayBlocksThroughTheCacheAreThoseWrittenPlainly) {
    std::vector<Vec3f> points;
    for (int i = 0; i < 300; ++i) {
        points.push_back({0.1f * float(i % 7), -float(i % 13), 1e-3f * float(i)});
    }
    auto placeOf = [](int64_t j) { return int32_t(j * 7 % 300); };
    auto valueOf = [&](int64_t, int32_t place) { return points[size_t(place)]; };
    for (int threads : {1, 2}) {
        for (int64_t count : {0, 1, 2, 3, 5000}) {
            for (auto shape : {GroupTextCache::Shape::kTriple, GroupTextCache::Shape::kPair}) {
                StringSink cachedSink;
                StringSink plainSink;
                Output cached(cachedSink, 256);
                Output plain(plainSink, 256);
                cached.setThreads(threads, 1);
                putArrayBlockCachedByPlace(cached, "\tdouble A[] = {\n", count, shape, 300, placeOf,
                                           valueOf);
                putArrayBlock(plain, "\tdouble A[] = {\n", count, [&](Output& o, int64_t j) {
                    const Vec3f value = valueOf(j, placeOf(j));
                    shape == GroupTextCache::Shape::kTriple ? putTriple(o, value)
                                                            : putPair(o, value);
                });
                cached.flush();
                plain.flush();
                EXPECT_EQ(cachedSink.text, plainSink.text) << threads << " threads, " << count;
            }
        }
    }
}

}  // namespace
}  // namespace meshwright
