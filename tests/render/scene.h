// The fixed scene every fragment is drawn in: camera, light, colour and checker texture.
#pragma once

namespace meshwright::viewer {
struct Bounds;
}

namespace meshwright::render {

struct SceneOptions {
    bool lighting = false;  // one white light and a smooth-shaded material; else flat colour
    bool texture = false;   // a checker texture modulates the surface
};

// Sets up the current context to draw a mesh with `bounds` into a square frame of `size`
// pixels: clears the frame to transparent, fits the view to the bounds from a fixed direction,
// and enables what `options` ask for. The mesh itself then draws in a fully opaque colour.
void prepareScene(const viewer::Bounds& bounds, int size, const SceneOptions& options);

}  // namespace meshwright::render
