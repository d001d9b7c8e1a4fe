// Items formatted in chunks on two threads: the same bytes in the same order as on one, and a
// failure on either thread handed back once, with both threads stopped.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

#include "codegen/ordered_chunks.h"
#include "codegen/output.h"

namespace meshwright {
namespace {

// Item j: its number, then j % 7 lines, so that chunks differ in length.
void putNumberedItem(Output& out, int64_t j) {
    out.putInt(j);
    for (int64_t line = 0; line < j % 7; ++line) {
        out.putText(" a line\n");
    }
    out.putChar(';');
}

// Three chunks or more go to two threads here, so that short runs test the turns.
template <typename Item>
std::string itemsText(int threads, int64_t count, int64_t itemsPerChunk, Item item,
                      int64_t chunksForTwoThreads = 3) {
    StringSink sink;
    Output out(sink);
    out.setThreads(threads, chunksForTwoThreads);
    out.putText("before\n");
    putItems(out, count, itemsPerChunk, item);
    out.putText("after\n");
    out.flush();
    return sink.text;
}

TEST(OrderedChunks, TwoThreadsWriteEveryItemInItsPlace) {
    for (int64_t count : {0, 1, 5, 99, 100, 101, 1000, 12345}) {
        for (int64_t itemsPerChunk : {1, 7, 100}) {
            SCOPED_TRACE(std::to_string(count) + " items, " + std::to_string(itemsPerChunk) +
                         " per chunk");
            const std::string alone = itemsText(1, count, itemsPerChunk, putNumberedItem);
            EXPECT_EQ(itemsText(2, count, itemsPerChunk, putNumberedItem), alone);
            EXPECT_EQ(alone.substr(0, 8), "before\r\n");
            EXPECT_EQ(alone.substr(alone.size() - 7), "after\r\n");
        }
    }
}

TEST(OrderedChunks, EachFormattingThreadGetsAWriterOfItsOwn) {
    for (int threads : {1, 2}) {
        std::atomic<int> made = 0;
        std::atomic<int> shared = 0;
        // Each writer checks that the items it sees only ever grow: a writer shared by two
        // threads would see them out of order.
        auto makeWriter = [&] {
            ++made;
            return [&shared, last = int64_t{-1}](Output& out, int64_t j) mutable {
                shared += j <= last;
                last = j;
                putNumberedItem(out, j);
            };
        };
        EXPECT_EQ(itemsText(threads, 5000, 10, makeWriter),
                  itemsText(1, 5000, 10, putNumberedItem));
        EXPECT_EQ(made, threads);
        EXPECT_EQ(shared, 0);
    }
}

TEST(OrderedChunks, FewItemsStayOnOneThread) {
    std::atomic<int> made = 0;
    auto makeWriter = [&] {
        ++made;
        return putNumberedItem;
    };
    itemsText(2, 200, 100, makeWriter);  // two chunks: not worth a thread
    EXPECT_EQ(made, 1);
    // By default a run needs 16 chunks: a scene's many middling arrays stay on one thread.
    made = 0;
    itemsText(2, 1501, 100, makeWriter, Output::kChunksForTwoThreads);
    EXPECT_EQ(made, 2);
    made = 0;
    itemsText(2, 1500, 100, makeWriter, Output::kChunksForTwoThreads);
    EXPECT_EQ(made, 1);
}

TEST(OrderedChunks, AChunkLongerThanItsBufferStillComesInItsTurn) {
    // Every fifth item is 300 KB, so some chunks pass the 1 MiB a thread's buffer holds.
    auto putLongItem = [](Output& out, int64_t j) {
        putNumberedItem(out, j);
        if (j % 5 == 0) {
            out.putPlain(std::string(300'000, char('a' + j % 26)));
        }
    };
    EXPECT_EQ(itemsText(2, 60, 4, putLongItem), itemsText(1, 60, 4, putLongItem));
}

// Takes `room` bytes, then fails as a full disk does.
class FillingSink : public ByteSink {
  public:
    explicit FillingSink(size_t room) : room_(room) {}
    void write(const char*, size_t size) override {
        if (size > room_) {
            throw WriteError("No space left on device");
        }
        room_ -= size;
    }

  private:
    size_t room_;
};

TEST(OrderedChunks, AFailedWriteOnEitherThreadIsThrownAndStopsBoth) {
    // Chunks of about 2 KB, handed over by the two threads in turn: the disk fills during one
    // thread's chunk or the other's.
    for (size_t room : {size_t(0), size_t(10), size_t(3000), size_t(5000), size_t(40000)}) {
        SCOPED_TRACE(room);
        FillingSink sink(room);
        Output out(sink);
        out.setThreads(2);
        EXPECT_THROW(
            {
                putItems(out, 5000, 100, putNumberedItem);
                out.flush();
            },
            WriteError);
    }
}

TEST(OrderedChunks, AWriterFailingOnEitherThreadIsThrownAndStopsBoth) {
    for (int64_t failing : {0, 150, 250, 4999}) {
        SCOPED_TRACE(failing);
        StringSink sink;
        Output out(sink);
        out.setThreads(2);
        auto putOrFail = [failing](Output& o, int64_t j) {
            if (j == failing) {
                throw std::runtime_error("item " + std::to_string(j));
            }
            putNumberedItem(o, j);
        };
        try {
            putItems(out, 5000, 100, putOrFail);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()), "item " + std::to_string(failing));
        }
        // Nothing past the failed item's chunk reached the sink.
        EXPECT_EQ(sink.text.find(std::to_string(failing / 100 * 100 + 100) + ";"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace meshwright
