#include "app/program.h"

#include <GL/glut.h>

#include "app/view.h"
#include "editing/editor.h"
#include "editing/input.h"
#include "render/scene.h"

static const char* const WINDOW_TITLE = "Quorvan: Homework 1 Programming Assignment";
static const int WINDOW_WIDTH = 800;  // the window's first size and place on the screen, in pixels
static const int WINDOW_HEIGHT = 600;
static const int WINDOW_X = 200;
static const int WINDOW_Y = 200;

static void openWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(WINDOW_WIDTH, WINDOW_HEIGHT);
    glutInitWindowPosition(WINDOW_X, WINDOW_Y);
    glutCreateWindow(WINDOW_TITLE);
}

static void registerCallbacks() {
    glutDisplayFunc(onDisplay);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onPassiveMotion);
    glutKeyboardFunc(onKeyboard);
    glutReshapeFunc(onReshape);
}

int runProgram(int argc, char** argv) {
    openWindow(&argc, argv);
    setupProjection();
    initEditor();
    registerCallbacks();
    glutMainLoop();
    return 0;
}
