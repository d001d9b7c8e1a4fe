// Bounds from feedback mode. Feedback reports window coordinates, so the transform is chosen to
// make window x equal one object coordinate exactly: the modelview only permutes axes (products
// with 0 and 1 are exact), the projection divides by a power of two through w (exact), and the
// viewport (-1, -1, 2, 2) scales by 1 and shifts by 0. Window y is no use: Mesa flips it against
// the frame's height, which rounds away the small values. So each axis gets a pass of its own.
// Measuring the same vertices gives the same bounds whichever kind of code sends them, so every
// kind gets the same camera.
#include "mesh_bounds.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace meshwright::viewer {

namespace {

constexpr float kReach = 0x1p64f;
constexpr size_t kFirstBufferFloats = size_t{1} << 16;
constexpr size_t kLargestBufferFloats = size_t{1} << 30;

// A column-major modelview that moves `axis` to x and keeps the other two in cyclic order.
std::array<GLfloat, 16> axisToX(int axis) {
    std::array<GLfloat, 16> matrix{};
    for (int row = 0; row < 3; ++row) {
        matrix[4 * ((axis + row) % 3) + row] = 1;
    }
    matrix[15] = 1;
    return matrix;
}

// Leaves w = kReach, so that x / w is x shrunk by an exact power of two.
constexpr GLfloat kShrinkThroughW[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, kReach};

// Draws in feedback mode and returns the feedback buffer, grown until it holds everything.
std::vector<GLfloat> recordFeedback(void (*draw)()) {
    std::vector<GLfloat> buffer(kFirstBufferFloats);
    for (;;) {
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        GLint used = glRenderMode(GL_RENDER);
        if (used >= 0 || buffer.size() >= kLargestBufferFloats) {
            buffer.resize(static_cast<size_t>(std::max(used, 0)));
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

// The window x of every vertex in a GL_2D feedback buffer, times kReach.
std::vector<float> windowXs(const std::vector<GLfloat>& feedback) {
    std::vector<float> xs;
    size_t at = 0;
    while (at < feedback.size()) {
        const auto token = static_cast<GLenum>(feedback[at++]);
        size_t count = 0;
        if (token == GL_POLYGON_TOKEN && at < feedback.size()) {
            count = static_cast<size_t>(feedback[at++]);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            count = 2;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++at;  // a marker value, not a vertex
        } else {
            count = 1;  // points, bitmaps and pixel rectangles carry one position
        }
        for (size_t vertex = 0; vertex < count && at + 1 < feedback.size(); ++vertex, at += 2) {
            xs.push_back(feedback[at] * kReach);
        }
    }
    return xs;
}

}  // namespace

Bounds measureBounds(void (*draw)()) {
    glViewport(-1, -1, 2, 2);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(kShrinkThroughW);
    glMatrixMode(GL_MODELVIEW);
    Bounds bounds;
    for (int axis = 0; axis < 3; ++axis) {
        glLoadMatrixf(axisToX(axis).data());
        for (float x : windowXs(recordFeedback(draw))) {
            bounds.min[axis] = std::min(bounds.min[axis], x);
            bounds.max[axis] = std::max(bounds.max[axis], x);
        }
    }
    return bounds;
}

}  // namespace meshwright::viewer
