// Kind 2: position, normal and texture arrays with one entry per face corner, drawn as triangles.
#include <cassert>

#include "ase/mesh_checks.h"
#include "codegen/array_text.h"
#include "codegen/group_text_cache.h"
#include "codegen/writers.h"

namespace meshwright {

void writeVertexArray(const MeshData& mesh, Output& out) {
    assert(meetsMeshRules(mesh) && "the writers follow only indices the checks have passed");
    const int64_t corners = int64_t{3} * (mesh.faceCount > 0 ? mesh.faceCount : 0);
    out.putText("\t//Setting up arrays\n\n");
    // Every vertex comes once per corner that uses it, and so do smooth normals, which belong to
    // the corner's vertex: each block formats through a cache of texts kept per vertex.
    if (mesh.vertices && mesh.faces) {
        const auto& vertices = *mesh.vertices;
        const auto& faces = *mesh.faces;
        putArrayBlockCachedByPlace(
            out, "\tdouble Varray[] = {\n", corners, GroupTextCache::Shape::kTriple,
            mesh.vertexCount,
            [&](int64_t corner) { return cornerIndex(faces[corner / 3], int(corner % 3)); },
            [&](int64_t, int32_t vertex) { return vertices[vertex]; });
    }
    if (mesh.faceNormals) {
        const auto& normals = *mesh.cornerNormals;
        out.putText("\t//Use this array if you have SMOOTH SHADING\n");
        if (mesh.faces) {
            const auto& faces = *mesh.faces;
            putArrayBlockCachedByPlace(
                out, "\tdouble Narray[] = {\n", corners, GroupTextCache::Shape::kTriple,
                mesh.vertexCount,
                [&](int64_t corner) { return cornerIndex(faces[corner / 3], int(corner % 3)); },
                [&](int64_t corner, int32_t) { return normals[corner]; });
        } else {
            putArrayBlock(out, "\tdouble Narray[] = {\n", corners,
                          [&](Output& o, int64_t corner) { putTriple(o, normals[corner]); });
        }
    }
    if (mesh.tVertices && mesh.tFaces) {
        const auto& tVertices = *mesh.tVertices;
        const auto& tFaces = *mesh.tFaces;
        out.putText("\t//Texture array\n");
        putArrayBlockCachedByPlace(
            out, "\tdouble TCarray[] = {\n", corners, GroupTextCache::Shape::kPair,
            mesh.tVertexCount,
            [&](int64_t corner) { return cornerIndex(tFaces[corner / 3], int(corner % 3)); },
            [&](int64_t, int32_t tVertex) { return tVertices[tVertex]; });
    }
    out.putText("\n\n");
    putClientState(out, clientArraysOf(mesh), "Narray");
    out.putText("\tglDrawArrays( GL_TRIANGLES, 0, ");
    out.putInt(3LL * mesh.faceCount);
    out.putText(");\n\n");
}

}  // namespace meshwright
