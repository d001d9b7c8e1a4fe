// Arbitrary bytes through the reader and, when it accepts them, through every writer, in memory;
// and the same bytes read as a scene, each object framed and written in every kind. Reading on
// two threads, and writing with runs of items formatted on two, must change nothing.
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

// Two threads, the second sent for any list past a few records.
meshwright::ReadOptions twoThreads(std::string_view bytes) {
    meshwright::ReadOptions options;
    options.threads = 2;
    options.sampleRecords = 2;
    options.scoutRecordsAtLeast = 4;
    options.scoutBytesAtLeast = 0;
    options.scoutBlockSize = 1 + bytes.size() % 37;
    return options;
}

// The text `write` makes on one thread, checked to be what it makes with every run of items cut
// into chunks formatted on two.
template <typename Write>
void writeOnOneAndTwoThreads(Write write) {
    using namespace meshwright;
    std::string texts[2];
    for (int threads : {1, 2}) {
        StringSink sink;
        Output out(sink, 256);
        out.setThreads(threads, 1);
        write(out);
        out.flush();
        texts[threads - 1] = std::move(sink.text);
    }
    if (texts[0] != texts[1]) {
        __builtin_trap();
    }
}

void fuzzMesh(std::string_view bytes) {
    using namespace meshwright;
    auto read = readOnce(bytes, {});
    // The second thread must change nothing.
    const auto readOnTwo = readOnce(bytes, twoThreads(bytes));
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
        writeOnOneAndTwoThreads([&](Output& out) { kindWriter(kind)->write(mesh, out); });
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

// Every object of `bytes` read as a scene, up to the message that stopped the reading, if any.
struct SceneRead {
    std::vector<meshwright::SceneObject> objects;
    std::string message;
};

SceneRead readScene(std::string_view bytes, const meshwright::ReadOptions& options) {
    using namespace meshwright;
    MemorySource source(bytes);
    SceneReader scene(source, 1 + bytes.size() % 53, options);
    SceneRead read;
    try {
        while (std::optional<SceneObject> object = scene.nextObject()) {
            read.objects.push_back(std::move(*object));
        }
    } catch (const MeshError& error) {
        read.message = error.what();
    }
    return read;
}

void fuzzScene(std::string_view bytes) {
    using namespace meshwright;
    const SceneRead read = readScene(bytes, {});
    // On two threads, each object's lists confined to its block, where braces count: the same
    // objects, and the same message.
    const SceneRead readOnTwo = readScene(bytes, twoThreads(bytes));
    if (readOnTwo.message != read.message || readOnTwo.objects.size() != read.objects.size()) {
        __builtin_trap();
    }
    for (size_t i = 0; i < read.objects.size(); ++i) {
        if (readOnTwo.objects[i].name != read.objects[i].name ||
            !sameMesh(readOnTwo.objects[i].mesh, read.objects[i].mesh)) {
            __builtin_trap();
        }
    }
    if (!read.message.empty()) {
        return;
    }
    DiscardingSink sink;
    Output out(sink, 256);
    try {
        for (const SceneObject& object : read.objects) {
            for (int kind = 1; kind <= 4; ++kind) {
                writeSceneObject(object, *kindWriter(kind), out);
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
