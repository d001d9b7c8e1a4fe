// Cuts the input into words, block by block, with the text-mode and UTF-16 rules applied per block.
#include "ase/token_reader.h"

#include <algorithm>
#include <cstring>

#include "ase/word_scan.h"

namespace meshwright {

namespace {

constexpr char kControlZ = 26;

// A CR followed by LF is a line end; any other CR is an ordinary byte of a word. The byte after
// a CR is always there to look at: the zero sentinel ends every block, and a CR that ends a block
// while more text may follow is held back for the next one.
bool isLineEndAt(const char* at) {
    return at[0] == '\r' && at[1] == '\n';
}

// Past the separators and line ends from `at`; stops at the first other byte, or at the sentinel.
const char* skipSeparators(const char* at) {
    for (;;) {
        at = findNonBlank(at);
        if (!isLineEndAt(at)) {
            return at;
        }
        at += 2;
    }
}

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// The end of the word's bytes that begin at `at`: the first separator, line end or NUL (the
// zero sentinel included). A lone CR belongs to the word.
const char* findWordEnd(const char* at) {
    for (;;) {
        at = findWordStop(at);
        if (*at != '\r' || at[1] == '\n') {
            return at;
        }
        ++at;
    }
}

}  // namespace

TokenReader::TokenReader(ByteSource& source, size_t blockSize, TextStart start)
    : source_(source),
      blockSize_(std::max<size_t>(blockSize, 2)),
      detectEncoding_(start == TextStart::kInputStart) {
    // Room for a CR held back from the previous block, for the sentinel and for the word scan's
    // reach past it.
    block_.resize(blockSize_ + 2 + kWordScanPadding);
    position_ = end_ = block_.data();
    word_.reserve(kMaxWordLength);
}

std::optional<std::string_view> TokenReader::readToken() {
    if (blockClosed_) [[unlikely]] {
        return std::nullopt;
    }
    const char* start = skipSeparators(position_);
    position_ = start;
    if (start == end_) {
        skipBlanks();  // across block ends
        if (position_ == end_) {
            return std::nullopt;
        }
        start = position_;
    }
    const char* scan = findWordEnd(start);
    if (*scan == '\0') {
        // A NUL inside the word, or the end of the block: the word is gathered in word_.
        position_ = scan;
        return countBrace(finishSlowWord(start));
    }
    position_ = scan;
    size_t length = std::min(static_cast<size_t>(scan - start), kMaxWordLength);
    // Tested here rather than in a wrapper: a call more per word costs a tenth of the reading.
    if (confined_ && length == 1) [[unlikely]] {
        return countBrace(std::string_view(start, length));
    }
    return std::string_view(start, length);
}

std::optional<std::string_view> TokenReader::countBrace(std::string_view word) {
    if (!confined_ || word.size() != 1) {
        return word;
    }
    if (word.front() == '{') {
        ++blockDepth_;
    } else if (word.front() == '}') {
        if (blockDepth_ == 0) {
            blockClosed_ = true;
            return std::nullopt;
        }
        --blockDepth_;
    }
    return word;
}

void TokenReader::beginBlock() {
    confined_ = true;
    blockClosed_ = false;
    blockDepth_ = 0;
}

bool TokenReader::endBlock() {
    const bool closed = blockClosed_;
    confined_ = false;
    blockClosed_ = false;
    return closed;
}

std::optional<std::string_view> TokenReader::readQuoted() {
    if (blockClosed_) {
        return std::nullopt;
    }
    skipBlanks();
    if (position_ == end_ || *position_ != '"') {
        return std::nullopt;
    }
    ++position_;
    word_.clear();
    // Names are short: byte by byte is fast enough, and it crosses block ends simply.
    for (;;) {
        if (position_ == end_) {
            if (!refill()) {
                break;
            }
            continue;
        }
        const char c = *position_;
        if (c == '\n' || isLineEndAt(position_)) {
            break;  // left for the next read, as the separator it is
        }
        ++position_;
        if (c == '"') {
            break;
        }
        if (c != '\0' && word_.size() < kMaxWordLength) {
            word_.push_back(c);
        }
    }
    return std::string_view(word_);
}

void TokenReader::skipBlanks() {
    for (;;) {
        position_ = skipSeparators(position_);
        if (position_ != end_ || !refill()) {
            return;
        }
    }
}

// The words before the keyword hold no '*', so none of them is a keyword, and no brace, so the
// depth of blocks stays; without CR or NUL, blanks alone part them.
bool TokenReader::skipToKeyword(std::string_view keyword) {
    const char* star = findStarOrBreak(position_);
    if (*star != '*' || star == position_ || static_cast<size_t>(end_ - star) <= keyword.size() ||
        std::memcmp(star, keyword.data(), keyword.size()) != 0) {
        return false;
    }
    const char* after = star + keyword.size();
    if (!isSeparator(star[-1]) || !isSeparator(*after)) {
        return false;
    }
    position_ = after;
    return true;
}

// Called with position_ at a NUL or at the end of the block, `start` at the word's first byte.
std::string_view TokenReader::finishSlowWord(const char* start) {
    word_.clear();
    const char* scan = position_;
    for (;;) {
        appendToWord(start, scan);
        if (scan != end_) {
            if (*scan != '\0') {
                break;  // a separator or a line end
            }
            ++scan;  // a NUL: it neither ends the word nor enters it
        } else if (!refill()) {
            scan = end_;  // the word ran into the end of the input; it is still a word
            break;
        } else {
            scan = position_;
        }
        start = scan;
        scan = findWordEnd(scan);
    }
    position_ = scan;
    return word_;
}

void TokenReader::appendToWord(const char* start, const char* end) {
    size_t room = kMaxWordLength - word_.size();
    word_.append(start, std::min(static_cast<size_t>(end - start), room));
}

bool TokenReader::canSeek() const {
    return started_ && encoding_ == Encoding::kBytes && sizeKnown_;
}

bool TokenReader::seek(uint64_t offset) {
    if (!canSeek() || !source_.seek(offset)) {
        return false;
    }
    textRead_ = offset;
    blockStart_ = offset;
    unreadOffset_ = offset;
    finished_ = false;  // a Ctrl-Z past `offset` is met again
    carriageReturnHeld_ = false;
    block_[0] = '\0';
    position_ = end_ = block_.data();
    return true;
}

// Makes the next block of text current. Returns false when no text is left.
bool TokenReader::refill() {
    for (;;) {
        char* text = block_.data();
        size_t length = 0;
        blockStart_ = unreadOffset_;  // a CR held back stands there
        if (carriageReturnHeld_) {
            text[length++] = '\r';
            carriageReturnHeld_ = false;
        }
        if (!finished_) {
            size_t got = readText(text + length);
            length += cutAtControlZ(text + length, got);
        }
        // A CR at the very end may be the first half of a CR LF split between two reads.
        if (!finished_ && length > 0 && text[length - 1] == '\r') {
            carriageReturnHeld_ = true;
            --length;
        }
        unreadOffset_ = blockStart_ + length;  // past a Ctrl-Z, nothing is text
        text[length] = '\0';
        position_ = text;
        end_ = text + length;
        if (length > 0) {
            return true;
        }
        if (finished_ && !carriageReturnHeld_) {
            return false;
        }
    }
}

// Returns how much of `text` comes before a Ctrl-Z; meeting one ends the input.
size_t TokenReader::cutAtControlZ(const char* text, size_t length) {
    const void* controlZ = std::memchr(text, kControlZ, length);
    if (controlZ == nullptr) {
        return length;
    }
    finished_ = true;
    return static_cast<size_t>(static_cast<const char*>(controlZ) - text);
}

// Puts up to blockSize_ bytes of decoded text at `out`; sets finished_ when the source is
// exhausted. May return 0 without finishing (half a UTF-16 unit arrived).
size_t TokenReader::readText(char* out) {
    size_t got = !started_                       ? readFirstText(out)
                 : encoding_ == Encoding::kBytes ? readBytes(out)
                                                 : readUtf16(out);
    textRead_ += got;
    textSize_ = std::max(textSize_, textRead_);
    return got;
}

// The first read also decides the encoding: a byte-order mark needs two bytes, and a short read
// (a pipe) may deliver fewer.
size_t TokenReader::readFirstText(char* out) {
    started_ = true;
    size_t got = 0;
    while (got < 2) {
        size_t more = source_.read(out + got, blockSize_ - got);
        if (more == 0) {
            break;
        }
        got += more;
    }
    unsigned char first = got >= 2 ? static_cast<unsigned char>(out[0]) : 0;
    unsigned char second = got >= 2 ? static_cast<unsigned char>(out[1]) : 0;
    uint64_t size = source_.size();
    sizeKnown_ = size > 0;
    const bool marked = (first == 0xFF && second == 0xFE) || (first == 0xFE && second == 0xFF);
    if (detectEncoding_ && marked) {
        encoding_ = first == 0xFF ? Encoding::kUtf16Le : Encoding::kUtf16Be;
        textSize_ = size >= 2 ? (size - 2) / 2 : 0;
        raw_.resize(blockSize_ + 1);
        rawLength_ = got - 2;
        std::memcpy(raw_.data(), out + 2, rawLength_);
        return readUtf16(out);
    }
    textSize_ = size;
    if (got == 0) {
        finished_ = true;
    }
    return got;
}

size_t TokenReader::readBytes(char* out) {
    size_t got = source_.read(out, blockSize_);
    if (got == 0) {
        finished_ = true;
    }
    return got;
}

// Decodes whole 16-bit units of raw_; an odd byte waits in raw_ for its other half, and is
// dropped when the source ends first.
size_t TokenReader::readUtf16(char* out) {
    if (rawLength_ < 2) {
        size_t got = source_.read(raw_.data() + rawLength_, blockSize_);
        if (got == 0) {
            finished_ = true;
            return 0;
        }
        rawLength_ += got;
    }
    const auto* raw = reinterpret_cast<const unsigned char*>(raw_.data());
    size_t units = rawLength_ / 2;
    int high = encoding_ == Encoding::kUtf16Le ? 1 : 0;
    for (size_t i = 0; i < units; ++i) {
        unsigned unit = raw[2 * i + high] << 8 | raw[2 * i + 1 - high];
        out[i] = unit < 256 ? static_cast<char>(unit) : '?';
    }
    if (rawLength_ % 2 != 0) {
        raw_[0] = raw_[rawLength_ - 1];
    }
    rawLength_ %= 2;
    return units;
}

}  // namespace meshwright
