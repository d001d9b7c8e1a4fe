// Kind 2: one array entry per face corner, drawn with glDrawArrays.
#include <gtest/gtest.h>

#include "codegen/writers.h"
#include "mesh_samples.h"

namespace meshwright {
namespace {

using testing::crlf;
using testing::generate;
using testing::oneFaceSample;

const char* const kPositions =
    "\tdouble Varray[] = {\n"
    "\t0.5,1.5,-0.5,\n"
    "\t2.5,0.5,0.25,\n"
    "\t-1.5,0.75,0.5\t};\n";
const char* const kNormals =
    "\t//Use this array if you have SMOOTH SHADING\n"
    "\tdouble Narray[] = {\n"
    "\t0.25,0.5,0.75,\n"
    "\t0.25,0.5,0.75,\n"
    "\t0.25,0.5,0.75\t};\n";
const char* const kTexture =
    "\t//Texture array\n"
    "\tdouble TCarray[] = {\n"
    "\t0.25,0.75,\n"
    "\t0.5,0.25,\n"
    "\t0.75,0.5\t};\n";
const char* const kVertexState =
    "\tglEnableClientState(GL_VERTEX_ARRAY);\n"
    "\tglVertexPointer( 3, GL_DOUBLE, 0, Varray);\n";
const char* const kNormalState =
    "\tglEnableClientState(GL_NORMAL_ARRAY);\n"
    "\tglNormalPointer( GL_DOUBLE, 0, Narray);\n";
const char* const kTextureState =
    "\tglEnableClientState(GL_TEXTURE_COORD_ARRAY);\n"
    "\tglTexCoordPointer( 2, GL_DOUBLE, 0, TCarray);\n";

std::string fragment(const std::string& blocks, const std::string& states, int count = 3) {
    return crlf("\t//Setting up arrays\n\n" + blocks + "\n\n" + states +
                "\tglDrawArrays( GL_TRIANGLES, 0, " + std::to_string(count) + ");\n\n");
}

TEST(VertexArray, OneFaceWithEverySectionGivesAllThreeArrays) {
    EXPECT_EQ(generate(writeVertexArray, oneFaceSample(1)),
              fragment(std::string(kPositions) + kNormals + kTexture,
                       std::string(kVertexState) + kNormalState + kTextureState));
}

TEST(VertexArray, EachBlockAndStatePairFollowsItsOwnCondition) {
    struct Case {
        const char* what;
        void (*change)(MeshData&);
        std::string blocks, states;
    } cases[] = {
        {"no normals", [](MeshData& m) { m.faceNormals.reset(), m.cornerNormals.reset(); },
         std::string(kPositions) + kTexture, std::string(kVertexState) + kTextureState},
        {"no texture lists", [](MeshData& m) { m.tFaces.reset(), m.tVertices.reset(); },
         std::string(kPositions) + kNormals, std::string(kVertexState) + kNormalState},
        {"texture faces alone", [](MeshData& m) { m.tVertices.reset(); },
         std::string(kPositions) + kNormals,
         std::string(kVertexState) + kNormalState + kTextureState},
        {"texture vertices alone", [](MeshData& m) { m.tFaces.reset(); },
         std::string(kPositions) + kNormals, std::string(kVertexState) + kNormalState},
        {"vertices without faces", [](MeshData& m) { m.faces.reset(); },
         std::string(kNormals) + kTexture,
         std::string(kVertexState) + kNormalState + kTextureState},
        {"faces without vertices", [](MeshData& m) { m.vertices.reset(); },
         std::string(kNormals) + kTexture, std::string(kNormalState) + kTextureState},
    };
    for (const Case& c : cases) {
        MeshData mesh = oneFaceSample(1);
        c.change(mesh);
        EXPECT_EQ(generate(writeVertexArray, mesh), fragment(c.blocks, c.states)) << c.what;
    }
}

TEST(VertexArray, NoFacesGivesEmptyBlocksAndACountOfZero) {
    MeshData mesh = oneFaceSample(1);
    mesh.faceCount = 0;
    mesh.faces->clear();
    mesh.faceNormals->clear();
    mesh.cornerNormals->clear();
    mesh.tFaces->clear();
    mesh.tvFaceCount = 0;
    EXPECT_EQ(
        generate(writeVertexArray, mesh),
        fragment("\tdouble Varray[] = {\n\t};\n"
                 "\t//Use this array if you have SMOOTH SHADING\n\tdouble Narray[] = {\n\t};\n"
                 "\t//Texture array\n\tdouble TCarray[] = {\n\t};\n",
                 std::string(kVertexState) + kNormalState + kTextureState, 0));
    EXPECT_EQ(generate(writeVertexArray, MeshData{}), fragment("", "", 0));
}

TEST(VertexArray, SharedVertexRepeatsOncePerCornerInFaceOrder) {
    MeshData mesh;
    mesh.faceCount = 2;
    mesh.vertexCount = 4;
    mesh.vertices = std::vector<Vec3f>{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}};
    mesh.faces = std::vector<FaceRecord>{{0, 1, 2, 1}, {2, 1, 3, 1}};
    EXPECT_EQ(generate(writeVertexArray, mesh),
              fragment("\tdouble Varray[] = {\n"
                       "\t0.,0.,0.,\n\t1.,0.,0.,\n\t2.,0.,0.,\n"
                       "\t2.,0.,0.,\n\t1.,0.,0.,\n\t3.,0.,0.\t};\n",
                       kVertexState, 6));
}

TEST(VertexArray, TextureBlockFollowsTheFaceCountNotTheTextureFaceCount) {
    MeshData mesh = oneFaceSample(1);
    mesh.tvFaceCount = 2;
    mesh.tFaces->push_back({2, 2, 2});
    std::string text = generate(writeVertexArray, mesh);
    EXPECT_NE(text.find(crlf(kTexture)), std::string::npos);
}

}  // namespace
}  // namespace meshwright
