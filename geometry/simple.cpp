#include "geometry/simple.h"

#include <algorithm>
#include <cmath>

#include "editing/memory.h"
#include "geometry/hull.h"

namespace {

int turn(const Vertex& a, const Vertex& b, const Vertex& p) {  // the sign of isLeft
    double t = isLeft(a, b, p);
    return (t > 0) - (t < 0);
}

bool samePixel(const Vertex& a, const Vertex& b) {
    return a.pixelX == b.pixelX && a.pixelY == b.pixelY;
}

// p, on the line through a and b, lies on the closed segment between them.
bool between(const Vertex& a, const Vertex& b, const Vertex& p) {
    return std::min(a.pixelX, b.pixelX) <= p.pixelX && p.pixelX <= std::max(a.pixelX, b.pixelX) &&
           std::min(a.pixelY, b.pixelY) <= p.pixelY && p.pixelY <= std::max(a.pixelY, b.pixelY);
}

// Closed segments a-b and c-d share a point: properly crossed (1), touching or overlapping (2),
// or not (0).
int meet(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
    if (std::max(a.pixelX, b.pixelX) < std::min(c.pixelX, d.pixelX) ||
        std::max(c.pixelX, d.pixelX) < std::min(a.pixelX, b.pixelX) ||
        std::max(a.pixelY, b.pixelY) < std::min(c.pixelY, d.pixelY) ||
        std::max(c.pixelY, d.pixelY) < std::min(a.pixelY, b.pixelY)) {
        return 0;  // their boxes are apart: most pairs end here
    }
    int c1 = turn(a, b, c);  // where each end lies against the other segment's line
    int d1 = turn(a, b, d);
    int a1 = turn(c, d, a);
    int b1 = turn(c, d, b);
    if (c1 * d1 < 0 && a1 * b1 < 0) return 1;
    bool touch = (!c1 && between(a, b, c)) || (!d1 && between(a, b, d)) ||
                 (!a1 && between(c, d, a)) || (!b1 && between(c, d, b));
    return touch ? 2 : 0;
}

// Where a-b meets c-d, as a fraction of the way from a to b: their crossing, or for a touch or
// an overlap the end of c-d on a-b nearest a, or else the end of a-b on c-d.
double meetingAlong(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d,
                    bool proper) {
    double dx = b.pixelX - a.pixelX;
    double dy = b.pixelY - a.pixelY;
    double ex = d.pixelX - c.pixelX;
    double ey = d.pixelY - c.pixelY;
    if (proper)
        return ((c.pixelX - a.pixelX) * ey - (c.pixelY - a.pixelY) * ex) / (dx * ey - dy * ex);
    double along = 2;
    for (const Vertex* q : {&c, &d}) {
        if (!turn(a, b, *q) && between(a, b, *q)) {
            along = std::min(along, ((q->pixelX - a.pixelX) * dx + (q->pixelY - a.pixelY) * dy) /
                                        (dx * dx + dy * dy));
        }
    }
    return along <= 1 ? along : !turn(c, d, a) && between(c, d, a) ? 0 : 1;
}

struct Box {  // a segment's extent; an empty one (no segment) is apart from every other
    double left, right, bottom, top;
};

Box boxOf(const Vertex& a, const Vertex& b) {
    if (samePixel(a, b)) return {HUGE_VAL, -HUGE_VAL, HUGE_VAL, -HUGE_VAL};
    return {std::min(a.pixelX, b.pixelX), std::max(a.pixelX, b.pixelX),
            std::min(a.pixelY, b.pixelY), std::max(a.pixelY, b.pixelY)};
}

bool apart(const Box& a, const Box& b) {
    return a.right < b.left || b.right < a.left || a.top < b.bottom || b.top < a.bottom;
}

// The earliest segment before k - 1 -> k that it meets (see firstCrossing), where before is the
// one that shares vertex k - 1 with it and boxes, if any, hold the earlier segments' boxes.
Crossing meetsEarlier(const Vertex* v, int32_t k, int32_t before, const Box* boxes, Box box) {
    for (int32_t j = 0; j < k - 1 && before != NO_VERTEX; ++j) {
        if ((boxes && apart(boxes[j], box)) || samePixel(v[j], v[j + 1])) continue;
        if (j == before) {  // shares vertex k - 1: may not run back along it
            bool folds = !turn(v[j], v[k - 1], v[k]) &&
                         (v[k].pixelX - v[k - 1].pixelX) * (v[j].pixelX - v[k - 1].pixelX) +
                                 (v[k].pixelY - v[k - 1].pixelY) * (v[j].pixelY - v[k - 1].pixelY) >
                             0;
            if (folds) return {k, j, false, meetingAlong(v[k - 1], v[k], v[j], v[k - 1], false)};
            continue;
        }
        int met = meet(v[k - 1], v[k], v[j], v[j + 1]);
        if (met) return {k, j, met == 1, meetingAlong(v[k - 1], v[k], v[j], v[j + 1], met == 1)};
    }
    return {NO_VERTEX, NO_VERTEX, false, 0};
}

}  // namespace

// Each new segment is tried against every earlier one, nearest the start first, so the first
// crossing is found with the earliest segment it meets. The segments' boxes are kept side by side,
// so that a pair whose boxes are apart, most pairs, costs four comparisons; without memory for
// them every pair is tried in full. The search ends at the first crossing, where most hand-drawn
// polylines end it early.
Crossing firstCrossing(const Vertex* v, int32_t n) {
    auto* boxes = static_cast<Box*>(allocateBlock(sizeof(Box) * size_t(n > 1 ? n : 1)));
    Crossing found = {NO_VERTEX, NO_VERTEX, false, 0};
    int32_t before = NO_VERTEX;  // where the last segment placed starts
    for (int32_t k = 1; k < n && found.vertex == NO_VERTEX; ++k) {
        Box box = boxOf(v[k - 1], v[k]);
        if (boxes) boxes[k - 1] = box;
        if (samePixel(v[k - 1], v[k])) continue;  // a double click: no segment
        found = meetsEarlier(v, k, before, boxes, box);
        before = k - 1;
    }
    releaseBlock(boxes);
    return found;
}

bool straightStart(const Vertex* v, int32_t n) { return n >= 3 && !turn(v[0], v[1], v[2]); }

// The winding number by the signed crossings of a ray to the right of p (Sunday's method), which
// needs only the orientation test; a point on an edge is found first and counts as inside.
bool outsideRing(const Vertex* v, const int32_t* ring, int32_t count, const Vertex& p) {
    int winding = 0;
    for (int32_t i = 0; i < count; ++i) {
        const Vertex& a = v[ring[i]];
        const Vertex& b = v[ring[(i + 1) % count]];
        int side = turn(a, b, p);
        if (!side && between(a, b, p)) return false;  // on the edge
        if (a.pixelY <= p.pixelY && b.pixelY > p.pixelY && side > 0) ++winding;
        if (a.pixelY > p.pixelY && b.pixelY <= p.pixelY && side < 0) --winding;
    }
    return winding == 0;
}
