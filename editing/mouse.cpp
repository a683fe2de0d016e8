#include <GL/glut.h>

#include <cmath>

#include "app/view.h"
#include "editing/editor.h"
#include "editing/input.h"
#include "geometry/hull.h"

// Shift held without Ctrl or Alt. The Super bit is ignored: freeglut under X reports NumLock as
// Super (and never the Super key itself), and most desktops turn NumLock on at login. Caps Lock
// is reported as Shift, so with it on every click snaps.
static bool snapRequested() {
    int modifiers = glutGetModifiers();
    return (modifiers & GLUT_ACTIVE_SHIFT) && !(modifiers & (GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT));
}

// Makes the segment from the previous vertex level or plumb. The angle is measured in world
// units; a zero x difference means plumb.
static void snapToPrevious(Vertex& v, const Vertex& previous) {
    bool level =
        v.worldX != previous.worldX &&
        std::fabs(std::atan((v.worldY - previous.worldY) / (v.worldX - previous.worldX))) <=
            SNAP_ANGLE;
    if (level) {
        v.worldY = previous.worldY;
        v.pixelY = previous.pixelY;
    } else {
        v.worldX = previous.worldX;
        v.pixelX = previous.pixelX;
    }
}

static void setPosition(Vertex& v, int x, int y, double wx, double wy) {
    v = {wx, wy, windowToPixelX(x), windowToPixelY(y)};
}

// The new vertex goes into the free slot after the last one; the list keeps one free.
// When no memory can be had for a slot, the click is ignored and the polyline kept.
static void placeVertex(int x, int y, double wx, double wy) {
    if (!reserveVertexSlot()) return;
    int32_t i = editor.vertexCount;
    Vertex& v = editor.vertices[i];
    setPosition(v, x, y, wx, wy);
    if (i > 0 && snapRequested()) snapToPrevious(v, editor.vertices[i - 1]);
    editor.vertexCount = i + 1;
    if (editor.vertexCount % VERTEX_BLOCK == 0) growVertexList();
}

static void pressLeft(int x, int y, double wx, double wy) {
    if (editor.moveMode) {
        editor.hasSelection = pickVertex(wx, wy);
    } else {
        placeVertex(x, y, wx, wy);
    }
    editor.buttonHeld = 1;
}

static void releaseLeft(int x, int y, double wx, double wy) {
    editor.buttonHeld = 0;
    if (editor.moveMode && editor.hasSelection) {
        setPosition(editor.vertices[editor.selectedVertex], x, y, wx, wy);
        editor.selectedVertex = NO_VERTEX;
        editor.hasSelection = 0;
    }
    if (editor.vertexCount >= 3) computeHull();
}

void onMouse(int button, int state, int x, int y) {
    if (button == GLUT_LEFT_BUTTON) {
        double wx = windowToWorldX(x);
        double wy = windowToWorldY(y);
        if (state == GLUT_DOWN) pressLeft(x, y, wx, wy);
        if (state == GLUT_UP) releaseLeft(x, y, wx, wy);
    } else if (button == GLUT_RIGHT_BUTTON && state == GLUT_DOWN) {
        resetScene();
    }
    glutPostRedisplay();
}

void onMotion(int x, int y) {
    if (editor.buttonHeld && editor.moveMode && editor.hasSelection) {
        Vertex& v = editor.vertices[editor.selectedVertex];
        v.worldX = windowToWorldX(x);
        v.worldY = windowToWorldY(y);
    }
    glutPostRedisplay();
}
