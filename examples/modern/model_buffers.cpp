// The only file that includes the generated header: its arrays are static, one copy per file.
#include "model_buffers.h"

#include <cmath>
#include <cstdint>

#include "model.h"

namespace {

const void* byteOffset(long bytes) {
    return reinterpret_cast<const void*>(static_cast<std::intptr_t>(bytes));
}

// Light grey for a part without a colour of its own.
constexpr GLfloat kDefaultColour[3] = {0.8f, 0.8f, 0.8f};

}  // namespace

ModelBuffers uploadModel() {
    ModelBuffers buffers;
    glGenVertexArrays(1, &buffers.vertexArray);
    glBindVertexArray(buffers.vertexArray);
    glGenBuffers(1, &buffers.vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof model_vertices, model_vertices, GL_STATIC_DRAW);
    glGenBuffers(1, &buffers.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof model_indices, model_indices, GL_STATIC_DRAW);

    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, model_VERTEX_STRIDE,
                          byteOffset(model_POSITION_OFFSET));
    glEnableVertexAttribArray(0);
    if (model_HAS_NORMALS) {
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, model_VERTEX_STRIDE,
                              byteOffset(model_NORMAL_OFFSET));
        glEnableVertexAttribArray(1);
    } else {
        glVertexAttrib3f(1, 0.0f, 0.0f, 0.0f);
    }
    if (model_HAS_TEXCOORDS) {
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, model_VERTEX_STRIDE,
                              byteOffset(model_TEXCOORD_OFFSET));
        glEnableVertexAttribArray(2);
    } else {
        glVertexAttrib2f(2, 0.0f, 0.0f);
    }
    return buffers;
}

void modelSphere(float centre[3], float* radius) {
    float squared = 0.0f;
    for (int axis = 0; axis < 3; ++axis) {
        const float half = (model_bounds_max[axis] - model_bounds_min[axis]) / 2;
        centre[axis] = model_bounds_min[axis] + half;
        squared += half * half;
    }
    *radius = squared > 0.0f ? std::sqrt(squared) : 1.0f;
}

void drawModelParts(const ModelBuffers& buffers, GLint colourUniform) {
    glBindVertexArray(buffers.vertexArray);
    for (const model_part& part : model_parts) {
        glUniform3fv(colourUniform, 1, part.has_color ? part.color : kDefaultColour);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(part.index_count), model_INDEX_TYPE,
                       byteOffset(long(part.first_index) * model_INDEX_SIZE));
    }
}
