// Kind 1: the immediate-mode block, face by face.
#include <gtest/gtest.h>

#include "codegen/writers.h"
#include "mesh_samples.h"

namespace meshwright {
namespace {

using testing::crlf;
using testing::generate;
using testing::oneFaceSample;

TEST(DisplayList, FlatFaceGetsOneFaceNormalAndTexturedVertexLines) {
    EXPECT_EQ(generate(writeDisplayList, oneFaceSample(-1)),
              crlf("glBegin(GL_TRIANGLES);\n"
                   "\t//face number 1\n"
                   "\tglNormal3f(0.,1.,0.);\n"
                   "\tglTexCoord2f(0.25,0.75);\tglVertex3f(0.5,1.5,-0.5);\n"
                   "\tglTexCoord2f(0.5,0.25);\tglVertex3f(2.5,0.5,0.25);\n"
                   "\tglTexCoord2f(0.75,0.5);\tglVertex3f(-1.5,0.75,0.5);\n"
                   "glEnd();"));
}

TEST(DisplayList, SmoothFaceGetsANormalPerCornerAndNoTextureWithoutBothLists) {
    MeshData mesh = oneFaceSample(1);
    mesh.tFaces.reset();
    const std::string expected = crlf(
        "glBegin(GL_TRIANGLES);\n"
        "\t//face number 1\n"
        "\tglNormal3f(0.25,0.5,0.75);\n"
        "\tglVertex3f(0.5,1.5,-0.5);\n"
        "\tglNormal3f(0.25,0.5,0.75);\n"
        "\tglVertex3f(2.5,0.5,0.25);\n"
        "\tglNormal3f(0.25,0.5,0.75);\n"
        "\tglVertex3f(-1.5,0.75,0.5);\n"
        "glEnd();");
    EXPECT_EQ(generate(writeDisplayList, mesh), expected);
    mesh = oneFaceSample(1);
    mesh.tVertices.reset();
    EXPECT_EQ(generate(writeDisplayList, mesh), expected);
}

// Only a face without any group (-1) is flat; group 0 is a group like any other.
TEST(DisplayList, SmoothingGroupZeroIsSmooth) {
    MeshData mesh = oneFaceSample(0);
    mesh.tFaces.reset();
    const std::string text = generate(writeDisplayList, mesh);
    EXPECT_EQ(text.find("glNormal3f(0.,1.,0.)"), std::string::npos) << text;
    EXPECT_NE(text.find("\tglNormal3f(0.25,0.5,0.75);\r\n\tglVertex3f(-1.5,0.75,0.5);"),
              std::string::npos)
        << text;
}

TEST(DisplayList, EachFaceChoosesFlatOrSmoothByItsOwnGroup) {
    MeshData mesh = oneFaceSample(-1);
    mesh.faceCount = 2;
    mesh.faces->push_back({2, 1, 0, 3});
    mesh.faceNormals->push_back({1.0f, 0.0f, 0.0f});
    mesh.cornerNormals->insert(mesh.cornerNormals->end(), {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    mesh.tVertices.reset();
    EXPECT_EQ(generate(writeDisplayList, mesh), crlf("glBegin(GL_TRIANGLES);\n"
                                                     "\t//face number 1\n"
                                                     "\tglNormal3f(0.,1.,0.);\n"
                                                     "\tglVertex3f(0.5,1.5,-0.5);\n"
                                                     "\tglVertex3f(2.5,0.5,0.25);\n"
                                                     "\tglVertex3f(-1.5,0.75,0.5);\n"
                                                     "\t//face number 2\n"
                                                     "\tglNormal3f(1.,0.,0.);\n"
                                                     "\tglVertex3f(-1.5,0.75,0.5);\n"
                                                     "\tglNormal3f(0.,1.,0.);\n"
                                                     "\tglVertex3f(2.5,0.5,0.25);\n"
                                                     "\tglNormal3f(0.,0.,1.);\n"
                                                     "\tglVertex3f(0.5,1.5,-0.5);\n"
                                                     "glEnd();"));
}

TEST(DisplayList, NoFacesGivesBeginAndEndOnly) {
    MeshData mesh = oneFaceSample(1);
    mesh.faceCount = 0;
    mesh.faces->clear();
    mesh.faceNormals->clear();
    mesh.cornerNormals->clear();
    EXPECT_EQ(generate(writeDisplayList, mesh), "glBegin(GL_TRIANGLES);\r\nglEnd();");
    EXPECT_EQ(generate(writeDisplayList, MeshData{}), "glBegin(GL_TRIANGLES);\r\nglEnd();");
}

TEST(DisplayList, FaceCountWithoutFaceListGivesCommentsAndTextureCallsOnly) {
    MeshData mesh = oneFaceSample(1);
    mesh.faces.reset();
    EXPECT_EQ(generate(writeDisplayList, mesh),
              crlf("glBegin(GL_TRIANGLES);\n"
                   "\t//face number 1\n"
                   "\tglTexCoord2f(0.25,0.75);\tglTexCoord2f(0.5,0.25);\tglTexCoord2f(0.75,0.5);"
                   "glEnd();"));
}

TEST(DisplayList, FaceNumbersCountFromOneAndAreWrittenWhole) {
    MeshData mesh;
    mesh.faceCount = 1000;
    std::string text = generate(writeDisplayList, mesh);
    EXPECT_NE(text.find("\t//face number 1\r\n\t//face number 2\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t//face number 999\r\n\t//face number 1000\r\nglEnd();"),
              std::string::npos);
}

TEST(DisplayList, NumbersUseTheExactTextForm) {
    MeshData mesh = oneFaceSample(-1);
    mesh.tFaces.reset();
    (*mesh.vertices)[0] = {0.001f, -0.0f, 16777216.0f};
    (*mesh.faceNormals)[0] = {-0.0f, 0.1f, -12.3456f};
    std::string text = generate(writeDisplayList, mesh);
    EXPECT_NE(text.find("\tglNormal3f(0.,0.10000000149011612,-12.345600128173828);\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\tglVertex3f(1.0000000474974513e-003,0.,16777216.);\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace meshwright
