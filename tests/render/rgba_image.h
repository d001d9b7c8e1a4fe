// RGBA images in memory and as PNG files: what the render host writes and the tests compare.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace meshwright::render {

// Eight bits per channel, four channels per pixel, rows from the top of the picture down.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// Writes `image` as a PNG file, replacing any file of that name only once the picture is
// complete; throws std::runtime_error naming the file when that fails.
void writePng(const std::string& path, const RgbaImage& image);

// Reads any PNG file as RGBA; throws std::runtime_error naming the file when that fails.
RgbaImage readPng(const std::string& path);

}  // namespace meshwright::render
