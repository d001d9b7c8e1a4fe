// The model the viewer shows, drawn by the code that meshwright generated from it.
#pragma once

// Draws the model in the current OpenGL context, in its own coordinates. A fragment of kind 2 or 3
// leaves its client arrays enabled; they point into the function's own arrays, so draw nothing
// else with client arrays without setting them anew.
void drawModel();
