// Number groups, and the client-state lines of the array kinds.
#include "codegen/array_text.h"

#include <algorithm>
#include <bit>

#include "codegen/number_text.h"

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

// A power of two, so that a place finds its slot with a mask.
GroupTextCache::GroupTextCache(Shape shape, int64_t places)
    : shape_(shape), slots_(std::bit_ceil(size_t(std::clamp<int64_t>(places, 1, kMostSlots)))) {}

void GroupTextCache::putNew(Output& out, const Vec3f& value, const Key& key, Slot& slot) {
    char text[3 * kNumberTextCapacity];
    char* end = out.realText(value.x, text);
    *end++ = ',';
    end = out.realText(value.y, end);
    if (shape_ == Shape::kTriple) {
        *end++ = ',';
        end = out.realText(value.z, end);
    }
    const size_t length = size_t(end - text);
    out.putPlain({text, length});
    if (length <= sizeof slot.text) {
        std::memcpy(slot.key, key.bits, sizeof key.bits);
        std::memcpy(slot.text, text, length);
        slot.length = uint8_t(length);
    }
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
