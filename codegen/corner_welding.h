// Welding face corners into shared vertices: corners whose drawn values are equal bit for bit
// become one vertex.
#pragma once

#include <cstdint>
#include <vector>

#include "ase/mesh.h"

namespace meshwright {

// Everything one corner draws. Attributes the mesh lacks stay zero in every corner.
struct CornerValues {
    Vec3f position;
    Vec3f normal;
    float u = 0.0f;
    float v = 0.0f;
};

struct WeldedMesh {
    bool hasPositions = false;  // vertices and faces present
    bool hasNormals = false;    // normals and faces present
    bool hasTexCoords = false;  // both texture lists and faces present
    // Per vertex, numbered in order of first use: the corner that first drew it, 3 * face + 0, 1
    // or 2 for corners a, b, c. Its values are read from the mesh again (valuesOfVertex), so the
    // welded mesh holds 4 bytes a vertex rather than a copy of all it draws.
    std::vector<uint32_t> firstCorners;
    std::vector<uint32_t> indices;  // three per face: corners a, b, c
    uint64_t slotsProbed = 0;       // table slots looked at, the first of each corner's included
    int threadsUsed = 1;            // 2 when a second thread welded the latter faces

    size_t vertexCount() const { return firstCorners.size(); }
};

// One linear pass over the corners of a checked mesh (see readMesh) with faces present. A corner's
// normal is the face normal when its face has no smoothing group, its corner normal otherwise.
// Linear on any input: the table's hash takes a seed of each run, so no file can aim its corners
// at the same slots (slotsProbed stays a small multiple of the corners). The mesh may have at most
// 2^32 / 3 faces, so that every corner has a number.
// With `threads` of 2 or more and at least kCornersWorthTwoThreads corners, a second thread welds
// the latter faces while this one welds the former; the result is the same in every field but
// slotsProbed and threadsUsed. When no thread can be started, this one welds them all. A failure
// on the second thread is thrown here once it has ended.
WeldedMesh weldCorners(const MeshData& mesh, int threads);

// The fewest corners welded on two threads when two may be used.
inline constexpr size_t kCornersWorthTwoThreads = size_t(1) << 16;

// What vertex `vertex` (below welded.vertexCount()) of `welded`, welded from `mesh`, draws: the
// values of its first corner, read from `mesh`, which must be unchanged since the welding.
CornerValues valuesOfVertex(const MeshData& mesh, const WeldedMesh& welded, uint32_t vertex);

}  // namespace meshwright
