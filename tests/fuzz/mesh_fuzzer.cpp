// Arbitrary bytes through the reader and, when it accepts them, through every writer, in memory;
// and the same bytes read as a scene, each object framed and written in every kind.
// Any crash, sanitizer report, leak, hang or oversized allocation is a finding.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ase/byte_source.h"
#include "ase/scene_reader.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "codegen/output.h"
#include "codegen/scene_writer.h"
#include "codegen/writers.h"

namespace {

// Counts what a writer produces without keeping it: the output's size is not the point here.
class DiscardingSink : public meshwright::ByteSink {
  public:
    void write(const char*, size_t size) override { written += size; }
    size_t written = 0;
};

void fuzzMesh(std::string_view bytes) {
    using namespace meshwright;
    MemorySource source(bytes);
    // A small block makes words cross block boundaries as they do in large files.
    TokenReader reader(source, 1 + bytes.size() % 61);
    MeshData mesh;
    try {
        mesh = readMesh(reader);
    } catch (const MeshError&) {
        return;
    }
    for (int kind = 1; kind <= 4; ++kind) {
        DiscardingSink sink;
        Output out(sink, 256);
        kindWriter(kind)->write(mesh, out);
        out.flush();
    }
    // The header kind makes normals and reorders triangles: it may refuse a mesh, never fail.
    for (NormalsSource normals : {NormalsSource::kFileElseSmoothing, NormalsSource::kSmoothing}) {
        MeshData copy = mesh;
        DiscardingSink sink;
        Output out(sink, 256);
        try {
            writeBuffers(copy, {{"fuzz", "fuzz.ase"}, normals}, out);
        } catch (const MeshError&) {
            continue;
        }
        out.flush();
    }
}

void fuzzScene(std::string_view bytes) {
    using namespace meshwright;
    MemorySource source(bytes);
    SceneReader scene(source, 1 + bytes.size() % 53);
    DiscardingSink sink;
    Output out(sink, 256);
    try {
        while (std::optional<SceneObject> object = scene.nextObject()) {
            for (int kind = 1; kind <= 4; ++kind) {
                writeSceneObject(*object, *kindWriter(kind), out);
            }
        }
    } catch (const MeshError&) {
        return;
    }
    out.flush();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzzMesh(bytes);
    fuzzScene(bytes);
    return 0;
}
