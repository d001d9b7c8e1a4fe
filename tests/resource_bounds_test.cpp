// Whatever the input, memory follows the mesh: not the counts a file claims, not its length.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "bench/torus_model.h"
#include "test_support.h"

namespace meshwright {
namespace {

using testing::runTool;
using testing::TempDir;
using testing::writeFile;

// Small enough that only a mistake reaches it: the tool itself, its buffers and a small mesh.
constexpr long kSmallPeakKb = 40 * 1024;

// Sanitizers reserve shadow memory and delay frees, so peak figures mean nothing under them.
#ifdef MESHWRIGHT_SANITIZED
#define SKIP_UNDER_SANITIZERS() GTEST_SKIP() << "memory figures are not meaningful here"
#else
#define SKIP_UNDER_SANITIZERS() (void)0
#endif

TEST(ResourceBounds, CountsThatTheFileCannotHoldAreRejectedBeforeAnyLargeAllocation) {
    TempDir dir;
    for (const char* count : {"*MESH_NUMVERTEX 2000000000", "*MESH_NUMFACES 400000000",
                              "*MESH_NUMTVERTEX 1999999999", "*MESH_NUMTVFACES 2147483647"}) {
        writeFile(dir.file("bogus.ase"),
                  std::string(count) +
                      " *MESH_VERTEX_LIST { *MESH_FACE_LIST { *MESH_TVERTLIST { *MESH_TFACELIST {"
                      " *MESH_NORMALS {\n");
        auto result = runTool({"-k", "3", "bogus.ase"}, "", dir.path());
        EXPECT_EQ(result.status, 1) << count;
        EXPECT_NE(result.err.find("meshwright: bogus.ase: "), std::string::npos) << result.err;
#ifndef MESHWRIGHT_SANITIZED
        EXPECT_LT(result.peakMemoryKb, kSmallPeakKb) << count;
#endif
        EXPECT_FALSE(testing::fileExists(dir.file("bogus.cpp")));
    }
}

TEST(ResourceBounds, WordsThatAreNotTheMeshCostNoMemory) {
    SKIP_UNDER_SANITIZERS();
    TempDir dir;
    // 64 MB of one word without a separator, then 64 MB of short words, then a small mesh.
    std::string text = "*COMMENT " + std::string(64 << 20, 'x') + "\n";
    text.reserve(text.size() + (64 << 20) + 1000);
    while (text.size() < (128u << 20)) {
        text += "*SCENE_BACKGROUND_STATIC 0.0000 0.0000 0.0000\n";
    }
    text +=
        "*MESH_NUMVERTEX 3 *MESH_NUMFACES 1 *MESH_VERTEX_LIST { *MESH_VERTEX 0 0 0 0 "
        "*MESH_VERTEX 1 1 0 0 *MESH_VERTEX 2 0 1 0 } *MESH_FACE_LIST { *MESH_FACE 0: A: 0 B: 1 "
        "C: 2 *MESH_SMOOTHING 1 *MESH_MTLID 0 }";
    writeFile(dir.file("padded.ase"), text);
    text.clear();
    text.shrink_to_fit();
    auto result = runTool({"-k", "2", "-o", "-", "padded.ase"}, "", dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\t0.,0.,-1.\t};"), std::string::npos);
    EXPECT_LT(result.peakMemoryKb, kSmallPeakKb);
}

TEST(ResourceBounds, PeakMemoryGrowsWithTheMesh) {
    SKIP_UNDER_SANITIZERS();
    TempDir dir;
    long peaks[2];
    long sizes[2] = {20000, 200000};
    for (int i = 0; i < 2; ++i) {
        std::FILE* out = std::fopen(dir.file("torus.ase").c_str(), "w");
        writeTorusModel(out, sizes[i]);
        std::fclose(out);
        auto result = runTool({"-k", "3", "-f", "-o", "torus.cpp", "torus.ase"}, "", dir.path());
        ASSERT_EQ(result.status, 0) << result.err;
        peaks[i] = result.peakMemoryKb;
    }
    // The mesh's arrays take about 100 bytes a face here (positions, faces, normals, texture);
    // what the larger mesh costs more must be of that order, and nothing else may grow.
    const long bytesPerFace = (peaks[1] - peaks[0]) * 1024 / (sizes[1] - sizes[0]);
    EXPECT_LT(bytesPerFace, 250) << peaks[0] << " KB, then " << peaks[1] << " KB";
    EXPECT_LT(peaks[0], kSmallPeakKb);
}

}  // namespace
}  // namespace meshwright
