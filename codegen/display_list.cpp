// Kind 1: immediate-mode calls between glBegin and glEnd, one commented block per face.
#include "codegen/array_text.h"
#include "codegen/writers.h"

namespace meshwright {
namespace {

void putNormalCall(Output& out, const Vec3f& normal) {
    out.putText("\tglNormal3f(");
    putTriple(out, normal);
    out.putText(");\n");
}

}  // namespace

void writeDisplayList(const MeshData& mesh, Output& out) {
    const bool textured = mesh.tVertices && mesh.tFaces;
    const bool positioned = mesh.vertices && mesh.faces;
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
                putNormalCall(out, (*mesh.cornerNormals)[3 * size_t(i) + corner]);
            }
            if (textured) {
                out.putText("\tglTexCoord2f(");
                putPair(out, (*mesh.tVertices)[cornerIndex((*mesh.tFaces)[i], corner)]);
                out.putText(");");
            }
            if (positioned) {
                out.putText("\tglVertex3f(");
                putTriple(out, (*mesh.vertices)[cornerIndex(*face, corner)]);
                out.putText(");\n");
            }
        }
    }
    out.putText("glEnd();");
}

}  // namespace meshwright
