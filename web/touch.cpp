// Where the vertices are drawn, for the page's touch handling: compiled into the browser build
// alone, called from web/mends.js. It reads the editor state and changes nothing; the pick
// itself stays the program's own (pickVertex).
#include <emscripten.h>

#include <cmath>

#include "editing/editor.h"

// Window pixels of a world position: the inverse of windowToWorldX and windowToWorldY, rounded
// to the whole pixel that a click there reports.
static double worldToWindowX(double x) {
    const Viewport& vp = editor.viewport;
    return std::round(vp.x + (x - WORLD_BOX.left) * vp.width / (WORLD_BOX.right - WORLD_BOX.left));
}

static double worldToWindowY(double y) {
    const Viewport& vp = editor.viewport;
    return std::round(vp.height - vp.y -
                      (y - WORLD_BOX.bottom) * vp.height / (WORLD_BOX.top - WORLD_BOX.bottom));
}

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
