// Draws one compiled fragment off screen and saves the picture:
//   render_host [--lighting] [--texture] [--size PIXELS] MODULE PICTURE.png
// The camera is fitted to what the fragment draws, so every kind of code gets the same view.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

#include "fragment_module.h"
#include "mesh_bounds.h"
#include "offscreen_canvas.h"
#include "rgba_image.h"
#include "scene.h"

namespace {

using namespace meshwright::render;
using meshwright::viewer::Bounds;
using meshwright::viewer::measureBounds;

constexpr int kDefaultSize = 256;
constexpr int kLargestSize = 4096;

struct HostArguments {
    SceneOptions scene;
    int size = kDefaultSize;
    std::string module;
    std::string picture;
};

int parseSize(const std::string& text) {
    char* end = nullptr;
    long size = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || size < 1 || size > kLargestSize) {
        throw std::runtime_error("the size must be a whole number of pixels from 1 to " +
                                 std::to_string(kLargestSize) + ", not '" + text + "'");
    }
    return static_cast<int>(size);
}

HostArguments parseArguments(int argc, char** argv) {
    HostArguments arguments;
    int named = 0;
    for (int at = 1; at < argc; ++at) {
        std::string_view word = argv[at];
        if (word == "--lighting") {
            arguments.scene.lighting = true;
        } else if (word == "--texture") {
            arguments.scene.texture = true;
        } else if (word == "--size" && at + 1 < argc) {
            arguments.size = parseSize(argv[++at]);
        } else if (!word.starts_with("--") && named < 2) {
            (named++ == 0 ? arguments.module : arguments.picture) = word;
        } else {
            throw std::runtime_error("unexpected argument '" + std::string(word) + "'");
        }
    }
    if (named < 2) {
        throw std::runtime_error(
            "usage: render_host [--lighting] [--texture] [--size PIXELS] MODULE PICTURE.png");
    }
    return arguments;
}

void render(const HostArguments& arguments) {
    FragmentModule fragment(arguments.module);
    OffscreenCanvas canvas(arguments.size);
    Bounds bounds = measureBounds(fragment.draw());
    prepareScene(bounds, canvas.size(), arguments.scene);
    fragment.draw()();
    writePng(arguments.picture, canvas.picture());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        render(parseArguments(argc, argv));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Error: %s\n", error.what());
        return 1;
    }
}
