#include "app/view.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "editing/editor.h"

static void readViewport() {
    GLint values[4];
    glGetIntegerv(GL_VIEWPORT, values);
    editor.viewport = {values[0], values[1], values[2], values[3]};
}

void setupProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(WORLD_BOX.left, WORLD_BOX.right, WORLD_BOX.bottom, WORLD_BOX.top);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    readViewport();
}

void onReshape(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    readViewport();
}

void onPassiveMotion(int /*x*/, int /*y*/) {}

// Differences of window coordinates are formed in double: exact for every int, and free of
// the overflow an int difference could hit with far-off positions during a drag.
double windowToWorldX(int x) {
    const Viewport& vp = editor.viewport;
    double offset = static_cast<double>(x) - vp.x;
    return WORLD_BOX.left + (WORLD_BOX.right - WORLD_BOX.left) * offset / vp.width;
}

double windowToWorldY(int y) {
    const Viewport& vp = editor.viewport;
    double offset = static_cast<double>(vp.height) - vp.y - y;
    return WORLD_BOX.bottom + offset * (WORLD_BOX.top - WORLD_BOX.bottom) / vp.height;
}

double worldToWindowX(double x) {
    const Viewport& vp = editor.viewport;
    return std::round(vp.x + (x - WORLD_BOX.left) * vp.width / (WORLD_BOX.right - WORLD_BOX.left));
}

double worldToWindowY(double y) {
    const Viewport& vp = editor.viewport;
    return std::round(vp.height - vp.y -
                      (y - WORLD_BOX.bottom) * vp.height / (WORLD_BOX.top - WORLD_BOX.bottom));
}

double windowToPixelX(int x) { return x; }

double windowToPixelY(int y) { return static_cast<double>(editor.viewport.height) - y; }
