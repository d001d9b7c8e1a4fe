// Reads the second half of a long list on a thread of its own, while the reader of the whole
// input goes through the first: the two halves of the list's records are parsed at once.
//
// The scout starts somewhere inside the list's text, passes over words up to the first record
// label, and from that record on stores what it reads at the record numbers that follow the first
// one's (its index, or a face's number). It stops at the list's count, at the first word that is
// not the label where a record should open, at a record whose index is not its number, at
// anything the reader of the whole input would reject, and at the end of the input. The reader
// of the whole input, on reaching that first record, checks that it stands at the very byte the
// scout started from, and then takes the scout's records as its own and goes on after them:
// records are read from the same words by the same functions, so they are the same records, and
// whatever the scout did not take is read (or rejected) as it would have been.
//
// The reader of the whole input may be confined to a block (a scene's object), where braces
// count: it passes over the scout's records without reading their words. So the scout counts
// braces too and takes no record after which a block it opened is still open, and none past a
// "}" that it did not see opened; a block opened and closed inside one record changes nothing
// for either reader.
#pragma once

#include <atomic>
#include <cstdint>
#include <latch>
#include <memory>
#include <string_view>
#include <thread>

#include "ase/byte_source.h"
#include "ase/list_records.h"
#include "ase/token_reader.h"

namespace meshwright {

template <typename List>
class ListScout {
  public:
    // Reads `source`, which starts `base` bytes into the input's text, looking for records past
    // number `after` (already read by the caller) and below `count`; stores them in `targets`
    // once targetsFilled() says the arrays have their length. Meanwhile it gets the pages of
    // records `expectedFirst` on ready, which is about where it will start.
    ListScout(std::unique_ptr<ByteSource> source, uint64_t base, size_t blockSize,
              std::string_view label, int32_t after, int32_t count, const ListNames& names,
              typename List::Targets targets, int32_t expectedFirst)
        : source_(std::move(source)),
          base_(base),
          blockSize_(blockSize),
          label_(label),
          after_(after),
          count_(count),
          names_(names),
          targets_(targets),
          expectedFirst_(expectedFirst),
          thread_([this] { run(); }) {}

    ListScout(const ListScout&) = delete;
    ListScout& operator=(const ListScout&) = delete;
    ~ListScout() { stop(); }

    // Waits until the scout has found its first record, which it takes only after
    // targetsFilled(); false when it found none (and stores nothing). Then first() is that record's
    // number and firstOffset() where its label starts.
    bool found() {
        started_.wait();
        return first_ >= 0;
    }
    int32_t first() const { return first_; }
    uint64_t firstOffset() const { return firstOffset_; }

    // Waits for the scout to end. Then it has stored records first() to first() + stored() - 1,
    // and the last of them ends endOffset() bytes into the text.
    void finish() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    int32_t stored() const { return stored_; }
    uint64_t endOffset() const { return endOffset_; }

    // The arrays behind the targets have their whole length: the scout may store.
    void targetsFilled() { settleTargets(TargetsState::kFilled); }

    // Asks the scout to end soon, and waits for it. A scout still waiting for its targets stores
    // nothing.
    void stop() {
        stopRequested_.store(true, std::memory_order_relaxed);
        settleTargets(TargetsState::kWithdrawn);
        finish();
    }

    // Stops the scout and sets every element it stored back to zero, as nothing had stored it.
    void giveUp() {
        stop();
        if (first_ >= 0) {
            List::clear(targets_, static_cast<size_t>(first_),
                        static_cast<size_t>(first_) + static_cast<size_t>(stored_));
        }
        stored_ = 0;
    }

  private:
    // Records between two looks at a stop request: a wasted stretch stays short.
    static constexpr int32_t kRecordsBetweenStopChecks = 256;
    // Words passed over before the first label, at most: a list's records are short.
    static constexpr int kWordsBeforeFirstLabel = 64;

    enum class TargetsState { kPending, kFilled, kWithdrawn };

    // The first word settles it: filled, then withdrawn by a later stop(), stays filled.
    void settleTargets(TargetsState state) {
        TargetsState pending = TargetsState::kPending;
        if (targetsState_.compare_exchange_strong(pending, state)) {
            targetsState_.notify_all();
        }
    }

    bool awaitTargets() {
        targetsState_.wait(TargetsState::kPending);
        return targetsState_.load() == TargetsState::kFilled;
    }

    void run() {
        if (expectedFirst_ > after_) {
            List::populate(targets_, static_cast<size_t>(expectedFirst_),
                           static_cast<size_t>(count_));
        }
        try {
            TokenReader reader(*source_, blockSize_, TextStart::kInsideText);
            reader.beginBlock();  // a "}" not opened after the start ends the words
            RecordWords words(reader);
            if (findFirst(reader, words)) {
                readOn(reader, words);
            }
        } catch (...) {
            // Whatever went wrong is met again, and told, by the reader of the whole input.
        }
        if (first_ < 0) {
            started_.count_down();
        }
    }

    bool findFirst(TokenReader& reader, RecordWords& words) {
        for (int word = 0; word < kWordsBeforeFirstLabel; ++word) {
            reader.skipBlanks();
            const uint64_t at = reader.offset();
            std::optional<std::string_view> read = reader.readToken();
            if (!read) {
                return false;
            }
            if (*read == label_) {
                return reader.openBlocks() == 0 && takeFirst(reader, words, at);
            }
        }
        return false;
    }

    bool takeFirst(TokenReader& reader, RecordWords& words, uint64_t labelAt) {
        const RecordPlace place{names_, 0, count_};
        int32_t number = 0;
        typename List::Record record;
        if constexpr (List::kIndexed) {
            record = List::readBody(words, place);
            number = List::indexOf(record);
        } else {
            number = List::readNumber(words, place);
            record = List::readBody(words, place);
        }
        if (number <= after_ || number >= count_ || reader.openBlocks() != 0 || !awaitTargets()) {
            return false;
        }
        firstOffset_ = base_ + labelAt;
        first_ = number;
        started_.count_down();
        List::store(targets_, static_cast<size_t>(number), record);
        stored_ = 1;
        endOffset_ = base_ + reader.offset();
        return true;
    }

    // The count and the end are kept in locals while reading and published once: the reader of
    // the whole input looks at first_ after every record it reads, and a store per record to the
    // same cache line made the two cores pass it to and fro, slowing both by a sixth.
    void readOn(TokenReader& reader, RecordWords& words) {
        int32_t stored = stored_;
        uint64_t endOffset = endOffset_;
        try {
            readRecordsOn(reader, words, stored, endOffset);
        } catch (...) {
            stored_ = stored;  // what was read before the fault stays the scout's
            endOffset_ = endOffset;
            throw;
        }
        stored_ = stored;
        endOffset_ = endOffset;
    }

    void readRecordsOn(TokenReader& reader, RecordWords& words, int32_t& stored,
                       uint64_t& endOffset) {
        const RecordPlace place{names_, 0, count_};
        for (int32_t number = first_ + 1; number < count_; ++number) {
            if (number % kRecordsBetweenStopChecks == 0 &&
                stopRequested_.load(std::memory_order_relaxed)) {
                return;
            }
            std::optional<std::string_view> label = reader.readToken();
            if (!label || *label != label_) {
                return;
            }
            if constexpr (!List::kIndexed) {
                List::readNumber(words, place);
            }
            const typename List::Record record = List::readBody(words, place);
            if constexpr (List::kIndexed) {
                if (List::indexOf(record) != number) {
                    return;
                }
            }
            if (reader.openBlocks() != 0) {
                return;
            }
            List::store(targets_, static_cast<size_t>(number), record);
            ++stored;
            endOffset = base_ + reader.offset();
        }
    }

    std::unique_ptr<ByteSource> source_;
    uint64_t base_;
    size_t blockSize_;
    std::string_view label_;
    int32_t after_;
    int32_t count_;
    const ListNames& names_;
    typename List::Targets targets_;
    int32_t expectedFirst_;

    std::atomic<TargetsState> targetsState_{TargetsState::kPending};
    std::latch started_{1};
    std::atomic<bool> stopRequested_{false};
    int32_t first_ = -1;  // set before started_ opens
    uint64_t firstOffset_ = 0;
    int32_t stored_ = 0;  // read only after the thread ended
    uint64_t endOffset_ = 0;

    std::thread thread_;  // last: it starts once everything above is ready
};

}  // namespace meshwright
