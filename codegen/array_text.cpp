// Number groups, and the client-state lines of the array kinds.
#include "codegen/array_text.h"

namespace meshwright {

void putTriple(Output& out, const Vec3f& value) {
    out.putReal(value.x);
    out.putChar(',');
    out.putReal(value.y);
    out.putChar(',');
    out.putReal(value.z);
}

void putPair(Output& out, const Vec3f& value) {
    out.putReal(value.x);
    out.putChar(',');
    out.putReal(value.y);
}

void putClientState(Output& out, ClientArrays arrays, std::string_view normalArray) {
    if (arrays.positions) {
        out.putText("\tglEnableClientState(GL_VERTEX_ARRAY);\n");
        out.putText("\tglVertexPointer( 3, GL_DOUBLE, 0, Varray);\n");
    }
    if (arrays.normals) {
        out.putText("\tglEnableClientState(GL_NORMAL_ARRAY);\n");
        out.putText("\tglNormalPointer( GL_DOUBLE, 0, ");
        out.putText(normalArray);
        out.putText(");\n");
    }
    if (arrays.texCoords) {
        out.putText("\tglEnableClientState(GL_TEXTURE_COORD_ARRAY);\n");
        out.putText("\tglTexCoordPointer( 2, GL_DOUBLE, 0, TCarray);\n");
    }
}

ClientArrays clientArraysOf(const MeshData& mesh) {
    return {mesh.vertices.has_value(), mesh.faceNormals.has_value(), mesh.tFaces.has_value()};
}

}  // namespace meshwright
