// Small scenes in ASE text, and the code of a mesh, shared by the scene reader's and the scene
// writer's tests.
#pragma once

#include <string>

#include "ase/mesh.h"
#include "codegen/output.h"
#include "codegen/writers.h"

namespace meshwright::testing {

// What kind `kind` writes for `mesh`: meshes are compared by what they draw.
inline std::string codeOf(const MeshData& mesh, int kind) {
    StringSink sink;
    Output out(sink);
    kindWriter(kind)->write(mesh, out);
    out.flush();
    return sink.text;
}

// A *MESH block of a unit square in two faces, with the material ids `firstId` and `secondId`;
// `extra` goes inside the block, after the face list (normals, texture lists).
inline std::string squareMesh(int firstId = 0, int secondId = 0, const std::string& extra = "") {
    return "\t*MESH {\n"
           "\t\t*MESH_NUMVERTEX 4\n\t\t*MESH_NUMFACES 2\n"
           "\t\t*MESH_VERTEX_LIST {\n"
           "\t\t\t*MESH_VERTEX 0 0.0 0.0 0.0\n\t\t\t*MESH_VERTEX 1 1.0 0.0 0.0\n"
           "\t\t\t*MESH_VERTEX 2 0.0 1.0 0.0\n\t\t\t*MESH_VERTEX 3 1.0 1.0 0.0\n"
           "\t\t}\n"
           "\t\t*MESH_FACE_LIST {\n"
           "\t\t\t*MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING 1 *MESH_MTLID " +
           std::to_string(firstId) +
           "\n"
           "\t\t\t*MESH_FACE 1: A: 1 B: 3 C: 2 AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING *MESH_MTLID " +
           std::to_string(secondId) + "\n\t\t}\n" + extra + "\t}\n";
}

// Texture lists and normals for squareMesh's two faces.
inline const std::string kSquareTextureAndNormals =
    "\t\t*MESH_NUMTVERTEX 3\n\t\t*MESH_TVERTLIST {\n"
    "\t\t\t*MESH_TVERT 0 0.0 0.0 0.0\n\t\t\t*MESH_TVERT 1 1.0 0.0 0.0\n"
    "\t\t\t*MESH_TVERT 2 0.0 1.0 0.0\n\t\t}\n"
    "\t\t*MESH_NUMTVFACES 2\n\t\t*MESH_TFACELIST {\n"
    "\t\t\t*MESH_TFACE 0 0 1 2\n\t\t\t*MESH_TFACE 1 1 2 0\n\t\t}\n"
    "\t\t*MESH_NORMALS {\n"
    "\t\t\t*MESH_FACENORMAL 0 0.0 0.0 1.0\n"
    "\t\t\t*MESH_VERTEXNORMAL 0 0.0 0.0 1.0\n\t\t\t*MESH_VERTEXNORMAL 1 0.0 0.0 1.0\n"
    "\t\t\t*MESH_VERTEXNORMAL 2 0.0 0.0 1.0\n"
    "\t\t\t*MESH_FACENORMAL 1 0.0 0.0 -1.0\n"
    "\t\t\t*MESH_VERTEXNORMAL 1 0.0 0.6 0.8\n\t\t\t*MESH_VERTEXNORMAL 3 0.0 0.0 1.0\n"
    "\t\t\t*MESH_VERTEXNORMAL 2 0.0 0.0 1.0\n"
    "\t\t}\n";

// A *GEOMOBJECT block: its name line (when `name` is not empty), a node transform that repeats
// the name, `body` (a mesh and more), then `tail` (*MATERIAL_REF, *WIREFRAME_COLOR).
inline std::string geomObject(const std::string& name, const std::string& body,
                              const std::string& tail = "") {
    const std::string nameLine = name.empty() ? "" : "\t*NODE_NAME \"" + name + "\"\n";
    return "*GEOMOBJECT {\n" + nameLine + "\t*NODE_TM {\n\t\t*NODE_NAME \"" + name +
           "\"\n\t\t*TM_ROW0 1.0 0.0 0.0\n\t}\n" + body + "\t*PROP_MOTIONBLUR 0\n" + tail + "}\n";
}

// A material list: a plain material 0 ("Red", textured "c:\maps\red.png"), a multi-material 1
// ("Multi", diffuse white) with three sub-materials of which the first is textured ("wood
// grain.jpg") and the second has no diffuse colour, and a plain material 2
// ("Colourless") with no diffuse colour.
inline const std::string kMaterialList =
    "*MATERIAL_LIST {\n\t*MATERIAL_COUNT 3\n"
    "\t*MATERIAL 0 {\n\t\t*MATERIAL_NAME \"Red\"\n\t\t*MATERIAL_AMBIENT 0.1 0.1 0.1\n"
    "\t\t*MATERIAL_DIFFUSE 0.75 0.0 0.0\n"
    "\t\t*MAP_DIFFUSE {\n\t\t\t*MAP_NAME \"Map { 1\"\n\t\t\t*BITMAP \"c:\\maps\\red.png\"\n\t\t}\n"
    "\t}\n"
    "\t*MATERIAL 1 {\n\t\t*MATERIAL_NAME \"Multi\"\n\t\t*MATERIAL_DIFFUSE 1.0 1.0 1.0\n"
    "\t\t*NUMSUBMTLS 3\n"
    "\t\t*SUBMATERIAL 0 {\n\t\t\t*MATERIAL_NAME \"Wood grain\"\n"
    "\t\t\t*MATERIAL_DIFFUSE 0.5 0.25 0.0\n"
    "\t\t\t*MAP_DIFFUSE {\n\t\t\t\t*MAP_SUBNO 1\n\t\t\t\t*BITMAP \"wood grain.jpg\"\n\t\t\t}\n"
    "\t\t}\n"
    "\t\t*SUBMATERIAL 1 {\n\t\t\t*MATERIAL_NAME \"Glass\"\n\t\t}\n"
    "\t\t*SUBMATERIAL 2 {\n\t\t\t*MATERIAL_NAME \"Steel\"\n"
    "\t\t\t*MATERIAL_DIFFUSE 0.5 0.5 0.5\n\t\t}\n"
    "\t}\n"
    "\t*MATERIAL 2 {\n\t\t*MATERIAL_NAME \"Colourless\"\n\t}\n"
    "}\n";

}  // namespace meshwright::testing
