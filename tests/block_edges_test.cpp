// A model long enough to cross the reader's block ends converts to the same bytes in every kind,
// whether it is read in one piece or in blocks, and with LF or CR LF line ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ase/section_readers.h"
#include "codegen/writers.h"
#include "test_support.h"
#include "torus_text.h"

namespace meshwright {
namespace {

using testing::torusText;
using testing::withCarriageReturns;

constexpr size_t kToolBlockSize = size_t{1} << 20;

std::string convert(const std::string& text, size_t blockSize, int32_t kind) {
    MemorySource source(text);
    TokenReader reader(source, blockSize);
    const MeshData mesh = readMesh(reader);
    StringSink sink;
    Output out(sink);
    kindWriter(kind)->write(mesh, out);
    out.flush();
    return sink.text;
}

class BlockEdges : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        lineFeedText = new std::string(torusText(6000));
        carriageReturnText = new std::string(withCarriageReturns(*lineFeedText));
    }
    static void TearDownTestSuite() {
        delete lineFeedText;
        delete carriageReturnText;
    }
    static std::string* lineFeedText;
    static std::string* carriageReturnText;
};
std::string* BlockEdges::lineFeedText = nullptr;
std::string* BlockEdges::carriageReturnText = nullptr;

TEST_F(BlockEdges, TheTorusCrossesBlockEndsInsideItsLists) {
    EXPECT_GT(lineFeedText->size(), 2 * kToolBlockSize);
}

TEST_F(BlockEdges, EveryKindWritesTheSameBytesWhateverTheBlocksAndLineEnds) {
    for (int32_t kind = 1; kind <= 4; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const std::string whole = convert(*lineFeedText, lineFeedText->size() + 1, kind);
        ASSERT_GT(whole.size(), lineFeedText->size() / 4);
        EXPECT_EQ(convert(*lineFeedText, kToolBlockSize, kind), whole);
        EXPECT_EQ(convert(*carriageReturnText, kToolBlockSize, kind), whole);
        // An odd size puts block ends between the CR and the LF of some line ends.
        EXPECT_EQ(convert(*carriageReturnText, 4093, kind), whole);
    }
}

}  // namespace
}  // namespace meshwright
