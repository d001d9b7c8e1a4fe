// Words from text: separators, line ends, Ctrl-Z, NUL, long words, UTF-16, failing reads.
#include "ase/token_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/file_source.h"

namespace meshwright {
namespace {

using namespace std::string_literals;

// Block sizes that put block ends inside words, inside CR LF pairs and inside UTF-16 units.
const size_t kBlockSizes[] = {1, 2, 3, 5, 8, 64, 1 << 20};

std::vector<std::string> readWords(ByteSource& source, size_t blockSize) {
    TokenReader reader(source, blockSize);
    std::vector<std::string> words;
    while (std::optional<std::string_view> word = reader.readToken()) {
        words.emplace_back(*word);
    }
    return words;
}

std::vector<std::string> readWords(const std::string& text, size_t blockSize) {
    MemorySource source(text);
    return readWords(source, blockSize);
}

// Delivers at most `chunk` bytes per read and can't tell its size, like a pipe.
class TrickleSource : public ByteSource {
  public:
    TrickleSource(std::string bytes, size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
    size_t read(char* destination, size_t capacity) override {
        size_t count = std::min({capacity, chunk_, bytes_.size() - position_});
        bytes_.copy(destination, count, position_);
        position_ += count;
        return count;
    }
    uint64_t size() const override { return 0; }

  private:
    std::string bytes_;
    size_t chunk_;
    size_t position_ = 0;
};

// Gives its bytes, then fails the way a disk does.
class FailingSource : public MemorySource {
  public:
    using MemorySource::MemorySource;
    size_t read(char* destination, size_t capacity) override {
        size_t count = MemorySource::read(destination, capacity);
        if (count == 0) {
            throw ReadError("Input/output error");
        }
        return count;
    }
};

struct WordCase {
    const char* name;
    std::string text;
    std::vector<std::string> words;
};

const WordCase kWordCases[] = {
    {"BlanksTabsAndCarriageReturnLineFeedSeparate",
     "  *MESH_NUMVERTEX\t8\r\n9",
     {"*MESH_NUMVERTEX", "8", "9"}},
    {"SeparatorsAtTheStartAreSkipped", "\n\t \r\n a b", {"a", "b"}},
    {"LastWordWithoutSeparatorIsDelivered", "a bc", {"a", "bc"}},
    {"EmptyInputHasNoWords", "", {}},
    {"OnlySeparatorsHaveNoWords", " \t\n\r\n\n", {}},
    {"LoneCarriageReturnStaysInsideTheWord",
     "A:\r5 *MESH_VERTEX\r x",
     {"A:\r5", "*MESH_VERTEX\r", "x"}},
    {"CarriageReturnBeforeCarriageReturnLineFeedIsAWord", "a\r\r\nb", {"a\r", "b"}},
    {"CarriageReturnAtTheEndIsAWordByte", "ab\r", {"ab\r"}},
    {"VerticalTabAndFormFeedAreWordBytes", "a\vb\fc d", {"a\vb\fc", "d"}},
    {"ControlZEndsTheInput", "a b\x1a c d", {"a", "b"}},
    {"WordRunningIntoControlZIsDelivered",
     "a bc\x1a"
     "de",
     {"a", "bc"}},
    {"CarriageReturnBeforeControlZIsAWordByte", "a\r\x1a\n", {"a\r"}},
    {"ControlZAtTheStartLeavesNothing",
     "\x1a"
     "abc",
     {}},
    {"Byte255IsAnOrdinaryWordByte", "a \xff b x\xffy\xff", {"a", "\xff", "b", "x\xffy\xff"}},
    {"BytesFrom128Up", "\x80\xfe \xa0", {"\x80\xfe", "\xa0"}},
    {"NulNeitherEndsNorEntersAWord", "a\0b \0c\0"s, {"ab", "c"}},
    {"NulsBetweenSeparatorsAreOneEmptyWord", "a \0\0 b \0"s, {"a", "", "b", ""}},
    {"NulAfterCarriageReturnKeepsItAWordByte", "a\r\0\nb"s, {"a\r", "b"}},
    {"FeFfNotAtTheStartIsText", "x\xfe\xff", {"x\xfe\xff"}},
    {"SingleLeadingFfIsText", "\xff", {"\xff"}},
};

void PrintTo(const WordCase& c, std::ostream* out) {
    *out << c.name;
}

class WordsOfText : public ::testing::TestWithParam<WordCase> {};

TEST_P(WordsOfText, AtEveryBlockSize) {
    for (size_t blockSize : kBlockSizes) {
        SCOPED_TRACE("block size " + std::to_string(blockSize));
        EXPECT_EQ(readWords(GetParam().text, blockSize), GetParam().words);
    }
}

INSTANTIATE_TEST_SUITE_P(TokenReader, WordsOfText, ::testing::ValuesIn(kWordCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TokenReader, EndOfInputRepeats) {
    MemorySource source("a");
    TokenReader reader(source);
    EXPECT_EQ(reader.readToken(), "a");
    EXPECT_EQ(reader.readToken(), std::nullopt);
    EXPECT_EQ(reader.readToken(), std::nullopt);
}

TEST(TokenReader, SkipBlanksStopsAtTheNextWord) {
    MemorySource source("a \r\n\t b");
    TokenReader reader(source, 2);
    EXPECT_EQ(reader.readToken(), "a");
    reader.skipBlanks();
    reader.skipBlanks();
    EXPECT_EQ(reader.readToken(), "b");
}

TEST(TokenReader, LongWordsKeepTheirFirst4096Characters) {
    std::string exact(kMaxWordLength, 'x');
    std::string longer = std::string(kMaxWordLength, 'y') + "TAIL";
    std::string huge = std::string(3 * kMaxWordLength, 'z') + "\0\0"s + "z";
    std::string text = exact + " " + longer + "\t" + huge + "\nnext";
    for (size_t blockSize : {size_t{7}, size_t{4096}, size_t{1} << 20}) {
        SCOPED_TRACE("block size " + std::to_string(blockSize));
        std::vector<std::string> words = readWords(text, blockSize);
        ASSERT_EQ(words.size(), 4u);
        EXPECT_EQ(words[0], exact);
        EXPECT_EQ(words[1], std::string(kMaxWordLength, 'y'));
        EXPECT_EQ(words[2], std::string(kMaxWordLength, 'z'));
        EXPECT_EQ(words[3], "next");
    }
}

TEST(TokenReader, ManyMegabyteWordWithoutSeparator) {
    std::string text = "a " + std::string(8 << 20, 'w');
    std::vector<std::string> words = readWords(text, 1 << 20);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].size(), kMaxWordLength);
}

// Encodes single-byte text as UTF-16 with its byte-order mark.
std::string utf16(const std::u16string& text, bool littleEndian) {
    std::string bytes = littleEndian ? "\xff\xfe" : "\xfe\xff";
    for (char16_t unit : text) {
        char low = static_cast<char>(unit & 0xff);
        char high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

TEST(TokenReader, Utf16IsDecodedInBothByteOrders) {
    std::u16string text = u"*MESH_NUMVERTEX\t8\r\nA:\r5 \u00e9\u20ac\u0100 \u00ff\0x"s;
    std::vector<std::string> expected = {"*MESH_NUMVERTEX", "8", "A:\r5", "\xe9??", "\xffx"};
    for (bool littleEndian : {true, false}) {
        for (size_t blockSize : kBlockSizes) {
            SCOPED_TRACE((littleEndian ? "LE, block size " : "BE, block size ") +
                         std::to_string(blockSize));
            EXPECT_EQ(readWords(utf16(text, littleEndian), blockSize), expected);
        }
    }
}

TEST(TokenReader, Utf16ControlZEndsAndOddTrailingByteIsDropped) {
    EXPECT_EQ(readWords(utf16(u"a b\x1a c", true), 3), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(readWords(utf16(u"a bc", true) + "d", 3), (std::vector<std::string>{"a", "bc"}));
    EXPECT_EQ(readWords("\xff\xfe", 1), std::vector<std::string>{});
}

TEST(TokenReader, ByteOrderMarkIsFoundInShortReads) {
    TrickleSource source(utf16(u"ab cd", false), 1);
    EXPECT_EQ(readWords(source, 64), (std::vector<std::string>{"ab", "cd"}));
}

TEST(TokenReader, TextSizeCountsDecodedBytesBeforeLineEndsAndControlZ) {
    struct {
        std::string bytes;
        uint64_t size;
    } cases[] = {
        {"ab\r\ncd\x1a"
         "efgh",
         11},
        {utf16(u"ab\r\ncd", true), 6},
        {utf16(u"ab", false) + "x", 2},
    };
    for (const auto& c : cases) {
        MemorySource source(c.bytes);
        TokenReader reader(source);
        reader.readToken();
        EXPECT_EQ(reader.textSize(), c.size);
    }
}

TEST(TokenReader, TextSizeOfASourceOfUnknownSizeGrowsAsItIsRead) {
    TrickleSource source("one two three", 4);
    TokenReader reader(source, 4);
    reader.readToken();
    EXPECT_EQ(reader.textSize(), 4u);
    while (reader.readToken()) {
    }
    EXPECT_EQ(reader.textSize(), 13u);
}

TEST(TokenReader, ReadErrorIsThrownNotTakenForTheEnd) {
    FailingSource source("a b");
    TokenReader reader(source, 2);
    EXPECT_EQ(reader.readToken(), "a");
    EXPECT_THROW(
        {
            while (reader.readToken()) {
            }
        },
        ReadError);
}

TEST(TokenReader, FileReadErrorCarriesTheSystemReason) {
    int directory = open(MESHWRIGHT_TEST_DATA_DIR, O_RDONLY);
    ASSERT_GE(directory, 0);
    FileSource source(directory);
    TokenReader reader(source);
    try {
        reader.readToken();
        ADD_FAILURE() << "reading a folder succeeded";
    } catch (const ReadError& error) {
        EXPECT_STREQ(error.what(), "Is a directory");
    }
    close(directory);
}

}  // namespace
}  // namespace meshwright

namespace meshwright {
namespace {

// The words a reader confined to the block just opened gives, and whether its "}" was met.
std::pair<std::vector<std::string>, bool> readBlock(TokenReader& reader) {
    reader.beginBlock();
    std::vector<std::string> words;
    while (std::optional<std::string_view> word = reader.readToken()) {
        words.emplace_back(*word);
    }
    return {words, reader.endBlock()};
}

TEST(TokenReader, ConfinedReadingEndsAtTheBraceClosingTheBlockAndGoesOnAfterIt) {
    for (size_t blockSize : kBlockSizes) {
        MemorySource source("*MESH { a { b } c }\r\nafter {");
        TokenReader reader(source, blockSize);
        EXPECT_EQ(reader.readToken(), "*MESH");
        EXPECT_EQ(reader.readToken(), "{");
        auto [words, closed] = readBlock(reader);
        EXPECT_EQ(words, (std::vector<std::string>{"a", "{", "b", "}", "c"})) << blockSize;
        EXPECT_TRUE(closed);
        EXPECT_EQ(reader.readToken(), "after");
        EXPECT_EQ(reader.readToken(), "{");  // braces are plain words again
    }
}

TEST(TokenReader, ConfinedReadingTellsWhenTheInputEndsInsideTheBlock) {
    MemorySource source("{ a {b} }x");  // "{b}" and "}x" are words, not braces
    TokenReader reader(source);
    reader.readToken();
    auto [words, closed] = readBlock(reader);
    EXPECT_EQ(words, (std::vector<std::string>{"a", "{b}", "}x"}));
    EXPECT_FALSE(closed);
}

TEST(TokenReader, QuotedTextKeepsItsBlanksAndEndsAtItsQuoteOrTheLineEnd) {
    for (size_t blockSize : kBlockSizes) {
        MemorySource source(
            " \"Bip01 L Thigh\" next \"a { b\"\"\" \"open to the line end\r\nword \"at the end");
        TokenReader reader(source, blockSize);
        EXPECT_EQ(reader.readQuoted(), "Bip01 L Thigh") << blockSize;
        EXPECT_EQ(reader.readQuoted(), std::nullopt);  // not quoted: nothing consumed
        EXPECT_EQ(reader.readToken(), "next");
        EXPECT_EQ(reader.readQuoted(), "a { b");
        EXPECT_EQ(reader.readQuoted(), "");
        EXPECT_EQ(reader.readQuoted(), "open to the line end");
        EXPECT_EQ(reader.readToken(), "word");
        EXPECT_EQ(reader.readQuoted(), "at the end");
        EXPECT_EQ(reader.readQuoted(), std::nullopt);
        EXPECT_EQ(reader.readToken(), std::nullopt);
    }
}

TEST(TokenReader, QuotedTextIsCappedAndDropsNulsLikeAWord) {
    const std::string input = "\"a\0b"s + std::string(kMaxWordLength + 10, 'x') + "\" tail";
    MemorySource source(input);
    TokenReader reader(source, 64);
    std::optional<std::string_view> text = reader.readQuoted();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), kMaxWordLength);
    EXPECT_EQ(text->substr(0, 3), "abx");
    EXPECT_EQ(reader.readToken(), "tail");
}

// Passing over plain words to a keyword gives the words a word-by-word reader finds after it, or
// refuses and moves nothing whenever a word between could matter or the keyword is not whole.
TEST(TokenReader, SkippingToAKeywordLandsWhereReadingWordByWordDoes) {
    struct Case {
        std::string text;
        bool skips;
    };
    // Each text opens with a word, which is read first: the skip starts where a word ended.
    const Case cases[] = {
        {"w AB: 1 BC: 1 CA: 0\t *K 1 tail", true},
        {"w\n*K\t2", true},
        {"w A B\n\t*K\nnext line", true},
        {"w AB: } *K 1", false},     // a brace would change a confined reader's depth
        {"w AB: {x *K 1", false},    // even inside a word
        {"w AB:\r\n1 *K 1", false},  // CR LF
        {"w AB:\0 1 *K 1"s, false},  // NUL
        {"w x*K 1", false},          // not the start of a word
        {"w *KK 1 *K 2", false},     // a longer word first
        {"w *J 1 *K 2", false},      // another keyword first
        {"w *K\r\n1", false},        // the keyword ends in CR
        {"w 1 *K", false},           // nothing after it in the text at hand
        {"w 1 2 3", false},          // no keyword at all
    };
    for (const Case& c : cases) {
        MemorySource source(c.text);
        TokenReader reader(source);
        reader.readToken();
        std::vector<std::string> all = readWords(c.text, 1 << 20);
        all.erase(all.begin());
        std::vector<std::string> rest;
        const bool skipped = reader.skipToKeyword("*K");
        while (std::optional<std::string_view> word = reader.readToken()) {
            rest.emplace_back(*word);
        }
        EXPECT_EQ(skipped, c.skips) << c.text;
        auto keyword = std::find(all.begin(), all.end(), "*K");
        const std::vector<std::string> expected =
            skipped ? std::vector<std::string>(keyword + 1, all.end()) : all;
        EXPECT_EQ(rest, expected) << c.text;
    }
}

TEST(TokenReader, SkippingToAKeywordKeepsAConfiningBlockOpen) {
    MemorySource source("{ a b *K c } after");
    TokenReader reader(source);
    reader.readToken();
    reader.beginBlock();
    reader.readToken();
    EXPECT_TRUE(reader.skipToKeyword("*K"));
    EXPECT_EQ(reader.readToken(), "c");
    EXPECT_EQ(reader.readToken(), std::nullopt);
    EXPECT_TRUE(reader.endBlock());
    EXPECT_EQ(reader.readToken(), "after");
}

}  // namespace
}  // namespace meshwright
