// The pieces of the indexed kinds (3 and 4): both write an index array Farray over vertex arrays
// and draw it with glDrawElements, and both say each piece in the same words.
#pragma once

#include <cstdint>
#include <string_view>

#include "codegen/array_text.h"
#include "codegen/output.h"

namespace meshwright {

// The index array's declaration line and the draw call's tail for the narrowest type that holds
// `largestIndex`: GLubyte indices past 255 would wrap in the user's compiler (or fail to compile
// as braced initialisers) and draw the wrong triangles.
struct IndexType {
    std::string_view declaration;  // "\tGLubyte Farray[] = {\n"
    std::string_view drawTail;     // ",GL_UNSIGNED_BYTE, Farray);\n\n"
};
IndexType indexTypeFor(int64_t largestIndex);

// The opening comments, written even for a mesh without faces, which stops there.
void putIndexedPreamble(Output& out);

// The index array of `faceCount` faces, one "a,b,c" entry per face; cornerOf(face, corner) is the
// vertex number of corner 0, 1 or 2 of a face, which must not exceed the largest index `type`
// was chosen for.
template <typename CornerOf>
void putIndexBlock(Output& out, const IndexType& type, int64_t faceCount, CornerOf cornerOf) {
    putArrayBlock(out, type.declaration, faceCount, [&](Output& o, int64_t face) {
        o.putInt(cornerOf(face, 0));
        o.putChar(',');
        o.putInt(cornerOf(face, 1));
        o.putChar(',');
        o.putInt(cornerOf(face, 2));
    });
}

// One vertex array: `comment` (may be empty), then `declaration` and `count` entries, where
// putEntry(out, vertex) writes the numbers of one vertex.
template <typename PutEntry>
void putVertexBlock(Output& out, std::string_view comment, std::string_view declaration,
                    int64_t count, PutEntry putEntry) {
    out.putText(comment);
    putArrayBlock(out, declaration, count, putEntry);
}

// The draw call of `indexCount` indices of `type`, and the blank line after it.
void putDrawElements(Output& out, int64_t indexCount, const IndexType& type);

}  // namespace meshwright
