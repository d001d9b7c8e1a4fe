// Draws the cube whose code the build generated from cube.ase, turning slowly.
#include <GL/freeglut.h>

namespace {

float angle = 0.0f;

void drawCube() {
// The generated fragment: arrays, client-state calls and the draw call, pasted by the compiler.
#include "cube_drawing.inc"
}

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -60.0f);
    glRotatef(25.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    drawCube();
    glutSwapBuffers();
}

void tick(int) {
    angle += 1.0f;
    glutPostRedisplay();
    glutTimerFunc(16, tick, 0);
}

void reshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, height > 0 ? double(width) / height : 1.0, 1.0, 200.0);
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(480, 480);
    glutCreateWindow("meshwright: cube.ase drawn with generated code");
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutTimerFunc(16, tick, 0);
    glutMainLoop();
}
