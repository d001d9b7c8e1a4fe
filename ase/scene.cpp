// Cutting one part's faces out of an object's mesh.
#include "ase/scene.h"

namespace meshwright {

namespace {

// The elements of `array` at `faces`, `perFace` elements per face; absent stays absent. An
// element past the end is zero: texture faces beyond a short list, which no writer reads because
// the mesh then has no texture vertices (readMesh checks the list's length when it has them).
template <typename Element>
std::optional<std::vector<Element>> pick(const std::optional<std::vector<Element>>& array,
                                         const std::vector<int32_t>& faces, size_t perFace = 1) {
    if (!array) {
        return std::nullopt;
    }
    std::vector<Element> picked;
    picked.reserve(faces.size() * perFace);
    for (int32_t face : faces) {
        for (size_t k = 0; k < perFace; ++k) {
            const size_t at = static_cast<size_t>(face) * perFace + k;
            picked.push_back(at < array->size() ? (*array)[at] : Element{});
        }
    }
    return picked;
}

}  // namespace

MeshData partMesh(const MeshData& mesh, const std::vector<int32_t>& faces) {
    MeshData part;
    part.vertexCount = mesh.vertexCount;
    part.vertices = mesh.vertices;
    part.tVertexCount = mesh.tVertexCount;
    part.tVertices = mesh.tVertices;
    part.faceCount = static_cast<int32_t>(faces.size());
    part.faces = pick(mesh.faces, faces);
    part.materialIds = pick(mesh.materialIds, faces);
    part.faceNormals = pick(mesh.faceNormals, faces);
    part.cornerNormals = pick(mesh.cornerNormals, faces, 3);
    part.tFaces = pick(mesh.tFaces, faces);
    part.tvFaceCount = part.tFaces ? part.faceCount : mesh.tvFaceCount;
    return part;
}

}  // namespace meshwright
