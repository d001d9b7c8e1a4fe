// A camera that keeps the whole of a mesh in view, whichever way the mesh is turned.
#pragma once

#include "mesh_bounds.h"

namespace meshwright::viewer {

// Sets the viewport to `width` x `height` pixels, a perspective projection, and a modelview that
// looks at the centre of `bounds` from `elevation` degrees above and `azimuth` degrees around,
// from just far enough that the sphere around the bounds fills the frame's narrower side.
// Empty bounds, or a single point, are viewed as a sphere of radius 1.
void fitView(const Bounds& bounds, int width, int height, double elevation, double azimuth);

}  // namespace meshwright::viewer
