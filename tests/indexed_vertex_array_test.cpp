// Kind 3: an index array, one entry per vertex chosen from its corners, glDrawElements.
#include <gtest/gtest.h>

#include "codegen/writers.h"
#include "mesh_samples.h"

namespace meshwright {
namespace {

using testing::crlf;
using testing::generate;
using testing::oneFaceSample;

TEST(IndexedVertexArray, OneTexturedFaceWithoutNormals) {
    MeshData mesh = oneFaceSample(1);
    mesh.faceNormals.reset();
    mesh.cornerNormals.reset();
    EXPECT_EQ(generate(writeIndexedVertexArray, mesh),
              crlf(std::string(testing::kOneFaceIndexedHead) +
                   "\t//Texture Coordinate array\n"
                   "\tdouble TCarray[] = {\n"
                   "\t0.25,0.75,\n"
                   "\t0.5,0.25,\n"
                   "\t0.75,0.5\t};\n"
                   " \n"
                   "\n"
                   "\tglEnableClientState(GL_VERTEX_ARRAY);\n"
                   "\tglVertexPointer( 3, GL_DOUBLE, 0, Varray);\n"
                   "\tglEnableClientState(GL_TEXTURE_COORD_ARRAY);\n"
                   "\tglTexCoordPointer( 2, GL_DOUBLE, 0, TCarray);\n"
                   "\tglDrawElements( GL_TRIANGLES,3,GL_UNSIGNED_BYTE, Farray);\n"
                   "\n"));
}

// Two faces sharing an edge: (0, 1, 2) and (2, 1, 3). Flat normals go to each face's third
// corner, the last face winning; smooth normals and texture coordinates to the first corner.
MeshData twoFacesSharingAnEdge() {
    MeshData mesh;
    mesh.faceCount = 2;
    mesh.vertexCount = 5;  // vertex 4 belongs to no face
    mesh.faces = std::vector<FaceRecord>{{0, 1, 2, 1}, {2, 1, 3, 1}};
    mesh.faceNormals = std::vector<Vec3f>{{1, 0, 0}, {2, 0, 0}};
    mesh.cornerNormals =
        std::vector<Vec3f>{{10, 0, 0}, {11, 0, 0}, {12, 0, 0}, {13, 0, 0}, {14, 0, 0}, {15, 0, 0}};
    mesh.tVertexCount = 6;
    mesh.tVertices = std::vector<Vec3f>{{0.5f, 0, 0}, {1.5f, 0, 0}, {2.5f, 0, 0},
                                        {3.5f, 0, 0}, {4.5f, 0, 0}, {5.5f, 0, 0}};
    mesh.tvFaceCount = 2;
    mesh.tFaces = std::vector<TexFaceRecord>{{0, 1, 2}, {3, 4, 5}};
    return mesh;
}

TEST(IndexedVertexArray, CornersHandTheirValuesToVerticesByTheAssignmentRules) {
    EXPECT_EQ(generate(writeIndexedVertexArray, twoFacesSharingAnEdge()),
              crlf("\t//Setting up arrays\n\n"
                   "\t//Index Array\n"
                   "\tGLubyte Farray[] = {\n"
                   "\t0,1,2,\n"
                   "\t2,1,3\t};\n"
                   "\t//Vertex Array\n"
                   "\t//Use this array if you have FLAT SHADING\n"
                   "\tdouble Narray[] = {\n"
                   "\t0.,0.,0.,\n\t0.,0.,0.,\n\t1.,0.,0.,\n\t2.,0.,0.,\n\t0.,0.,0.\t};\n"
                   "\t//Use this array if you have SMOOTH SHADING\n"
                   "\tdouble VNarray[] = {\n"
                   "\t10.,0.,0.,\n\t11.,0.,0.,\n\t12.,0.,0.,\n\t15.,0.,0.,\n\t0.,0.,0.\t};\n"
                   "\t//Texture Coordinate array\n"
                   "\tdouble TCarray[] = {\n"
                   "\t0.5,0.,\n\t1.5,0.,\n\t2.5,0.,\n\t5.5,0.,\n\t0.,0.\t};\n"
                   " \n\n"
                   "\tglEnableClientState(GL_NORMAL_ARRAY);\n"
                   "\tglNormalPointer( GL_DOUBLE, 0, VNarray);\n"
                   "\tglEnableClientState(GL_TEXTURE_COORD_ARRAY);\n"
                   "\tglTexCoordPointer( 2, GL_DOUBLE, 0, TCarray);\n"
                   "\tglDrawElements( GL_TRIANGLES,6,GL_UNSIGNED_BYTE, Farray);\n\n"));
}

TEST(IndexedVertexArray, WithoutFacesOnlyTheTwoCommentsAreWritten) {
    MeshData mesh = oneFaceSample(1);
    mesh.faces.reset();
    EXPECT_EQ(generate(writeIndexedVertexArray, mesh),
              crlf("\t//Setting up arrays\n\n\t//Index Array\n"));
}

TEST(IndexedVertexArray, TexturePairFollowsTextureFacesAlone) {
    MeshData mesh = oneFaceSample(1);
    mesh.tVertices.reset();
    std::string text = generate(writeIndexedVertexArray, mesh);
    EXPECT_EQ(text.find("TCarray[]"), std::string::npos);
    EXPECT_NE(text.find("\tglTexCoordPointer( 2, GL_DOUBLE, 0, TCarray);\r\n"), std::string::npos);
    mesh = oneFaceSample(1);
    mesh.tFaces.reset();
    text = generate(writeIndexedVertexArray, mesh);
    EXPECT_EQ(text.find("TCarray"), std::string::npos);
}

TEST(IndexedVertexArray, EmptyListsGiveEmptyBlocksAndTheBlankLineStays) {
    MeshData mesh;
    mesh.faces.emplace();
    mesh.vertices.emplace();
    EXPECT_EQ(generate(writeIndexedVertexArray, mesh),
              crlf("\t//Setting up arrays\n\n\t//Index Array\n"
                   "\tGLubyte Farray[] = {\n\t};\n"
                   "\t//Vertex Array\n"
                   "\tdouble Varray[] = {\n\t};\n"
                   " \n\n"
                   "\tglEnableClientState(GL_VERTEX_ARRAY);\n"
                   "\tglVertexPointer( 3, GL_DOUBLE, 0, Varray);\n"
                   "\tglDrawElements( GL_TRIANGLES,0,GL_UNSIGNED_BYTE, Farray);\n\n"));
}

TEST(IndexedVertexArray, IndexTypeWidensOnlyWhenAnIndexNeedsIt) {
    const struct {
        int32_t largest;
        const char* declaration;
        const char* draw;
    } cases[] = {
        {255, "\tGLubyte Farray[] = {", ",GL_UNSIGNED_BYTE, Farray);"},
        {256, "\tGLushort Farray[] = {", ",GL_UNSIGNED_SHORT, Farray);"},
        {65535, "\tGLushort Farray[] = {", ",GL_UNSIGNED_SHORT, Farray);"},
        {65536, "\tGLuint Farray[] = {", ",GL_UNSIGNED_INT, Farray);"},
    };
    // The largest index in each corner in turn: every corner counts.
    for (const auto& c : cases) {
        for (int corner = 0; corner < 3; ++corner) {
            MeshData mesh;
            mesh.faceCount = 2;
            mesh.vertexCount = c.largest + 1;
            FaceRecord second{2, 1, 0, 1};
            (corner == 0 ? second.a : corner == 1 ? second.b : second.c) = c.largest;
            mesh.faces = std::vector<FaceRecord>{{0, 1, 2, 1}, second};
            std::string text = generate(writeIndexedVertexArray, mesh);
            EXPECT_NE(text.find(c.declaration), std::string::npos) << c.largest << " in " << corner;
            const std::string record = std::to_string(second.a) + "," + std::to_string(second.b) +
                                       "," + std::to_string(second.c);
            EXPECT_NE(text.find("\t" + record + "\t};"), std::string::npos);
            EXPECT_NE(text.find(std::string("\tglDrawElements( GL_TRIANGLES,6") + c.draw),
                      std::string::npos);
        }
    }
}

}  // namespace
}  // namespace meshwright
