// Places one generated fragment inside a drawing function, as a user pastes it into theirs.
// Compiled by the render tests for each fragment, with MESHWRIGHT_FRAGMENT naming the file,
// into a shared module that the render host loads.
#include <GL/gl.h>

extern "C" void drawFragment() {
#include MESHWRIGHT_FRAGMENT
}
