// Welding corners into vertices: linear on any corner values, whatever a file aims at the table.
#include "codegen/corner_welding.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <set>

namespace meshwright {
namespace {

// A hash with a fixed start whose last round any file can undo: each corner below sets its last
// eight bytes (u, v) to cancel the state the first 24 bytes left, so all share one hash.
uint64_t fixedStateAfterThreeWords(const uint64_t (&words)[4]) {
    uint64_t hash = 0x9E3779B97F4A7C15ULL;
    for (int i = 0; i < 3; ++i) {
        hash = (hash ^ words[i]) * 0xBF58476D1CE4E5B9ULL;
        hash ^= hash >> 31;
    }
    return hash;
}

// `faces` faces of distinct corners that a fixed-start hash sends all to one slot.
MeshData meshOfCollidingCorners(int32_t faces) {
    MeshData mesh;
    mesh.faceCount = faces;
    mesh.vertexCount = 1;
    mesh.tVertexCount = 3 * faces;
    mesh.tvFaceCount = faces;
    mesh.vertices.emplace(1);
    mesh.faces.emplace();
    mesh.faceNormals.emplace(static_cast<size_t>(faces));
    mesh.cornerNormals.emplace();
    mesh.tVertices.emplace();
    mesh.tFaces.emplace();
    for (int32_t corner = 0; mesh.tVertices->size() < size_t(3 * faces); ++corner) {
        CornerValues values;
        values.normal.y = static_cast<float>(corner);
        uint64_t words[4];
        std::memcpy(words, &values, sizeof words);
        const uint64_t last = fixedStateAfterThreeWords(words) ^ 0x3F8000003F800000ULL;
        const float u = std::bit_cast<float>(static_cast<uint32_t>(last));
        const float v = std::bit_cast<float>(static_cast<uint32_t>(last >> 32));
        if (std::isnan(u) || std::isnan(v)) {
            continue;  // a reader never makes a NaN
        }
        mesh.cornerNormals->push_back(values.normal);
        mesh.tVertices->push_back({u, v, 0.0f});
    }
    for (int32_t face = 0; face < faces; ++face) {
        mesh.faces->push_back({0, 0, 0, 1});
        mesh.tFaces->push_back({3 * face, 3 * face + 1, 3 * face + 2});
    }
    return mesh;
}

TEST(CornerWelding, CornersAimedAtOneSlotCostAboutWhatAnOrdinaryMeshCosts) {
    const int32_t faces = 20000;
    const WeldedMesh welded = weldCorners(meshOfCollidingCorners(faces), 1);
    ASSERT_EQ(welded.vertexCount(), 3u * faces);  // all distinct: nothing welded
    // At most half the table is full: a few slots a corner on average. Corners sharing a slot
    // would look at about corners^2 / 2 of them.
    EXPECT_LT(welded.slotsProbed, 4u * 3 * faces);
}

TEST(CornerWelding, EqualCornersBecomeOneVertexNumberedByFirstUse) {
    MeshData mesh = meshOfCollidingCorners(2);
    (*mesh.tFaces)[1] = {2, 1, 0};  // the second face reuses the first face's corners, reversed
    mesh.cornerNormals->at(3) = mesh.cornerNormals->at(2);
    mesh.cornerNormals->at(4) = mesh.cornerNormals->at(1);
    mesh.cornerNormals->at(5) = mesh.cornerNormals->at(0);
    const WeldedMesh welded = weldCorners(mesh, 1);
    EXPECT_EQ(welded.vertexCount(), 3u);
    EXPECT_EQ(welded.indices, (std::vector<uint32_t>{0, 1, 2, 2, 1, 0}));
}

// One vertex, one normal, and `texture` coordinates for the corners of `faces` faces in turn.
MeshData meshOfTextureCorners(int32_t faces, const std::vector<Vec3f>& texture) {
    MeshData mesh;
    mesh.faceCount = faces;
    mesh.vertexCount = 1;
    mesh.vertices.emplace(1);
    mesh.faces.emplace(size_t(faces), FaceRecord{0, 0, 0, -1});
    mesh.faceNormals.emplace(size_t(faces), Vec3f{0, 0, 1});
    mesh.cornerNormals.emplace(3 * size_t(faces));
    mesh.tVertexCount = int32_t(texture.size());
    mesh.tVertices = texture;
    mesh.tvFaceCount = faces;
    mesh.tFaces.emplace();
    for (int32_t face = 0; face < faces; ++face) {
        const int32_t first = (3 * face) % mesh.tVertexCount;
        mesh.tFaces->push_back(
            {first, (first + 1) % mesh.tVertexCount, (first + 2) % mesh.tVertexCount});
    }
    return mesh;
}

TEST(CornerWelding, CornersThatDifferOnlyInUOrVStayApart) {
    const MeshData mesh =
        meshOfTextureCorners(2, {{0.5f, 0.25f, 0}, {0.75f, 0.25f, 0}, {0.5f, 0.75f, 0}});
    const WeldedMesh welded = weldCorners(mesh, 1);
    ASSERT_EQ(welded.vertexCount(), 3u);
    EXPECT_EQ(welded.indices, (std::vector<uint32_t>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(valuesOfVertex(mesh, welded, 1).u, 0.75f);
    EXPECT_EQ(valuesOfVertex(mesh, welded, 1).v, 0.25f);
    EXPECT_EQ(valuesOfVertex(mesh, welded, 2).u, 0.5f);
    EXPECT_EQ(valuesOfVertex(mesh, welded, 2).v, 0.75f);
}

// Far more distinct corners than the three vertices suggest: every one keeps its own number,
// and each corner met again later still finds it.
TEST(CornerWelding, ManyDistinctCornersOverFewVerticesKeepTheirNumbers) {
    const int32_t distinct = 3 * 1500;
    std::vector<Vec3f> texture;
    for (int32_t i = 0; i < distinct; ++i) {
        texture.push_back({float(i), 0, 0});
    }
    MeshData mesh = meshOfTextureCorners(2 * distinct / 3, texture);
    mesh.vertexCount = 3;
    mesh.vertices.emplace(3);
    const WeldedMesh welded = weldCorners(mesh, 1);
    ASSERT_EQ(welded.vertexCount(), size_t(distinct));
    for (size_t corner = 0; corner < welded.indices.size(); ++corner) {
        ASSERT_EQ(welded.indices[corner], corner % size_t(distinct)) << corner;
    }
}

// A grid of `side` x `side` cells, two faces each, cut by seams everywhere: every other column of
// cells has texture coordinates of its own, every third cell has hard faces (face normals), and
// the smooth corners take a normal from their position. Far more corners are distinct than there
// are vertices, yet many are still shared across faces.
MeshData meshOfManySeams(int32_t side) {
    const int32_t row = side + 1;
    MeshData mesh;
    mesh.vertexCount = row * row;
    mesh.tVertexCount = 2 * row * row;
    mesh.faceCount = mesh.tvFaceCount = 2 * side * side;
    mesh.vertices.emplace();
    mesh.tVertices.emplace();
    for (int32_t point = 0; point < row * row; ++point) {
        mesh.vertices->push_back({float(point % row), float(point / row), 0});
    }
    for (float uOffset : {0.0f, 0.5f}) {
        for (int32_t point = 0; point < row * row; ++point) {
            mesh.tVertices->push_back({float(point % row) + uOffset, float(point / row), 0});
        }
    }
    mesh.faces.emplace();
    mesh.tFaces.emplace();
    mesh.faceNormals.emplace();
    mesh.cornerNormals.emplace();
    for (int32_t cell = 0; cell < side * side; ++cell) {
        const int32_t corner = cell / side * row + cell % side;  // its lower left point
        const int32_t smoothing = cell % 3 == 0 ? -1 : 1;
        const int32_t texture = cell % 2 == 0 ? 0 : row * row;
        for (const auto& [a, b, c] : {std::array{corner, corner + 1, corner + row},
                                      std::array{corner + 1, corner + row + 1, corner + row}}) {
            mesh.faces->push_back({a, b, c, smoothing});
            mesh.tFaces->push_back({a + texture, b + texture, c + texture});
            mesh.faceNormals->push_back({0, 0, cell % 2 == 0 ? 1.0f : -1.0f});
            for (int32_t point : {a, b, c}) {
                mesh.cornerNormals->push_back({float(point % 4), 0, 1});
            }
        }
    }
    return mesh;
}

// What corner `corner` of face `face` draws, by the rule the writers draw by.
CornerValues cornerDrawn(const MeshData& mesh, int32_t face, int corner) {
    const FaceRecord& record = (*mesh.faces)[size_t(face)];
    const TexFaceRecord& texture = (*mesh.tFaces)[size_t(face)];
    const int32_t point = std::array{record.a, record.b, record.c}[size_t(corner)];
    const Vec3f& uv =
        (*mesh.tVertices)[size_t(std::array{texture.a, texture.b, texture.c}[size_t(corner)])];
    CornerValues values;
    values.position = (*mesh.vertices)[size_t(point)];
    values.normal = record.smoothing == -1
                        ? (*mesh.faceNormals)[size_t(face)]
                        : (*mesh.cornerNormals)[3 * size_t(face) + size_t(corner)];
    values.u = uv.x;
    values.v = uv.y;
    return values;
}

bool sameBits(const CornerValues& a, const CornerValues& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every corner's vertex draws what the corner draws, vertices are numbered by first use, and no
// two vertices draw the same: more vertices than any guess made ahead, each still right.
TEST(CornerWelding, SeamsEverywhereWeldToFirstUseNumbersThatDrawEachCorner) {
    const MeshData mesh = meshOfManySeams(60);
    const WeldedMesh welded = weldCorners(mesh, 1);
    ASSERT_GT(welded.vertexCount(), size_t(mesh.vertexCount) * 3 / 2);  // past any guess ahead
    ASSERT_LT(welded.vertexCount(), 3 * size_t(mesh.faceCount));        // some corners still shared
    ASSERT_EQ(welded.indices.size(), 3 * size_t(mesh.faceCount));
    uint32_t nextNew = 0;
    for (size_t corner = 0; corner < welded.indices.size(); ++corner) {
        const uint32_t vertex = welded.indices[corner];
        ASSERT_LE(vertex, nextNew) << corner;
        nextNew += vertex == nextNew;
        ASSERT_TRUE(sameBits(valuesOfVertex(mesh, welded, vertex),
                             cornerDrawn(mesh, int32_t(corner / 3), int(corner % 3))))
            << corner;
    }
    EXPECT_EQ(nextNew, welded.vertexCount());
    std::set<std::array<uint32_t, 8>> distinct;
    for (uint32_t vertex = 0; vertex < welded.vertexCount(); ++vertex) {
        distinct.insert(
            std::bit_cast<std::array<uint32_t, 8>>(valuesOfVertex(mesh, welded, vertex)));
    }
    EXPECT_EQ(distinct.size(), welded.vertexCount());
}

// `mesh` followed by its faces once more: on the same vertices, or on a copy of them moved up by
// one, so that no corner of the second round draws what a corner of the first draws.
MeshData followedByItsFacesAgain(MeshData mesh, bool onTheSameVertices) {
    const int32_t offset = onTheSameVertices ? 0 : mesh.vertexCount;
    if (!onTheSameVertices) {
        for (int32_t point = 0; point < offset; ++point) {
            const Vec3f moved = (*mesh.vertices)[size_t(point)];
            mesh.vertices->push_back({moved.x, moved.y, moved.z + 1});
        }
        mesh.vertexCount *= 2;
    }
    const size_t faces = mesh.faces->size();
    for (size_t face = 0; face < faces; ++face) {
        const FaceRecord record = (*mesh.faces)[face];
        mesh.faces->push_back(
            {record.a + offset, record.b + offset, record.c + offset, record.smoothing});
        const TexFaceRecord texture = (*mesh.tFaces)[face];
        mesh.tFaces->push_back(texture);
        const Vec3f normal = (*mesh.faceNormals)[face];
        mesh.faceNormals->push_back(normal);
        for (size_t corner = 0; corner < 3; ++corner) {
            const Vec3f cornerNormal = (*mesh.cornerNormals)[3 * face + corner];
            mesh.cornerNormals->push_back(cornerNormal);
        }
    }
    mesh.faceCount *= 2;
    mesh.tvFaceCount *= 2;
    return mesh;
}

// Welds `mesh` on one thread and with two allowed: the same vertices, numbered the same, drawn by
// the same first corners. Returns the welding with two allowed.
WeldedMesh expectTwoThreadsWeldAsOne(const MeshData& mesh, int threadsUsed) {
    const WeldedMesh alone = weldCorners(mesh, 1);
    WeldedMesh split = weldCorners(mesh, 2);
    EXPECT_EQ(alone.threadsUsed, 1);
    EXPECT_EQ(split.threadsUsed, threadsUsed);
    EXPECT_EQ(split.vertexCount(), alone.vertexCount());
    EXPECT_EQ(split.firstCorners, alone.firstCorners);
    EXPECT_EQ(split.indices, alone.indices);
    return split;
}

TEST(CornerWelding, TwoThreadsWeldSeamsEverywhereToTheNumbersOfOne) {
    const MeshData mesh = meshOfManySeams(120);
    ASSERT_GE(3 * size_t(mesh.faceCount), kCornersWorthTwoThreads);
    expectTwoThreadsWeldAsOne(mesh, 2);
}

TEST(CornerWelding, TwoThreadsWeldCornersAimedAtOneSlotInLinearTime) {
    const int32_t faces = 30000;
    const MeshData mesh = meshOfCollidingCorners(faces);
    const WeldedMesh welded = expectTwoThreadsWeldAsOne(mesh, 2);
    EXPECT_EQ(welded.vertexCount(), 3u * faces);
    // Each corner looked up once in its part's table, each vertex of the latter part once more
    // in the whole table: a few slots each.
    EXPECT_LT(welded.slotsProbed, 4u * 3 * faces);
}

// The latter part draws exactly what the former draws: all its vertices are found, none added.
TEST(CornerWelding, TwoThreadsWeldALatterPartSharingEveryVertexOntoTheFormer) {
    const MeshData once = meshOfManySeams(80);
    const MeshData twice = followedByItsFacesAgain(once, true);
    ASSERT_GE(3 * size_t(twice.faceCount), kCornersWorthTwoThreads);
    const WeldedMesh welded = expectTwoThreadsWeldAsOne(twice, 2);
    const WeldedMesh former = weldCorners(once, 1);
    EXPECT_EQ(welded.firstCorners, former.firstCorners);
    const std::vector<uint32_t> latterIndices(welded.indices.begin() + long(former.indices.size()),
                                              welded.indices.end());
    EXPECT_EQ(latterIndices, former.indices);
}

// The latter part shares nothing: its vertices all follow the former's, in their own order.
TEST(CornerWelding, TwoThreadsWeldALatterPartSharingNoVertexAfterTheFormer) {
    const MeshData once = meshOfManySeams(80);
    const MeshData twice = followedByItsFacesAgain(once, false);
    const WeldedMesh welded = expectTwoThreadsWeldAsOne(twice, 2);
    const WeldedMesh former = weldCorners(once, 1);
    ASSERT_EQ(welded.vertexCount(), 2 * former.vertexCount());
    const auto vertices = uint32_t(former.vertexCount());
    for (size_t corner = 0; corner < former.indices.size(); ++corner) {
        ASSERT_EQ(welded.indices[former.indices.size() + corner], former.indices[corner] + vertices)
            << corner;
    }
}

// Below the threshold a second thread would cost more than it saves: one welds them all.
TEST(CornerWelding, TwoThreadsAllowedWeldOnOneBelowTheThreshold) {
    const auto facesBelow = int32_t((kCornersWorthTwoThreads - 1) / 3);
    expectTwoThreadsWeldAsOne(meshOfCollidingCorners(facesBelow), 1);
    expectTwoThreadsWeldAsOne(meshOfCollidingCorners(facesBelow + 1), 2);
    expectTwoThreadsWeldAsOne(meshOfManySeams(20), 1);
    MeshData oneFace = meshOfCollidingCorners(1);
    expectTwoThreadsWeldAsOne(oneFace, 1);
}

}  // namespace
}  // namespace meshwright
