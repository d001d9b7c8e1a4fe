// Small meshes built in code for the writer tests, and a way to see a writer's exact bytes.
#pragma once

#include <string>

#include "ase/mesh.h"
#include "codegen/output.h"

namespace meshwright::testing {

// One face (0, 1, 2) with every section present: positions, a face normal (0, 1, 0), three
// corner normals (0.25, 0.5, 0.75), and texture face (0, 1, 2); values as after the axis turn.
inline MeshData oneFaceSample(int32_t smoothing) {
    MeshData mesh;
    mesh.faceCount = 1;
    mesh.vertexCount = 3;
    mesh.vertices =
        std::vector<Vec3f>{{0.5f, 1.5f, -0.5f}, {2.5f, 0.5f, 0.25f}, {-1.5f, 0.75f, 0.5f}};
    mesh.faces = std::vector<FaceRecord>{{0, 1, 2, smoothing}};
    mesh.faceNormals = std::vector<Vec3f>{{0.0f, 1.0f, 0.0f}};
    mesh.cornerNormals = std::vector<Vec3f>(3, Vec3f{0.25f, 0.5f, 0.75f});
    mesh.tVertexCount = 3;
    mesh.tVertices =
        std::vector<Vec3f>{{0.25f, 0.75f, 0.0f}, {0.5f, 0.25f, 0.0f}, {0.75f, 0.5f, 0.0f}};
    mesh.tvFaceCount = 1;
    mesh.tFaces = std::vector<TexFaceRecord>{{0, 1, 2}};
    return mesh;
}

// How both indexed kinds begin for oneFaceSample: the index array and the positions.
inline const char* const kOneFaceIndexedHead =
    "\t//Setting up arrays\n\n"
    "\t//Index Array\n"
    "\tGLubyte Farray[] = {\n"
    "\t0,1,2\t};\n"
    "\t//Vertex Array\n"
    "\tdouble Varray[] = {\n"
    "\t0.5,1.5,-0.5,\n"
    "\t2.5,0.5,0.25,\n"
    "\t-1.5,0.75,0.5\t};\n";

// What a writer produces for `mesh`, through a small buffer so that pieces straddle flushes.
template <typename Writer>
std::string generate(Writer writer, const MeshData& mesh) {
    StringSink sink;
    Output out(sink, 64);
    writer(mesh, out);
    out.flush();
    return sink.text;
}

// `text` with each "\n" as CR LF, to write expectations readably.
inline std::string crlf(const std::string& text) {
    std::string stored;
    for (char c : text) {
        if (c == '\n') {
            stored += '\r';
        }
        stored += c;
    }
    return stored;
}

}  // namespace meshwright::testing
