// The writers' shared contract: they follow only indices the mesh checks have passed, and a build
// with asserts stops a writer handed a mesh the checks would refuse, before it reads outside an
// array.
#include "codegen/writers.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "mesh_samples.h"

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

}  // namespace
}  // namespace meshwright
