// Kind 4: an index array over the distinct corners, so it draws exactly what kinds 1 and 2 draw
// while storing each distinct vertex once.
#include <cstdint>

#include "codegen/array_text.h"
#include "codegen/corner_welding.h"
#include "codegen/indexed_arrays.h"
#include "codegen/writers.h"

namespace meshwright {

void writeExactIndexedArray(const MeshData& mesh, Output& out) {
    putIndexedPreamble(out);
    if (!mesh.faces) {
        return;  // nothing to draw, as in kind 3
    }
    const WeldedMesh welded = weldCorners(mesh, out.threads());
    const IndexType type = indexTypeFor(static_cast<int64_t>(welded.vertexCount()) - 1);
    const auto& indices = welded.indices;
    putIndexBlock(
        out, type, static_cast<int64_t>(indices.size() / 3),
        [&](int64_t face, int corner) { return indices[3 * size_t(face) + size_t(corner)]; });
    out.putText("\t//Vertex Array\n");
    const auto count = static_cast<int64_t>(welded.vertexCount());
    auto valuesOf = [&](int64_t vertex) { return valuesOfVertex(mesh, welded, uint32_t(vertex)); };
    if (welded.hasPositions) {
        putVertexBlock(out, "", "\tdouble Varray[] = {\n", count,
                       [&](Output& o, int64_t vertex) { putTriple(o, valuesOf(vertex).position); });
    }
    if (welded.hasNormals) {
        putVertexBlock(out, "\t//Normal array\n", "\tdouble Narray[] = {\n", count,
                       [&](Output& o, int64_t vertex) { putTriple(o, valuesOf(vertex).normal); });
    }
    if (welded.hasTexCoords) {
        putVertexBlock(out, "\t//Texture Coordinate array\n", "\tdouble TCarray[] = {\n", count,
                       [&](Output& o, int64_t vertex) {
                           const CornerValues corner = valuesOf(vertex);
                           putPair(o, {corner.u, corner.v, 0.0f});
                       });
    }
    out.putText("\n\n");
    putClientState(out, {welded.hasPositions, welded.hasNormals, welded.hasTexCoords}, "Narray");
    putDrawElements(out, static_cast<int64_t>(indices.size()), type);
}

}  // namespace meshwright
