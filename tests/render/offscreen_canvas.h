// An OpenGL context that draws into memory instead of a window.
#pragma once

#include <GL/osmesa.h>

#include <vector>

#include "rgba_image.h"

namespace meshwright::render {

// Which OpenGL a canvas offers: everything since 1.0, or the 3.3 core profile that shader-only
// programs (and OpenGL ES and WebGL, which lack the old calls) are written for.
enum class Profile { kCompatibility, kCore33 };

// A square RGBA frame with a depth buffer, current from construction to destruction.
// Throws std::runtime_error when no context can be made.
class OffscreenCanvas {
  public:
    explicit OffscreenCanvas(int size, Profile profile = Profile::kCompatibility);
    ~OffscreenCanvas();
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    int size() const { return size_; }
    // Finishes all drawing and returns the frame, top row first.
    RgbaImage picture() const;

  private:
    int size_;
    std::vector<GLubyte> frame_;
    OSMesaContext context_;
};

}  // namespace meshwright::render
