// The generated fragment placed inside a drawing function, as the tool's users place it in their
// own: it has no includes and no function head of its own, just the calls.
#include "model_drawing.h"

#include <GL/gl.h>

void drawModel() {
#include "fragment.cpp"
}
