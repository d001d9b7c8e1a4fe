// Draws one model in each kind of code for the README: lit, with the checker texture.
//   readme_images MODEL.ase FOLDER
// writes FOLDER/<model>-kind1.png, -kind2.png and -kind3.png.
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: readme_images MODEL.ase FOLDER\n");
        return 2;
    }
    try {
        drawEveryKind(argv[1], argv[2]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Error: %s\n", error.what());
        return 1;
    }
}
