// The output of a writer: pieces appended in order, every "\n" stored as CR LF, nothing added.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ase/conversion_error.h"
#include "codegen/real_text_memo.h"
#include "codegen/recycled_arrays.h"

namespace meshwright {

// A failed write of the output. what() is the system's reason ("No space left on device").
class WriteError : public ConversionError {
  public:
    using ConversionError::ConversionError;
};

// Where the output's bytes go: the job's file (written by the app), or a string.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Stores all `size` bytes or throws WriteError.
    virtual void write(const char* data, size_t size) = 0;
};

// Collects everything in a string: for tests and for in-memory conversions.
class StringSink : public ByteSink {
  public:
    void write(const char* data, size_t size) override { text.append(data, size); }
    std::string text;
};

class Output {
  public:
    explicit Output(ByteSink& sink, size_t capacity = 1 << 20);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Appends `text`, each "\n" as CR LF.
    void putText(std::string_view text) {
        // The writers' short literals (");\n", "\tglVertex3f(") are copied byte by byte, which the
        // compiler unrolls for a literal; longer ones go the way of the search for line ends.
        if (text.size() <= kShortText && 2 * kShortText <= buffer_.size() - used_) {
            char* to = buffer_.data() + used_;
            for (char c : text) {
                if (c == '\n') {
                    to = std::copy(kLineEnd.begin(), kLineEnd.end(), to);
                } else {
                    *to++ = c;
                }
            }
            used_ = size_t(to - buffer_.data());
            return;
        }
        putLongText(text);
    }
    // Appends one character ("\n" as CR LF).
    void putChar(char c) {
        if (c != '\n' && used_ < buffer_.size()) {
            buffer_[used_++] = c;
            return;
        }
        putCharSlowly(c);
    }
    // Appends `text`, which holds no "\n", as it is: number texts and the runs between line ends.
    void putPlain(std::string_view text) {
        assert(text.find('\n') == std::string_view::npos && "a line end needs putText");
        putBytes(text);
    }
    // Appends the first `length` bytes of `text`, which holds no "\n". The whole array may be
    // read: a copy of a fixed size is faster than one of the exact length.
    template <size_t kSize>
    void putPlainPrefix(const char (&text)[kSize], size_t length) {
        if (kSize <= buffer_.size() - used_) {
            std::memcpy(buffer_.data() + used_, text, kSize);
            used_ += length;
            return;
        }
        putRaw(text, length);
    }
    // `text` as the output stores it, each "\n" as CR LF: for pieces kept to be appended later
    // by putPlainPrefix.
    static std::string storedForm(std::string_view text) {
        std::string stored;
        for (char c : text) {
            if (c == '\n') {
                stored += kLineEnd;
            } else {
                stored += c;
            }
        }
        return stored;
    }
    // Appends the text of formatReal. Every real written is a float of the mesh.
    void putReal(float value);
    // The text putReal appends, written at `out` as formatReal writes it (for pieces that are
    // assembled before they are appended).
    char* realText(float value, char* out) { return realTexts_.format(value, out); }
    // Appends the text of formatInt: an index, a count, a draw count past 32 bits of a huge mesh.
    void putInt(int64_t value);
    // Hands everything buffered to the sink. Throws WriteError.
    void flush();
    // Where flushed bytes go: text made by other Outputs may be handed to it directly, after a
    // flush of this one.
    ByteSink& sink() { return sink_; }

    // How many threads may format the text of long runs of items (see putItems); 1 by default.
    int threads() const { return threads_; }
    // A run is formatted on two threads from `chunksForTwoThreads` chunks on: below that, what
    // each run costs to start (a thread, its buffers, cold caches) outweighs what it saves.
    void setThreads(int threads, int64_t chunksForTwoThreads = kChunksForTwoThreads) {
        threads_ = std::max(threads, 1);
        chunksForTwoThreads_ = std::max<int64_t>(chunksForTwoThreads, 1);
    }
    int64_t chunksForTwoThreads() const { return chunksForTwoThreads_; }
    // Measured on a scene of 100 objects of 5,000 faces: a run of 7 chunks was slower on two
    // threads than on one; 16 and more gain.
    static constexpr int64_t kChunksForTwoThreads = 16;

  private:
    static constexpr size_t kShortText = 16;
    // How every "\n" of the writers' text is stored: the generated code has CR LF line ends.
    static constexpr std::string_view kLineEnd = "\r\n";

    // Appends `bytes` as they are: plain text, or the stored form of a line end.
    void putBytes(std::string_view bytes) {
        if (bytes.size() <= buffer_.size() - used_) {
            std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
            return;
        }
        putRaw(bytes.data(), bytes.size());
    }
    void putLongText(std::string_view text);
    void putCharSlowly(char c);
    void putRaw(const char* data, size_t size);
    void makeRoom(size_t size);

    // Bytes not set ahead: a page of the buffer is only taken when text first reaches it, so a
    // large buffer that holds little text takes little memory.
    class Buffer {
      public:
        explicit Buffer(size_t size) : bytes_(RecycledBlocks::take(size)), size_(size) {}
        ~Buffer() { RecycledBlocks::giveBack(std::move(bytes_), size_); }
        Buffer(const Buffer&) = delete;
        Buffer& operator=(const Buffer&) = delete;
        char* data() { return bytes_.get(); }
        size_t size() const { return size_; }
        char& operator[](size_t index) { return bytes_[index]; }

      private:
        std::unique_ptr<char[]> bytes_;
        size_t size_;
    };

    ByteSink& sink_;
    RealTextMemo realTexts_;
    Buffer buffer_;
    size_t used_ = 0;
    int threads_ = 1;
    int64_t chunksForTwoThreads_ = kChunksForTwoThreads;
};

}  // namespace meshwright
