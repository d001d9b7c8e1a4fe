// Draws the README's pictures:
//   readme_images MODEL.ase FOLDER
// draws the model in each kind of code, lit, with the checker texture, as
// FOLDER/<model>-kind1.png to -kind4.png;
//   readme_images --scene MODEL.ase FOLDER
// draws the --scene fragment of the model, lit, each part in its own colour, as
// FOLDER/<model>-scene.png.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "render_pipeline.h"

namespace {

namespace fs = std::filesystem;
using namespace meshwright::render;

constexpr int kKinds[] = {1, 2, 3, 4};
constexpr int kPictureSize = 256;
constexpr int kSceneKind = 2;

// A fresh folder for the fragments, removed again however the drawing ends.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "meshwright-images-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("can't make a temporary folder");
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

void drawEveryKind(const std::string& model, const fs::path& folder) {
    ScratchFolder scratch;
    fs::create_directories(folder);
    for (int kind : kKinds) {
        CompiledFragment compiled = compileFragment(generateFragment(model, kind, scratch.path()));
        const fs::path picture =
            folder / (fs::path(model).stem().string() + "-kind" + std::to_string(kind) + ".png");
        renderFragment(compiled.module, SceneOptions{true, true}, picture.string(), kPictureSize);
        std::printf("%s\n", picture.c_str());
    }
}

void drawScene(const std::string& model, const fs::path& folder) {
    ScratchFolder scratch;
    fs::create_directories(folder);
    CompiledFragment compiled =
        compileFragment(generateSceneFragment(model, kSceneKind, scratch.path()));
    const fs::path picture = folder / (fs::path(model).stem().string() + "-scene.png");
    renderFragment(compiled.module, SceneOptions{true, false}, picture.string(), kPictureSize);
    std::printf("%s\n", picture.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const bool scene = argc == 4 && std::string(argv[1]) == "--scene";
    if (argc != 3 && !scene) {
        std::fprintf(stderr, "usage: readme_images [--scene] MODEL.ase FOLDER\n");
        return 2;
    }
    try {
        if (scene) {
            drawScene(argv[2], argv[3]);
        } else {
            drawEveryKind(argv[1], argv[2]);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Error: %s\n", error.what());
        return 1;
    }
}
