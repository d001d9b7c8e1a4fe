// Pixel measures over RGBA pictures.
#include "picture_compare.h"

#include <algorithm>
#include <cstdlib>

namespace meshwright::render {

namespace {

constexpr size_t kChannels = 4;
constexpr size_t kAlpha = 3;

}  // namespace

double coveredShare(const RgbaImage& picture) {
    const size_t pixels = picture.pixels.size() / kChannels;
    if (pixels == 0) {
        return 0;
    }
    size_t covered = 0;
    for (size_t pixel = 0; pixel < pixels; ++pixel) {
        covered += picture.pixels[pixel * kChannels + kAlpha] != 0;
    }
    return static_cast<double>(covered) / static_cast<double>(pixels);
}

PictureDifference comparePictures(const RgbaImage& first, const RgbaImage& second) {
    PictureDifference difference;
    if (first.width != second.width || first.height != second.height ||
        first.pixels.size() != second.pixels.size()) {
        difference.differingPixels =
            static_cast<long>(std::max(first.pixels.size(), second.pixels.size()) / kChannels);
        difference.largestStep = 255;
        return difference;
    }
    for (size_t pixel = 0; pixel < first.pixels.size(); pixel += kChannels) {
        int step = 0;
        for (size_t channel = pixel; channel < pixel + kChannels; ++channel) {
            step = std::max(step, std::abs(first.pixels[channel] - second.pixels[channel]));
        }
        difference.differingPixels += step != 0;
        difference.largestStep = std::max(difference.largestStep, step);
    }
    return difference;
}

}  // namespace meshwright::render
