// Start-up: the window, the view, the editor state and the callbacks, then the GLUT loop.
#pragma once

// Runs the whole program with the process's arguments, which go to GLUT unchanged.
// Returns only if the GLUT loop does, which freeglut's never does.
int runProgram(int argc, char** argv);
