#include "render/scene.h"

#include <GL/gl.h>
#include <GL/glut.h>

#include "editing/editor.h"

static const float POINT_SIZE = 5;  // pixels across a vertex's square point
static const float LINE_WIDTH = 2;  // pixels across the outline and the hull

static void drawOutline() {
    glColor3d(0, 0, 1);
    if (!editor.showPolygon) return;
    glBegin(editor.closePolygon ? GL_LINE_LOOP : GL_LINE_STRIP);
    for (int32_t i = 0; i < editor.vertexCount; ++i) {
        glVertex2d(editor.vertices[i].worldX, editor.vertices[i].worldY);
    }
    glEnd();
}

// Drawn through the world pairs of the referenced vertices: a vertex being dragged carries
// the hull edges that meet it until the release recomputes the hull.
static void drawHull() {
    if (!editor.showHull || editor.vertexCount <= 2) return;
    glColor3d(1, 1, 0);
    glBegin(GL_LINE_LOOP);
    for (int32_t i = 0; i < editor.hullCount; ++i) {
        const Vertex& v = editor.vertices[editor.hull[i]];
        glVertex2d(v.worldX, v.worldY);
    }
    glEnd();
}

// Red points with the last placed one white; in move mode green with the selected one white.
// Each point gets its own colour call: a GL that keeps colours per vertex inside glBegin (the
// browser's emulation) would otherwise draw the points without one.
static void drawPoints() {
    glBegin(GL_POINTS);
    for (int32_t i = 0; i < editor.vertexCount; ++i) {
        bool white = editor.moveMode ? i == editor.selectedVertex : i == editor.vertexCount - 1;
        if (white) {
            glColor3d(1, 1, 1);
        } else if (editor.moveMode) {
            glColor3d(0, 1, 0);
        } else {
            glColor3d(1, 0, 0);
        }
        glVertex2d(editor.vertices[i].worldX, editor.vertices[i].worldY);
    }
    glEnd();
}

void onDisplay() {
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glPointSize(POINT_SIZE);
    glLineWidth(LINE_WIDTH);
    drawOutline();
    drawHull();
    drawPoints();
    glFlush();
    glutSwapBuffers();
    glutPostRedisplay();
}
