// Measures of rendered pictures: how much of the frame a mesh covers, how two pictures differ.
#pragma once

#include "rgba_image.h"

namespace meshwright::render {

// The share (0..1) of the frame's pixels that are not fully transparent, that is, the mesh's.
double coveredShare(const RgbaImage& picture);

struct PictureDifference {
    long differingPixels = 0;  // pixels that differ in any channel
    int largestStep = 0;       // the largest difference in one channel, 0..255
};

// Pixel by pixel; pictures of different sizes differ in every pixel of the larger.
PictureDifference comparePictures(const RgbaImage& first, const RgbaImage& second);

}  // namespace meshwright::render
