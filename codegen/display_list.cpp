// Kind 1: immediate-mode calls between glBegin and glEnd, one commented block per face.
#include <cassert>

#include "ase/mesh_checks.h"
#include "codegen/array_text.h"
#include "codegen/group_text_cache.h"
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

}  // namespace

void writeDisplayList(const MeshData& mesh, Output& out) {
    assert(meetsMeshRules(mesh) && "the writers follow only indices the checks have passed");
    const bool textured = mesh.tVertices && mesh.tFaces;
    const bool positioned = mesh.vertices && mesh.faces;
    // Corners repeat their vertex's position, texture coordinates and (when smooth) normal, so
    // these go through caches of texts kept per vertex. Face normals are each used once.
    GroupTextCache positions(GroupTextCache::Shape::kTriple, mesh.vertexCount);
    GroupTextCache normals(GroupTextCache::Shape::kTriple, mesh.vertexCount);
    GroupTextCache coordinates(GroupTextCache::Shape::kPair, mesh.tVertexCount);
    out.putText("glBegin(GL_TRIANGLES);\n");
    for (int32_t i = 0; i < mesh.faceCount; ++i) {
        out.putText("\t//face number ");
        out.putInt(i + 1);
        out.putChar('\n');
        // Without a face list there is no smoothing group to choose between the face normal and
        // the corner normals, so such a face gets neither.
        const FaceRecord* face = mesh.faces ? &(*mesh.faces)[i] : nullptr;
        const bool flat = face && face->smoothing == -1;
        const bool smooth = face && face->smoothing != -1;
        if (flat && mesh.faceNormals) {
            putNormalCall(out, (*mesh.faceNormals)[i]);
        }
        for (int corner = 0; corner < 3; ++corner) {
            if (smooth && mesh.cornerNormals) {
                putNormalCall(out, normals, cornerIndex(*face, corner),
                              (*mesh.cornerNormals)[3 * size_t(i) + corner]);
            }
            if (textured) {
                out.putText("\tglTexCoord2f(");
                const int32_t tVertex = cornerIndex((*mesh.tFaces)[i], corner);
                coordinates.put(out, tVertex, (*mesh.tVertices)[tVertex]);
                out.putText(");");
            }
            if (positioned) {
                out.putText("\tglVertex3f(");
                const int32_t vertex = cornerIndex(*face, corner);
                positions.put(out, vertex, (*mesh.vertices)[vertex]);
                out.putText(");\n");
            }
        }
    }
    out.putText("glEnd();");
}

}  // namespace meshwright
