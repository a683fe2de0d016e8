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

// How segment j meets the later segment k - 1 -> k, whose real predecessor (the segment placed
// before it, a double click apart at most) starts at prior: not at all (0), crossing properly
// (1), or touching or overlapping (2). The predecessor shares vertex k - 1 with it, and meets it
// only by running back along it.
int meeting(const Vertex* v, int32_t j, int32_t k, int32_t prior) {
    if (j != prior) return meet(v[k - 1], v[k], v[j], v[j + 1]);
    bool folds = !turn(v[j], v[k - 1], v[k]) &&
                 (v[k].pixelX - v[k - 1].pixelX) * (v[j].pixelX - v[k - 1].pixelX) +
                         (v[k].pixelY - v[k - 1].pixelY) * (v[j].pixelY - v[k - 1].pixelY) >
                     0;
    return folds ? 2 : 0;
}

// The earliest segment before k - 1 -> k that it meets (see firstCrossing).
Crossing meetsEarlier(const Vertex* v, int32_t k, int32_t prior) {
    for (int32_t j = 0; j < k - 1 && prior != NO_VERTEX; ++j) {
        int met = samePixel(v[j], v[j + 1]) ? 0 : meeting(v, j, k, prior);
        if (met) return {k, j, met == 1, meetingAlong(v[k - 1], v[k], v[j], v[j + 1], met == 1)};
    }
    return {NO_VERTEX, NO_VERTEX, false, 0};
}

// ---- The sweep ----

// Whether any two segments of a polyline meet where they may not, in O(n log n) (Shamos and
// Hoey): a line sweeps the plane by x and then y, as if turned a little, so that it passes the
// points one at a time. The segments it crosses are kept in their order along it, and each pair
// that comes next to each other in that order is tested. Before the leftmost point where two
// segments meet that may not, the only segments that meet are consecutive ones, at the vertex
// they share, which is an end of both, so the order holds; the segments through that point lie
// together in it, and some two of them that may not meet are next to each other there.
const int32_t NONE = -1;

bool ahead(const Vertex& a, const Vertex& b) {  // the sweep passes b before a
    return b.pixelX < a.pixelX || (b.pixelX == a.pixelX && b.pixelY < a.pixelY);
}

const double LIMIT = 33554432;        // 2^25: coordinates the sweep takes are whole and under it
const int Y_SHIFT = 1, X_SHIFT = 27;  // a key: x + LIMIT, then y + LIMIT, then an end's bit

// Where the sweep passes a point, as a number that sorts as the sweep meets them, less its last
// bit.
uint64_t passed(const Vertex& p) {
    return uint64_t(p.pixelX + LIMIT) << X_SHIFT | uint64_t(p.pixelY + LIMIT) << Y_SHIFT;
}

struct Event {
    uint64_t key;  // where the sweep meets it, and 1 if it is a segment's end
    int32_t e;     // 2j: segment j (from vertex j) starts, 2j + 1: it ends
};

struct Sweep {
    const Vertex* v;
    Event* events;
    int32_t count;
    int32_t* prior;            // each segment's real predecessor (see meeting), or NO_VERTEX
    int32_t* first;            // the end of each segment the sweep meets first
    int32_t *low, *high, *up;  // the order along the line: a treap of the segments crossed
    int32_t root;
    const Vertex& from(int32_t j) const { return v[first[j]]; }
    const Vertex& to(int32_t j) const { return v[2 * j + 1 - first[j]]; }
};

// A treap's priority for segment j: its number times 2^32 over the golden ratio, which spreads
// any run of numbers evenly, as random priorities would be.
uint32_t rank(int32_t j) {
    const uint32_t GOLDEN = 0x9E3779B9U;
    return uint32_t(j) * GOLDEN;
}

// Whether segment s, entering where it starts, lies above segment t, which the line crosses:
// by the side of t its start lies on, or if on t, its end; on one line, by number.
bool above(const Sweep& w, int32_t s, int32_t t) {
    int side = turn(w.from(t), w.to(t), w.from(s));
    if (!side) side = turn(w.from(t), w.to(t), w.to(s));
    return side ? side > 0 : s > t;
}

void relink(Sweep& w, int32_t parent, int32_t was, int32_t node) {  // node in was's place
    if (parent == NONE)
        w.root = node;
    else
        (w.low[parent] == was ? w.low[parent] : w.high[parent]) = node;
    if (node != NONE) w.up[node] = parent;
}

void rotateUp(Sweep& w, int32_t c) {  // c in its parent's place, the order kept
    int32_t p = w.up[c];
    int32_t g = w.up[p];
    int32_t*& into = w.low[p] == c ? w.low : w.high;  // p's side that held c
    int32_t*& other = w.low[p] == c ? w.high : w.low;
    into[p] = other[c];
    if (other[c] != NONE) w.up[other[c]] = p;
    other[c] = p;
    w.up[p] = c;
    relink(w, g, p, c);
}

// Puts s in its place, and gives the segments next to it below and above (or NONE): the last on
// its way down that it went above, and below.
void insert(Sweep& w, int32_t s, int32_t* below, int32_t* over) {
    int32_t parent = NONE;
    bool high = false;
    *below = *over = NONE;
    for (int32_t t = w.root; t != NONE; t = high ? w.high[t] : w.low[t]) {
        parent = t;
        high = above(w, s, t);
        *(high ? below : over) = t;
    }
    w.low[s] = w.high[s] = NONE;
    w.up[s] = parent;
    if (parent == NONE)
        w.root = s;
    else
        (high ? w.high : w.low)[parent] = s;
    while (w.up[s] != NONE && rank(s) > rank(w.up[s])) rotateUp(w, s);
}

void erase(Sweep& w, int32_t s) {  // turned down to a leaf, then cut off
    for (int32_t l = w.low[s], h = w.high[s]; l != NONE || h != NONE; l = w.low[s], h = w.high[s]) {
        rotateUp(w, l == NONE || (h != NONE && rank(h) > rank(l)) ? h : l);
    }
    relink(w, w.up[s], s, NONE);
}

// The segment next to s below it (toward = low, away = high) or above it, or NONE.
int32_t next(const Sweep& w, int32_t s, const int32_t* toward, const int32_t* away) {
    if (toward[s] != NONE) {
        for (s = toward[s]; away[s] != NONE;) s = away[s];
        return s;
    }
    while (w.up[s] != NONE && toward[w.up[s]] == s) s = w.up[s];
    return w.up[s];
}

bool mayNotMeet(const Sweep& w, int32_t a, int32_t b) {  // but they do
    if (a == NONE || b == NONE) return false;
    if (a > b) std::swap(a, b);
    return meeting(w.v, a, b + 1, w.prior[b]) != 0;
}

// Whether two of the segments that start at vertex 0 to last meet where they may not.
bool anyMeet(Sweep& w, int32_t last) {
    w.root = NONE;
    for (int32_t i = 0; i < w.count; ++i) {
        int32_t s = w.events[i].e >> 1;
        bool ends = w.events[i].e & 1;
        if (s > last) continue;
        int32_t below = NONE;
        int32_t over = NONE;
        if (ends) {
            below = next(w, s, w.low, w.high), over = next(w, s, w.high, w.low);
            erase(w, s);
            if (mayNotMeet(w, below, over)) return true;
            continue;
        }
        insert(w, s, &below, &over);
        if (mayNotMeet(w, s, below) || mayNotMeet(w, s, over)) return true;
    }
    return false;
}

// Segment j's events, in the order the sweep meets them once sorted: at one point segments start
// before others end, so that a segment ending where another starts is compared with it.
void addEvents(Sweep& w, int32_t j) {
    w.first[j] = ahead(w.v[j], w.v[j + 1]) ? j + 1 : j;
    w.events[w.count++] = {passed(w.from(j)), 2 * j};
    w.events[w.count++] = {passed(w.to(j)) | 1, 2 * j + 1};
}

// The events sorted by key in five passes of 11 bits each, least significant first, each from one
// array into the other; returns the one that holds them sorted.
Event* sortEvents(Event* events, Event* spare, int32_t count) {
    const int BITS = 11;  // a pass's digit
    const int KEY_BITS = 55;
    const int DIGITS = 1 << BITS;
    for (int shift = 0; shift < KEY_BITS; shift += BITS) {
        int32_t start[DIGITS + 1] = {};  // where each digit's events go
        for (int32_t i = 0; i < count; ++i) ++start[(events[i].key >> shift & (DIGITS - 1)) + 1];
        for (int digit = 1; digit <= DIGITS; ++digit) start[digit] += start[digit - 1];
        for (int32_t i = 0; i < count; ++i)
            spare[start[events[i].key >> shift & (DIGITS - 1)]++] = events[i];
        std::swap(events, spare);
    }
    return events;
}

bool wholeAndSmall(double c) { return c == std::floor(c) && std::fabs(c) < LIMIT; }

}  // namespace

// The first segment that meets an earlier one, found by halving: whether the segments up to any
// one meet is a sweep, O(n log n), and a simple polyline takes one sweep, a crossing one O(log n).
// Then that segment is tried against every earlier one, nearest the start first. Without memory
// for the sweep, or with a vertex whose coordinates are not whole numbers under 2^25 (which the
// exact orientation test needs too), each segment is tried so, in placement order, until the
// first crossing.
Crossing firstCrossing(const Vertex* v, int32_t n) {
    size_t slots = size_t(n > 1 ? n : 1);
    const size_t PER_SEGMENT = 5;  // prior, first, low, high, up
    auto* block = static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * PER_SEGMENT * slots));
    auto* events = static_cast<Event*>(allocateBlock(sizeof(Event) * 4 * slots));
    bool sweeps = block && events;
    for (int32_t i = 0; i < n && sweeps; ++i) {
        sweeps = wholeAndSmall(v[i].pixelX) && wholeAndSmall(v[i].pixelY);
    }
    Sweep w = {v, events, 0, block, nullptr, nullptr, nullptr, nullptr, NONE};
    if (sweeps) {
        w.first = block + slots, w.low = block + 2 * slots, w.high = block + 3 * slots;
        w.up = block + 4 * slots;
    }
    int32_t prior = NO_VERTEX;  // where the last segment placed starts
    int32_t last = NO_VERTEX;
    Crossing found = {NO_VERTEX, NO_VERTEX, false, 0};
    for (int32_t k = 1; k < n && found.vertex == NO_VERTEX; ++k) {
        if (samePixel(v[k - 1], v[k])) continue;  // a double click: no segment
        if (sweeps)
            w.prior[k - 1] = prior, addEvents(w, k - 1);
        else
            found = meetsEarlier(v, k, prior);
        prior = last = k - 1;
    }
    if (sweeps) {
        w.events = sortEvents(events, events + 2 * slots, w.count);
        int32_t simple = -1;  // the segments up to simple meet nowhere they may not; to broken do
        int32_t broken = anyMeet(w, last) ? last : NO_VERTEX;
        while (broken != NO_VERTEX && broken - simple > 1) {
            int32_t middle = simple + (broken - simple) / 2;
            (anyMeet(w, middle) ? broken : simple) = middle;
        }
        if (broken != NO_VERTEX) found = meetsEarlier(v, broken + 1, w.prior[broken]);
    }
    releaseBlock(block);
    releaseBlock(events);
    return found;
}

// A polyline that only grew at its end by a few vertices keeps its first crossing, or if it had
// none, has its new segments tried against the earlier ones, one pass each.
Crossing firstCrossingAfter(const Vertex* was, int32_t m, Crossing found, const Vertex* v,
                            int32_t n) {
    const int32_t FEW = 16;  // vertices added at the end that are tried one pass each
    bool grown = m >= 0 && m <= n && n - m <= FEW;
    for (int32_t i = 0; i < m && grown; ++i) grown = samePixel(was[i], v[i]);
    if (!grown) return firstCrossing(v, n);
    int32_t prior = NO_VERTEX;  // where the last segment before vertex m's starts
    for (int32_t k = m - 1; k >= 1 && prior == NO_VERTEX; --k) {
        if (!samePixel(v[k - 1], v[k])) prior = k - 1;
    }
    for (int32_t k = std::max(m, 1); k < n && found.vertex == NO_VERTEX; ++k) {
        if (samePixel(v[k - 1], v[k])) continue;
        found = meetsEarlier(v, k, prior);
        prior = k - 1;
    }
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
