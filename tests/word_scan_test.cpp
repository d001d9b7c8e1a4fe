// The vector word scans find the same stop as the byte-at-a-time loops, whatever the bytes.
#include "ase/word_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace meshwright {
namespace {

// A text of `length` random bytes with every stop byte rare enough that words run long, then the
// zero that ends a block and the padding the scan may read; `alignment` shifts its start.
std::vector<char> randomText(std::mt19937& random, size_t length, size_t alignment,
                             int stopsInAThousand) {
    std::vector<char> buffer(alignment + length + 1 + kWordScanPadding, '\0');
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> perMille(0, 999);
    const char stops[] = {' ', '\t', '\n', '\r', '\0', '*', '{', '}'};
    for (size_t i = 0; i < length; ++i) {
        char byte = static_cast<char>(anyByte(random));
        if (perMille(random) < stopsInAThousand) {
            byte = stops[perMille(random) % 8];
        }
        buffer[alignment + i] = byte;
    }
    // Whatever lies past the block's end must not be taken for a stop before it.
    for (size_t i = alignment + length + 1; i < buffer.size(); ++i) {
        buffer[i] = ' ';
    }
    return buffer;
}

TEST(WordScan, VectorScanAgreesWithScalarScanOnRandomBytesAtEveryAlignment) {
    std::mt19937 random(19);
    // From words without a stop to runs of blanks without a word.
    for (int stopsInAThousand : {0, 5, 100, 500, 900, 1000}) {
        for (size_t alignment = 0; alignment < 64; ++alignment) {
            const size_t length = 200 + alignment * 7;
            const std::vector<char> text = randomText(random, length, alignment, stopsInAThousand);
            // Every starting point: each word of the text, and the middle of each.
            for (size_t start = alignment; start <= alignment + length; ++start) {
                const char* from = text.data() + start;
                ASSERT_EQ(findWordStop(from), findWordStopScalar(from))
                    << "start " << start << ", alignment " << alignment;
                ASSERT_EQ(findNonBlank(from), findNonBlankScalar(from))
                    << "start " << start << ", alignment " << alignment;
                ASSERT_EQ(findStarOrBreak(from), findStarOrBreakScalar(from))
                    << "start " << start << ", alignment " << alignment;
            }
        }
    }
}

TEST(WordScan, EveryByteValueStopsEachScanExactlyWhenItShould) {
    for (int value = 0; value < 256; ++value) {
        for (size_t at = 0; at < 40; ++at) {
            std::vector<char> text(at + 2 + kWordScanPadding, 'x');
            text[at] = static_cast<char>(value);
            text[at + 1] = '\0';
            const bool stops =
                value == ' ' || value == '\t' || value == '\n' || value == '\r' || value == '\0';
            const char* expected = text.data() + (stops ? at : at + 1);
            ASSERT_EQ(findWordStop(text.data()), expected) << "byte " << value << " at " << at;
            ASSERT_EQ(findWordStopScalar(text.data()), expected) << "byte " << value;
            // Past a run of blanks, to the byte; the blanks end there unless it is one.
            std::vector<char> blanks(at + 2 + kWordScanPadding, ' ');
            blanks[at] = static_cast<char>(value);
            blanks[at + 1] = '\0';
            const bool blank = value == ' ' || value == '\t' || value == '\n';
            const char* nonBlank = blanks.data() + (blank ? at + 1 : at);
            ASSERT_EQ(findNonBlank(blanks.data()), nonBlank) << "byte " << value << " at " << at;
            ASSERT_EQ(findNonBlankScalar(blanks.data()), nonBlank) << "byte " << value;
            // A '*', a brace, CR or NUL stops the scan for a keyword.
            const bool breaks =
                value == '*' || value == '{' || value == '}' || value == '\r' || value == '\0';
            const char* star = text.data() + (breaks ? at : at + 1);
            ASSERT_EQ(findStarOrBreak(text.data()), star) << "byte " << value << " at " << at;
            ASSERT_EQ(findStarOrBreakScalar(text.data()), star) << "byte " << value;
        }
    }
}

}  // namespace
}  // namespace meshwright
