// --scene end to end: the built tool turns every object of a real scene into one fragment.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace meshwright {
namespace {

using testing::dataPath;
using testing::fileExists;
using testing::readFile;
using testing::runTool;
using testing::TempDir;
using testing::writeFile;

class SceneBatch : public ::testing::Test {
  protected:
    void SetUp() override { scene_ = readFile(dataPath("ThreeCubesGreen.ASE")); }

    // What the tool writes for `text` as a file of its own, converted without --scene.
    std::string convertAlone(const std::string& text, int kind) {
        TempDir other;
        writeFile(other.file("alone.ase"), text);
        EXPECT_EQ(runTool({"-k", std::to_string(kind), "alone.ase"}, "", other.path()).status, 0);
        return readFile(other.file("alone.cpp"));
    }

    // The file with only its `index`-th object block kept.
    std::string withObjectAlone(size_t index) {
        size_t start = scene_.find("*GEOMOBJECT");
        const std::string head = scene_.substr(0, start);
        for (size_t i = 0; i < index; ++i) {
            start = scene_.find("*GEOMOBJECT", start + 1);
        }
        const size_t end = scene_.find("*GEOMOBJECT", start + 1);
        return head + scene_.substr(start, end - start);
    }

    std::string scene_;
    TempDir dir_;
};

TEST_F(SceneBatch, ThreeCubesAreThreeBlocksEachTheBytesOfItsObjectAloneInItsColour) {
    writeFile(dir_.file("scene.ase"), scene_);
    const char* const names[] = {"Quader01", "Quader02", "Quader03"};
    const char* const colours[] = {"0.65100002288818359,0.29019999504089355,0.",
                                   "0.44310000538825989,0.45879998803138733,0.",
                                   "0.40000000596046448,0.63139998912811279,0."};
    for (int kind = 1; kind <= 4; ++kind) {
        std::filesystem::remove(dir_.file("scene.cpp"));
        const auto result =
            runTool({"-k", std::to_string(kind), "--scene", "scene.ase"}, "", dir_.path());
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "");
        std::string expected;
        for (size_t i = 0; i < 3; ++i) {
            expected += "\t//object \"" + std::string(names[i]) + "\"\r\n\t{\r\n\tglColor3f(" +
                        colours[i] + ");\r\n" + convertAlone(withObjectAlone(i), kind) +
                        (kind == 1 ? "\r\n" : "") + "\t}\r\n";
        }
        EXPECT_EQ(readFile(dir_.file("scene.cpp")), expected) << "kind " << kind;
    }
}

TEST_F(SceneBatch, BadIndexInTheSecondObjectIsRejectedWithItsNameAndLeavesNoFile) {
    const std::string face = "*MESH_FACE    1:    A:    3";
    const size_t second = scene_.find(face, scene_.find(face) + 1);
    scene_.replace(second, face.size(), "*MESH_FACE    1:    A:    9");
    writeFile(dir_.file("scene.ase"), scene_);
    for (const char* force : {"--scene", "--force"}) {
        const auto result = runTool({"-k", "2", "--scene", force, "scene.ase"}, "", dir_.path());
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err,
                  "meshwright: scene.ase: object \"Quader02\": face 1 uses vertex 9, but the mesh "
                  "has 8 vertices\n");
        EXPECT_FALSE(fileExists(dir_.file("scene.cpp")));
    }
}

TEST_F(SceneBatch, FileWithoutObjectBlocksIsReadAgainWholeAsOneObject) {
    std::string plain = readFile(testing::examplePath("cube.ase"));
    plain.replace(plain.find("*GEOMOBJECT"), 11, "*OBJECT");
    for (int kind = 1; kind <= 4; ++kind) {
        const std::string alone = convertAlone(plain, kind);
        writeFile(dir_.file("plain.ase"), plain);
        std::filesystem::remove(dir_.file("plain.cpp"));
        const auto result =
            runTool({"-k", std::to_string(kind), "--scene", "plain.ase"}, "", dir_.path());
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(readFile(dir_.file("plain.cpp")), "\t//object \"object 1\"\r\n\t{\r\n" + alone +
                                                        (kind == 1 ? "\r\n" : "") + "\t}\r\n")
            << "kind " << kind;
    }
}

TEST_F(SceneBatch, SceneWithoutAnyMeshFailsLikeAFileWithoutOne) {
    const std::string helperOnly = "*HELPEROBJECT {\n\t*NODE_NAME \"Dummy\"\n}\n";
    const std::string meshless = "*GEOMOBJECT {\n\t*NODE_NAME \"Empty\"\n}\n";
    for (const std::string& text : {helperOnly, meshless, std::string()}) {
        writeFile(dir_.file("empty.ase"), text);
        const auto result = runTool({"-k", "2", "--scene", "empty.ase"}, "", dir_.path());
        EXPECT_EQ(result.status, 1) << text;
        EXPECT_EQ(result.err, "meshwright: empty.ase: no mesh in empty.ase\n");
        EXPECT_FALSE(fileExists(dir_.file("empty.cpp")));
    }
    // A mesh whose faces are none still is a mesh: its object is skipped, the fragment empty.
    writeFile(dir_.file("faceless.ase"),
              "*GEOMOBJECT {\n\t*MESH {\n\t\t*MESH_NUMFACES 0\n\t}\n}\n");
    EXPECT_EQ(runTool({"-k", "2", "--scene", "faceless.ase"}, "", dir_.path()).status, 0);
    EXPECT_EQ(readFile(dir_.file("faceless.cpp")), "");
}

}  // namespace
}  // namespace meshwright
