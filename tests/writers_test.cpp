// The writers' shared contract: they follow only indices the mesh checks have passed, and a build
// with asserts stops a writer handed a mesh the checks would refuse, before it reads outside an
// array.
#include "codegen/writers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ase/byte_source.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "mesh_samples.h"
#include "torus_text.h"

namespace meshwright {
namespace {

using testing::generate;
using testing::oneFaceSample;

// Meshes the checks refuse, each by one index the writers follow (used only where asserts are on).
[[maybe_unused]] std::vector<std::pair<const char*, MeshData>> brokenMeshes() {
    MeshData cornerPastVertices = oneFaceSample(1);
    (*cornerPastVertices.faces)[0].c = 3;
    MeshData texturePastTextureVertices = oneFaceSample(1);
    (*texturePastTextureVertices.tFaces)[0].b = -1;
    MeshData fewerTextureFacesThanFaces = oneFaceSample(1);
    fewerTextureFacesThanFaces.tFaces->clear();
    fewerTextureFacesThanFaces.tvFaceCount = 0;
    return {{"a corner past the vertices", cornerPastVertices},
            {"a texture corner before the first texture vertex", texturePastTextureVertices},
            {"fewer texture faces than faces", fewerTextureFacesThanFaces}};
}

TEST(WritersDeathTest, EveryKindStopsOnAnIndexTheChecksWouldRefuse) {
#ifdef NDEBUG
    GTEST_SKIP() << "asserts are off in this build";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int32_t kind = 1; kind <= 4; ++kind) {
        for (const auto& [fault, mesh] : brokenMeshes()) {
            EXPECT_DEATH(generate(kindWriter(kind)->write, mesh), "the checks have passed")
                << "kind " << kind << ", " << fault;
        }
    }
    for (const auto& [fault, mesh] : brokenMeshes()) {
        MeshData copy = mesh;
        const auto writeHeader = [&copy](const MeshData&, Output& out) {
            writeBuffers(copy, {}, out);
        };
        EXPECT_DEATH(generate(writeHeader, copy), "the checks have passed") << "buffers, " << fault;
    }
#endif
}

// The text of `kind` for `mesh`, its long runs formatted on `threads` threads.
std::string writtenOn(int threads, int32_t kind, const MeshData& mesh) {
    StringSink sink;
    Output out(sink);
    out.setThreads(threads, 3);  // short runs too, to test the chunks
    kindWriter(kind)->write(mesh, out);
    out.flush();
    return std::move(sink.text);
}

TEST(Writers, EveryKindWritesTheSameBytesOnTwoThreadsWhateverListsTheMeshLacks) {
    // 6,000 faces: every long block is cut into several chunks, in each kind.
    const std::string text = testing::torusText(6000);
    MemorySource source(text);
    TokenReader reader(source);
    const MeshData torus = readMesh(reader);
    std::vector<std::pair<const char*, MeshData>> meshes(5, {"", torus});
    meshes[0].first = "every list";
    meshes[1].first = "no normals";
    meshes[1].second.faceNormals.reset();
    meshes[1].second.cornerNormals.reset();
    meshes[2].first = "no texture lists";
    meshes[2].second.tVertices.reset();
    meshes[2].second.tFaces.reset();
    meshes[3].first = "no face list";
    meshes[3].second.faces.reset();
    meshes[4].first = "no vertex list";
    meshes[4].second.vertices.reset();
    for (const auto& [lacking, mesh] : meshes) {
        for (int32_t kind = 1; kind <= 4; ++kind) {
            SCOPED_TRACE(std::string(lacking) + ", kind " + std::to_string(kind));
            const std::string alone = writtenOn(1, kind, mesh);
            EXPECT_TRUE(writtenOn(2, kind, mesh) == alone);  // not printed: megabytes
        }
    }
}

}  // namespace
}  // namespace meshwright
