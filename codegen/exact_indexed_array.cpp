// Kind 4: an index array over the distinct corners, so it draws exactly what kinds 1 and 2 draw
// while storing each distinct vertex once.
#include <string_view>

#include "codegen/array_text.h"
#include "codegen/corner_welding.h"
#include "codegen/writers.h"

namespace meshwright {
namespace {

void putIndices(Output& out, const WeldedMesh& welded, const IndexType& type) {
    const auto& indices = welded.indices;
    putArrayBlock(out, type.declaration, static_cast<long long>(indices.size() / 3),
                  [&](Output& o, long long face) {
                      o.putInt(indices[3 * face]);
                      o.putChar(',');
                      o.putInt(indices[3 * face + 1]);
                      o.putChar(',');
                      o.putInt(indices[3 * face + 2]);
                  });
}

template <typename PutEntry>
void putVertexBlock(Output& out, std::string_view comment, std::string_view declaration,
                    const WeldedMesh& welded, PutEntry putEntry) {
    out.putText(comment);
    putArrayBlock(out, declaration, static_cast<long long>(welded.vertices.size()),
                  [&](Output& o, long long j) { putEntry(o, welded.vertices[j]); });
}

}  // namespace

void writeExactIndexedArray(const MeshData& mesh, Output& out) {
    out.putText("\t//Setting up arrays\n\n");
    out.putText("\t//Index Array\n");
    if (!mesh.faces) {
        return;  // nothing to draw, as in kind 3
    }
    const WeldedMesh welded = weldCorners(mesh);
    const IndexType type = indexTypeFor(static_cast<int64_t>(welded.vertices.size()) - 1);
    putIndices(out, welded, type);
    out.putText("\t//Vertex Array\n");
    if (welded.hasPositions) {
        putVertexBlock(out, "", "\tdouble Varray[] = {\n", welded,
                       [](Output& o, const CornerValues& c) { putTriple(o, c.position); });
    }
    if (welded.hasNormals) {
        putVertexBlock(out, "\t//Normal array\n", "\tdouble Narray[] = {\n", welded,
                       [](Output& o, const CornerValues& c) { putTriple(o, c.normal); });
    }
    if (welded.hasTexCoords) {
        putVertexBlock(out, "\t//Texture Coordinate array\n", "\tdouble TCarray[] = {\n", welded,
                       [](Output& o, const CornerValues& c) {
                           putPair(o, {c.u, c.v, 0.0f});
                       });
    }
    out.putText("\n\n");
    putClientState(out, {welded.hasPositions, welded.hasNormals, welded.hasTexCoords}, "Narray");
    out.putText("\tglDrawElements( GL_TRIANGLES,");
    out.putInt(static_cast<int64_t>(welded.indices.size()));
    out.putText(type.drawTail);
}

}  // namespace meshwright
