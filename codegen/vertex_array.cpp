// Kind 2: position, normal and texture arrays with one entry per face corner, drawn as triangles.
#include "codegen/array_text.h"
#include "codegen/writers.h"

namespace meshwright {

void writeVertexArray(const MeshData& mesh, Output& out) {
    const long long corners = 3LL * (mesh.faceCount > 0 ? mesh.faceCount : 0);
    out.putText("\t//Setting up arrays\n\n");
    if (mesh.vertices && mesh.faces) {
        const auto& vertices = *mesh.vertices;
        const auto& faces = *mesh.faces;
        putArrayBlock(out, "\tdouble Varray[] = {\n", corners, [&](Output& o, long long j) {
            putTriple(o, vertices[cornerIndex(faces[j / 3], int(j % 3))]);
        });
    }
    if (mesh.faceNormals) {
        const auto& normals = *mesh.cornerNormals;
        out.putText("\t//Use this array if you have SMOOTH SHADING\n");
        putArrayBlock(out, "\tdouble Narray[] = {\n", corners,
                      [&](Output& o, long long j) { putTriple(o, normals[j]); });
    }
    if (mesh.tVertices && mesh.tFaces) {
        const auto& tVertices = *mesh.tVertices;
        const auto& tFaces = *mesh.tFaces;
        out.putText("\t//Texture array\n");
        putArrayBlock(out, "\tdouble TCarray[] = {\n", corners, [&](Output& o, long long j) {
            putPair(o, tVertices[cornerIndex(tFaces[j / 3], int(j % 3))]);
        });
    }
    out.putText("\n\n");
    putClientState(out, mesh, "Narray");
    out.putText("\tglDrawArrays( GL_TRIANGLES, 0, ");
    out.putInt(3LL * mesh.faceCount);
    out.putText(");\n\n");
}

}  // namespace meshwright
