// Kind 1: immediate-mode calls between glBegin and glEnd, one commented block per face.
#include <cassert>

#include "ase/mesh_checks.h"
#include "codegen/array_text.h"
#include "codegen/group_text_cache.h"
#include "codegen/ordered_chunks.h"
#include "codegen/writers.h"

namespace meshwright {
namespace {

void putNormalCall(Output& out, const Vec3f& normal) {
    out.putText("\tglNormal3f(");
    putTriple(out, normal);
    out.putText(");\n");
}

// A smooth corner's normal, through the cache of its vertex's normal text.
void putNormalCall(Output& out, GroupTextCache& normals, int32_t vertex, const Vec3f& normal) {
    out.putText("\tglNormal3f(");
    normals.put(out, vertex, normal);
    out.putText(");\n");
}

// One face's block: its number, then its calls, through caches of texts kept per vertex.
class FaceBlockWriter {
  public:
    explicit FaceBlockWriter(const MeshData& mesh)
        : mesh_(mesh),
          textured_(mesh.tVertices && mesh.tFaces),
          positioned_(mesh.vertices && mesh.faces),
          positions_(GroupTextCache::Shape::kTriple, mesh.vertexCount),
          normals_(GroupTextCache::Shape::kTriple, mesh.vertexCount),
          coordinates_(GroupTextCache::Shape::kPair, mesh.tVertexCount) {}

    void operator()(Output& out, int64_t faceNumber) {
        const auto i = static_cast<int32_t>(faceNumber);
        out.putText("\t//face number ");
        out.putInt(i + 1);
        out.putChar('\n');
        // Without a face list there is no smoothing group to choose between the face normal and
        // the corner normals, so such a face gets neither.
        const FaceRecord* face = mesh_.faces ? &(*mesh_.faces)[i] : nullptr;
        const bool flat = face && face->smoothing == -1;
        const bool smooth = face && face->smoothing != -1;
        if (flat && mesh_.faceNormals) {
            putNormalCall(out, (*mesh_.faceNormals)[i]);
        }
        for (int corner = 0; corner < 3; ++corner) {
            if (smooth && mesh_.cornerNormals) {
                putNormalCall(out, normals_, cornerIndex(*face, corner),
                              (*mesh_.cornerNormals)[3 * size_t(i) + corner]);
            }
            if (textured_) {
                out.putText("\tglTexCoord2f(");
                const int32_t tVertex = cornerIndex((*mesh_.tFaces)[i], corner);
                coordinates_.put(out, tVertex, (*mesh_.tVertices)[tVertex]);
                out.putText(");");
            }
            if (positioned_) {
                out.putText("\tglVertex3f(");
                const int32_t vertex = cornerIndex(*face, corner);
                positions_.put(out, vertex, (*mesh_.vertices)[vertex]);
                out.putText(");\n");
            }
        }
    }

  private:
    const MeshData& mesh_;
    bool textured_;
    bool positioned_;
    // Corners repeat their vertex's position, texture coordinates and (when smooth) normal, so
    // these go through caches. Face normals are each used once.
    GroupTextCache positions_;
    GroupTextCache normals_;
    GroupTextCache coordinates_;
};

}  // namespace

void writeDisplayList(const MeshData& mesh, Output& out) {
    assert(meetsMeshRules(mesh) && "the writers follow only indices the checks have passed");
    // A face's block is some 300 to 600 bytes: chunks of about 100 KB, as the arrays' are.
    constexpr int64_t kFacesPerChunk = 256;
    out.putText("glBegin(GL_TRIANGLES);\n");
    putItems(out, mesh.faceCount, kFacesPerChunk, [&mesh] { return FaceBlockWriter(mesh); });
    out.putText("glEnd();");
}

}  // namespace meshwright
