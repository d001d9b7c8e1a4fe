// Which writer draws which kind: one table, so a new kind is one more row.
#include <array>

#include "codegen/writers.h"

namespace meshwright {

namespace {

constexpr std::array<KindWriter, 4> kKindWriters{{
    {writeDisplayList, false},
    {writeVertexArray, true},
    {writeIndexedVertexArray, true},
    {writeExactIndexedArray, true},
}};

}  // namespace

const KindWriter* kindWriter(int32_t kind) {
    if (kind < 1 || static_cast<size_t>(kind) > kKindWriters.size()) {
        return nullptr;
    }
    return &kKindWriters[static_cast<size_t>(kind) - 1];
}

}  // namespace meshwright
