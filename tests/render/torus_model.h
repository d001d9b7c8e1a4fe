// A generated model for the render tests: a smooth, textured torus of any size, as ASE text.
#pragma once

#include <string>

namespace meshwright::render {

// ASE text of a torus around the z axis (major radius 3, tube radius 1) with `rings` steps around
// the axis and `sides` steps around the tube: rings x sides x 2 triangles, every face in smoothing
// group 1 with its face normal and exact corner normals, and texture coordinates that run 0..2
// around the axis and 0..1 around the tube, so the seams where they wrap have texture vertices of
// their own while the positions there are shared.
std::string torusAse(int rings, int sides);

}  // namespace meshwright::render
