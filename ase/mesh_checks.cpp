// The checks that keep every index of the mesh inside its array.
#include "ase/mesh_checks.h"

#include <optional>
#include <vector>

#include "ase/mesh_error.h"
#include "ase/mesh_messages.h"

namespace meshwright {

namespace {

template <typename Element>
void checkLength(const std::optional<std::vector<Element>>& array, int32_t count,
                 const ListNames& names) {
    if (array && array->size() != static_cast<size_t>(count)) {
        throwMeshError("the ", names.list, " has ",
                       quantity(static_cast<int64_t>(array->size()), names.entry, names.entries),
                       ", but ", names.countKeyword, " says ", count);
    }
}

bool isIndexOf(int32_t index, int32_t size) {
    return index >= 0 && index < size;
}

void checkFaceCorners(const std::vector<FaceRecord>& faces, int32_t vertexCount) {
    for (size_t face = 0; face < faces.size(); ++face) {
        for (int32_t corner : {faces[face].a, faces[face].b, faces[face].c}) {
            if (!isIndexOf(corner, vertexCount)) {
                throwMeshError("face ", static_cast<int64_t>(face), " uses vertex ", corner,
                               ", but the mesh has ", quantity(vertexCount, "vertex", "vertices"));
            }
        }
    }
}

void checkTextureFaces(const std::vector<TexFaceRecord>& tFaces, int32_t faceCount,
                       int32_t tVertexCount) {
    if (tFaces.size() < static_cast<size_t>(faceCount)) {
        throwMeshError(
            "the mesh has ", quantity(faceCount, "face", "faces"), ", but only ",
            quantity(static_cast<int64_t>(tFaces.size()), "texture face", "texture faces"));
    }
    // Only the texture faces that belong to a face are ever drawn.
    for (int32_t face = 0; face < faceCount; ++face) {
        const TexFaceRecord& record = tFaces[static_cast<size_t>(face)];
        for (int32_t corner : {record.a, record.b, record.c}) {
            if (!isIndexOf(corner, tVertexCount)) {
                throwMeshError("texture face ", face, " uses texture vertex ", corner,
                               ", but the mesh has ",
                               quantity(tVertexCount, "texture vertex", "texture vertices"));
            }
        }
    }
}

}  // namespace

void checkMesh(const MeshData& mesh) {
    // Lengths first: the index checks below walk the arrays by their counts.
    checkLength(mesh.vertices, mesh.vertexCount, kVertexListNames);
    checkLength(mesh.faces, mesh.faceCount, kFaceListNames);
    // cornerNormals is made with faceNormals, three per face, so its length follows.
    checkLength(mesh.faceNormals, mesh.faceCount, kNormalsNames);
    checkLength(mesh.tVertices, mesh.tVertexCount, kTVertexListNames);
    checkLength(mesh.tFaces, mesh.tvFaceCount, kTFaceListNames);
    // The writers size the per-vertex arrays by the count, so a face must stay within it even
    // when the file has no vertex list.
    if (mesh.faces) {
        checkFaceCorners(*mesh.faces, mesh.vertexCount);
    }
    if (mesh.tVertices && mesh.tFaces) {
        checkTextureFaces(*mesh.tFaces, mesh.faceCount, mesh.tVertexCount);
    }
}

bool meetsMeshRules(const MeshData& mesh) {
    try {
        checkMesh(mesh);
        return true;
    } catch (const MeshError&) {
        return false;
    }
}

}  // namespace meshwright
