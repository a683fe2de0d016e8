#include "app/program.h"

#include <GL/glut.h>

#include "app/view.h"
#include "editing/editor.h"
#include "editing/input.h"
#include "render/scene.h"

static const char* const WINDOW_TITLE = "Quorvan: Homework 1 Programming Assignment";

static void openWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(800, 600);
    glutInitWindowPosition(200, 200);
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
