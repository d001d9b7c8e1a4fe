// The vertex and index buffers of a header: each part's corners welded, its triangles put in
// vertex-cache order and its vertices in fetch order, all parts in one pair of buffers.
#pragma once

#include <cstdint>
#include <vector>

#include "ase/mesh.h"
#include "codegen/corner_welding.h"

namespace meshwright {

// Where the normals of a mesh come from.
enum class NormalsSource {
    kFileElseSmoothing,  // the file's, or made from smoothing groups when it has none
    kFile,               // the file's only: none when it has none
    kSmoothing,          // made from smoothing groups, whatever the file holds
    kNone,               // no normals
};

// Gives a checked mesh (see readMesh) with faces and vertices the normals `source` asks for, in
// faceNormals and cornerNormals (absent for none). See makeSmoothingNormals.
void chooseNormals(MeshData& mesh, NormalsSource source);

// The triangles of one part: indices [firstIndex, firstIndex + indexCount) of the buffer.
struct PartRange {
    uint64_t firstIndex = 0;
    uint64_t indexCount = 0;
};

struct VertexBuffers {
    bool hasNormals = false;    // some part has normals; the others' are (0, 0, 0)
    bool hasTexCoords = false;  // some part has texture coordinates; the others' are (0, 0)
    std::vector<CornerValues> vertices;
    std::vector<uint32_t> indices;  // three per triangle, counted from the first vertex
    std::vector<PartRange> parts;
    // Vertices transformed per triangle with a 16-entry cache, each part drawn on its own.
    double acmrInFileOrder = 0.0;
    double acmrReordered = 0.0;
};

// Builds the buffers part by part.
class VertexBufferBuilder {
  public:
    // `threads`: how many threads may weld a part's corners (see weldCorners).
    explicit VertexBufferBuilder(int threads = 1) : threads_(threads) {}

    // Adds every face of `mesh`, a checked mesh with faces and vertices whose normals are chosen.
    // Each corner draws what kind 4 draws; corners equal bit for bit become one vertex of this
    // part. The part's triangles are reordered for the vertex cache and its vertices for fetch
    // locality, each triangle keeping its corners in their cyclic order, so front faces stay
    // front faces. Throws MeshError for a mesh with faces but no vertex list, and for a position,
    // normal or texture coordinate that is infinite: a header can't write it as a number.
    void addPart(const MeshData& mesh);

    VertexBuffers finish();

  private:
    int threads_;
    VertexBuffers buffers_;
    uint64_t trianglesAdded_ = 0;
    uint64_t transformedInFileOrder_ = 0;
    uint64_t transformedReordered_ = 0;
};

}  // namespace meshwright
