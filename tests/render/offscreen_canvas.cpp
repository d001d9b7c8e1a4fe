// Mesa's off-screen renderer: the same OpenGL a user's program calls, without a display.
#include "offscreen_canvas.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace meshwright::render {

namespace {

constexpr int kChannels = 4;
constexpr GLint kDepthBits = 24;

}  // namespace

// Builds with the leak checker (the sanitizer build) would fail on Mesa's own allocations: the
// renderer keeps some state past OSMesaDestroyContext, until the process ends. Our code is not
// in these stacks, so the leak checker is told to leave them alone.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libOSMesa.so\nleak:libLLVM\n";
}

OffscreenCanvas::OffscreenCanvas(int size, Profile profile)
    : size_(size), frame_(static_cast<size_t>(size) * size * kChannels) {
    const int coreAttributes[] = {OSMESA_FORMAT,
                                  OSMESA_RGBA,
                                  OSMESA_DEPTH_BITS,
                                  kDepthBits,
                                  OSMESA_PROFILE,
                                  OSMESA_CORE_PROFILE,
                                  OSMESA_CONTEXT_MAJOR_VERSION,
                                  3,
                                  OSMESA_CONTEXT_MINOR_VERSION,
                                  3,
                                  0};
    context_ = profile == Profile::kCore33
                   ? OSMesaCreateContextAttribs(coreAttributes, nullptr)
                   : OSMesaCreateContextExt(OSMESA_RGBA, kDepthBits, 0, 0, nullptr);
    if (context_ == nullptr) {
        throw std::runtime_error("can't create an off-screen OpenGL context");
    }
    if (!OSMesaMakeCurrent(context_, frame_.data(), GL_UNSIGNED_BYTE, size, size)) {
        OSMesaDestroyContext(context_);
        throw std::runtime_error("can't draw into a " + std::to_string(size) + " pixel frame");
    }
}

OffscreenCanvas::~OffscreenCanvas() {
    OSMesaDestroyContext(context_);
}

RgbaImage OffscreenCanvas::picture() const {
    glFinish();
    // OpenGL's rows run from the bottom up; pictures are stored from the top down.
    RgbaImage image{size_, size_, std::vector<uint8_t>(frame_.size())};
    const size_t rowBytes = static_cast<size_t>(size_) * kChannels;
    for (int row = 0; row < size_; ++row) {
        std::memcpy(&image.pixels[row * rowBytes], &frame_[(size_ - 1 - row) * rowBytes], rowBytes);
    }
    return image;
}

}  // namespace meshwright::render
