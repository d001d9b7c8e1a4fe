// Welding, vertex-cache order and fetch order, part by part, with meshoptimizer.
#include "codegen/vertex_buffers.h"

#include <meshoptimizer.h>

#include <cmath>
#include <string>

#include "ase/section_readers.h"
#include "codegen/smoothing_normals.h"

namespace meshwright {
namespace {

// The size meshoptimizer's own figures assume; GPUs hold about this many transformed vertices.
constexpr unsigned kCacheSize = 16;

bool isFinite(const Vec3f& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

[[noreturn]] void failInfinite(const std::string& what) {
    throw MeshError(what + " is beyond the float range (infinite), which a header can't write");
}

// Only the values a header would draw from are checked: positions, the chosen normals, u and v.
void rejectInfinities(const MeshData& mesh) {
    for (size_t i = 0; i < mesh.vertices->size(); ++i) {
        if (!isFinite((*mesh.vertices)[i])) {
            failInfinite("a coordinate of vertex " + std::to_string(i));
        }
    }
    if (mesh.faceNormals) {
        for (size_t f = 0; f < mesh.faceNormals->size(); ++f) {
            if (!isFinite((*mesh.faceNormals)[f]) || !isFinite((*mesh.cornerNormals)[3 * f]) ||
                !isFinite((*mesh.cornerNormals)[3 * f + 1]) ||
                !isFinite((*mesh.cornerNormals)[3 * f + 2])) {
                failInfinite("a normal of face " + std::to_string(f));
            }
        }
    }
    if (mesh.tVertices && mesh.tFaces) {
        for (size_t i = 0; i < mesh.tVertices->size(); ++i) {
            const Vec3f& t = (*mesh.tVertices)[i];
            if (!std::isfinite(t.x) || !std::isfinite(t.y)) {
                failInfinite("texture vertex " + std::to_string(i));
            }
        }
    }
}

uint64_t verticesTransformed(const std::vector<uint32_t>& indices, size_t vertexCount) {
    return meshopt_analyzeVertexCache(indices.data(), indices.size(), vertexCount, kCacheSize, 0, 0)
        .vertices_transformed;
}

}  // namespace

void chooseNormals(MeshData& mesh, NormalsSource source) {
    const bool makeThem = source == NormalsSource::kSmoothing ||
                          (source == NormalsSource::kFileElseSmoothing && !mesh.faceNormals);
    if (makeThem) {
        makeSmoothingNormals(mesh);
    } else if (source == NormalsSource::kNone) {
        mesh.faceNormals.reset();
        mesh.cornerNormals.reset();
    }
}

void VertexBufferBuilder::addPart(const MeshData& mesh) {
    if (!mesh.vertices) {
        throw MeshError("the mesh has faces but no vertex list");
    }
    rejectInfinities(mesh);
    WeldedMesh welded = weldCorners(mesh, threads_);
    buffers_.hasNormals |= welded.hasNormals;
    buffers_.hasTexCoords |= welded.hasTexCoords;
    const size_t vertexCount = welded.vertexCount();
    std::vector<uint32_t> ordered(welded.indices.size());
    meshopt_optimizeVertexCache(ordered.data(), welded.indices.data(), welded.indices.size(),
                                vertexCount);
    transformedInFileOrder_ += verticesTransformed(welded.indices, vertexCount);
    transformedReordered_ += verticesTransformed(ordered, vertexCount);
    trianglesAdded_ += ordered.size() / 3;

    // Every welded vertex is used, so the remap is a permutation: vertices by first use.
    std::vector<uint32_t> remap(vertexCount);
    meshopt_optimizeVertexFetchRemap(remap.data(), ordered.data(), ordered.size(), vertexCount);
    const size_t base = buffers_.vertices.size();
    buffers_.vertices.resize(base + vertexCount);
    for (size_t v = 0; v < vertexCount; ++v) {
        buffers_.vertices[base + remap[v]] = valuesOfVertex(mesh, welded, uint32_t(v));
    }
    buffers_.parts.push_back({buffers_.indices.size(), ordered.size()});
    for (uint32_t index : ordered) {
        buffers_.indices.push_back(uint32_t(base + remap[index]));
    }
}

VertexBuffers VertexBufferBuilder::finish() {
    if (trianglesAdded_ > 0) {
        buffers_.acmrInFileOrder = double(transformedInFileOrder_) / double(trianglesAdded_);
        buffers_.acmrReordered = double(transformedReordered_) / double(trianglesAdded_);
    }
    return std::move(buffers_);
}

}  // namespace meshwright
