// The box around everything a drawing function draws, measured through OpenGL itself.
#pragma once

#include <array>
#include <limits>

namespace meshwright::viewer {

// Smallest and largest x, y, z; min above max while nothing is inside.
struct Bounds {
    std::array<float, 3> min{kNone, kNone, kNone};
    std::array<float, 3> max{-kNone, -kNone, -kNone};
    bool empty() const { return min[0] > max[0]; }

    static constexpr float kNone = std::numeric_limits<float>::infinity();
};

// Calls `draw` three times in feedback mode in the current context and returns the exact bounds
// of the object-space positions of every triangle it draws, however they are sent (immediate
// calls, arrays, indices). Renders nothing; leaves the matrices and the viewport changed.
// Positions beyond 2^64 in size are clipped away and don't count.
Bounds measureBounds(void (*draw)());

}  // namespace meshwright::viewer
