// Where the hull's promise ends, for the page's note and marks (web/teaching/promise.js): the
// polyline's first crossing, a straight start, and the vertices the hull drawn leaves outside.
// Worked out again only when the polyline or its hull changed. Compiled into the browser build
// alone; it reads the editor state and changes nothing in it.
#include <emscripten.h>

#include <cstring>

#include "editing/editor.h"
#include "editing/memory.h"
#include "geometry/simple.h"

namespace {

struct Checked {
    Vertex* vertices;  // the polyline and hull last checked (copies), and their lengths
    int32_t count = -1;
    int32_t* hull;
    int32_t hullCount = -1;
    Crossing crossing;  // what was found
    bool straight;
    int32_t* outside;  // the vertices outside the hull drawn, in placement order
    int32_t outsideCount;
};
Checked checked;

// A copy of n items of from in *kept, in a block of its own; false when the heap has none.
template <typename T>
bool keep(T** kept, const T* from, int32_t n) {
    auto* copy = static_cast<T*>(allocateBlock(sizeof(T) * size_t(n) + 1));
    if (!copy) return false;
    if (n) memcpy(copy, from, sizeof(T) * size_t(n));
    releaseBlock(*kept);
    *kept = copy;
    return true;
}

template <typename T>
bool same(const T* a, int32_t n, const T* b, int32_t m) {
    return n == m && (!n || !memcmp(a, b, sizeof(T) * size_t(n)));
}

}  // namespace

// Checks the polyline and its hull when either changed since the last check: 1 then, else 0.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t promiseCheck() {
    const int32_t n = editor.vertexCount, h = editor.vertexCount >= 3 ? editor.hullCount : 0;
    if (same(checked.vertices, checked.count, editor.vertices, n) &&
        same(checked.hull, checked.hullCount, editor.hull, h)) {
        return 0;
    }
    auto* outside = static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * size_t(n) + 1));
    if (!outside || !keep(&checked.vertices, editor.vertices, n) ||
        !keep(&checked.hull, editor.hull, h)) {
        releaseBlock(outside);
        checked.count = checked.hullCount = -1;  // checked again next time
        return 0;
    }
    checked.count = n, checked.hullCount = h;
    checked.crossing = firstCrossing(editor.vertices, n);
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
