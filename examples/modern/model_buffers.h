// The generated header's buffers on the GPU: one vertex array, one vertex buffer, one index
// buffer, uploaded once.
#pragma once

#include <epoxy/gl.h>

struct ModelBuffers {
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
};

// Uploads the header's vertices and indices and describes their layout to the vertex array:
// attribute 0 position, 1 normal, 2 texture coordinate (constant 0 when the model lacks one).
ModelBuffers uploadModel();

// The model's centre and the radius of a sphere around its bounding box.
void modelSphere(float centre[3], float* radius);

// Draws every part with its own colour (a light grey when it has none) set in the uniform
// `colourUniform` of the current program.
void drawModelParts(const ModelBuffers& buffers, GLint colourUniform);
