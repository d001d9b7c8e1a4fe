// The objects of a scene: names, meshes read block by block, colours, parts by sub-material.
#include "ase/scene_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ase/section_readers.h"
#include "codegen/writers.h"
#include "scene_samples.h"
#include "test_support.h"

namespace meshwright {
namespace {

using testing::codeOf;
using testing::geomObject;
using testing::kMaterialList;
using testing::kSquareTextureAndNormals;
using testing::squareMesh;

std::vector<SceneObject> readScene(ByteSource& source, size_t blockSize = 1 << 20) {
    SceneReader reader(source, blockSize);
    std::vector<SceneObject> objects;
    while (std::optional<SceneObject> object = reader.nextObject()) {
        objects.push_back(std::move(*object));
    }
    return objects;
}

std::vector<SceneObject> readScene(const std::string& text, size_t blockSize = 1 << 20) {
    MemorySource source(text);
    return readScene(source, blockSize);
}

// The message the scene reader rejects `text` with, or "" when it accepts it.
std::string rejection(const std::string& text) {
    try {
        readScene(text);
    } catch (const MeshError& error) {
        return error.what();
    }
    return "";
}

std::string codeOfFile(const std::string& text, int kind) {
    MemorySource source(text);
    TokenReader reader(source);
    return codeOf(readMesh(reader), kind);
}

// The text before the first object block (header, scene, material list) and each object block.
struct SplitScene {
    std::string head;
    std::vector<std::string> objects;
};

SplitScene splitAtObjects(const std::string& text) {
    SplitScene split;
    size_t at = text.find("*GEOMOBJECT");
    split.head = text.substr(0, at);
    while (at != std::string::npos) {
        const size_t next = text.find("*GEOMOBJECT", at + 1);
        split.objects.push_back(text.substr(at, next - at));
        at = next;
    }
    return split;
}

void expectColour(const std::optional<Colour>& colour, float r, float g, float b) {
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->x, r);
    EXPECT_EQ(colour->y, g);
    EXPECT_EQ(colour->z, b);
}

TEST(SceneReader, ThreeCubesAreThreeObjectsEachAsItsOwnFileAndInItsMaterialsColour) {
    const std::string text = testing::readFile(testing::dataPath("ThreeCubesGreen.ASE"));
    const SplitScene split = splitAtObjects(text);
    ASSERT_EQ(split.objects.size(), 3u);
    for (size_t blockSize : {size_t{7}, size_t{1} << 20}) {
        const std::vector<SceneObject> objects = readScene(text, blockSize);
        ASSERT_EQ(objects.size(), 3u);
        const float diffuse[3][3] = {
            {0.6510f, 0.2902f, 0.0f}, {0.4431f, 0.4588f, 0.0f}, {0.4000f, 0.6314f, 0.0f}};
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(objects[i].name, "Quader0" + std::to_string(i + 1));
            ASSERT_EQ(objects[i].parts.size(), 1u);
            const ScenePart& part = objects[i].parts[0];
            EXPECT_FALSE(part.materialName);
            EXPECT_FALSE(part.faces);
            expectColour(part.colour, diffuse[i][0], diffuse[i][1], diffuse[i][2]);
            for (int kind = 1; kind <= 4; ++kind) {
                EXPECT_EQ(codeOf(objects[i].mesh, kind),
                          codeOfFile(split.head + split.objects[i], kind))
                    << "object " << i << ", kind " << kind;
            }
        }
    }
}

TEST(SceneReader, NoListOfOneObjectLeaksIntoTheNext) {
    const std::vector<SceneObject> objects =
        readScene(geomObject("Textured", squareMesh(0, 0, kSquareTextureAndNormals)) +
                  geomObject("Bare", squareMesh()));
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_TRUE(objects[0].mesh.tVertices && objects[0].mesh.faceNormals);
    const MeshData& bare = objects[1].mesh;
    EXPECT_FALSE(bare.tVertices || bare.tFaces || bare.faceNormals || bare.cornerNormals);
    EXPECT_EQ(bare.tVertexCount, 0);
    EXPECT_EQ(codeOf(bare, 1).find("glTexCoord2f"), std::string::npos);
    EXPECT_EQ(codeOf(bare, 1).find("glNormal3f"), std::string::npos);
}

TEST(SceneReader, QuotedNamesKeepTheirBlanksAndUnnamedObjectsAreNumbered) {
    const std::vector<SceneObject> objects =
        readScene(geomObject("Bip01 L Thigh", squareMesh()) + geomObject("", squareMesh()) +
                  geomObject("braces { in } a name", squareMesh()));
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].name, "Bip01 L Thigh");
    EXPECT_EQ(objects[1].name, "object 2");
    EXPECT_EQ(objects[2].name, "braces { in } a name");
}

TEST(SceneReader, MultiMaterialObjectIsOnePartPerSubMaterialItsFacesUse) {
    // Ids 5 and -4 are sub-materials 2 and 2 of three: one part, named and coloured by "Steel".
    const auto one =
        readScene(kMaterialList + geomObject("Lamp", squareMesh(5, -4), "\t*MATERIAL_REF 1\n"));
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(one[0].parts.size(), 1u);
    EXPECT_EQ(one[0].parts[0].materialName, "Steel");
    EXPECT_FALSE(one[0].parts[0].faces);  // every face: the mesh is drawn as it is
    expectColour(one[0].parts[0].colour, 0.5f, 0.5f, 0.5f);

    // Ids 4 and 0: sub-materials 1 and 0, drawn in that order of number, each its own face.
    const std::string text =
        kMaterialList + geomObject("Lamp", squareMesh(4, 0, kSquareTextureAndNormals),
                                   "\t*WIREFRAME_COLOR 0.25 0.5 1.0\n\t*MATERIAL_REF 1\n");
    const auto two = readScene(text);
    ASSERT_EQ(two.size(), 1u);
    const std::vector<ScenePart>& parts = two[0].parts;
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].materialName, "Wood grain");
    EXPECT_EQ(parts[0].faces, std::vector<int32_t>{1});
    expectColour(parts[0].colour, 0.5f, 0.25f, 0.0f);
    EXPECT_EQ(parts[1].materialName, "Glass");
    EXPECT_EQ(parts[1].faces, std::vector<int32_t>{0});
    expectColour(parts[1].colour, 0.25f, 0.5f, 1.0f);  // "Glass" has none: the wireframe's
}

TEST(SceneReader, PartsNameTheirMaterialsDiffuseTexture) {
    const auto objects =
        readScene(kMaterialList + geomObject("Plain", squareMesh(), "\t*MATERIAL_REF 0\n") +
                  geomObject("Lamp", squareMesh(4, 0), "\t*MATERIAL_REF 1\n") +
                  geomObject("Colourless", squareMesh(), "\t*MATERIAL_REF 2\n"));
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].parts[0].diffuseMap, "c:\\maps\\red.png");
    ASSERT_EQ(objects[1].parts.size(), 2u);
    EXPECT_EQ(objects[1].parts[0].diffuseMap, "wood grain.jpg");
    EXPECT_EQ(objects[1].parts[1].diffuseMap, std::nullopt);  // "Glass" has no map
    EXPECT_EQ(objects[2].parts[0].diffuseMap, std::nullopt);
}

TEST(SceneReader, WithoutAUsableMaterialTheWireframeColourOrNoneIsUsed) {
    const std::string wireframe = "\t*WIREFRAME_COLOR 0.25 0.5 1.0\n";
    const auto objects =
        readScene(kMaterialList + geomObject("No ref", squareMesh(), wireframe) +
                  geomObject("Missing ref", squareMesh(), wireframe + "\t*MATERIAL_REF 7\n") +
                  geomObject("Colourless", squareMesh(), wireframe + "\t*MATERIAL_REF 2\n") +
                  geomObject("Uncoloured", squareMesh(), "\t*MATERIAL_REF 2\n") +
                  geomObject("Red", squareMesh(), wireframe + "\t*MATERIAL_REF 0\n"));
    ASSERT_EQ(objects.size(), 5u);
    for (size_t i = 0; i < 3; ++i) {
        expectColour(objects[i].parts[0].colour, 0.25f, 0.5f, 1.0f);
    }
    EXPECT_FALSE(objects[3].parts[0].colour);
    expectColour(objects[4].parts[0].colour, 0.75f, 0.0f, 0.0f);
}

TEST(SceneReader, ObjectsWithNothingToDrawAndOtherBlocksArePassedOver) {
    const std::string text =
        "*SCENE {\n\t*SCENE_FILENAME \"*GEOMOBJECT {\"\n}\n" +
        std::string("*HELPEROBJECT {\n\t*NODE_NAME \"Dummy\"\n\t*NODE_TM { *TM_ROW0 1 0 0 }\n}\n") +
        "*CAMERAOBJECT {\n\t*NODE_NAME \"Camera01\"\n\t*CAMERA_SETTINGS { *CAMERA_FOV 0.8 }\n}\n" +
        geomObject("No mesh", "") +
        geomObject("No faces", "\t*MESH {\n\t\t*MESH_NUMVERTEX 0\n\t\t*MESH_NUMFACES 0\n\t}\n") +
        geomObject("Animated", "\t*MESH_ANIMATION {\n" + squareMesh(0, 0, "\t*MESH_NUMFACES 9\n") +
                                   "\t}\n" + squareMesh()) +
        "*LIGHTOBJECT {\n\t*NODE_NAME \"Omni\"\n}\n" + geomObject("", squareMesh());
    const auto objects = readScene(text);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].name, "Animated");
    EXPECT_EQ(objects[0].mesh.faceCount, 2);
    EXPECT_EQ(objects[1].name, "object 4");  // the fourth *GEOMOBJECT block
}

TEST(SceneReader, ObjectsOfAGroupAreObjectsOfTheScene) {
    const auto objects = readScene("*GROUP \"Lamps\" {\n" + geomObject("Inner", squareMesh()) +
                                   "}\n" + geomObject("Outer", squareMesh()));
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].name, "Inner");
    EXPECT_EQ(objects[1].name, "Outer");
}

TEST(SceneReader, FileWithoutObjectBlocksIsOneObjectReadAsWithoutScenes) {
    for (const std::string& model :
         {testing::examplePath("cube.ase"), testing::dataPath("UVTransform_Normal.ASE")}) {
        const std::string text = testing::readFile(model);
        const std::string plain = text.find("*GEOMOBJECT") == std::string::npos
                                      ? text
                                      : splitAtObjects(text).objects[0].substr(11);
        const auto objects = readScene(plain);
        ASSERT_EQ(objects.size(), 1u) << model;
        EXPECT_EQ(objects[0].name, "object 1");
        ASSERT_EQ(objects[0].parts.size(), 1u);
        EXPECT_FALSE(objects[0].parts[0].colour);
        for (int kind = 1; kind <= 4; ++kind) {
            EXPECT_EQ(codeOf(objects[0].mesh, kind), codeOfFile(plain, kind)) << model;
        }
    }
    EXPECT_TRUE(readScene("*COMMENT \"nothing here\"").empty());
}

// Delivers its bytes once, like a pipe.
class OnceSource : public MemorySource {
  public:
    using MemorySource::MemorySource;
    bool rewind() override { return false; }
};

TEST(SceneReader, FileWithoutObjectBlocksFromAPipeIsRejectedWithAWayOut) {
    const std::string text = squareMesh();
    OnceSource pipe(text);
    try {
        readScene(pipe);
        FAIL() << "accepted";
    } catch (const MeshError& error) {
        EXPECT_NE(std::string(error.what()).find("convert it without --scene"), std::string::npos);
    }
}

TEST(SceneReader, RejectionsNameTheObject) {
    std::string badIndex = squareMesh();
    badIndex.replace(badIndex.find("A: 1 B: 3"), 9, "A: 1 B: 9");
    EXPECT_EQ(rejection(geomObject("Box01", squareMesh()) + geomObject("Box02", badIndex)),
              "object \"Box02\": face 1 uses vertex 9, but the mesh has 4 vertices");
    EXPECT_EQ(rejection(geomObject("", badIndex)),
              "object 1: face 1 uses vertex 9, but the mesh has 4 vertices");
    // The mesh block ends the mesh's words: a list can't run on into what follows it.
    std::string shortList = squareMesh();
    shortList.replace(shortList.find("*MESH_NUMFACES 2"), 16, "*MESH_NUMFACES 3");
    EXPECT_EQ(rejection(geomObject("Box03", shortList)),
              "object \"Box03\": the input ends inside the face list (record 3 of 3)");
    EXPECT_EQ(rejection(geomObject("Box04", "\t*MESH *MESH_NUMVERTEX 1\n")),
              "object \"Box04\": *MESH is not followed by its block's \"{\"");
    const std::string whole = geomObject("Cut", squareMesh());
    EXPECT_EQ(rejection(whole.substr(0, whole.find("*PROP_MOTIONBLUR"))),
              "object \"Cut\": the input ends inside the object");
    EXPECT_EQ(rejection(whole.substr(0, whole.find("*MESH_FACE_LIST"))),
              "object \"Cut\": the input ends inside the object's mesh");
}

TEST(SceneReader, MalformedMaterialListsGiveWhatTheirWordsGive) {
    for (const char* list :
         {"*MATERIAL_LIST", "*MATERIAL_LIST {\n\t*MATERIAL 0 {",
          "*MATERIAL_LIST { *MATERIAL 0 *MATERIAL_DIFFUSE 1 1 1 }",
          "*MATERIAL_LIST { *MATERIAL 0 { *NUMSUBMTLS -2 *SUBMATERIAL 0 { *SUBMATERIAL 0 { } } "
          "} }\n"}) {
        const auto objects = readScene(std::string(list) + "\n" +
                                       geomObject("Box", squareMesh(7, 0), "\t*MATERIAL_REF 0\n"));
        ASSERT_LE(objects.size(), 1u) << list;
        if (!objects.empty()) {
            EXPECT_EQ(objects[0].parts.size(), 1u) << list;
        }
    }
}

}  // namespace
}  // namespace meshwright
