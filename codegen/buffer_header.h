// Kind 5: a C and C++ header of static vertex and index buffers, ready for glBufferData.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ase/mesh.h"
#include "codegen/output.h"
#include "codegen/vertex_buffers.h"

namespace meshwright {

// How the header names what it holds.
struct HeaderNames {
    std::string prefix;      // a C identifier that starts every name the header defines
    std::string sourceName;  // the input file's name, for the opening comment
};

// What the draw record of one part says besides its triangles.
struct PartLabel {
    std::string name;                     // the object's
    std::optional<std::string> material;  // the sub-material's, for a part of a multi-material
    std::optional<Vec3f> colour;          // r, g, b
    std::string diffuseMap;  // the diffuse texture's file name; empty when there is none
};

// Writes the header for `buffers`, whose parts are labelled by `labels` in the same order. Valid
// C99 and C++11: an include guard named PREFIX_BUFFERS_H; an opening comment with the source, the
// counts, the parts and the cache figures; #define constants for the counts, the vertex layout in
// bytes and the index type; then, all static const at file scope, the bounding box, one draw
// record per part, PREFIX_vertices (floats, interleaved) and PREFIX_indices (unsigned short when
// every index fits 16 bits, else unsigned int). Every float in its shortest exact literal.
void writeBufferHeader(const VertexBuffers& buffers, const std::vector<PartLabel>& labels,
                       const HeaderNames& names, Output& out);

}  // namespace meshwright
