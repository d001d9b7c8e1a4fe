// The header's buffers: welded per part, reordered for the cache without turning a triangle over.
#include "codegen/vertex_buffers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "ase/byte_source.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "bench/torus_model.h"
#include "mesh_samples.h"

namespace meshwright {
namespace {

using Triangle = std::array<CornerValues, 3>;

MeshData torusMesh(long faces) {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    writeTorusModel(out, faces);
    std::fclose(out);
    const std::string ase(text, size);
    std::free(text);
    MemorySource source(ase);
    TokenReader reader(source);
    return readMesh(reader);
}

bool before(const CornerValues& a, const CornerValues& b) {
    return std::memcmp(&a, &b, sizeof a) < 0;
}

// Each triangle turned so its least corner leads: turning keeps the winding, which a mirror
// would not, so two lists are equal exactly when they hold the same triangles facing the same way.
std::vector<Triangle> canonicalTriangles(const std::vector<CornerValues>& vertices,
                                         const std::vector<uint32_t>& indices) {
    std::vector<Triangle> triangles;
    for (size_t i = 0; i + 2 < indices.size(); i += 3) {
        Triangle t{vertices[indices[i]], vertices[indices[i + 1]], vertices[indices[i + 2]]};
        const auto least = std::min_element(t.begin(), t.end(), before);
        std::rotate(t.begin(), least, t.end());
        triangles.push_back(t);
    }
    std::sort(triangles.begin(), triangles.end(), [](const Triangle& a, const Triangle& b) {
        return std::memcmp(a.data(), b.data(), sizeof a) < 0;
    });
    return triangles;
}

std::vector<CornerValues> valuesOfEveryVertex(const MeshData& mesh, const WeldedMesh& welded) {
    std::vector<CornerValues> values;
    for (uint32_t vertex = 0; vertex < welded.vertexCount(); ++vertex) {
        values.push_back(valuesOfVertex(mesh, welded, vertex));
    }
    return values;
}

bool sameTriangles(const std::vector<Triangle>& a, const std::vector<Triangle>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

TEST(VertexBuffers, ReorderingKeepsEveryTriangleFacingTheSameWay) {
    const MeshData mesh = torusMesh(6000);
    const WeldedMesh welded = weldCorners(mesh, 1);
    VertexBufferBuilder builder;
    builder.addPart(mesh);
    const VertexBuffers buffers = builder.finish();
    EXPECT_EQ(buffers.vertices.size(), welded.vertexCount());
    EXPECT_TRUE(
        sameTriangles(canonicalTriangles(buffers.vertices, buffers.indices),
                      canonicalTriangles(valuesOfEveryVertex(mesh, welded), welded.indices)));
    EXPECT_NE(buffers.indices, welded.indices);  // it did reorder
    EXPECT_LT(buffers.acmrReordered, buffers.acmrInFileOrder);
    EXPECT_GT(buffers.acmrReordered, 0.5);
}

// Fetch order: scanning the indices, every vertex not seen before is the next one in the buffer.
TEST(VertexBuffers, VerticesComeInTheOrderTheIndicesFirstUseThem) {
    const MeshData mesh = torusMesh(2000);
    VertexBufferBuilder builder;
    builder.addPart(mesh);
    const VertexBuffers buffers = builder.finish();
    uint32_t next = 0;
    for (uint32_t index : buffers.indices) {
        ASSERT_LE(index, next);
        next += index == next;
    }
    EXPECT_EQ(next, buffers.vertices.size());
}

// Parts never share vertices: each is welded on its own, and its indices count from its own
// first vertex in the one buffer.
TEST(VertexBuffers, EachPartWeldsItsOwnCornersAndKeepsItsOwnRange) {
    const MeshData mesh = torusMesh(1000);
    const size_t partVertices = weldCorners(mesh, 1).vertexCount();
    VertexBufferBuilder builder;
    builder.addPart(mesh);
    builder.addPart(testing::oneFaceSample(1));
    builder.addPart(mesh);
    const VertexBuffers buffers = builder.finish();
    ASSERT_EQ(buffers.parts.size(), 3u);
    EXPECT_EQ(buffers.vertices.size(), 2 * partVertices + 3);
    const uint64_t torusIndices = 3 * uint64_t(mesh.faceCount);
    EXPECT_EQ(buffers.parts[1].firstIndex, torusIndices);
    EXPECT_EQ(buffers.parts[1].indexCount, 3u);
    EXPECT_EQ(buffers.parts[2].firstIndex, torusIndices + 3);
    for (uint64_t i = 0; i < buffers.indices.size(); ++i) {
        const uint32_t index = buffers.indices[i];
        const int part = i < torusIndices ? 0 : i < torusIndices + 3 ? 1 : 2;
        const uint64_t first = part == 0 ? 0 : part == 1 ? partVertices : partVertices + 3;
        const uint64_t count = part == 1 ? 3 : partVertices;
        ASSERT_GE(index, first) << i;
        ASSERT_LT(index, first + count) << i;
    }
}

TEST(VertexBuffers, NormalsComeFromTheChosenSource) {
    const Vec3f fromFile{0.25f, 0.5f, 0.75f};
    struct Case {
        NormalsSource source;
        bool fileHasNormals;
        bool expectNormals;
        bool expectFileNormals;
    } cases[] = {
        {NormalsSource::kFileElseSmoothing, true, true, true},
        {NormalsSource::kFileElseSmoothing, false, true, false},
        {NormalsSource::kFile, false, false, false},
        {NormalsSource::kSmoothing, true, true, false},
        {NormalsSource::kNone, true, false, false},
    };
    for (const Case& c : cases) {
        MeshData mesh = testing::oneFaceSample(1);
        mesh.faces->front().smoothingGroups = 1;
        if (!c.fileHasNormals) {
            mesh.faceNormals.reset();
            mesh.cornerNormals.reset();
        }
        chooseNormals(mesh, c.source);
        ASSERT_EQ(mesh.cornerNormals.has_value(), c.expectNormals) << int(c.source);
        if (c.expectNormals) {
            const Vec3f& n = mesh.cornerNormals->front();
            EXPECT_EQ(n.x == fromFile.x && n.y == fromFile.y, c.expectFileNormals) << int(c.source);
        }
    }
}

// Infinity has no float literal; the message says which value of the file holds one.
TEST(VertexBuffers, InfiniteValuesAreRefusedByWhereTheyStand) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        void (*spoil)(MeshData&, float);
        const char* message;
    } cases[] = {
        {[](MeshData& m, float v) { (*m.vertices)[2].y = v; },
         "a coordinate of vertex 2 is beyond the float range (infinite), which a header can't "
         "write"},
        {[](MeshData& m, float v) { (*m.cornerNormals)[1].z = -v; },
         "a normal of face 0 is beyond the float range (infinite), which a header can't write"},
        {[](MeshData& m, float v) { (*m.tVertices)[1].x = v; },
         "texture vertex 1 is beyond the float range (infinite), which a header can't write"},
    };
    for (const Case& c : cases) {
        MeshData mesh = testing::oneFaceSample(1);
        c.spoil(mesh, inf);
        VertexBufferBuilder builder;
        try {
            builder.addPart(mesh);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const MeshError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    MeshData unusedW = testing::oneFaceSample(1);
    (*unusedW.tVertices)[0].z = inf;  // w is never drawn
    VertexBufferBuilder builder;
    EXPECT_NO_THROW(builder.addPart(unusedW));
}

}  // namespace
}  // namespace meshwright
