// Kind 5 for scenes: one draw record per part, with its object, sub-material, colour and texture.
#include <gtest/gtest.h>

#include <string>

#include "ase/byte_source.h"
#include "ase/scene_reader.h"
#include "ase/section_readers.h"
#include "codegen/writers.h"
#include "mesh_samples.h"
#include "scene_samples.h"
#include "test_support.h"

namespace meshwright {
namespace {

using testing::geomObject;
using testing::kMaterialList;
using testing::kSquareTextureAndNormals;
using testing::squareMesh;

std::string sceneHeader(const std::string& text) {
    MemorySource source(text);
    SceneReader scene(source);
    StringSink sink;
    Output out(sink);
    writeSceneBuffers(scene, {{"scene", "scene.ase"}, NormalsSource::kFileElseSmoothing}, out);
    out.flush();
    return sink.text;
}

std::string rejection(const std::string& text) {
    try {
        sceneHeader(text);
    } catch (const MeshError& error) {
        return error.what();
    }
    return "";
}

// The lines of the header from `first` up to the line that starts with `last`, both included.
std::string linesBetween(const std::string& header, const std::string& first,
                         const std::string& last) {
    const size_t start = header.find(first);
    const size_t end = header.find("\r\n", header.find(last, start));
    return start == std::string::npos || end == std::string::npos
               ? ""
               : header.substr(start, end + 2 - start);
}

TEST(SceneBuffers, ThreeCubesAreThreePartsInTheirMaterialsColours) {
    const std::string header =
        sceneHeader(testing::readFile(testing::dataPath("ThreeCubesGreen.ASE")));
    EXPECT_EQ(linesBetween(header, "static const scene_part scene_parts[3] = {", "};"),
              testing::crlf("static const scene_part scene_parts[3] = {\n"
                            "\t{\"Quader01\", 0, 0, 36, 1, {0.651f, 0.2902f, 0.f}, 0},\n"
                            "\t{\"Quader02\", 0, 36, 36, 1, {0.4431f, 0.4588f, 0.f}, 0},\n"
                            "\t{\"Quader03\", 0, 72, 36, 1, {0.4f, 0.6314f, 0.f}, 0},\n"
                            "};\n"));
    EXPECT_NE(header.find("// 3 parts, 72 vertices, 108 indices (36 triangles) as unsigned short."),
              std::string::npos);
    EXPECT_NE(header.find("// Part 2: \"Quader02\", 12 triangles.\r\n"), std::string::npos);
}

// The square's two faces in two sub-materials: two parts, each welded on its own, so the two
// corners they share on the edge become a vertex of each part.
TEST(SceneBuffers, MultiMaterialObjectIsOneRecordPerSubMaterialWithItsTexture) {
    const std::string header =
        sceneHeader(kMaterialList +
                    geomObject("Lamp", squareMesh(4, 0, kSquareTextureAndNormals),
                               "\t*WIREFRAME_COLOR 0.25 0.5 1.0\n\t*MATERIAL_REF 1\n") +
                    geomObject("Plain", squareMesh(), "\t*MATERIAL_REF 0\n"));
    EXPECT_EQ(linesBetween(header, "static const scene_part scene_parts[3] = {", "};"),
              testing::crlf(
                  "static const scene_part scene_parts[3] = {\n"
                  "\t{\"Lamp\", \"Wood grain\", 0, 3, 1, {0.5f, 0.25f, 0.f}, \"wood grain.jpg\"},\n"
                  "\t{\"Lamp\", \"Glass\", 3, 3, 1, {0.25f, 0.5f, 1.f}, 0},\n"
                  "\t{\"Plain\", 0, 6, 6, 1, {0.75f, 0.f, 0.f}, \"c:\\\\maps\\\\red.png\"},\n"
                  "};\n"));
    EXPECT_NE(header.find("#define scene_VERTEX_COUNT 10\r\n"), std::string::npos);
    EXPECT_NE(header.find("// Part 1: \"Lamp\" material \"Wood grain\", 1 triangle.\r\n"),
              std::string::npos);
}

TEST(SceneBuffers, RejectionsNameTheObject) {
    std::string huge = geomObject("Huge", squareMesh());
    huge.replace(huge.find("1.0 1.0 0.0"), 3, "1e39");  // vertex 3's x, beyond the float range
    EXPECT_EQ(rejection(geomObject("Fine", squareMesh()) + huge),
              "object \"Huge\": a coordinate of vertex 3 is beyond the float range (infinite), "
              "which a header can't write");
    EXPECT_EQ(rejection("*GEOMOBJECT {\n\t*NODE_NAME \"Helper\"\n}\n"),
              "the scene has no object with faces, so the header would have nothing to draw");
}

}  // namespace
}  // namespace meshwright
