// Normals made from smoothing groups: flat where groups part, smooth where they join.
#include "codegen/smoothing_normals.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ase/byte_source.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "test_support.h"

namespace meshwright {
namespace {

MeshData readText(const std::string& text) {
    MemorySource source(text);
    TokenReader reader(source);
    return readMesh(reader);
}

void expectNear(const Vec3f& actual, const Vec3f& expected, const std::string& where) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6) << where;
    EXPECT_NEAR(actual.y, expected.y, 1e-6) << where;
    EXPECT_NEAR(actual.z, expected.z, 1e-6) << where;
}

// The cube's sides are each in their own group, so every corner takes its side's normal: the
// same as the flat normals the file itself holds.
TEST(SmoothingNormals, CubeSidesInTheirOwnGroupsStayFlat) {
    MeshData mesh = readText(testing::readFile(testing::examplePath("cube.ase")));
    const std::vector<Vec3f> fileNormals = *mesh.cornerNormals;
    makeSmoothingNormals(mesh);
    ASSERT_EQ(mesh.cornerNormals->size(), fileNormals.size());
    for (size_t i = 0; i < fileNormals.size(); ++i) {
        expectNear((*mesh.cornerNormals)[i], fileNormals[i], "corner " + std::to_string(i));
        expectNear((*mesh.cornerNormals)[i], (*mesh.faceNormals)[i / 3],
                   "face " + std::to_string(i));
    }
}

// A band of a sphere, every face in group 1: each corner's normal points away from the centre,
// as a smooth surface's does, whichever face it belongs to.
TEST(SmoothingNormals, SphereInOneGroupIsSmooth) {
    const int rings = 12, segments = 24;
    MeshData mesh;
    std::vector<Vec3f> points;
    for (int r = 0; r <= rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const double theta = M_PI * r / rings, phi = 2 * M_PI * s / segments;
            points.push_back({float(std::sin(theta) * std::cos(phi)),
                              float(std::sin(theta) * std::sin(phi)), float(std::cos(theta))});
        }
    }
    std::vector<FaceRecord> faces;
    auto at = [&](int r, int s) { return r * segments + (s % segments); };
    for (int r = 1; r < rings - 1; ++r) {  // the bands away from the poles' slivers
        for (int s = 0; s < segments; ++s) {
            faces.push_back({at(r, s), at(r + 1, s), at(r + 1, s + 1), 1, 1});
            faces.push_back({at(r, s), at(r + 1, s + 1), at(r, s + 1), 1, 1});
        }
    }
    mesh.vertexCount = int32_t(points.size());
    mesh.faceCount = int32_t(faces.size());
    mesh.vertices = points;
    mesh.faces = faces;
    makeSmoothingNormals(mesh);
    for (size_t f = 0; f < faces.size(); ++f) {
        const int32_t corners[3] = {faces[f].a, faces[f].b, faces[f].c};
        for (int k = 0; k < 3; ++k) {
            const int ring = corners[k] / segments;
            if (ring == 1 || ring == rings - 1) {
                continue;  // the edge of the band, where only one side has faces
            }
            const Vec3f& n = (*mesh.cornerNormals)[3 * f + k];
            const Vec3f& p = points[size_t(corners[k])];
            EXPECT_GT(n.x * p.x + n.y * p.y + n.z * p.z, 0.99f) << "face " << f << " corner " << k;
            EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-6);
        }
    }
}

// Three right triangles meeting at the origin, normals +z, +x, +y, in groups {1}, {1, 2}, {2}:
// each corner at the origin sums the faces it shares a group with, and no more.
TEST(SmoothingNormals, AFaceInTwoGroupsJoinsBothNeighbours) {
    MeshData mesh;
    mesh.vertexCount = 4;
    mesh.vertices = std::vector<Vec3f>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    mesh.faceCount = 3;
    mesh.faces =
        std::vector<FaceRecord>{{0, 1, 2, 1, 0b01}, {0, 2, 3, 1, 0b11}, {0, 3, 1, 2, 0b10}};
    makeSmoothingNormals(mesh);
    const float h = float(1 / std::sqrt(2.0)), t = float(1 / std::sqrt(3.0));
    expectNear((*mesh.cornerNormals)[0], {h, 0, h}, "z face at the origin");
    expectNear((*mesh.cornerNormals)[3], {t, t, t}, "x face at the origin");
    expectNear((*mesh.cornerNormals)[6], {h, h, 0}, "y face at the origin");
    expectNear((*mesh.cornerNormals)[1], {0, 0, 1}, "z face alone at its own corner");
    expectNear((*mesh.faceNormals)[1], {1, 0, 0}, "x face");
}

// No group at all ("*MESH_SMOOTHING" with no number, or 0) is flat; a face that folds onto a line
// has no direction and gives zeros, never a NaN, nor spoils its neighbour.
TEST(SmoothingNormals, UngroupedFacesAreFlatAndDegenerateOnesGiveZeros) {
    MeshData mesh;
    mesh.vertexCount = 4;
    mesh.vertices = std::vector<Vec3f>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 0, 0}};
    mesh.faceCount = 3;
    mesh.faces = std::vector<FaceRecord>{{0, 1, 2, -1, 0}, {0, 2, 1, 0, 0}, {0, 1, 3, 1, 1}};
    makeSmoothingNormals(mesh);
    for (int k = 0; k < 3; ++k) {
        expectNear((*mesh.cornerNormals)[k], {0, 0, 1}, "ungrouped");
        expectNear((*mesh.cornerNormals)[3 + k], {0, 0, -1}, "group 0");
        expectNear((*mesh.cornerNormals)[6 + k], {0, 0, 0}, "degenerate");
    }
}

TEST(SmoothingNormals, GroupListsOfTheFileBecomeBits) {
    const MeshData mesh = readText(
        "*MESH_NUMVERTEX 3 *MESH_NUMFACES 3 *MESH_VERTEX_LIST {"
        " *MESH_VERTEX 0 0 0 0 *MESH_VERTEX 1 1 0 0 *MESH_VERTEX 2 0 1 0 }"
        " *MESH_FACE_LIST {"
        " *MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING 1,3 *MESH_MTLID 0"
        " *MESH_FACE 1: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING *MESH_MTLID 0"
        " *MESH_FACE 2: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 1 *MESH_SMOOTHING 0,32,33 *MESH_MTLID 0 }");
    EXPECT_EQ((*mesh.faces)[0].smoothingGroups, 0b101u);
    EXPECT_EQ((*mesh.faces)[0].smoothing, 1);
    EXPECT_EQ((*mesh.faces)[1].smoothingGroups, 0u);
    EXPECT_EQ((*mesh.faces)[2].smoothingGroups, 0x80000000u);
}

// Work at a vertex grows with the square of the group sets there, so a crafted fan of
// thousands of different sets is refused instead of running for minutes.
TEST(SmoothingNormals, TooManyGroupSetsAtOneVertexAreRefused) {
    MeshData mesh;
    const int fan = kMostSmoothingSetsAtVertex + 1;
    std::vector<Vec3f> points{{0, 0, 0}};
    std::vector<FaceRecord> faces;
    for (int i = 0; i <= fan; ++i) {
        points.push_back({std::cos(float(i)), std::sin(float(i)), 0});
    }
    for (int i = 0; i < fan; ++i) {
        faces.push_back({0, i + 1, i + 2, 1, uint32_t(i + 1)});
    }
    mesh.vertexCount = int32_t(points.size());
    mesh.faceCount = fan;
    mesh.vertices = points;
    mesh.faces = faces;
    try {
        makeSmoothingNormals(mesh);
        FAIL() << "accepted";
    } catch (const MeshError& error) {
        EXPECT_STREQ(error.what(),
                     "vertex 0 joins faces of more than 1024 different sets of smoothing groups, "
                     "too many to make normals from");
    }
}

}  // namespace
}  // namespace meshwright
