// Kind 4: indices over the distinct corners, each corner drawn with exactly its own values.
#include <gtest/gtest.h>

#include "ase/byte_source.h"
#include "ase/section_readers.h"
#include "ase/token_reader.h"
#include "codegen/corner_welding.h"
#include "codegen/writers.h"
#include "mesh_samples.h"
#include "test_support.h"
#include "torus_text.h"

namespace meshwright {
namespace {

using testing::crlf;
using testing::generate;
using testing::oneFaceSample;

MeshData readExample(const std::string& name) {
    const std::string text = testing::readFile(testing::examplePath(name));
    MemorySource source(text);
    TokenReader reader(source);
    return readMesh(reader);
}

TEST(ExactIndexedArray, OneFaceLayout) {
    EXPECT_EQ(generate(writeExactIndexedArray, oneFaceSample(1)),
              crlf(std::string(testing::kOneFaceIndexedHead) +
                   "\t//Normal array\n"
                   "\tdouble Narray[] = {\n"
                   "\t0.25,0.5,0.75,\n"
                   "\t0.25,0.5,0.75,\n"
                   "\t0.25,0.5,0.75\t};\n"
                   "\t//Texture Coordinate array\n"
                   "\tdouble TCarray[] = {\n"
                   "\t0.25,0.75,\n"
                   "\t0.5,0.25,\n"
                   "\t0.75,0.5\t};\n"
                   "\n\n"
                   "\tglEnableClientState(GL_VERTEX_ARRAY);\n"
                   "\tglVertexPointer( 3, GL_DOUBLE, 0, Varray);\n"
                   "\tglEnableClientState(GL_NORMAL_ARRAY);\n"
                   "\tglNormalPointer( GL_DOUBLE, 0, Narray);\n"
                   "\tglEnableClientState(GL_TEXTURE_COORD_ARRAY);\n"
                   "\tglTexCoordPointer( 2, GL_DOUBLE, 0, TCarray);\n"
                   "\tglDrawElements( GL_TRIANGLES,3,GL_UNSIGNED_BYTE, Farray);\n\n"));
}

// Two faces on vertices 0..3: the smooth face shares the edge 1-2 with the flat one only where
// the values agree. The flat face's corners all take its face normal.
TEST(ExactIndexedArray, TwoFacesShareOnlyCornersWithEqualValues) {
    MeshData mesh;
    mesh.faceCount = 2;
    mesh.vertexCount = 4;
    mesh.vertices = std::vector<Vec3f>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    mesh.faces = std::vector<FaceRecord>{{0, 1, 2, 1}, {2, 1, 3, -1}};
    mesh.faceNormals = std::vector<Vec3f>{{9, 9, 9}, {0, 0, 1}};
    mesh.cornerNormals =
        std::vector<Vec3f>{{0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {7, 7, 7}, {7, 7, 7}, {7, 7, 7}};
    EXPECT_EQ(generate(writeExactIndexedArray, mesh),
              crlf("\t//Setting up arrays\n\n"
                   "\t//Index Array\n"
                   "\tGLubyte Farray[] = {\n"
                   "\t0,1,2,\n"
                   "\t3,1,4\t};\n"
                   "\t//Vertex Array\n"
                   "\tdouble Varray[] = {\n"
                   "\t0.,0.,0.,\n\t1.,0.,0.,\n\t0.,1.,0.,\n\t0.,1.,0.,\n\t1.,1.,0.\t};\n"
                   "\t//Normal array\n"
                   "\tdouble Narray[] = {\n"
                   "\t0.,0.,1.,\n\t0.,0.,1.,\n\t0.,1.,0.,\n\t0.,0.,1.,\n\t0.,0.,1.\t};\n"
                   "\n\n"
                   "\tglEnableClientState(GL_VERTEX_ARRAY);\n"
                   "\tglVertexPointer( 3, GL_DOUBLE, 0, Varray);\n"
                   "\tglEnableClientState(GL_NORMAL_ARRAY);\n"
                   "\tglNormalPointer( GL_DOUBLE, 0, Narray);\n"
                   "\tglDrawElements( GL_TRIANGLES,6,GL_UNSIGNED_BYTE, Farray);\n\n"));
}

TEST(ExactIndexedArray, HardEdgedCubeKeepsFourVerticesPerSide) {
    MeshData cube = readExample("cube.ase");
    EXPECT_EQ(cube.vertexCount, 8);
    EXPECT_EQ(weldCorners(cube, 1).vertexCount(), 24u);
}

TEST(ExactIndexedArray, SmoothBallSharesEveryVertex) {
    MeshData ball = readExample("ball.ase");
    WeldedMesh welded = weldCorners(ball, 1);
    EXPECT_EQ(welded.vertexCount(), size_t(ball.vertexCount));
    EXPECT_EQ(welded.indices.size(), 3 * size_t(ball.faceCount));
}

TEST(ExactIndexedArray, WeldingComparesBitsSoSignedZerosStayApart) {
    MeshData mesh;
    mesh.faceCount = 2;
    mesh.vertexCount = 3;
    mesh.vertices = std::vector<Vec3f>{{0.0f, 0, 0}, {-0.0f, 0, 0}, {1, 0, 0}};
    mesh.faces = std::vector<FaceRecord>{{0, 1, 2, 1}, {2, 1, 0, 1}};
    WeldedMesh welded = weldCorners(mesh, 1);
    EXPECT_EQ(welded.vertexCount(), 3u);
    EXPECT_EQ(welded.indices, (std::vector<uint32_t>{0, 1, 2, 2, 1, 0}));
}

TEST(ExactIndexedArray, IndexTypeFollowsTheNumberOfDistinctVertices) {
    for (auto [distinct, type] :
         {std::pair{256, "GLubyte"}, {257, "GLushort"}, {65536, "GLushort"}, {65537, "GLuint"}}) {
        MeshData mesh;
        mesh.vertexCount = distinct;
        mesh.vertices.emplace();
        for (int i = 0; i < distinct; ++i) {
            mesh.vertices->push_back({float(i), 0, 0});
        }
        mesh.faces.emplace();
        for (int i = 0; i < distinct; i += 3) {
            mesh.faces->push_back(
                {i, std::min(i + 1, distinct - 1), std::min(i + 2, distinct - 1), 1});
        }
        mesh.faceCount = int32_t(mesh.faces->size());
        std::string text = generate(writeExactIndexedArray, mesh);
        EXPECT_NE(text.find(std::string("\t") + type + " Farray[] = {"), std::string::npos)
            << distinct;
    }
}

TEST(ExactIndexedArray, SmoothingGroupZeroTakesTheCornerNormals) {
    const std::string text = generate(writeExactIndexedArray, oneFaceSample(0));
    EXPECT_NE(text.find(crlf("\tdouble Narray[] = {\n"
                             "\t0.25,0.5,0.75,\n"
                             "\t0.25,0.5,0.75,\n"
                             "\t0.25,0.5,0.75\t};\n")),
              std::string::npos)
        << text;
}

TEST(ExactIndexedArray, WithoutFacesOnlyTheCommentsAreWritten) {
    MeshData mesh = oneFaceSample(1);
    mesh.faces.reset();
    EXPECT_EQ(generate(writeExactIndexedArray, mesh),
              crlf("\t//Setting up arrays\n\n\t//Index Array\n"));
}

// A mesh long enough to be welded in two parts on two threads: the code is byte for byte what
// one thread writes.
TEST(ExactIndexedArray, TwoThreadsWriteTheBytesOfOne) {
    const std::string text = testing::torusText(30000);
    MemorySource source(text);
    TokenReader reader(source);
    const MeshData torus = readMesh(reader);
    ASSERT_EQ(weldCorners(torus, 2).threadsUsed, 2);
    std::string written[2];
    for (int threads : {1, 2}) {
        StringSink sink;
        Output out(sink);
        out.setThreads(threads, 3);  // short runs too, to test the chunks
        writeExactIndexedArray(torus, out);
        out.flush();
        written[threads - 1] = std::move(sink.text);
    }
    ASSERT_GT(written[0].size(), text.size() / 10);
    EXPECT_TRUE(written[1] == written[0]);  // not printed: megabytes
}

}  // namespace
}  // namespace meshwright
