// Shows the model built into the program through an OpenGL 3.3 core-profile context: drag with
// the left button to turn it, press Esc or q to quit. The model is a header of buffers generated
// by meshwright at build time.
#include <epoxy/gl.h>  // before freeglut, which would include the old GL header
// clang-format off
#include <GL/freeglut.h>
// clang-format on

#include <cmath>
#include <cstdio>

#include "model_buffers.h"
#include "shading.h"

namespace {

constexpr int kWindowSize = 640;
constexpr float kDegreesPerPixel = 0.5f;
constexpr float kHalfFieldOfView = 0.2618f;  // 15 degrees
constexpr unsigned char kEscape = 27;

// GLUT's callbacks take no pointer of ours, so what they share lives here.
struct Viewer {
    Shading shading;
    ModelBuffers buffers;
    float centre[3] = {0, 0, 0};
    float radius = 1;
    float elevation = 25;
    float azimuth = -35;
    bool dragging = false;
    int lastX = 0;
    int lastY = 0;
};
Viewer viewer;

// Column-major 4x4 products, as OpenGL takes them.
void multiply(const float a[16], const float b[16], float out[16]) {
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += a[4 * k + row] * b[4 * column + k];
            }
            out[4 * column + row] = sum;
        }
    }
}

// The turn by elevation about x, then azimuth about y, as a 3x3 for normals and a 4x4 that also
// moves the model's centre to the origin and the camera back far enough to see all of it.
void viewMatrices(float aspect, float transform[16], float rotation[9]) {
    const float e = viewer.elevation * 0.0174533f, a = viewer.azimuth * 0.0174533f;
    const float turn[9] = {std::cos(a),
                           std::sin(e) * std::sin(a),
                           -std::cos(e) * std::sin(a),
                           0,
                           std::cos(e),
                           std::sin(e),
                           std::sin(a),
                           -std::sin(e) * std::cos(a),
                           std::cos(e) * std::cos(a)};
    const float distance = 1.1f * viewer.radius / std::sin(kHalfFieldOfView);
    float model[16] = {};
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            model[4 * column + row] = rotation[3 * column + row] = turn[3 * column + row];
        }
    }
    for (int row = 0; row < 3; ++row) {
        float moved = 0;
        for (int k = 0; k < 3; ++k) {
            moved -= turn[3 * k + row] * viewer.centre[k];
        }
        model[12 + row] = moved + (row == 2 ? -distance : 0);
    }
    model[15] = 1;
    const float near = distance - 1.1f * viewer.radius, far = distance + 1.1f * viewer.radius;
    const float focal = 1 / std::tan(kHalfFieldOfView);
    const float projection[16] = {focal / aspect,
                                  0,
                                  0,
                                  0,
                                  0,
                                  focal,
                                  0,
                                  0,
                                  0,
                                  0,
                                  (far + near) / (near - far),
                                  -1,
                                  0,
                                  0,
                                  2 * far * near / (near - far),
                                  0};
    multiply(projection, model, transform);
}

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
    glViewport(0, 0, width, height);
    float transform[16], rotation[9];
    viewMatrices(float(width) / float(height > 0 ? height : 1), transform, rotation);
    glUseProgram(viewer.shading.program);
    glUniformMatrix4fv(viewer.shading.transform, 1, GL_FALSE, transform);
    glUniformMatrix3fv(viewer.shading.rotation, 1, GL_FALSE, rotation);
    glBindTexture(GL_TEXTURE_2D, viewer.shading.texture);
    drawModelParts(viewer.buffers, viewer.shading.colour);
    glutSwapBuffers();
}

void mouse(int button, int state, int x, int y) {
    if (button == GLUT_LEFT_BUTTON) {
        viewer.dragging = state == GLUT_DOWN;
        viewer.lastX = x;
        viewer.lastY = y;
    }
}

void motion(int x, int y) {
    if (viewer.dragging) {
        viewer.azimuth += kDegreesPerPixel * float(x - viewer.lastX);
        viewer.elevation += kDegreesPerPixel * float(y - viewer.lastY);
        viewer.lastX = x;
        viewer.lastY = y;
        glutPostRedisplay();
    }
}

void keyboard(unsigned char key, int, int) {
    if (key == kEscape || key == 'q') {
        glutLeaveMainLoop();
    }
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitContextVersion(3, 3);
    glutInitContextProfile(GLUT_CORE_PROFILE);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DEPTH | GLUT_DOUBLE);
    glutInitWindowSize(kWindowSize, kWindowSize);
    glutCreateWindow("meshwright: modern OpenGL");
    if (epoxy_gl_version() < 33) {
        std::fprintf(stderr, "this example needs OpenGL 3.3\n");
        return 1;
    }
    viewer.shading = makeShading();
    viewer.buffers = uploadModel();
    modelSphere(viewer.centre, &viewer.radius);
    glClearColor(0.16f, 0.17f, 0.20f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glutDisplayFunc(display);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    glutKeyboardFunc(keyboard);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutMainLoop();
    return 0;
}
