// Draws the objects of a scene: each part framed in a block of its own, with its colour.
#pragma once

#include "ase/scene.h"
#include "codegen/output.h"
#include "codegen/writers.h"

namespace meshwright {

// Writes every part of `object`, in order, as
//     \t//object "NAME"                 (with ` material "SUBNAME"` for a sub-material's part)
//     \t{                               (so each part's array names stay local to it)
//     \tglColor3f(r,g,b);               (when the part has a colour; numbers by formatReal)
//     ...the kind's code for the part's mesh, byte for byte what `writer` gives for it...
//     \t}
// "\t}" stands on a line of its own: after a text whose last line has no line end, one is added.
// A name's control characters (below 32, and 127) are written as '?', so no name can end the
// comment line early.
void writeSceneObject(const SceneObject& object, const KindWriter& writer, Output& out);

}  // namespace meshwright
