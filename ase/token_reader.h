// Cuts the input text into words: the only way the section readers see the file.
//
// Word grammar, applied to the bytes of the input in order:
//  - Text mode: CR LF is one line feed; a CR that no LF follows is an ordinary character; a byte
//    26 (Ctrl-Z) ends the input, and nothing after it is read.
//  - An input that opens with FF FE (UTF-16 LE) or FE FF (UTF-16 BE) is decoded first: each 16-bit
//    unit below 256 becomes that byte, any other becomes '?', a trailing odd byte is dropped and
//    the mark itself is not text. The text-mode rules then apply to the decoded bytes.
//  - Separators are exactly space, tab and line feed. Every other byte belongs to a word: a lone
//    CR, vertical tab, form feed, 128 to 255 all do.
//  - A NUL neither ends a word nor enters it: "ab\0c" is the word "abc", and a run of NULs between
//    separators is one empty word.
//  - A word keeps at most kMaxWordLength characters; the rest of it is read and dropped.
// Examples: "  *MESH_NUMVERTEX\t8\r\n" gives "*MESH_NUMVERTEX", "8", then the end of the input;
// "A:\r5" is one word; a last word with no separator after it is still delivered whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ase/byte_source.h"

namespace meshwright {

inline constexpr size_t kMaxWordLength = 4096;
// The size of the blocks the input is read in: the reader's one large buffer.
inline constexpr size_t kInputBlockSize = size_t{1} << 20;

// Where a reader's source starts: at the input's first byte, where a byte-order mark may choose
// UTF-16, or somewhere inside a byte-encoded text, whose bytes are taken as they are.
enum class TextStart { kInputStart, kInsideText };

class TokenReader {
  public:
    // Reads `source` in blocks of `blockSize` bytes (small sizes serve the tests).
    explicit TokenReader(ByteSource& source, size_t blockSize = kInputBlockSize,
                         TextStart start = TextStart::kInputStart);

    // The next word, or nullopt at the end of the input (and on every call after it). The view
    // stays valid until the next call. Throws ReadError when the source fails.
    std::optional<std::string_view> readToken();

    // Confines the words to the block whose opening "{" was the last word read, so that a reader
    // of the whole input reads that block alone: readToken delivers the block's words, nested
    // blocks included, then reports the end of the input at the "}" that closes it (consuming
    // it), and on every call after, until endBlock(). Braces count only as words of their own.
    void beginBlock();
    // Lifts the confinement. Returns true when the block's closing "}" was read, false when the
    // input ended first.
    bool endBlock();

    // When the next word opens with '"': consumes and returns the text between that quote and the
    // next one, blanks included ("Bip01 L Thigh"). A line end or the end of the input also closes
    // the text; NULs are dropped and kMaxWordLength characters kept, as in words. Otherwise, and
    // at the end of the input, nullopt and nothing is consumed. The view stays valid until the
    // next call.
    std::optional<std::string_view> readQuoted();

    // Moves past spaces, tabs and line feeds.
    void skipBlanks();

    // When the next '*' of the text at hand opens the word `keyword` (which starts with '*'), and
    // nothing before it but plain words and blanks (no brace, NUL or CR): moves past that word
    // and returns true, as reading the words up to it would. Otherwise false, and nothing moves.
    bool skipToKeyword(std::string_view keyword);

    // The byte length of the text after UTF-16 decoding (mark excluded), before the Ctrl-Z and
    // CR LF rules: what bounds how many records the input can hold. Known after the first call;
    // a source that can't tell its size ahead (a pipe) counts only the text read so far.
    uint64_t textSize() const { return textSize_; }
    // Whether textSize() was the whole input's from the start (a regular file, bytes in memory),
    // rather than a count of what has arrived so far. Known after the first call.
    bool sizeKnown() const { return sizeKnown_; }
    // When sizeKnown(): the text not yet cut into words, which bounds what is still to come.
    uint64_t textLeft() const {
        return textSize_ - textRead_ + static_cast<uint64_t>(end_ - position_);
    }

    // Whether seek() works: the text is the input's bytes (no UTF-16) and the source reads out of
    // order. Known after the first call.
    bool canSeek() const;
    // When the text is the input's bytes: how many bytes of it lie before the next unread byte
    // (after skipBlanks(), where the next word starts; after readToken(), where the word ended).
    uint64_t offset() const {
        return blockStart_ + static_cast<uint64_t>(position_ - block_.data());
    }
    // When canSeek(): goes on reading at `offset`, which must lie between two words (where a
    // word ended or the next one starts), as if every byte before it had been read. Inside a
    // confining block, the words passed over must hold no brace: the block's depth is kept as it
    // is. False, with nothing changed, when the source refuses.
    bool seek(uint64_t offset);
    // Inside a confining block: how many blocks opened inside it are still open.
    uint64_t openBlocks() const { return blockDepth_; }
    // When canSeek(): a source of the same input from `offset` on, for a reader on another thread
    // (made with TextStart::kInsideText); nullptr when the source can't give one.
    std::unique_ptr<ByteSource> openAt(uint64_t offset) const { return source_.openAt(offset); }

  private:
    enum class Encoding { kBytes, kUtf16Le, kUtf16Be };

    std::optional<std::string_view> countBrace(std::string_view word);
    bool refill();
    size_t readText(char* out);
    size_t readFirstText(char* out);
    size_t readBytes(char* out);
    size_t readUtf16(char* out);
    size_t cutAtControlZ(const char* text, size_t length);
    std::string_view finishSlowWord(const char* start);
    void appendToWord(const char* start, const char* end);

    ByteSource& source_;
    size_t blockSize_;
    std::vector<char> block_;  // text being cut into words, then a zero sentinel
    std::vector<char> raw_;    // UTF-16 only: bytes as read, before decoding
    size_t rawLength_ = 0;     // bytes in raw_ not yet decoded
    const char* position_ = nullptr;
    const char* end_ = nullptr;
    std::string word_;  // a word that crosses a block end or contains NULs
    Encoding encoding_ = Encoding::kBytes;
    bool started_ = false;
    bool sizeKnown_ = false;
    bool finished_ = false;  // no more text: the source is exhausted or a Ctrl-Z was met
    // A block ended in CR; the next one decides whether it is a line end.
    bool carriageReturnHeld_ = false;
    bool detectEncoding_ = true;  // false: the source starts inside a byte-encoded text
    uint64_t textRead_ = 0;
    uint64_t textSize_ = 0;
    // For byte-encoded text: the offset of block_'s first byte, and of the first byte of text
    // not yet in a block (a CR held back included).
    uint64_t blockStart_ = 0;
    uint64_t unreadOffset_ = 0;
    bool confined_ = false;     // beginBlock() was called and endBlock() not yet
    bool blockClosed_ = false;  // ... and the block's closing "}" has been read
    uint64_t blockDepth_ = 0;   // blocks open inside the confining one
};

}  // namespace meshwright
