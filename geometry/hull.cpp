#include "geometry/hull.h"

#include <algorithm>

#include "editing/memory.h"

// The work deque holds positions of vertices. Its live entries deque[bot] .. deque[top] run
// counter-clockwise around the hull of the vertices seen so far, and both ends name the
// vertex added last. Each vertex moves each end by at most one slot outward, so 2n + 1 slots
// starting from bot = n - 2 leave room on both sides.
//
// An orientation of exactly 0 counts as a clockwise turn, so a vertex on a hull edge is
// popped. The popping loops stop at the live range: when the first vertices lie on one line
// every live entry can test 0, and without the stop the loops would run past the other end.
// The stop leaves at least two entries, the extremes of such a run, and the hull is then
// built from them as from any other.
static int32_t buildHull(const Vertex* v, int32_t n, int32_t* deque, int32_t* bottom) {
    int32_t bot = n - 2;
    int32_t top = bot + 3;
    deque[bot] = deque[top] = 2;
    bool counterClockwise = isLeft(v[0], v[1], v[2]) > 0;
    deque[bot + 1] = counterClockwise ? 0 : 1;
    deque[bot + 2] = counterClockwise ? 1 : 0;
    for (int32_t k = 3; k < n; ++k) {
        const Vertex& p = v[k];
        if (isLeft(v[deque[bot]], v[deque[bot + 1]], p) > 0 &&
            isLeft(v[deque[top - 1]], v[deque[top]], p) > 0) {
            continue;  // inside the hull so far
        }
        while (bot + 1 < top && isLeft(v[deque[bot]], v[deque[bot + 1]], p) <= 0) ++bot;
        deque[--bot] = k;
        while (top - 1 > bot && isLeft(v[deque[top - 1]], v[deque[top]], p) <= 0) --top;
        deque[++top] = k;
    }
    *bottom = bot;
    return top - bot;
}

// A polyline that crosses itself can leave a vertex in the live range twice, so the hull may
// then have more entries than vertices; its storage is sized to fit (n entries otherwise).
void computeHull() {
    const int32_t n = editor.vertexCount;
    int32_t* deque = static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * (2 * size_t(n) + 1)));
    if (!deque) return;  // keep the previous hull
    int32_t bot = 0;
    int32_t count = buildHull(editor.vertices, n, deque, &bot);
    int32_t* hull =
        static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * size_t(std::max(n, count))));
    if (hull) {
        std::copy(deque + bot, deque + bot + count, hull);
        releaseBlock(editor.hull);
        editor.hull = hull;
        editor.hullCount = count;
    }
    releaseBlock(deque);
}
