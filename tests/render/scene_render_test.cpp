// A scene fragment compiled and drawn with a real OpenGL: it compiles cleanly with every kind
// inside its blocks, and draws every object, each where and in the colour its own data says.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "picture_compare.h"
#include "render_pipeline.h"
#include "test_support.h"

namespace meshwright::render {
namespace {

constexpr SceneOptions kPlain{false, false};

// The diffuse colours of the three cubes' materials, as 8-bit channels.
constexpr uint8_t kCubeColours[3][3] = {{166, 74, 0}, {113, 117, 0}, {102, 161, 0}};

// The scene fragment cut into its parts' blocks, each from its comment line to its "\t}".
std::vector<std::string> partBlocks(const std::string& fragment) {
    std::vector<std::string> blocks;
    size_t at = fragment.find("\t//object ");
    while (at != std::string::npos) {
        const size_t next = fragment.find("\t//object ", at + 1);
        blocks.push_back(fragment.substr(at, next - at));
        at = next;
    }
    return blocks;
}

// The scene with every block but `shown` drawn without touching the picture: the camera, which
// the host fits to everything drawn, stays the scene's, and what remains is the part alone.
std::string sceneShowingOnly(const std::vector<std::string>& blocks, size_t shown) {
    std::string fragment;
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (i == shown) {
            fragment += blocks[i];
        } else {
            fragment +=
                "\tglColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);\r\n"
                "\tglDepthMask(GL_FALSE);\r\n" +
                blocks[i] +
                "\tglColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);\r\n"
                "\tglDepthMask(GL_TRUE);\r\n";
        }
    }
    return fragment;
}

class SceneRender : public ::testing::TestWithParam<int> {
  protected:
    std::string fragment() {
        return generateSceneFragment(testing::dataPath("ThreeCubesGreen.ASE"), GetParam(),
                                     dir_.path());
    }
    RgbaImage draw(const std::string& fragmentPath, const std::string& name) {
        return renderFragment(compileFragment(fragmentPath).module, kPlain, dir_.file(name));
    }
    testing::TempDir dir_;
};

TEST_P(SceneRender, ThreeCubesCompileWithoutWarnings) {
    // Kind 3 declares the flat normals Narray beside the smooth ones it draws with, in every
    // block; that warning is its own, and the only one allowed.
    const CompiledFragment compiled = compileFragment(fragment());
    for (const std::string& warning : compilerWarnings(compiled.diagnostics)) {
        EXPECT_TRUE(GetParam() == 3 &&
                    warning.find("unused variable 'Narray'") != std::string::npos)
            << compiled.diagnostics;
    }
}

bool covers(const RgbaImage& image, size_t at) {
    return image.pixels[at + 3] != 0;
}

bool samePixel(const RgbaImage& first, const RgbaImage& second, size_t at) {
    return std::equal(&first.pixels[at], &first.pixels[at] + 4, &second.pixels[at]);
}

// Each object drawn alone, in the scene's camera, lies inside the scene's silhouette, in its own
// colour; every pixel of the scene is a pixel of an object drawn alone (the cubes hide parts of
// each other, so an object's picture is not whole in the scene's); and each shows in the scene.
TEST_P(SceneRender, ThreeCubesDrawEveryObjectInPlaceInItsColour) {
    const std::string scenePath = fragment();
    const RgbaImage scene = draw(scenePath, "scene.png");
    const std::vector<std::string> blocks = partBlocks(testing::readFile(scenePath));
    ASSERT_EQ(blocks.size(), 3u);
    std::vector<RgbaImage> alone;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const std::string name = "alone" + std::to_string(i);
        testing::writeFile(dir_.file(name + ".cpp"), sceneShowingOnly(blocks, i));
        alone.push_back(draw(dir_.file(name + ".cpp"), name + ".png"));
    }
    long unexplained = 0;
    std::vector<long> outside(3), offColour(3), shown(3);
    for (size_t at = 0; at < scene.pixels.size(); at += 4) {
        bool explained = !covers(scene, at);
        for (size_t i = 0; i < alone.size(); ++i) {
            if (!covers(alone[i], at)) {
                continue;
            }
            outside[i] += covers(scene, at) ? 0 : 1;
            offColour[i] +=
                std::equal(kCubeColours[i], kCubeColours[i] + 3, &alone[i].pixels[at]) ? 0 : 1;
            if (samePixel(alone[i], scene, at)) {
                ++shown[i];
                explained = true;
            }
        }
        unexplained += explained ? 0 : 1;
    }
    EXPECT_EQ(unexplained, 0) << "the scene draws what no object draws alone";
    for (size_t i = 0; i < alone.size(); ++i) {
        EXPECT_EQ(outside[i], 0) << "object " << i << " lies outside the scene's picture";
        EXPECT_EQ(offColour[i], 0) << "object " << i << " is not in its material's colour";
        EXPECT_GT(shown[i], scene.width * scene.height / 100) << "object " << i << " is missing";
    }
}

// A scene's header, drawn by a shader program through one pair of buffers in a core-profile
// context, covers exactly the pixels that kind 1's scene fragment covers, part by part drawn
// in one draw call each. The header host draws in one colour, so silhouettes are compared.
TEST(SceneHeaderRender, CoversExactlyWhatKindOnesSceneCovers) {
    for (const std::string& model :
         {testing::dataPath("ThreeCubesGreen.ASE"), testing::examplePath("still_life.ase")}) {
        testing::TempDir dir;
        const RgbaImage reference =
            renderFragment(compileFragment(generateSceneFragment(model, 1, dir.path())).module,
                           kPlain, dir.file("kind1.png"));
        const CompiledHeader header = compileHeader(generateSceneFragment(model, 5, dir.path()));
        EXPECT_EQ(header.cDiagnostics + header.cppDiagnostics, "") << model;
        const RgbaImage drawn = renderHeader(header.module, dir.file("header.png"));
        ASSERT_EQ(drawn.pixels.size(), reference.pixels.size());
        long differing = 0, covered = 0;
        for (size_t at = 0; at < reference.pixels.size(); at += 4) {
            differing += covers(reference, at) != covers(drawn, at);
            covered += covers(reference, at);
        }
        EXPECT_EQ(differing, 0) << model;
        EXPECT_GT(covered, reference.width * reference.height / 20) << model;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SceneRender, ::testing::Values(1, 2, 3, 4),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "kind" + std::to_string(info.param);
                         });

}  // namespace
}  // namespace meshwright::render
