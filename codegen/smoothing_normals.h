// Normals for a mesh that has none, from its faces' smoothing groups, as a modelling program
// shades them.
#pragma once

#include "ase/mesh.h"

namespace meshwright {

// Faces of more smoothing-group sets than this around one vertex are refused: the work at a
// vertex grows with the square of its sets, and no modelled surface needs so many.
inline constexpr int kMostSmoothingSetsAtVertex = 1024;

// Replaces faceNormals and cornerNormals of a checked mesh (see readMesh) with faces and vertices
// present. A face's normal is the unit normal of its corners a, b, c taken counter-clockwise. A
// face in no group (smoothingGroups 0) is flat: its three corner normals are its face normal.
// Otherwise a corner's normal is the normalised sum, over the faces around the corner's vertex
// that share at least one group bit with the face, of their face normals weighted by their angle
// at that vertex. A degenerate face, and a sum of zero length, give the normal (0, 0, 0).
// Computed in double and rounded to float once. Throws MeshError when more than
// kMostSmoothingSetsAtVertex different smoothing-group sets meet at one vertex.
void makeSmoothingNormals(MeshData& mesh);

}  // namespace meshwright
