// Kind 5's header: its layout byte for byte, its index type, and the meshes it refuses.
#include <gtest/gtest.h>

#include "ase/section_readers.h"
#include "codegen/writers.h"
#include "mesh_samples.h"

namespace meshwright {
namespace {

using testing::crlf;

std::string headerOf(MeshData mesh, const std::string& prefix, const std::string& source,
                     NormalsSource normals = NormalsSource::kFileElseSmoothing) {
    const BufferOptions options{{prefix, source}, normals};
    return testing::generate(
        [&](const MeshData&, Output& out) { writeBuffers(mesh, options, out); }, mesh);
}

// The record type every header defines for its parts, named by its prefix.
std::string partType(const std::string& prefix) {
    return "typedef struct " + prefix +
           "_part {\n"
           "\tconst char* name; /* the object's */\n"
           "\tconst char* material; /* the sub-material's, or 0 for the whole object */\n"
           "\tunsigned int first_index; /* where the part starts in the indices */\n"
           "\tunsigned int index_count;\n"
           "\tint has_color;\n"
           "\tfloat color[3]; /* r, g, b; zeros when has_color is 0 */\n"
           "\tconst char* diffuse_map; /* the diffuse texture's file, or 0 */\n"
           "} " +
           prefix + "_part;\n\n";
}

TEST(BufferHeader, OneFaceWithEveryAttribute) {
    EXPECT_EQ(
        headerOf(testing::oneFaceSample(1), "one_face", "one face.ase"),
        crlf("// \"one face.ase\" as OpenGL vertex and index buffers, written by meshwright.\n"
             "// 1 part, 3 vertices, 3 indices (1 triangle) as unsigned short.\n"
             "// Vertex cache misses per triangle (ACMR, 16 entries): 3.000 in file order, "
             "3.000 reordered.\n"
             "// Each vertex: position x, y, z, normal x, y, z, texture u, v.\n"
             "// Part 1: \"one face\", 1 triangle.\n"
             "\n"
             "#ifndef one_face_BUFFERS_H\n"
             "#define one_face_BUFFERS_H\n"
             "\n"
             "#define one_face_VERTEX_COUNT 3\n"
             "#define one_face_INDEX_COUNT 3\n"
             "#define one_face_PART_COUNT 1\n"
             "#define one_face_FLOATS_PER_VERTEX 8\n"
             "#define one_face_VERTEX_STRIDE 32\n"
             "#define one_face_POSITION_OFFSET 0\n"
             "#define one_face_HAS_NORMALS 1\n"
             "#define one_face_NORMAL_OFFSET 12\n"
             "#define one_face_HAS_TEXCOORDS 1\n"
             "#define one_face_TEXCOORD_OFFSET 24\n"
             "#define one_face_INDEX_TYPE 0x1403 /* GL_UNSIGNED_SHORT */\n"
             "#define one_face_INDEX_SIZE 2\n"
             "\n"
             "static const float one_face_bounds_min[3] = {-1.5f, 0.5f, -0.5f};\n"
             "static const float one_face_bounds_max[3] = {2.5f, 1.5f, 0.5f};\n"
             "\n" +
             partType("one_face") +
             "static const one_face_part one_face_parts[1] = {\n"
             "\t{\"one face\", 0, 0, 3, 0, {0.f, 0.f, 0.f}, 0},\n"
             "};\n"
             "\n"
             "static const float one_face_vertices[24] = {\n"
             "\t0.5f,1.5f,-0.5f,0.25f,0.5f,0.75f,0.25f,0.75f,\n"
             "\t2.5f,0.5f,0.25f,0.25f,0.5f,0.75f,0.5f,0.25f,\n"
             "\t-1.5f,0.75f,0.5f,0.25f,0.5f,0.75f,0.75f,0.5f,\n"
             "};\n"
             "\n"
             "static const unsigned short one_face_indices[3] = {\n"
             "\t0,1,2,\n"
             "};\n"
             "\n"
             "#endif\n"));
}

// Two faces sharing an edge, positions only: the shared corners become one vertex, -0 stays
// apart from 0, and the attributes the vertices lack have no offset.
TEST(BufferHeader, TwoFacesWithPositionsOnly) {
    MeshData mesh;
    mesh.faceCount = 2;
    mesh.vertexCount = 4;
    mesh.vertices = std::vector<Vec3f>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, -0.0f}};
    mesh.faces = std::vector<FaceRecord>{{0, 1, 2, 1, 1}, {2, 1, 3, -1, 0}};
    const std::string header = headerOf(mesh, "quad", "quad.ase", NormalsSource::kNone);
    const std::string layout =
        "// 1 part, 4 vertices, 6 indices (2 triangles) as unsigned short.\n"
        "// Vertex cache misses per triangle (ACMR, 16 entries): 2.000 in file order, "
        "2.000 reordered.\n"
        "// Each vertex: position x, y, z.\n"
        "// Part 1: \"quad\", 2 triangles.\n"
        "\n"
        "#ifndef quad_BUFFERS_H\n"
        "#define quad_BUFFERS_H\n"
        "\n"
        "#define quad_VERTEX_COUNT 4\n"
        "#define quad_INDEX_COUNT 6\n"
        "#define quad_PART_COUNT 1\n"
        "#define quad_FLOATS_PER_VERTEX 3\n"
        "#define quad_VERTEX_STRIDE 12\n"
        "#define quad_POSITION_OFFSET 0\n"
        "#define quad_HAS_NORMALS 0\n"
        "#define quad_NORMAL_OFFSET (-1)\n"
        "#define quad_HAS_TEXCOORDS 0\n"
        "#define quad_TEXCOORD_OFFSET (-1)\n"
        "#define quad_INDEX_TYPE 0x1403 /* GL_UNSIGNED_SHORT */\n"
        "#define quad_INDEX_SIZE 2\n"
        "\n"
        "static const float quad_bounds_min[3] = {0.f, 0.f, 0.f};\n"
        "static const float quad_bounds_max[3] = {1.f, 1.f, 0.f};\n";
    EXPECT_NE(header.find(crlf(layout)), std::string::npos) << header;
    EXPECT_NE(header.find(crlf("static const quad_part quad_parts[1] = {\n"
                               "\t{\"quad\", 0, 0, 6, 0, {0.f, 0.f, 0.f}, 0},\n"
                               "};\n"
                               "\n"
                               "static const float quad_vertices[12] = {\n"
                               "\t0.f,0.f,0.f,\n"
                               "\t1.f,0.f,0.f,\n"
                               "\t0.f,1.f,0.f,\n"
                               "\t1.f,1.f,-0.f,\n"
                               "};\n"
                               "\n"
                               "static const unsigned short quad_indices[6] = {\n"
                               "\t0,1,2,\n"
                               "\t2,1,3,\n"
                               "};\n"
                               "\n"
                               "#endif\n")),
              std::string::npos)
        << header;
}

// A strip of triangles over `vertexCount` distinct points, every point used.
MeshData stripOf(int32_t vertexCount) {
    MeshData mesh;
    mesh.vertexCount = vertexCount;
    mesh.faceCount = vertexCount - 2;
    std::vector<Vec3f> points;
    for (int32_t i = 0; i < vertexCount; ++i) {
        points.push_back({float(i / 2), float(i % 2), 0.0f});
    }
    std::vector<FaceRecord> faces;
    for (int32_t i = 0; i + 2 < vertexCount; ++i) {
        faces.push_back(i % 2 == 0 ? FaceRecord{i, i + 1, i + 2, -1, 0}
                                   : FaceRecord{i + 1, i, i + 2, -1, 0});
    }
    mesh.vertices = points;
    mesh.faces = faces;
    return mesh;
}

TEST(BufferHeader, IndicesTurnUnsignedIntPast65536Vertices) {
    const std::string fits = headerOf(stripOf(65536), "strip", "strip.ase", NormalsSource::kNone);
    EXPECT_NE(fits.find("#define strip_VERTEX_COUNT 65536\r\n"), std::string::npos);
    EXPECT_NE(fits.find("#define strip_INDEX_TYPE 0x1403 /* GL_UNSIGNED_SHORT */\r\n"
                        "#define strip_INDEX_SIZE 2\r\n"),
              std::string::npos);
    EXPECT_NE(fits.find("static const unsigned short strip_indices["), std::string::npos);
    const std::string past = headerOf(stripOf(65537), "strip", "strip.ase", NormalsSource::kNone);
    EXPECT_NE(past.find("#define strip_INDEX_TYPE 0x1405 /* GL_UNSIGNED_INT */\r\n"
                        "#define strip_INDEX_SIZE 4\r\n"),
              std::string::npos);
    EXPECT_NE(past.find("static const unsigned int strip_indices["), std::string::npos);
    EXPECT_NE(past.find(",65536,"), std::string::npos);
}

TEST(BufferHeader, RefusesMeshesWithNothingToDraw) {
    MeshData noFaces = testing::oneFaceSample(1);
    noFaces.faces.reset();
    MeshData emptyFaces = testing::oneFaceSample(1);
    emptyFaces.faces->clear();
    emptyFaces.faceCount = 0;
    MeshData noVertices = testing::oneFaceSample(1);
    noVertices.vertices.reset();
    const std::pair<MeshData*, const char*> cases[] = {
        {&noFaces, "the mesh has no faces, so the header would have nothing to draw"},
        {&emptyFaces, "the mesh has no faces, so the header would have nothing to draw"},
        {&noVertices, "the mesh has faces but no vertex list"},
    };
    for (const auto& [mesh, message] : cases) {
        try {
            headerOf(*mesh, "m", "m.ase");
            ADD_FAILURE() << "accepted: " << message;
        } catch (const MeshError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
}

}  // namespace
}  // namespace meshwright
