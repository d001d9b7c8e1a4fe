// The objects of a scene as plain data: what the scene reader returns and the scene writer draws.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ase/mesh.h"

namespace meshwright {

// A red, green, blue colour as the file gives it (*MATERIAL_DIFFUSE, *WIREFRAME_COLOR), each
// usually 0 to 1, held in x, y, z.
using Colour = Vec3f;

// What one writer call draws: the faces of an object, or those of one sub-material, with the
// colour they are drawn in.
struct ScenePart {
    // The sub-material's *MATERIAL_NAME, for a part of a multi-material object ("submaterial 2"
    // when its block gives none); absent for a part that is the whole object.
    std::optional<std::string> materialName;
    // The material's (or sub-material's) *MATERIAL_DIFFUSE; else the object's *WIREFRAME_COLOR;
    // else absent.
    std::optional<Colour> colour;
    // The diffuse texture's file name from the same material's *MAP_DIFFUSE block; else absent.
    std::optional<std::string> diffuseMap;
    // Positions in the object's mesh.faces of the faces this part draws, ascending; absent when
    // the part draws every face (then the object's mesh is drawn as it is, without a copy).
    std::optional<std::vector<int32_t>> faces;
};

// One *GEOMOBJECT with a mesh that has faces.
struct SceneObject {
    // *NODE_NAME, or "object N" (N counts the file's *GEOMOBJECT blocks from 1) when it has none.
    std::string name;
    // Checked and turned to Y-up as readMesh leaves a mesh; vertices are in world space already.
    MeshData mesh;
    // At least one, in drawing order: one per sub-material used, by sub-material number.
    std::vector<ScenePart> parts;
};

// The mesh a part draws: `mesh` with only the faces at `faces` (positions in mesh.faces, which
// must be present), in that order, each with its normals, texture face and material id; vertex
// and texture-vertex lists whole. It is what readMesh gives for a file holding just those faces,
// so every writer draws a part exactly as it would draw that file.
MeshData partMesh(const MeshData& mesh, const std::vector<int32_t>& faces);

}  // namespace meshwright
