// The inputs the micro-benchmarks share: the torus model as ASE text in memory, and its mesh.
#pragma once

#include <string>

#include "ase/mesh.h"
#include "codegen/output.h"

namespace meshwright {

// The ASE text of the torus model of about `faceCount` faces, made once per size and kept.
const std::string& torusText(long faceCount);

// That text read by readMesh, made once per size and kept.
const MeshData& torusMesh(long faceCount);

// Takes the output and keeps only its length, so that a writer's benchmark measures the writer
// and not the disk.
class CountingSink : public ByteSink {
  public:
    void write(const char*, size_t size) override { bytes += size; }
    size_t bytes = 0;
};

}  // namespace meshwright
