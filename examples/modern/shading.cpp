// GLSL 3.30: a directional light, half ambient, half diffuse, two-sided for open meshes.
#include "shading.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;
uniform mat4 transform;
uniform mat3 rotation;
out vec3 viewNormal;
out vec2 surfaceCoord;
void main() {
    gl_Position = transform * vec4(position, 1.0);
    viewNormal = rotation * normal;
    surfaceCoord = texCoord;
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
in vec3 viewNormal;
in vec2 surfaceCoord;
uniform vec3 colour;
uniform sampler2D surface;
out vec4 fragColour;
const vec3 towardsLight = normalize(vec3(0.2, 0.6, 1.0));
void main() {
    // A mesh without normals gets (0, 0, 0): draw it unlit rather than black.
    float lit = length(viewNormal) > 0.0 ? abs(dot(normalize(viewNormal), towardsLight)) : 1.0;
    vec3 texel = texture(surface, surfaceCoord).rgb;
    fragColour = vec4(colour * texel * (0.35 + 0.65 * lit), 1.0);
}
)";

GLuint compile(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[2048] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "a shader doesn't compile:\n%s\n", log);
        std::exit(1);
    }
    return shader;
}

GLuint makeCheckerTexture() {
    constexpr int kSize = 64, kSquare = 16;
    std::vector<GLubyte> texels;
    for (int t = 0; t < kSize; ++t) {
        for (int s = 0; s < kSize; ++s) {
            const GLubyte shade = (s / kSquare + t / kSquare) % 2 == 0 ? 255 : 190;
            texels.insert(texels.end(), {shade, shade, shade, 255});
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSize, kSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return texture;
}

}  // namespace

Shading makeShading() {
    Shading shading;
    shading.program = glCreateProgram();
    glAttachShader(shading.program, compile(GL_VERTEX_SHADER, kVertexShader));
    glAttachShader(shading.program, compile(GL_FRAGMENT_SHADER, kFragmentShader));
    glLinkProgram(shading.program);
    shading.transform = glGetUniformLocation(shading.program, "transform");
    shading.rotation = glGetUniformLocation(shading.program, "rotation");
    shading.colour = glGetUniformLocation(shading.program, "colour");
    shading.texture = makeCheckerTexture();
    return shading;
}
