// Pieces the writers share: number groups, array blocks, and the client-state lines.
#pragma once

#include <cstdint>
#include <string_view>

#include "ase/mesh.h"
#include "codegen/ordered_chunks.h"
#include "codegen/output.h"

namespace meshwright {

// The index of corner 0, 1 or 2 (a, b, c) of a face or texture face.
template <typename Record>
int32_t cornerIndex(const Record& face, int corner) {
    return corner == 0 ? face.a : corner == 1 ? face.b : face.c;
}

// "x,y,z" and "u,v": the numbers of one call or one array entry, joined by a bare ','.
void putTriple(Output& out, const Vec3f& value);
void putPair(Output& out, const Vec3f& value);

// Array entries per chunk (see putItems): about 100 KB of text, few enough chunks to cost
// nothing to hand over, small enough that the few waiting to be appended take little memory.
inline constexpr int64_t kEntriesPerChunk = 2048;

// An array block of `count` entries: `declaration`, then each entry after a tab, ",\n" between
// entries, then "\t};\n" on the last entry's line. `entry` writes the numbers of entry j as
// entry(out, j), or makes such a writer for each thread that formats entries (see putItems).
template <typename Entry>
void putArrayBlock(Output& out, std::string_view declaration, int64_t count, Entry entry) {
    out.putText(declaration);
    putItems(out, count, kEntriesPerChunk, [count, &entry] {
        return [count, putEntry = itemWriterOf(entry)](Output& o, int64_t j) mutable {
            o.putChar('\t');
            putEntry(o, j);
            if (j + 1 < count) {
                o.putText(",\n");
            }
        };
    });
    out.putText("\t};\n");
}

// Which client-side arrays a fragment enables and points at.
struct ClientArrays {
    bool positions = false;
    bool normals = false;
    bool texCoords = false;
};

// The enable and pointer pair of each array in `arrays`, in the order positions (Varray), normals
// (`normalArray`), texture coordinates (TCarray).
void putClientState(Output& out, ClientArrays arrays, std::string_view normalArray);

// The arrays of kinds 2 and 3: positions when `vertices` is present, normals when `faceNormals`
// is, texture coordinates when `tFaces` is (even without texture vertices: code written against
// this output expects the lines whenever the texture face list was there).
ClientArrays clientArraysOf(const MeshData& mesh);

}  // namespace meshwright
