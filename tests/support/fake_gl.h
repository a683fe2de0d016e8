// A recording stand-in for the GL, GLU and GLUT entry points the program calls, so that
// start-up, reshape and the frame can be checked without a window. Each call is kept as
// text, e.g. "glColor3d(1,1,0)", with GL enums by name.
#pragma once

#include <string>
#include <vector>

struct GlutCallbacks {
    void (*display)();
    void (*mouse)(int, int, int, int);
    void (*motion)(int, int);
    void (*passiveMotion)(int, int);
    void (*keyboard)(unsigned char, int, int);
    void (*reshape)(int, int);
};

struct FakeGl {
    std::vector<std::string> calls;  // every call in order
    int viewport[4];                 // what glGetIntegerv(GL_VIEWPORT) answers: last glViewport
    int modifiers;                   // what glutGetModifiers answers
    char** initArgv;                 // the argument vector glutInit was given
    GlutCallbacks callbacks;         // as registered
};

extern FakeGl fakeGl;

// Forgets the calls and callbacks; the viewport becomes that of an 800 by 600 window.
void resetFakeGl();

// The recorded calls from the first one whose text starts with `prefix` on.
std::vector<std::string> callsFrom(const std::string& prefix);
