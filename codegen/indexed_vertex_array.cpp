// Kind 3: an index array and one entry per vertex, each vertex's values chosen from its corners.
#include <algorithm>
#include <cassert>
#include <string_view>
#include <vector>

#include "ase/mesh_checks.h"
#include "codegen/array_text.h"
#include "codegen/indexed_arrays.h"
#include "codegen/writers.h"

namespace meshwright {
namespace {

int32_t largestIndexOf(const std::vector<FaceRecord>& faces) {
    int32_t largest = 0;
    for (const FaceRecord& face : faces) {
        largest = std::max({largest, face.a, face.b, face.c});
    }
    return largest;
}

// Flat normals: each face hands its normal to its third corner's vertex, later faces overwriting
// earlier ones. Vertices that are no face's third corner keep zeros.
std::vector<Vec3f> gatherFlatNormals(const MeshData& mesh) {
    std::vector<Vec3f> normals(size_t(mesh.vertexCount));
    for (int32_t i = 0; i < mesh.faceCount; ++i) {
        normals[(*mesh.faces)[i].c] = (*mesh.faceNormals)[i];
    }
    return normals;
}

// The first corner (face by face, a, b, c) to reach a vertex gives it its value;
// `valueOf(face, corner)` is what that corner of that face offers. Vertices no face uses keep
// zeros.
template <typename ValueOf>
std::vector<Vec3f> gatherFirstCome(const MeshData& mesh, std::vector<bool>& assigned,
                                   ValueOf valueOf) {
    std::vector<Vec3f> values(size_t(mesh.vertexCount));
    assigned.assign(size_t(mesh.vertexCount), false);
    for (int32_t i = 0; i < mesh.faceCount; ++i) {
        for (int corner = 0; corner < 3; ++corner) {
            int32_t vertex = cornerIndex((*mesh.faces)[i], corner);
            if (!assigned[vertex]) {
                assigned[vertex] = true;
                values[vertex] = valueOf(i, corner);
            }
        }
    }
    return values;
}

// A vertex array of triples, or of pairs (texture coordinates take x and y).
void putValueBlock(Output& out, std::string_view comment, std::string_view declaration,
                   const std::vector<Vec3f>& values, bool pairs) {
    putVertexBlock(out, comment, declaration, static_cast<int64_t>(values.size()),
                   [&](Output& o, int64_t vertex) {
                       pairs ? putPair(o, values[size_t(vertex)])
                             : putTriple(o, values[size_t(vertex)]);
                   });
}

}  // namespace

void writeIndexedVertexArray(const MeshData& mesh, Output& out) {
    assert(meetsMeshRules(mesh) && "the writers follow only indices the checks have passed");
    putIndexedPreamble(out);
    if (!mesh.faces) {
        return;
    }
    const auto& faces = *mesh.faces;
    const IndexType type = indexTypeFor(largestIndexOf(faces));
    putIndexBlock(out, type, static_cast<int64_t>(faces.size()), [&](int64_t face, int corner) {
        return cornerIndex(faces[size_t(face)], corner);
    });
    out.putText("\t//Vertex Array\n");
    if (mesh.vertices) {
        putValueBlock(out, "", "\tdouble Varray[] = {\n", *mesh.vertices, false);
    }
    std::vector<bool> assigned;  // one flag array serves every first-come pass
    if (mesh.faceNormals) {
        putValueBlock(out, "\t//Use this array if you have FLAT SHADING\n",
                      "\tdouble Narray[] = {\n", gatherFlatNormals(mesh), false);
        auto smooth = gatherFirstCome(mesh, assigned, [&](int32_t face, int corner) {
            return (*mesh.cornerNormals)[3 * size_t(face) + corner];
        });
        putValueBlock(out, "\t//Use this array if you have SMOOTH SHADING\n",
                      "\tdouble VNarray[] = {\n", smooth, false);
    }
    if (mesh.tVertices && mesh.tFaces) {
        auto texture = gatherFirstCome(mesh, assigned, [&](int32_t face, int corner) {
            return (*mesh.tVertices)[cornerIndex((*mesh.tFaces)[face], corner)];
        });
        putValueBlock(out, "\t//Texture Coordinate array\n", "\tdouble TCarray[] = {\n", texture,
                      true);
    }
    out.putText(" \n\n");
    putClientState(out, clientArraysOf(mesh), "VNarray");
    putDrawElements(out, 3LL * mesh.faceCount, type);
}

}  // namespace meshwright
