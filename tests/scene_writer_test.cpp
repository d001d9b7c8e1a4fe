// The frame around each part of a scene, and the part meshes the writers draw inside it.
#include "codegen/scene_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "ase/scene_reader.h"
#include "ase/section_readers.h"
#include "scene_samples.h"

namespace meshwright {
namespace {

using testing::codeOf;
using testing::geomObject;
using testing::kMaterialList;
using testing::kSquareTextureAndNormals;
using testing::squareMesh;

MeshData readText(const std::string& text) {
    MemorySource source(text);
    TokenReader reader(source);
    return readMesh(reader);
}

// The scene fragment of `text` in kind `kind`.
std::string sceneCode(const std::string& text, int kind) {
    MemorySource source(text);
    SceneReader reader(source);
    StringSink sink;
    Output out(sink);
    while (std::optional<SceneObject> object = reader.nextObject()) {
        writeSceneObject(*object, *kindWriter(kind), out);
    }
    out.flush();
    return sink.text;
}

TEST(SceneWriter, EachPartIsItsObjectsCodeInABlockAfterItsNameAndColour) {
    const MeshData square = readText(squareMesh());
    const std::string text = kMaterialList +
                             geomObject("Box 1", squareMesh(), "\t*MATERIAL_REF 0\n") +
                             geomObject("Box 2", squareMesh());
    for (int kind : {2, 3, 4}) {
        EXPECT_EQ(sceneCode(text, kind),
                  "\t//object \"Box 1\"\r\n\t{\r\n\tglColor3f(0.75,0.,0.);\r\n" +
                      codeOf(square, kind) + "\t}\r\n\t//object \"Box 2\"\r\n\t{\r\n" +
                      codeOf(square, kind) + "\t}\r\n")
            << "kind " << kind;
    }
}

TEST(SceneWriter, ClosingBraceGetsALineOfItsOwnAfterTheDisplayList) {
    const std::string code = codeOf(readText(squareMesh()), 1);
    ASSERT_EQ(code.substr(code.size() - 8), "glEnd();");
    EXPECT_EQ(sceneCode(geomObject("Box", squareMesh()), 1),
              "\t//object \"Box\"\r\n\t{\r\n" + code + "\r\n\t}\r\n");
}

TEST(SceneWriter, SubMaterialPartsAreNamedAndDrawOnlyTheirFacesAsAFileOfThoseFacesWould) {
    const std::string text =
        kMaterialList +
        geomObject("Lamp", squareMesh(1, 0, kSquareTextureAndNormals), "\t*MATERIAL_REF 1\n");
    // The square's two faces as files of their own, their normals and texture faces with them.
    std::string firstFace = squareMesh(0, 0, kSquareTextureAndNormals);
    std::string secondFace = firstFace;
    for (std::string* part : {&firstFace, &secondFace}) {
        part->replace(part->find("*MESH_NUMFACES 2"), 16, "*MESH_NUMFACES 1");
        part->replace(part->find("*MESH_NUMTVFACES 2"), 18, "*MESH_NUMTVFACES 1");
    }
    auto cut = [](std::string& text, const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        text.erase(at, text.find(to, at) - at);
    };
    cut(firstFace, "\t\t\t*MESH_FACE 1:", "\t\t}");
    cut(firstFace, "\t\t\t*MESH_TFACE 1", "\t\t}");
    cut(firstFace, "\t\t\t*MESH_FACENORMAL 1", "\t\t}");
    cut(secondFace, "\t\t\t*MESH_FACE 0:", "\t\t\t*MESH_FACE 1:");
    cut(secondFace, "\t\t\t*MESH_TFACE 0", "\t\t\t*MESH_TFACE 1");
    cut(secondFace, "\t\t\t*MESH_FACENORMAL 0", "\t\t\t*MESH_FACENORMAL 1");
    secondFace.replace(secondFace.find("*MESH_TFACE 1"), 13, "*MESH_TFACE 0");
    secondFace.replace(secondFace.find("*MESH_FACENORMAL 1"), 18, "*MESH_FACENORMAL 0");
    for (int kind = 1; kind <= 4; ++kind) {
        const std::string end = kind == 1 ? "\r\n\t}\r\n" : "\t}\r\n";
        EXPECT_EQ(sceneCode(text, kind),
                  "\t//object \"Lamp\" material \"Wood grain\"\r\n\t{\r\n"
                  "\tglColor3f(0.5,0.25,0.);\r\n" +
                      codeOf(readText(secondFace), kind) + end +
                      "\t//object \"Lamp\" material \"Glass\"\r\n\t{\r\n" +
                      codeOf(readText(firstFace), kind) + end)
            << "kind " << kind;
    }
}

TEST(SceneWriter, ControlCharactersOfANameCantEndTheCommentLine) {
    const std::string code = sceneCode(geomObject("a\rb\fc\x7f"
                                                  "d\xe9",
                                                  squareMesh()),
                                       2);
    EXPECT_EQ(code.substr(0, 22), "\t//object \"a?b?c?d\xe9\"\r\n");
}

}  // namespace
}  // namespace meshwright
