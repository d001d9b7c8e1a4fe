// Whatever the input, memory follows the mesh: not the counts a file claims, not its length.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "bench/torus_model.h"
#include "test_support.h"

namespace meshwright {
namespace {

using testing::runTool;
using testing::TempDir;
using testing::writeFile;

void writeTorus(const std::string& path, long faces) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    ASSERT_NE(out, nullptr);
    writeTorusModel(out, faces);
    std::fclose(out);
}

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

// A pipe can't tell its length ahead, so every count must be proven by the records that arrive.
TEST(ResourceBounds, ModelThroughAPipeConvertsLikeTheSameFile) {
    TempDir dir;
    writeTorus(dir.file("torus.ase"), 20000);
    const std::string model = testing::readFile(dir.file("torus.ase"));
    ASSERT_EQ(mkfifo(dir.file("piped.ase").c_str(), 0600), 0);
    std::signal(SIGPIPE, SIG_IGN);  // a tool that stops reading must not end the test
    std::thread feeder([&] {
        // Waits for the tool to open its end, but not forever: a tool that never opens it must
        // fail the test, not hang it.
        int fd = -1;
        for (int tries = 0; fd < 0 && tries < 2000; ++tries) {
            fd = open(dir.file("piped.ase").c_str(), O_WRONLY | O_NONBLOCK);
            if (fd < 0) {
                usleep(5000);
            }
        }
        if (fd >= 0) {
            fcntl(fd, F_SETFL, 0);
        }
        for (size_t done = 0; fd >= 0 && done < model.size();) {
            ssize_t put =
                write(fd, model.data() + done, std::min<size_t>(model.size() - done, 4096));
            if (put <= 0) {
                break;
            }
            done += static_cast<size_t>(put);
        }
        close(fd);
    });
    auto piped = runTool({"-k", "4", "-o", "piped.cpp", "piped.ase"}, "", dir.path());
    feeder.join();
    auto file = runTool({"-k", "4", "torus.ase"}, "", dir.path());
    ASSERT_EQ(piped.status, 0) << piped.err;
    ASSERT_EQ(file.status, 0) << file.err;
    EXPECT_EQ(testing::readFile(dir.file("piped.cpp")), testing::readFile(dir.file("torus.cpp")));
}

// The bytes the tool reads bound its memory: twice what it read, beyond what any run costs.
void expectPeakWithinTwiceTheBytesRead(const testing::ToolResult& result, long bytesRead) {
    EXPECT_LT(result.peakMemoryKb, kSmallPeakKb + 2 * bytesRead / 1024)
        << "after reading " << bytesRead << " bytes";
}

TEST(ResourceBounds, ListBeforeItsRecordsTakesNoMemoryTheRecordsDoNotFill) {
    SKIP_UNDER_SANITIZERS();
    TempDir dir;
    // Room for two million faces by the size, but the normals list holds no record at all.
    std::string text = "*MESH_NUMFACES 2000000\n*MESH_NORMALS {\n";
    text.resize(20 << 20, ' ');
    writeFile(dir.file("blank.ase"), text);
    auto result = runTool({"-k", "1", "blank.ase"}, "", dir.path());
    EXPECT_EQ(result.err,
              "meshwright: blank.ase: the input ends inside the normals list (record 1 of "
              "2000000)\n");
    EXPECT_EQ(result.status, 1);
    expectPeakWithinTwiceTheBytesRead(result, 20 << 20);
    EXPECT_LT(result.peakMemoryKb, kSmallPeakKb);
    EXPECT_FALSE(testing::fileExists(dir.file("blank.cpp")));
}

TEST(ResourceBounds, SparseFileCostsWhatItHoldsNotItsApparentSize) {
    SKIP_UNDER_SANITIZERS();
    TempDir dir;
    // 64 MB by its size, a few bytes on disk: the count fits the size, the records never come.
    const std::string head = "*MESH_NUMFACES 6000000\n*MESH_NORMALS {\n";
    writeFile(dir.file("sparse.ase"), head);
    ASSERT_EQ(truncate(dir.file("sparse.ase").c_str(), 64 << 20), 0);
    auto result = runTool({"-k", "1", "sparse.ase"}, "", dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("the input ends inside the normals list"), std::string::npos)
        << result.err;
    EXPECT_LT(result.peakMemoryKb, kSmallPeakKb);
    EXPECT_FALSE(testing::fileExists(dir.file("sparse.cpp")));
}

}  // namespace
}  // namespace meshwright
