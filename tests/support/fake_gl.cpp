#include "tests/support/fake_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

#include <cstdio>
#include <initializer_list>

FakeGl fakeGl;

void resetFakeGl() { fakeGl = FakeGl{{}, {0, 0, 800, 600}, 0, nullptr, {}}; }

std::vector<std::string> callsFrom(const std::string& prefix) {
    for (size_t i = 0; i < fakeGl.calls.size(); ++i) {
        if (fakeGl.calls[i].rfind(prefix, 0) == 0) {
            return {fakeGl.calls.begin() + long(i), fakeGl.calls.end()};
        }
    }
    return {};
}

static std::string enumName(GLenum value) {
    switch (value) {
        case GL_POINTS: return "GL_POINTS";
        case GL_LINE_STRIP: return "GL_LINE_STRIP";
        case GL_LINE_LOOP: return "GL_LINE_LOOP";
        case GL_PROJECTION: return "GL_PROJECTION";
        case GL_MODELVIEW: return "GL_MODELVIEW";
        case GL_VIEWPORT: return "GL_VIEWPORT";
        case GL_COLOR_BUFFER_BIT: return "GL_COLOR_BUFFER_BIT";
        case GL_TEXTURE_2D: return "GL_TEXTURE_2D";
        case GL_BLEND: return "GL_BLEND";
        default: return std::to_string(value);
    }
}

static void record(const char* name, std::initializer_list<double> args) {
    std::string text = std::string(name) + "(";
    char number[32];
    for (double arg : args) {
        std::snprintf(number, sizeof number, "%.15g", arg);
        text += (text.back() == '(' ? "" : ",") + std::string(number);
    }
    fakeGl.calls.push_back(text + ")");
}

static void recordEnum(const char* name, GLenum value) {
    fakeGl.calls.push_back(std::string(name) + "(" + enumName(value) + ")");
}

// ---- GL and GLU ------------------------------------------------------------------------------

void glClear(GLbitfield mask) { recordEnum("glClear", mask); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    record("glClearColor", {r, g, b, a});
}
void glEnable(GLenum cap) { recordEnum("glEnable", cap); }
void glDisable(GLenum cap) { recordEnum("glDisable", cap); }
void glPointSize(GLfloat size) { record("glPointSize", {size}); }
void glLineWidth(GLfloat width) { record("glLineWidth", {width}); }
void glColor3d(GLdouble r, GLdouble g, GLdouble b) { record("glColor3d", {r, g, b}); }
void glBegin(GLenum mode) { recordEnum("glBegin", mode); }
void glVertex2d(GLdouble x, GLdouble y) { record("glVertex2d", {x, y}); }
void glEnd() { record("glEnd", {}); }
void glFlush() { record("glFlush", {}); }
void glMatrixMode(GLenum mode) { recordEnum("glMatrixMode", mode); }
void glLoadIdentity() { record("glLoadIdentity", {}); }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    record("glViewport", {double(x), double(y), double(width), double(height)});
    fakeGl.viewport[0] = x;
    fakeGl.viewport[1] = y;
    fakeGl.viewport[2] = width;
    fakeGl.viewport[3] = height;
}
void glGetIntegerv(GLenum name, GLint* values) {
    recordEnum("glGetIntegerv", name);
    if (name == GL_VIEWPORT) {
        for (int i = 0; i < 4; ++i) values[i] = fakeGl.viewport[i];
    }
}
void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    record("gluOrtho2D", {left, right, bottom, top});
}

// ---- GLUT ------------------------------------------------------------------------------------

void glutInit(int* argc, char** argv) {
    record("glutInit", {double(*argc)});
    fakeGl.initArgv = argv;
}
void glutInitDisplayMode(unsigned int mode) { record("glutInitDisplayMode", {double(mode)}); }
void glutInitWindowSize(int width, int height) {
    record("glutInitWindowSize", {double(width), double(height)});
}
void glutInitWindowPosition(int x, int y) {
    record("glutInitWindowPosition", {double(x), double(y)});
}
int glutCreateWindow(const char* title) {
    fakeGl.calls.push_back(std::string("glutCreateWindow(") + title + ")");
    return 1;
}
void glutDisplayFunc(void (*callback)()) {
    record("glutDisplayFunc", {});
    fakeGl.callbacks.display = callback;
}
void glutMouseFunc(void (*callback)(int, int, int, int)) {
    record("glutMouseFunc", {});
    fakeGl.callbacks.mouse = callback;
}
void glutMotionFunc(void (*callback)(int, int)) {
    record("glutMotionFunc", {});
    fakeGl.callbacks.motion = callback;
}
void glutPassiveMotionFunc(void (*callback)(int, int)) {
    record("glutPassiveMotionFunc", {});
    fakeGl.callbacks.passiveMotion = callback;
}
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    record("glutKeyboardFunc", {});
    fakeGl.callbacks.keyboard = callback;
}
void glutReshapeFunc(void (*callback)(int, int)) {
    record("glutReshapeFunc", {});
    fakeGl.callbacks.reshape = callback;
}
void glutMainLoop() { record("glutMainLoop", {}); }
void glutPostRedisplay() { record("glutPostRedisplay", {}); }
void glutSwapBuffers() { record("glutSwapBuffers", {}); }
int glutGetModifiers() { return fakeGl.modifiers; }
