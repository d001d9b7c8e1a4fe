// Draws a generated header's buffers in an OpenGL 3.3 core-profile context, off screen, as a
// shader program draws them, and saves the picture:
//   header_host [--size PIXELS] MODULE PICTURE.png
// The camera is kind 1's: the same vertices measured the same way, so the pictures compare.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>

#include "header_view.h"
#include "mesh_bounds.h"
#include "offscreen_canvas.h"
#include "rgba_image.h"
#include "scene.h"

namespace {

using namespace meshwright::render;
using Matrix = std::array<GLfloat, 16>;  // column-major, as OpenGL keeps it

const HeaderView* gView = nullptr;  // for drawImmediately, which takes no argument

// The header's triangles as kind 1 sends them, so measureBounds sees the same vertices.
void drawImmediately() {
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < gView->index_count; ++i) {
        const unsigned index = gView->index_size == 2
                                   ? static_cast<const unsigned short*>(gView->indices)[i]
                                   : static_cast<const unsigned int*>(gView->indices)[i];
        const float* position = gView->vertices + size_t(index) * gView->floats_per_vertex;
        glVertex3f(position[0], position[1], position[2]);
    }
    glEnd();
}

// The product projection x modelview, computed in float in the order Mesa's fixed-function
// transform computes it, so both pipelines place every vertex on the same bits.
Matrix product(const Matrix& a, const Matrix& b) {
    Matrix p{};
    for (int i = 0; i < 4; ++i) {
        const GLfloat ai0 = a[i], ai1 = a[4 + i], ai2 = a[8 + i], ai3 = a[12 + i];
        for (int j = 0; j < 4; ++j) {
            p[4 * j + i] =
                ai0 * b[4 * j] + ai1 * b[4 * j + 1] + ai2 * b[4 * j + 2] + ai3 * b[4 * j + 3];
        }
    }
    return p;
}

// Kind 1's camera for the header's vertices, taken from a compatibility context.
Matrix kindOneCamera(int size) {
    OffscreenCanvas canvas(size);
    const meshwright::viewer::Bounds bounds = meshwright::viewer::measureBounds(drawImmediately);
    prepareScene(bounds, size, SceneOptions{});
    Matrix projection{}, modelview{};
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    return product(projection, modelview);
}

constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 transform;
void main() { gl_Position = transform * vec4(position, 1.0); }
)";

// Unlit, in the surface colour of kind 1's unlit scene.
constexpr const char* kFragmentShader = R"(#version 330 core
out vec4 colour;
void main() { colour = vec4(0.30, 0.56, 0.80, 1.0); }
)";

GLuint compileShader(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        throw std::runtime_error(std::string("a shader doesn't compile: ") + log);
    }
    return shader;
}

GLuint linkProgram() {
    const GLuint program = glCreateProgram();
    glAttachShader(program, compileShader(GL_VERTEX_SHADER, kVertexShader));
    glAttachShader(program, compileShader(GL_FRAGMENT_SHADER, kFragmentShader));
    glLinkProgram(program);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        throw std::runtime_error("the shaders don't link");
    }
    return program;
}

// One vertex buffer, one index buffer, one vertex array; each part drawn on its own.
void drawBuffers(const HeaderView& view, const Matrix& transform, int size) {
    glViewport(0, 0, size, size);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    const GLuint program = linkProgram();
    glUseProgram(program);
    glUniformMatrix4fv(glGetUniformLocation(program, "transform"), 1, GL_FALSE, transform.data());
    GLuint vertexArray = 0, buffers[2] = {0, 0};
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(2, buffers);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(view.vertex_count) * view.vertex_stride, view.vertices,
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(view.index_count) * view.index_size,
                 view.indices, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, view.vertex_stride, nullptr);
    glEnableVertexAttribArray(0);
    for (int p = 0; p < view.part_count; ++p) {
        const HeaderPartView& part = view.parts[p];
        glDrawElements(GL_TRIANGLES, GLsizei(part.index_count), GLenum(view.index_type),
                       reinterpret_cast<const void*>(size_t(part.first_index) * view.index_size));
    }
    if (glGetError() != GL_NO_ERROR) {
        throw std::runtime_error("OpenGL reported an error while drawing the buffers");
    }
}

void render(int size, const std::string& module, const std::string& picture) {
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw std::runtime_error(std::string("can't load the module: ") + dlerror());
    }
    auto viewOf = reinterpret_cast<const HeaderView* (*)()>(dlsym(handle, "headerView"));
    if (viewOf == nullptr) {
        throw std::runtime_error("the module has no headerView");
    }
    gView = viewOf();
    const Matrix transform = kindOneCamera(size);
    OffscreenCanvas canvas(size, Profile::kCore33);
    drawBuffers(*gView, transform, size);
    writePng(picture, canvas.picture());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        int size = 256;
        int at = 1;
        if (argc == 5 && std::string(argv[1]) == "--size") {
            size = std::atoi(argv[2]);
            at = 3;
        }
        if (argc - at != 2 || size < 1 || size > 4096) {
            throw std::runtime_error("usage: header_host [--size PIXELS] MODULE PICTURE.png");
        }
        render(size, argv[at], argv[at + 1]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Error: %s\n", error.what());
        return 1;
    }
}
