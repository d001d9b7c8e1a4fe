// The generated code compiled and drawn with a real OpenGL: every kind of code draws the same
// mesh, and the kinds that keep every face corner exactly draw exactly the same picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "bench/torus_model.h"
#include "picture_compare.h"
#include "render_pipeline.h"
#include "test_support.h"

namespace meshwright::render {
namespace {

namespace fs = std::filesystem;

// Every kind of code the tool writes. An exact kind sends each face corner's own normal and
// texture coordinate, so it draws exactly what kind 1 draws. Kind 3 keeps one of each per
// vertex, the first corner to reach it, so only its silhouette must match. It also declares the
// flat-shading normals Narray beside the smooth ones it draws with, and a compiler rightly warns
// that Narray is unused: that warning, and only that one, is expected of it.
struct Kind {
    int number;
    bool exact;
    const char* unusedArray;
};
constexpr Kind kKinds[] = {
    {1, true, nullptr},
    {2, true, nullptr},
    {3, false, "Narray"},
    {4, true, nullptr},
};
constexpr int kReferenceKind = 1;
constexpr int kHeaderKind = 5;

enum class Source { kExample, kTestData, kGenerated };

struct Model {
    const char* file;
    Source source;
};

// Names the model in test listings.
void PrintTo(const Model& model, std::ostream* out) {
    *out << model.file;
}

// The cube's faces meet at texture and normal seams, where kind 3 draws differently.
constexpr Model kCube{"cube.ase", Source::kExample};

// Every complete model we have, and a torus of a few thousand smooth, textured faces.
const Model kModels[] = {
    kCube,
    {"ball.ase", Source::kExample},
    {"RotatingCube.ASE", Source::kTestData},
    {"ThreeCubesGreen.ASE", Source::kTestData},
    {"ThreeCubesGreen_UTF16LE.ASE", Source::kTestData},
    {"UVTransform_Normal.ASE", Source::kTestData},
    {"torus.ase", Source::kGenerated},
};
constexpr int kTorusRings = 48;
constexpr int kTorusSides = 32;

// A picture outside these shares of the frame means the camera missed the mesh (an empty frame,
// in which every comparison would pass) or sits inside it. The models here cover 17% to 45%.
constexpr double kLeastCoverage = 0.05;
constexpr double kMostCoverage = 0.9;

constexpr SceneOptions kPlain{false, false};
constexpr SceneOptions kLit{true, false};
constexpr SceneOptions kTextured{false, true};
constexpr SceneOptions kLitAndTextured{true, true};

std::string sceneName(const SceneOptions& scene) {
    return std::string(scene.lighting ? "lit" : "unlit") + (scene.texture ? "-textured" : "");
}

std::string modelName(const Model& model) {
    return fs::path(model.file).stem().string();
}

// Every face smooth, so that every kind draws the very same picture of it.
void writeSmoothTorus(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    ASSERT_NE(out, nullptr) << path;
    writeTorus(out, {kTorusRings, kTorusSides, TorusSmoothing::kAllSmooth});
    ASSERT_EQ(std::fclose(out), 0) << path;
}

// One model drawn in each kind, its files in a temporary folder.
class ModelRenderer {
  public:
    explicit ModelRenderer(const Model& model) : name_(modelName(model)) {
        if (model.source == Source::kGenerated) {
            path_ = dir_.file(model.file);
            writeSmoothTorus(path_);
        } else {
            path_ = model.source == Source::kExample ? testing::examplePath(model.file)
                                                     : testing::dataPath(model.file);
        }
    }

    std::string fragmentText(int kind) { return testing::readFile(fragment(kind)); }

    CompiledFragment compiled(int kind) {
        auto known = compiled_.find(kind);
        if (known == compiled_.end()) {
            known = compiled_.emplace(kind, compileFragment(fragment(kind))).first;
        }
        return known->second;
    }

    // The picture of `kind`'s fragment in `scene`, checked to show the mesh.
    const RgbaImage& picture(int kind, const SceneOptions& scene) {
        const std::string path = picturePath(kind, scene);
        auto known = pictures_.find(path);
        if (known == pictures_.end()) {
            known =
                pictures_.emplace(path, renderFragment(compiled(kind).module, scene, path)).first;
            double share = coveredShare(known->second);
            EXPECT_GE(share, kLeastCoverage) << path << " barely shows the mesh";
            EXPECT_LE(share, kMostCoverage) << path << " is nearly all mesh";
        }
        return known->second;
    }

    // Expects `kind` to draw in `scene` exactly the picture that the reference kind draws.
    // Mesa draws them alike to the last bit, so no difference at all is allowed. When they
    // differ, both pictures are kept in the build folder for a look.
    void expectSamePicture(int kind, const SceneOptions& scene) {
        PictureDifference difference =
            comparePictures(picture(kReferenceKind, scene), picture(kind, scene));
        EXPECT_EQ(difference.differingPixels, 0)
            << name_ << ": kind " << kind << " and kind " << kReferenceKind << " draw different "
            << sceneName(scene) << " pictures (largest step " << difference.largestStep
            << "); both are in " << keepForALook(kind, scene);
    }

    CompiledHeader header() {
        if (!header_) {
            header_ = compileHeader(fragment(kHeaderKind));
        }
        return *header_;
    }

    // Expects the header's buffers, drawn by a shader program in a core-profile context, to
    // cover exactly the pixels kind 1 covers unlit. Both draw in one colour, so the pictures
    // are the silhouettes and must be equal to the bit.
    void expectHeaderDrawsTheSameSilhouette() {
        const std::string path = picturePath(kHeaderKind, kPlain);
        const RgbaImage drawn = renderHeader(header().module, path);
        PictureDifference difference = comparePictures(picture(kReferenceKind, kPlain), drawn);
        EXPECT_EQ(difference.differingPixels, 0)
            << name_ << ": the header's buffers and kind " << kReferenceKind
            << " draw different silhouettes; both are in " << keepForALook(kHeaderKind, kPlain);
    }

  private:
    std::string fragment(int kind) {
        auto known = fragments_.find(kind);
        if (known == fragments_.end()) {
            known = fragments_.emplace(kind, generateFragment(path_, kind, dir_.path())).first;
        }
        return known->second;
    }

    std::string pictureName(int kind, const SceneOptions& scene) const {
        return name_ + "-kind" + std::to_string(kind) + "-" + sceneName(scene) + ".png";
    }
    std::string picturePath(int kind, const SceneOptions& scene) const {
        return dir_.file(pictureName(kind, scene));
    }

    std::string keepForALook(int kind, const SceneOptions& scene) const {
        const fs::path folder = MESHWRIGHT_FAILED_PICTURES;
        fs::create_directories(folder);
        for (int shown : {kReferenceKind, kind}) {
            fs::copy_file(picturePath(shown, scene), folder / pictureName(shown, scene),
                          fs::copy_options::overwrite_existing);
        }
        return folder.string();
    }

    std::string name_;
    testing::TempDir dir_;
    std::string path_;
    std::map<int, std::string> fragments_;
    std::map<int, CompiledFragment> compiled_;
    std::map<std::string, RgbaImage> pictures_;
    std::optional<CompiledHeader> header_;
};

size_t occurrences(const std::string& text, const std::string& word) {
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        ++count;
    }
    return count;
}

class Render : public ::testing::TestWithParam<Model> {
  protected:
    ModelRenderer model_{GetParam()};
};

TEST_P(Render, EveryKindCompilesWithWarningsOn) {
    for (const Kind& kind : kKinds) {
        CompiledFragment compiled = model_.compiled(kind.number);
        for (const std::string& warning : compilerWarnings(compiled.diagnostics)) {
            bool expected = kind.unusedArray != nullptr &&
                            warning.find("unused variable") != std::string::npos &&
                            warning.find(kind.unusedArray) != std::string::npos;
            EXPECT_TRUE(expected) << "kind " << kind.number << ": " << compiled.diagnostics;
        }
        EXPECT_LE(compilerWarnings(compiled.diagnostics).size(), 1u) << compiled.diagnostics;
    }
}

TEST_P(Render, EveryKindDrawsTheSameSilhouette) {
    for (const Kind& kind : kKinds) {
        if (kind.number != kReferenceKind) {
            model_.expectSamePicture(kind.number, kPlain);
        }
    }
}

TEST_P(Render, ExactKindsDrawTheSameSmoothLighting) {
    // Kind 1 gives a face without a smoothing group one face normal, where kind 2 sends its
    // corner normals; with smooth faces only, both send the same normals. Lit and textured at
    // once, too: that is how most programs draw.
    std::string displayList = model_.fragmentText(kReferenceKind);
    size_t normals = occurrences(displayList, "glNormal3f(");
    ASSERT_TRUE(normals == 0 || normals == occurrences(displayList, "glVertex3f("))
        << "this comparison needs a model whose every face is smooth";
    for (const Kind& kind : kKinds) {
        if (kind.exact && kind.number != kReferenceKind) {
            model_.expectSamePicture(kind.number, kLit);
            model_.expectSamePicture(kind.number, kLitAndTextured);
        }
    }
}

TEST_P(Render, ExactKindsDrawTheSameCheckerTexture) {
    for (const Kind& kind : kKinds) {
        if (kind.exact && kind.number != kReferenceKind) {
            model_.expectSamePicture(kind.number, kTextured);
        }
    }
}

TEST_P(Render, KindFourDrawsExactlyWhatKindOneDraws) {
    // Kind 4 chooses each corner's normal as kind 1 does (the face normal for a face without a
    // smoothing group), so unlike kind 2 it needs no smooth model to draw the same picture.
    model_.expectSamePicture(4, kLitAndTextured);
}

TEST_P(Render, HeaderCompilesAsCAndAsCppWithoutAWarning) {
    const CompiledHeader header = model_.header();
    EXPECT_EQ(header.cDiagnostics, "");
    EXPECT_EQ(header.cppDiagnostics, "");
}

TEST_P(Render, HeaderBuffersDrawKindOnesSilhouetteInACoreProfile) {
    model_.expectHeaderDrawsTheSameSilhouette();
}

INSTANTIATE_TEST_SUITE_P(Models, Render, ::testing::ValuesIn(kModels),
                         [](const ::testing::TestParamInfo<Model>& info) {
                             return modelName(info.param);
                         });

// Guards the comparisons themselves: on the cube, kind 3 must be told apart from kind 1, or
// equal pictures would prove nothing. It differs in about a third of the frame, most of the
// cube; a tenth is asked for.
TEST(RenderComparison, SeesTheSeamsOfKindThreeOnTheTexturedCube) {
    ModelRenderer cube(kCube);
    const RgbaImage& reference = cube.picture(kReferenceKind, kLitAndTextured);
    PictureDifference difference = comparePictures(reference, cube.picture(3, kLitAndTextured));
    EXPECT_GT(difference.differingPixels, reference.width * reference.height / 10);
}

}  // namespace
}  // namespace meshwright::render
