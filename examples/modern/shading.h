// The example's shader pair: positions transformed, normals lit by one light, a texture and each
// part's colour multiplied in.
#pragma once

#include <epoxy/gl.h>

struct Shading {
    GLuint program = 0;
    GLint transform = -1;  // mat4: model space to clip space
    GLint rotation = -1;   // mat3: model normals to view space
    GLint colour = -1;     // vec3: the part's colour
    GLuint texture = 0;    // a checker, standing in for the parts' own texture files
};

// Compiles and links the pair and makes the checker texture; exits with the compiler's log when
// the pair doesn't compile (the example's shaders are fixed, so that is a driver's fault).
Shading makeShading();
