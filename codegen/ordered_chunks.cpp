// Two threads format chunks of items in turn, each into an Output of its own, and each hands its
// chunk to the sink itself once the chunk before it is there, so the order is the items' order.
//
// A thread takes the next chunk as soon as it has handed over its last one, so each holds at most
// one chunk of text and neither waits for longer than the other takes to hand over one chunk.
#include "codegen/ordered_chunks.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace meshwright {
namespace {

// Keeps what its Output flushes until the chunk's turn comes, then passes everything on. A
// chunk's text fits its Output's buffer, so nothing is normally kept: the buffer goes to the sink
// as it is.
class TurnSink : public ByteSink {
  public:
    explicit TurnSink(ByteSink& sink) : sink_(sink) {}
    void write(const char* data, size_t size) override {
        if (passing_) {
            sink_.write(data, size);
        } else {
            held_.insert(held_.end(), data, data + size);
        }
    }
    void pass() {
        passing_ = true;
        if (!held_.empty()) {
            sink_.write(held_.data(), held_.size());
            held_.clear();
        }
    }
    void hold() { passing_ = false; }

  private:
    ByteSink& sink_;
    std::vector<char> held_;
    bool passing_ = false;
};

// One formatting thread's tools: its writer, and an Output of its own, with its own memo of
// number texts.
struct ChunkMaker {
    ChunkMaker(RangeWriter writer, ByteSink& sink)
        : write(std::move(writer)), turn(sink), out(turn, kBuffer) {}
    // Room for a chunk's text many times over: pages are only taken as the text reaches them.
    static constexpr size_t kBuffer = size_t(1) << 20;
    RangeWriter write;
    TurnSink turn;
    Output out;
};

class ChunkPipeline {
  public:
    ChunkPipeline(Output& out, int64_t count, int64_t itemsPerChunk)
        : out_(out),
          count_(count),
          itemsPerChunk_(itemsPerChunk),
          chunks_((count + itemsPerChunk - 1) / itemsPerChunk) {}

    void run(const std::function<RangeWriter()>& makeWriter) {
        out_.flush();  // the text before the items goes first
        // Both writers are made here, so makeWriter never runs on two threads at once.
        ChunkMaker own(makeWriter(), out_.sink());
        std::thread helper;
        try {
            helper = std::thread([this, writer = makeWriter()]() mutable {
                ChunkMaker maker(std::move(writer), out_.sink());
                makeChunks(maker);
            });
        } catch (const std::system_error&) {
            // No second thread to be had: this one makes every chunk, as it would alone.
        }
        makeChunks(own);
        if (helper.joinable()) {
            helper.join();
        }
        if (error_) {
            std::rethrow_exception(error_);
        }
    }

  private:
    // Takes chunk after chunk, and hands each over in its turn, until none is left or the other
    // thread failed.
    void makeChunks(ChunkMaker& maker) {
        try {
            while (true) {
                int64_t chunk = 0;
                {
                    std::lock_guard lock(mutex_);
                    if (error_ || taken_ == chunks_) {
                        return;
                    }
                    chunk = taken_++;
                }
                const int64_t begin = chunk * itemsPerChunk_;
                maker.turn.hold();
                maker.write(maker.out, begin, std::min(count_, begin + itemsPerChunk_));
                if (!awaitTurn(chunk)) {
                    return;
                }
                maker.turn.pass();
                maker.out.flush();
                std::lock_guard lock(mutex_);
                handedOver_.store(handedOver_.load(std::memory_order_relaxed) + 1,
                                  std::memory_order_release);
                turnChanged_.notify_all();
            }
        } catch (...) {
            stop(std::current_exception());
        }
    }

    // False when the other thread failed: its chunk will never come. The turn usually comes
    // within the time the other thread takes to hand over a chunk, a few tens of microseconds: it
    // is awaited awake for a while first, since putting the thread to sleep and waking it again
    // costs about as much on a virtual machine, at every chunk.
    bool awaitTurn(int64_t chunk) {
        const auto giveUpSpinning = std::chrono::steady_clock::now() + kSpinAtMost;
        while (std::chrono::steady_clock::now() < giveUpSpinning) {
            for (int look = 0; look < kLooksBetweenClockReads; ++look) {
                if (handedOver_.load(std::memory_order_acquire) == chunk ||
                    failed_.load(std::memory_order_relaxed)) {
                    std::lock_guard lock(mutex_);  // orders this thread after the hand-over
                    return !error_;
                }
                pause();
            }
        }
        std::unique_lock lock(mutex_);
        turnChanged_.wait(lock, [&] { return error_ || handedOver_ == chunk; });
        return !error_;
    }

    static void pause() {
#if defined(__SSE2__)
        _mm_pause();
#endif
    }

    // The first failure wins; the other thread sees it at its next step and stops.
    void stop(std::exception_ptr error) {
        std::lock_guard lock(mutex_);
        if (!error_) {
            error_ = error;
            failed_.store(true, std::memory_order_relaxed);
        }
        turnChanged_.notify_all();
    }

    Output& out_;
    const int64_t count_;
    const int64_t itemsPerChunk_;
    const int64_t chunks_;
    std::mutex mutex_;
    std::condition_variable turnChanged_;
    int64_t taken_ = 0;                    // chunks a thread has started
    std::atomic<int64_t> handedOver_ = 0;  // chunks the sink has; changed under mutex_
    std::exception_ptr error_;
    std::atomic<bool> failed_ = false;  // error_ is set: read without the lock while awaiting
    static constexpr auto kSpinAtMost = std::chrono::microseconds(50);
    static constexpr int kLooksBetweenClockReads = 64;
};

}  // namespace

void putOrderedChunks(Output& out, int64_t count, int64_t itemsPerChunk,
                      const std::function<RangeWriter()>& makeWriter) {
    ChunkPipeline(out, count, itemsPerChunk).run(makeWriter);
}

}  // namespace meshwright
