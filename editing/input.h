// The user's commands: GLUT mouse, motion and keyboard callbacks that turn events into
// changes of the editor state. Positions are window coordinates, y down.
#pragma once

// Left press places a vertex (Shift without Ctrl or Alt snaps it level or plumb with the previous
// one), or in move mode picks one; left release puts a picked vertex down and recomputes the
// hull; right press resets the scene. Requests a redisplay on every path.
void onMouse(int button, int state, int x, int y);

// While the left button holds a picked vertex in move mode, its world pair follows the pointer.
void onMotion(int x, int y);

// p, c, m, a toggle the outline, its closing, move mode and the hull; r resets; q and Esc
// quit with status 0. Every other key, upper-case letters included, does nothing.
void onKeyboard(unsigned char key, int x, int y);
