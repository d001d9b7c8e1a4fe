// Turns the words of an ASE file into a MeshData: the nine section readers and the axis turn.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ase/mesh.h"
#include "ase/mesh_error.h"
#include "ase/token_reader.h"

namespace meshwright {

// What the second thread did, for tests and benchmarks.
struct ReadReport {
    int32_t scoutsSent = 0;    // lists whose second half was read ahead
    int32_t scoutsTaken = 0;   // ... and whose reader took what was read ahead
    int64_t recordsTaken = 0;  // records taken from the scouts
};

// How a mesh is read. Threads are a matter of speed alone: the mesh, and every error, are the same
// with one thread or two.
struct ReadOptions {
    // More than 1: a long list's second half is read ahead on another thread when the input can
    // be read twice (a regular file or bytes in memory, without UTF-16).
    unsigned threads = 1;
    // Records read before the list's length in bytes is estimated from them.
    int32_t sampleRecords = 1024;
    // A list is read on two threads only with at least this many records and bytes left.
    int32_t scoutRecordsAtLeast = 1 << 15;
    uint64_t scoutBytesAtLeast = uint64_t{4} << 20;
    // The block size of the reader on the second thread.
    size_t scoutBlockSize = size_t{256} << 10;
    // Whether the faces' material ids are kept (MeshData::materialIds): a scene's parts are cut
    // by them; a single mesh's writers never read them.
    bool materialIds = true;
    // When not null, told what the second thread did.
    ReadReport* report = nullptr;
};

// Reads every word of `reader` up to the end of the input. The nine section keywords
// (*MESH_NUMVERTEX, *MESH_NUMFACES, *MESH_VERTEX_LIST, *MESH_FACE_LIST, *MESH_NORMALS,
// *MESH_TVERTLIST, *MESH_TFACELIST, *MESH_NUMTVFACES, *MESH_NUMTVERTEX) start their readers
// wherever they stand; every other word is passed over; a later section replaces an earlier one.
// Then the mesh is checked (see MeshData's invariants) and turned to Y-up axes. Elements that no
// record sets are zero; a list needs no closing brace.
// Throws MeshError for input that breaks the mesh's rules: a record index outside its array, a
// negative count, a count above 1,000 that the input is too short to hold (checked where the
// count stands when the input's size is known, at the end of a pipe's), a face record without
// *MESH_SMOOTHING before the next *MESH_FACE or "}", input that ends inside a count, a list or a
// record, or a mesh that breaks the invariants once all is read. Throws ReadError when the input
// can't be read. Lists take memory as their records arrive, never more ahead than the rest of
// the input can hold, so memory follows what was read, not what a count claims.
MeshData readMesh(TokenReader& reader, const ReadOptions& options = {});

// Z-up to Y-up: every position and normal (x, y, z) becomes (x, z, -y); texture vertices stay.
void convertAxes(MeshData& mesh);

}  // namespace meshwright
