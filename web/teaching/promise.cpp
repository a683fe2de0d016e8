// Where the hull's promise ends, for the page's note and marks (web/teaching/promise.js): the
// polyline's first crossing, a straight start, and the vertices the hull drawn leaves outside.
// Worked out again only when the polyline or its hull changed, the crossing from what was found
// before where the polyline only grew. Compiled into the browser build alone; it reads the
// editor state and changes nothing in it.
#include <emscripten.h>

#include "editing/editor.h"
#include "editing/memory.h"
#include "geometry/simple.h"
#include "web/teaching/kept.h"

namespace {

struct Checked {
    Kept<Vertex> vertices;  // the polyline and hull last checked
    Kept<int32_t> hull;
    Crossing crossing;  // what was found
    bool straight;
    int32_t* outside;  // the vertices outside the hull drawn, in placement order
    int32_t outsideCount;
};
Checked checked;

}  // namespace

// Checks the polyline and its hull when either changed since the last check: 1 then, else 0.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t promiseCheck() {
    const int32_t n = editor.vertexCount, h = editor.vertexCount >= 3 ? editor.hullCount : 0;
    if (checked.vertices.same(editor.vertices, n) && checked.hull.same(editor.hull, h)) return 0;
    Crossing crossing = firstCrossingAfter(checked.vertices.items, checked.vertices.count,
                                           checked.crossing, editor.vertices, n);
    auto* outside = static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * size_t(n) + 1));
    if (!outside || !checked.vertices.keep(editor.vertices, n) ||
        !checked.hull.keep(editor.hull, h)) {
        releaseBlock(outside);
        checked.vertices.count = -1;  // checked again next time
        return 0;
    }
    checked.crossing = crossing;
    checked.straight = straightStart(editor.vertices, n);
    checked.outsideCount = 0;
    bool broken = checked.crossing.vertex != NO_VERTEX || checked.straight;
    for (int32_t i = 0; broken && h >= 3 && i < n; ++i) {
        if (outsideRing(editor.vertices, editor.hull, h, editor.vertices[i]))
            outside[checked.outsideCount++] = i;
    }
    releaseBlock(checked.outside);
    checked.outside = outside;
    return 1;
}

extern "C" EMSCRIPTEN_KEEPALIVE int32_t promiseCrossing() { return checked.crossing.vertex; }
extern "C" EMSCRIPTEN_KEEPALIVE int32_t promiseSegment() { return checked.crossing.segment; }
extern "C" EMSCRIPTEN_KEEPALIVE int32_t promiseProper() { return checked.crossing.proper; }
extern "C" EMSCRIPTEN_KEEPALIVE double promiseAlong() { return checked.crossing.along; }
extern "C" EMSCRIPTEN_KEEPALIVE int32_t promiseStraight() { return checked.straight; }
extern "C" EMSCRIPTEN_KEEPALIVE int32_t promiseOutsideCount() { return checked.outsideCount; }
extern "C" EMSCRIPTEN_KEEPALIVE int32_t promiseOutside(int32_t i) { return checked.outside[i]; }
