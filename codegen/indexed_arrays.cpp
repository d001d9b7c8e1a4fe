// The pieces of the indexed kinds that are not templates.
#include "codegen/indexed_arrays.h"

namespace meshwright {

IndexType indexTypeFor(int64_t largestIndex) {
    if (largestIndex <= 255) {
        return {"\tGLubyte Farray[] = {\n", ",GL_UNSIGNED_BYTE, Farray);\n\n"};
    }
    if (largestIndex <= 65535) {
        return {"\tGLushort Farray[] = {\n", ",GL_UNSIGNED_SHORT, Farray);\n\n"};
    }
    return {"\tGLuint Farray[] = {\n", ",GL_UNSIGNED_INT, Farray);\n\n"};
}

void putIndexedPreamble(Output& out) {
    out.putText("\t//Setting up arrays\n\n");
    out.putText("\t//Index Array\n");
}

void putDrawElements(Output& out, int64_t indexCount, const IndexType& type) {
    out.putText("\tglDrawElements( GL_TRIANGLES,");
    out.putInt(indexCount);
    out.putText(type.drawTail);
}

}  // namespace meshwright
