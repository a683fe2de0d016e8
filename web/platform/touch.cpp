// Where the vertices are drawn and which one a press takes, for the page's aiming of touches
// and of its keyboard pointer: compiled into the browser build alone, called from
// web/platform/aim.js. They read the editor state and leave it as it was; the pick itself stays
// the program's own.
#include <emscripten.h>

#include <cmath>

#include "app/view.h"
#include "editing/editor.h"

// In move mode, the vertex drawn nearest to window position (x, y) among those within reachX
// and reachY pixels of it on each axis; NO_VERTEX when none is, and always outside move mode,
// where a touch places a vertex rather than picking one.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t touchedVertex(double x, double y, double reachX,
                                                      double reachY) {
    int32_t nearest = NO_VERTEX;
    double best = INFINITY;
    for (int32_t i = 0; editor.moveMode && i < editor.vertexCount; ++i) {
        double dx = worldToWindowX(editor.vertices[i].worldX) - x;
        double dy = worldToWindowY(editor.vertices[i].worldY) - y;
        if (std::fabs(dx) <= reachX && std::fabs(dy) <= reachY && dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            nearest = i;
        }
    }
    return nearest;
}

extern "C" EMSCRIPTEN_KEEPALIVE double vertexWindowX(int32_t i) {
    return worldToWindowX(editor.vertices[i].worldX);
}

extern "C" EMSCRIPTEN_KEEPALIVE double vertexWindowY(int32_t i) {
    return worldToWindowY(editor.vertices[i].worldY);
}

// The vertex the program's pick would take for a press at window pixel (x, y), or NO_VERTEX;
// the selection is left as it was.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t vertexPickedAt(int32_t x, int32_t y) {
    int32_t selected = editor.selectedVertex;
    int32_t picked =
        pickVertex(windowToWorldX(x), windowToWorldY(y)) ? editor.selectedVertex : NO_VERTEX;
    editor.selectedVertex = selected;
    return picked;
}
