// PNG files through libpng's simplified interface, which converts every pixel format to RGBA.
#include "rgba_image.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace meshwright::render {

namespace {

png_image describe(const RgbaImage& image) {
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    description.width = static_cast<png_uint_32>(image.width);
    description.height = static_cast<png_uint_32>(image.height);
    description.format = PNG_FORMAT_RGBA;
    return description;
}

[[noreturn]] void fail(const std::string& what, const std::string& path, const png_image& image) {
    throw std::runtime_error(what + " " + path + ": " + image.message);
}

}  // namespace

void writePng(const std::string& path, const RgbaImage& image) {
    // Written aside and renamed when complete, so a picture on disk is never a partial one.
    const std::string draft = path + ".part";
    png_image description = describe(image);
    if (!png_image_write_to_file(&description, draft.c_str(), 0, image.pixels.data(), 0, nullptr)) {
        std::remove(draft.c_str());
        fail("can't write", path, description);
    }
    if (std::rename(draft.c_str(), path.c_str()) != 0) {
        std::remove(draft.c_str());
        throw std::runtime_error("can't write " + path + ": " + std::strerror(errno));
    }
}

RgbaImage readPng(const std::string& path) {
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&description, path.c_str())) {
        fail("can't read", path, description);
    }
    description.format = PNG_FORMAT_RGBA;
    RgbaImage image;
    image.width = static_cast<int>(description.width);
    image.height = static_cast<int>(description.height);
    image.pixels.resize(PNG_IMAGE_SIZE(description));
    if (!png_image_finish_read(&description, nullptr, image.pixels.data(), 0, nullptr)) {
        fail("can't read", path, description);
    }
    return image;
}

}  // namespace meshwright::render
