#include "geometry/hull.h"

#include "editing/memory.h"

// The work deque, HullDeque, holds addresses of vertices (turned into positions for the hull list).
// Its live entries HullDeque[bot] .. HullDeque[top] run counter-clockwise around the hull of the
// vertices seen so far, and both ends name the vertex added last. Each vertex moves each end by at
// most one slot outward, so 2n + 1 slots starting from bot = n - 2 leave room on both sides.
//
// An orientation of exactly 0 counts as a clockwise turn, so a vertex on a hull edge is
// popped. The popping loops stop at the live range: when the first vertices lie on one line
// every live entry can test 0, and without the stop the loops would run past the other end.
// The stop leaves at least two entries, the extremes of such a run, and the hull is then
// built from them as from any other.
//
// Both interior tests are made for every vertex (they have no effects, so this changes no
// result), and each end's popping loop starts from its result: no test is made twice.
int32_t buildHull(const Vertex* v, int32_t n, const Vertex** HullDeque, int32_t* bottom) {
    int32_t bot = n - 2;
    int32_t top = bot + 3;
    HullDeque[bot] = HullDeque[top] = &v[2];
    bool counterClockwise = isLeft(v[0], v[1], v[2]) > 0;
    HullDeque[bot + 1] = counterClockwise ? &v[0] : &v[1];
    HullDeque[bot + 2] = counterClockwise ? &v[1] : &v[0];
    // The two end edges, kept in registers: most vertices need nothing else.
    Vertex bottomFrom = *HullDeque[bot];
    Vertex bottomTo = *HullDeque[bot + 1];
    Vertex topFrom = *HullDeque[top - 1];
    Vertex topTo = *HullDeque[top];
    for (const Vertex* p = v + 3; p < v + n; ++p) {
        double bottomTurn = isLeft(bottomFrom, bottomTo, *p);
        double topTurn = isLeft(topFrom, topTo, *p);
        if (bottomTurn > 0 && topTurn > 0) continue;  // inside the hull so far
        while (bottomTurn <= 0 && bot + 1 < top) {
            ++bot;
            bottomTurn = isLeft(*HullDeque[bot], *HullDeque[bot + 1], *p);
        }
        HullDeque[--bot] = p;
        while (topTurn <= 0 && top - 1 > bot) {
            --top;
            topTurn = isLeft(*HullDeque[top - 1], *HullDeque[top], *p);
        }
        HullDeque[++top] = p;
        bottomFrom = topTo = *p;
        bottomTo = *HullDeque[bot + 1];
        topFrom = *HullDeque[top - 1];
    }
    *bottom = bot;
    return top - bot;
}

// A polyline that crosses itself can leave a vertex in the live range twice, so the hull may
// then have more entries than vertices; its storage is sized to fit (n entries otherwise).
void computeHull() {
    const int32_t n = editor.vertexCount;
    const Vertex* const v = editor.vertices;
    // NOLINTNEXTLINE(bugprone-sizeof-expression): the deque holds addresses, as meant
    void* block = allocateBlock(sizeof(const Vertex*) * (2 * size_t(n) + 1));
    if (!block) return;  // keep the previous hull
    const Vertex** HullDeque = static_cast<const Vertex**>(block);
    int32_t bot = 0;
    int32_t count = buildHull(v, n, HullDeque, &bot);
    int32_t* hull =
        static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * size_t(count > n ? count : n)));
    if (hull) {
        for (int32_t i = 0; i < count; ++i) hull[i] = int32_t(HullDeque[bot + i] - v);
        releaseBlock(editor.hull);
        editor.hull = hull;
        editor.hullCount = count;
    }
    releaseBlock(block);
}
