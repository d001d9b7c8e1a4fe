// Turns the words of an ASE file into a MeshData: the nine section readers and the axis turn.
#pragma once

#include <stdexcept>
#include <string_view>

#include "ase/mesh.h"
#include "ase/token_reader.h"

namespace meshwright {

// Input that breaks the mesh's rules. what() names the fault and where it is, without the file
// name ("face 4 uses vertex 12, but the mesh has 8 vertices"); the caller adds the name.
class MeshError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
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
MeshData readMesh(TokenReader& reader);

// Integer value of a word: optional leading white space and sign, then decimal digits up to the
// first other character ("8abc" is 8, "1,2" is 1, "abc" is 0); saturates to the 32-bit bounds.
int32_t parseInt(std::string_view word);

// Real value of a word: optional leading white space and sign, digits with an optional '.', an
// optional exponent (e, E, d or D, optional sign, digits), up to the first character that does
// not fit; no number gives 0. The text is rounded twice: to the nearest double, then that double
// to the nearest float (ties to even both times), as a C program reading the file with strtod and
// storing a float would; a word just off a halfway point between floats can thus land on the
// other float than a single rounding would give. Beyond the float range: an infinity of its sign.
// Never a NaN.
float parseReal(std::string_view word);

// Z-up to Y-up: every position and normal (x, y, z) becomes (x, z, -y); texture vertices stay.
void convertAxes(MeshData& mesh);

}  // namespace meshwright
