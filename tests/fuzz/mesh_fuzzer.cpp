// Arbitrary bytes through the reader and, when it accepts them, through every writer, in memory;
// and the same bytes read as a scene, each object framed and written in every kind.
// Any crash, sanitizer report, leak, hang or oversized allocation is a finding.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

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

template <typename T>
bool sameArray(const std::optional<std::vector<T>>& a, const std::optional<std::vector<T>>& b) {
    return a.has_value() == b.has_value() &&
           (!a || (a->size() == b->size() &&
                   (a->empty() || std::memcmp(a->data(), b->data(), a->size() * sizeof(T)) == 0)));
}

bool sameMesh(const meshwright::MeshData& a, const meshwright::MeshData& b) {
    return a.vertexCount == b.vertexCount && a.faceCount == b.faceCount &&
           a.tVertexCount == b.tVertexCount && a.tvFaceCount == b.tvFaceCount &&
           a.sectionFound == b.sectionFound && sameArray(a.vertices, b.vertices) &&
           sameArray(a.faces, b.faces) && sameArray(a.faceNormals, b.faceNormals) &&
           sameArray(a.cornerNormals, b.cornerNormals) && sameArray(a.tVertices, b.tVertices) &&
           sameArray(a.tFaces, b.tFaces) && sameArray(a.materialIds, b.materialIds);
}

// The mesh of `bytes`, or the message it is rejected with.
std::variant<meshwright::MeshData, std::string> readOnce(std::string_view bytes,
                                                         const meshwright::ReadOptions& options) {
    using namespace meshwright;
    MemorySource source(bytes);
    // A small block makes words cross block boundaries as they do in large files.
    TokenReader reader(source, 1 + bytes.size() % 61);
    try {
        return readMesh(reader, options);
    } catch (const MeshError& error) {
        return std::string(error.what());
    }
}

void fuzzMesh(std::string_view bytes) {
    using namespace meshwright;
    auto read = readOnce(bytes, {});
    // The second thread, sent for any list past a few records, must change nothing.
    ReadOptions twoThreads;
    twoThreads.threads = 2;
    twoThreads.sampleRecords = 2;
    twoThreads.scoutRecordsAtLeast = 4;
    twoThreads.scoutBytesAtLeast = 0;
    twoThreads.scoutBlockSize = 1 + bytes.size() % 37;
    const auto readOnTwo = readOnce(bytes, twoThreads);
    if (read.index() != readOnTwo.index() ||
        (read.index() == 1 ? std::get<1>(read) != std::get<1>(readOnTwo)
                           : !sameMesh(std::get<0>(read), std::get<0>(readOnTwo)))) {
        __builtin_trap();
    }
    if (read.index() == 1) {
        return;
    }
    MeshData& mesh = std::get<0>(read);
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
