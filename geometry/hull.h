// The convex hull of the polyline in placement order, by the incremental deque method for
// simple polylines: linear in the number of vertices.
#pragma once

#include "editing/editor.h"

// Orientation of p against the directed line a -> b in the pixel frame (y up): positive when
// a, b, p turn counter-clockwise, zero when collinear, negative when clockwise.
// Pixel coordinates are whole numbers; while their magnitudes stay below 2^25 every product
// and sum in the expanded form below is an integer under 2^53, so the sign is exact.
inline double isLeft(const Vertex& a, const Vertex& b, const Vertex& p) {
    return b.pixelX * p.pixelY - b.pixelY * p.pixelX - a.pixelX * (p.pixelY - b.pixelY) +
           a.pixelY * (p.pixelX - b.pixelX);
}

// What buildHull does, one operation at a time, for a view of the method at work (the page's
// Steps view): k is the position of the vertex being added, atBottom the deque's end. computeHull
// watches with NoWatch, whose calls compile away.
struct NoWatch {
    void start(bool /*counterClockwise*/) {}  // the first three are in the deque
    void test(int32_t /*k*/, bool /*atBottom*/, bool /*left*/) {}  // k against that end's edge
    void pop(int32_t /*k*/, bool /*atBottom*/) {}                  // that end's entry goes
    void push(int32_t /*k*/, bool /*atBottom*/) {}                 // k goes onto that end
};

// Builds the work deque of the first n >= 3 vertices of v in deque, which has 2n + 1 slots, and
// tells watch each test, pop and push. Its live entries run counter-clockwise around the hull of
// those vertices from deque[*bottom], the vertex added to the hull last, back to it at the top.
// Returns their number less that last one: the hull's entries.
//
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
template <typename Watch>
int32_t buildHull(const Vertex* v, int32_t n, const Vertex** HullDeque, int32_t* bottom,
                  Watch& watch) {
    int32_t bot = n - 2;
    int32_t top = bot + 3;
    HullDeque[bot] = HullDeque[top] = &v[2];
    bool counterClockwise = isLeft(v[0], v[1], v[2]) > 0;
    HullDeque[bot + 1] = counterClockwise ? &v[0] : &v[1];
    HullDeque[bot + 2] = counterClockwise ? &v[1] : &v[0];
    watch.start(counterClockwise);
    // The two end edges, kept in registers: most vertices need nothing else.
    Vertex bottomFrom = *HullDeque[bot];
    Vertex bottomTo = *HullDeque[bot + 1];
    Vertex topFrom = *HullDeque[top - 1];
    Vertex topTo = *HullDeque[top];
    for (const Vertex* p = v + 3; p < v + n; ++p) {
        const int32_t k = int32_t(p - v);
        double bottomTurn = isLeft(bottomFrom, bottomTo, *p);
        watch.test(k, true, bottomTurn > 0);
        double topTurn = isLeft(topFrom, topTo, *p);
        watch.test(k, false, topTurn > 0);
        if (bottomTurn > 0 && topTurn > 0) continue;  // inside the hull so far
        while (bottomTurn <= 0 && bot + 1 < top) {
            watch.pop(k, true);
            ++bot;
            bottomTurn = isLeft(*HullDeque[bot], *HullDeque[bot + 1], *p);
            watch.test(k, true, bottomTurn > 0);
        }
        HullDeque[--bot] = p;
        watch.push(k, true);
        while (topTurn <= 0 && top - 1 > bot) {
            watch.pop(k, false);
            --top;
            topTurn = isLeft(*HullDeque[top - 1], *HullDeque[top], *p);
            watch.test(k, false, topTurn > 0);
        }
        HullDeque[++top] = p;
        watch.push(k, false);
        bottomFrom = topTo = *p;
        bottomTo = *HullDeque[bot + 1];
        topFrom = *HullDeque[top - 1];
    }
    *bottom = bot;
    return top - bot;
}

// Replaces editor.hull and editor.hullCount with the hull of editor.vertices, counter-
// clockwise from the last vertex added to it. Needs vertexCount >= 3 (the caller checks).
// When memory cannot be had, the previous hull stays.
void computeHull();
