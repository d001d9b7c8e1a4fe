// The rules a whole mesh keeps once it is read: the checks the writers rely on.
#pragma once

#include "ase/mesh.h"

namespace meshwright {

// The rules that hold only once the whole input is read, because later sections may still change
// the counts: every present array as long as its count says, face corners within the vertices,
// and, when the mesh has both texture arrays, a texture face per face whose corners lie within
// the texture vertices. Throws MeshError for the first rule broken.
void checkMesh(const MeshData& mesh);

// Whether checkMesh would accept `mesh`: what the writers assert before they follow its indices.
bool meetsMeshRules(const MeshData& mesh);

}  // namespace meshwright
