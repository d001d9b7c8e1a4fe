// A deterministic torus in ASE form: the large input of the benchmarks and of the tests that
// need a conversion that takes a while.
#pragma once

#include <cstdio>

namespace meshwright {

// How the faces of a torus are grouped for smoothing.
enum class TorusSmoothing {
    kMixed,      // one face in ten in no group (drawn flat), one in ten in "1,2", the rest in "1"
    kAllSmooth,  // every face in group 1, so every kind draws the same picture
};

// A torus of `rings` steps around its axis and `segments` steps around its tube.
struct TorusShape {
    long rings;
    long segments;
    TorusSmoothing smoothing = TorusSmoothing::kMixed;
};

// Writes a torus of rings x segments x 2 faces to `out`, laid out like an exporter's file: counts,
// vertex list, face list, texture lists, normals. Texture coordinates wrap with a seam, so texture
// vertices outnumber vertices. Returns the number of faces written.
long writeTorus(std::FILE* out, const TorusShape& shape);

// A torus of about `faceCount` faces (rings x 50 segments x 2, smoothing mixed).
long writeTorusModel(std::FILE* out, long faceCount);

// Writes a scene of `objectCount` objects of about faceCount / objectCount faces each: a material
// list with one material per object, then one *GEOMOBJECT block per object holding a small torus
// laid out as above, with its name and its *MATERIAL_REF. Returns the number of faces written.
long writeTorusScene(std::FILE* out, long faceCount, long objectCount);

}  // namespace meshwright
