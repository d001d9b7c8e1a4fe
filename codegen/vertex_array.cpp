// Kind 2: position, normal and texture arrays with one entry per face corner, drawn as triangles.
#include <cassert>

#include "ase/mesh_checks.h"
#include "codegen/array_text.h"
#include "codegen/group_text_cache.h"
#include "codegen/writers.h"

namespace meshwright {

void writeVertexArray(const MeshData& mesh, Output& out) {
    assert(meetsMeshRules(mesh) && "the writers follow only indices the checks have passed");
    const long long corners = 3LL * (mesh.faceCount > 0 ? mesh.faceCount : 0);
    out.putText("\t//Setting up arrays\n\n");
    // Every vertex comes once per corner that uses it, and so do smooth normals, which belong to
    // the corner's vertex: each block formats through a cache of texts kept per vertex.
    if (mesh.vertices && mesh.faces) {
        const auto& vertices = *mesh.vertices;
        const auto& faces = *mesh.faces;
        GroupTextCache positions(GroupTextCache::Shape::kTriple, mesh.vertexCount);
        putArrayBlock(out, "\tdouble Varray[] = {\n", corners, [&](Output& o, long long corner) {
            const int32_t vertex = cornerIndex(faces[corner / 3], int(corner % 3));
            positions.put(o, vertex, vertices[vertex]);
        });
    }
    if (mesh.faceNormals) {
        const auto& normals = *mesh.cornerNormals;
        out.putText("\t//Use this array if you have SMOOTH SHADING\n");
        if (mesh.faces) {
            const auto& faces = *mesh.faces;
            GroupTextCache byVertex(GroupTextCache::Shape::kTriple, mesh.vertexCount);
            putArrayBlock(out, "\tdouble Narray[] = {\n", corners,
                          [&](Output& o, long long corner) {
                              byVertex.put(o, cornerIndex(faces[corner / 3], int(corner % 3)),
                                           normals[corner]);
                          });
        } else {
            putArrayBlock(out, "\tdouble Narray[] = {\n", corners,
                          [&](Output& o, long long corner) { putTriple(o, normals[corner]); });
        }
    }
    if (mesh.tVertices && mesh.tFaces) {
        const auto& tVertices = *mesh.tVertices;
        const auto& tFaces = *mesh.tFaces;
        GroupTextCache coordinates(GroupTextCache::Shape::kPair, mesh.tVertexCount);
        out.putText("\t//Texture array\n");
        putArrayBlock(out, "\tdouble TCarray[] = {\n", corners, [&](Output& o, long long corner) {
            const int32_t tVertex = cornerIndex(tFaces[corner / 3], int(corner % 3));
            coordinates.put(o, tVertex, tVertices[tVertex]);
        });
    }
    out.putText("\n\n");
    putClientState(out, clientArraysOf(mesh), "Narray");
    out.putText("\tglDrawArrays( GL_TRIANGLES, 0, ");
    out.putInt(3LL * mesh.faceCount);
    out.putText(");\n\n");
}

}  // namespace meshwright
