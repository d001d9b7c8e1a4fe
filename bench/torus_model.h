// A deterministic torus in ASE form: the large input of the benchmarks and of the tests that
// need a conversion that takes a while.
#pragma once

#include <cstdio>

namespace meshwright {

// Writes a torus of about `faceCount` faces (rings x 50 segments x 2) to `out`, laid out like an
// exporter's file: counts, vertex list, face list, texture lists, normals. One face in ten has no
// smoothing group (drawn flat), one in ten lists two groups ("1,2"), the rest are in group 1.
// Texture coordinates wrap with a seam, so texture vertices outnumber vertices. Returns the
// number of faces written.
long writeTorusModel(std::FILE* out, long faceCount);

// Writes a scene of `objectCount` objects of about faceCount / objectCount faces each: a material
// list with one material per object, then one *GEOMOBJECT block per object holding a small torus
// laid out as above, with its name and its *MATERIAL_REF. Returns the number of faces written.
long writeTorusScene(std::FILE* out, long faceCount, long objectCount);

}  // namespace meshwright
