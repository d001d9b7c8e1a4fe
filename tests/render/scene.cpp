// One camera, one light and one texture for every kind of code, so any difference between two
// pictures comes from what the fragments send to OpenGL.
#include "scene.h"

#include <GL/gl.h>

#include <vector>

#include "mesh_bounds.h"
#include "view_fit.h"

namespace meshwright::render {

namespace {

constexpr double kElevation = 25;  // degrees: looking down on the mesh...
constexpr double kAzimuth = -35;   // ...and from its right front, to see three sides of a box
constexpr int kTextureSize = 64;
constexpr int kCheckerSquare = 16;  // texels per square: four squares across each unit of u, v

constexpr GLfloat kSurfaceColour[] = {0.30f, 0.56f, 0.80f, 1.0f};
constexpr GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kAmbient[] = {0.25f, 0.25f, 0.25f, 1.0f};
constexpr GLfloat kLightFromAbove[] = {0.2f, 0.6f, 1.0f, 0.0f};
constexpr GLubyte kLightSquare[] = {235, 235, 225, 255};
constexpr GLubyte kDarkSquare[] = {200, 80, 50, 255};

void enableLighting() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, kAmbient);
    // Open meshes show their inner side too; light it as well as the outer one.
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    // Models' normals need not be unit length; lighting assumes they are.
    glEnable(GL_NORMALIZE);
}

void enableCheckerTexture() {
    std::vector<GLubyte> texels;
    for (int t = 0; t < kTextureSize; ++t) {
        for (int s = 0; s < kTextureSize; ++s) {
            bool light = (s / kCheckerSquare + t / kCheckerSquare) % 2 == 0;
            const GLubyte* colour = light ? kLightSquare : kDarkSquare;
            texels.insert(texels.end(), colour, colour + 4);
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureSize, kTextureSize, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace

void prepareScene(const viewer::Bounds& bounds, int size, const SceneOptions& options) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    // The light is fixed to the viewer, so it is placed before the camera turns the world.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, kLightFromAbove);
    viewer::fitView(bounds, size, size, kElevation, kAzimuth);
    if (options.lighting) {
        enableLighting();
    }
    if (options.texture) {
        enableCheckerTexture();
    }
    // Under a texture the surface is white, so the squares keep their own colours.
    glColor4fv(options.texture ? kWhite : kSurfaceColour);
}

}  // namespace meshwright::render
