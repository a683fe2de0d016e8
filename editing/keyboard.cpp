#include <cstdlib>

#include "editing/editor.h"
#include "editing/input.h"

static const unsigned char KEY_ESCAPE = 27;

// Releases the vertex list and leaves through exit(), so exit handlers run.
static void quit() {
    releaseVertexList();
    std::exit(0);
}

void onKeyboard(unsigned char key, int /*x*/, int /*y*/) {
    switch (key) {
        case 'p': editor.showPolygon = !editor.showPolygon; break;
        case 'c': editor.closePolygon = !editor.closePolygon; break;
        case 'm': editor.moveMode = !editor.moveMode; break;
        case 'a': editor.showHull = !editor.showHull; break;
        case 'r': resetScene(); break;
        case 'q':
        case KEY_ESCAPE: quit(); break;
        default: break;
    }
}
