// What the reader makes of real exported ASE files, read from disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <cstring>

#include "app/file_source.h"
#include "ase/section_readers.h"
#include "test_support.h"

namespace meshwright {
namespace {

using testing::dataPath;

MeshData readFile(const std::string& name) {
    int descriptor = open(dataPath(name).c_str(), O_RDONLY);
    EXPECT_GE(descriptor, 0) << "can't open " << name;
    FileSource source(descriptor);
    TokenReader reader(source);
    try {
        MeshData mesh = readMesh(reader);
        close(descriptor);
        return mesh;
    } catch (...) {
        close(descriptor);
        throw;
    }
}

void expectVec(const Vec3f& actual, float x, float y, float z) {
    EXPECT_EQ(std::bit_cast<uint32_t>(actual.x), std::bit_cast<uint32_t>(x)) << actual.x;
    EXPECT_EQ(std::bit_cast<uint32_t>(actual.y), std::bit_cast<uint32_t>(y)) << actual.y;
    EXPECT_EQ(std::bit_cast<uint32_t>(actual.z), std::bit_cast<uint32_t>(z)) << actual.z;
}

void expectCounts(const MeshData& mesh, int32_t vertices, int32_t faces, int32_t tVertices,
                  int32_t tvFaces) {
    EXPECT_EQ(mesh.vertexCount, vertices);
    EXPECT_EQ(mesh.faceCount, faces);
    EXPECT_EQ(mesh.tVertexCount, tVertices);
    EXPECT_EQ(mesh.tvFaceCount, tvFaces);
}

bool hasEveryArray(const MeshData& mesh) {
    return mesh.vertices && mesh.faces && mesh.tVertices && mesh.tFaces && mesh.faceNormals &&
           mesh.cornerNormals;
}

TEST(AseFiles, RotatingCube) {
    MeshData mesh = readFile("RotatingCube.ASE");
    expectCounts(mesh, 8, 12, 12, 12);
    ASSERT_TRUE(hasEveryArray(mesh));
    EXPECT_EQ(mesh.cornerNormals->size(), 36u);
    // *MESH_VERTEX 0 -29.3447 -34.1813 4.0862, turned to Y-up.
    expectVec(mesh.vertices->at(0), -29.3447f, 4.0862f, 34.1813f);
    // *MESH_FACE 11: A: 4 B: 6 C: 2 ... *MESH_SMOOTHING 7
    const FaceRecord& last = mesh.faces->at(11);
    EXPECT_EQ(last.a, 4);
    EXPECT_EQ(last.b, 6);
    EXPECT_EQ(last.c, 2);
    EXPECT_EQ(last.smoothing, 7);
    expectVec(mesh.tVertices->at(11), 1, 1, 0);
    EXPECT_EQ(mesh.tFaces->at(0).a, 9);
    // *MESH_FACENORMAL 11 -1.0000 -0.0000 -0.0000, and the middle corner of its record.
    expectVec(mesh.faceNormals->at(11), -1, -0.0f, 0);
    expectVec(mesh.cornerNormals->at(34), -1, -0.0f, 0);
    expectVec(mesh.cornerNormals->at(33), -1, 0, -0.0f);
}

TEST(AseFiles, ThreeCubesKeepTheLastObjectsSections) {
    MeshData mesh = readFile("ThreeCubesGreen.ASE");
    expectCounts(mesh, 8, 12, 0, 0);
    ASSERT_TRUE(mesh.vertices && mesh.faces);
    EXPECT_FALSE(mesh.faceNormals || mesh.tVertices || mesh.tFaces);
    // The third object's *MESH_VERTEX 1 -0.0000 -58.5873 26.7313.
    expectVec(mesh.vertices->at(1), -0.0f, 26.7313f, 58.5873f);
    expectVec(mesh.vertices->at(7), -300, 326.7313f, 58.5872f);
}

bool sameBits(const Vec3f& left, const Vec3f& right) {
    return std::memcmp(&left, &right, sizeof(Vec3f)) == 0;
}

template <typename T, typename Same>
bool sameArrays(const std::optional<std::vector<T>>& left,
                const std::optional<std::vector<T>>& right, Same same) {
    if (left.has_value() != right.has_value()) {
        return false;
    }
    return !left || std::equal(left->begin(), left->end(), right->begin(), right->end(), same);
}

TEST(AseFiles, Utf16FileReadsExactlyLikeItsSingleByteTwin) {
    MeshData wide = readFile("ThreeCubesGreen_UTF16LE.ASE");
    MeshData narrow = readFile("ThreeCubesGreen.ASE");
    expectCounts(wide, narrow.vertexCount, narrow.faceCount, narrow.tVertexCount,
                 narrow.tvFaceCount);
    EXPECT_TRUE(sameArrays(wide.vertices, narrow.vertices, sameBits));
    EXPECT_TRUE(sameArrays(wide.faces, narrow.faces, [](const auto& l, const auto& r) {
        return l.a == r.a && l.b == r.b && l.c == r.c && l.smoothing == r.smoothing;
    }));
    EXPECT_TRUE(sameArrays(wide.faceNormals, narrow.faceNormals, sameBits));
    EXPECT_TRUE(sameArrays(wide.cornerNormals, narrow.cornerNormals, sameBits));
    EXPECT_TRUE(sameArrays(wide.tVertices, narrow.tVertices, sameBits));
    EXPECT_TRUE(sameArrays(wide.tFaces, narrow.tFaces, [](const auto& l, const auto& r) {
        return l.a == r.a && l.b == r.b && l.c == r.c;
    }));
}

TEST(AseFiles, TexturedPlane) {
    MeshData mesh = readFile("UVTransform_Normal.ASE");
    expectCounts(mesh, 25, 32, 35, 32);
    ASSERT_TRUE(hasEveryArray(mesh));
    expectVec(mesh.vertices->at(1), -19.2308f, 0, 43.0199f);
    const FaceRecord& first = mesh.faces->at(0);
    EXPECT_EQ(first.a, 5);
    EXPECT_EQ(first.smoothing, 1);
    expectVec(mesh.tVertices->at(1), 0.25f, 0, 0);
    EXPECT_EQ(mesh.tFaces->at(31).c, 28);
    expectVec(mesh.faceNormals->at(0), 0, 1, -0.0f);
}

TEST(AseFiles, TextureFaceNamingAMissingTextureVertexIsRejected) {
    try {
        readFile("InvalidUVIndex.ase");
        ADD_FAILURE() << "the file was accepted";
    } catch (const MeshError& error) {
        EXPECT_STREQ(error.what(),
                     "texture face 0 uses texture vertex 7, but the mesh has 3 texture vertices");
    }
}

}  // namespace
}  // namespace meshwright
