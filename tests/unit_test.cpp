// Unit tests: the hull, by the definition of a convex hull and on any input; the commands, as
// event scripts against the editor state. GL and GLU are the real libraries, idle without a
// window; stood in for: an 800 by 600 viewport, modifiers, redisplays, a heap that can run out.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "app/view.h"
#include "editing/editor.h"
#include "editing/input.h"
#include "editing/memory.h"
#include "geometry/hull.h"
#include "geometry/simple.h"

static int modifiers, redisplays;
void glGetIntegerv(GLenum, GLint* v) { v[0] = v[1] = 0, v[2] = 800, v[3] = 600; }
int glutGetModifiers() { return modifiers; }
void glutPostRedisplay() { ++redisplays; }

int heapLeft = -1;  // how many more blocks the heap hands out; -1: any number
void* allocateBlock(size_t n) {
    return heapLeft == 0 ? nullptr : (heapLeft -= heapLeft > 0, std::malloc(n));
}
void releaseBlock(void* block) { std::free(block); }

namespace {

// ---- The hull ---------------------------------------------------------------------------------

using Point = std::array<double, 2>;  // a pixel pair
using Points = std::vector<Point>;

double cross(Point o, Point a, Point b) {  // exact for the small whole numbers used here
    return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0]);
}

std::vector<int> hullOf(const Points& points) {
    std::vector<Vertex> vertices;
    for (Point p : points) vertices.push_back({0, 0, p[0], p[1]});
    editor.vertices = vertices.data();
    editor.vertexCount = int32_t(vertices.size());
    computeHull();
    std::vector<int> hull(editor.hull, editor.hull + editor.hullCount);
    releaseBlock(editor.hull);
    editor = EditorState{};
    return hull;
}

// A self-avoiding walk on the grid that often keeps its direction: a simple polyline with
// straight runs and level and plumb steps. Now and then a vertex is clicked twice.
Points randomSimplePolyline(std::mt19937& rng) {
    const int DX[] = {1, 0, -1, 0}, DY[] = {0, 1, 0, -1};
    std::uniform_int_distribution<int> percent(0, 99), direction(0, 3);
    Points walk = {{0, 0}};
    std::set<Point> visited = {{0, 0}};
    int length = 3 + percent(rng) % 38, d = direction(rng);
    for (int tries = 0; int(walk.size()) < length && tries < 200; ++tries) {
        if (percent(rng) < 50) d = direction(rng);
        if (percent(rng) < 5) walk.push_back(walk.back());
        Point q = {walk.back()[0] + DX[d], walk.back()[1] + DY[d]};
        if (visited.insert(q).second) walk.push_back(q);
    }
    return walk;
}

// The definition as a check: distinct vertices, every vertex on or left of every edge between
// consecutive entries. They then go once counter-clockwise round a convex polygon holding all
// vertices, so every corner is among them. On one line: just the two extremes.
void expectTrueHull(const Points& points, const std::vector<int>& hull) {
    std::set<Point> entries;
    for (int i : hull) entries.insert(points.at(size_t(i)));  // out of range: an exception
    ASSERT_EQ(entries.size(), hull.size()) << "a vertex twice";
    auto extremes = std::minmax_element(points.begin(), points.end());
    Point low = *extremes.first, high = *extremes.second;
    if (std::all_of(points.begin(), points.end(), [&](Point p) { return !cross(low, high, p); })) {
        EXPECT_EQ(entries, (std::set<Point>{low, high}));
        return;
    }
    ASSERT_GE(hull.size(), 3u);
    for (size_t i = 0; i < hull.size(); ++i) {
        Point a = points[size_t(hull[i])], b = points[size_t(hull[(i + 1) % hull.size()])];
        for (Point p : points) ASSERT_GE(cross(a, b, p), 0) << "right of an edge";
    }
}

TEST(Hull, IsTheTrueHullOfRandomSimplePolylines) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 20000 && !HasFailure(); ++round) {
        Points points = randomSimplePolyline(rng);
        if (points.size() == 3 && !cross(points[0], points[1], points[2])) continue;
        SCOPED_TRACE(testing::Message() << "round " << round);
        heapLeft = 3;
        expectTrueHull(points, hullOf(points));
        EXPECT_EQ(heapLeft, 1) << "not two blocks: the deque and the hull";
    }
    heapLeft = -1;
}

// What buildHull tells its watcher, as the page's Steps view reads it: each event in words
// ("s+" a counter-clockwise start; "5:" vertex 5's events: "b3>1-" its test against the bottom
// edge 3 -> 1, not left; "-b3" 3 popped off the bottom; "+t" 5 pushed onto the top), and the
// deque replayed from the events alone, after each vertex (numbers from 1, bottom to top).
struct Record {
    std::string said;
    std::vector<int> slots;  // the deque, 2n + 1 slots
    int bot, top, last = 2;
    std::vector<std::vector<int>> after;  // after[k]: the deque once vertex k (from 1) is added
    explicit Record(int n) : slots(2 * size_t(n) + 1), bot(n - 2), top(n + 1), after(n + 1) {}
    std::vector<int> deque() const { return {&slots[bot], &slots[top] + 1}; }
    void note(int32_t k, const std::string& event) {  // and the deque after it
        said += (k + 1 != last ? " " + std::to_string(k + 1) + ":" : " ") + event;
        last = k + 1;
        after[size_t(last)] = deque();
    }
    void start(bool ccw) {
        slots[bot] = slots[top] = 3, slots[bot + 1] = ccw ? 1 : 2, slots[bot + 2] = ccw ? 2 : 1;
        said = ccw ? "s+" : "s-", after[3] = deque();
    }
    void test(int32_t k, bool atBottom, bool left) {
        std::string edge = std::to_string(slots[atBottom ? bot : top - 1]) + ">";
        note(k, (atBottom ? "b" : "t") + edge + std::to_string(slots[atBottom ? bot + 1 : top]) +
                    (left ? "+" : "-"));
    }
    void pop(int32_t k, bool atBottom) {
        note(k,
             std::string(atBottom ? "-b" : "-t") + std::to_string(slots[atBottom ? bot++ : top--]));
    }
    void push(int32_t k, bool atBottom) {
        slots[atBottom ? --bot : ++top] = k + 1;
        note(k, atBottom ? "+b" : "+t");
    }
};

Record recordOf(const std::vector<Vertex>& v) {
    Record record(int(v.size()));
    std::vector<const Vertex*> deque(2 * v.size() + 1);
    int32_t bottom = 0;
    return buildHull(v.data(), int32_t(v.size()), deque.data(), &bottom, record), record;
}

std::vector<int> hullOfDeque(const std::vector<int>& deque) {  // positions, less the top entry
    std::vector<int> hull(deque.begin(), deque.end() - 1);
    for (int& entry : hull) --entry;
    return hull;
}

std::vector<Vertex> verticesOf(const Points& points) {
    std::vector<Vertex> v;
    for (Point p : points) v.push_back({0, 0, p[0], p[1]});
    return v;
}

// Worked by hand from the algorithm: every test, pop and push of the first polyline, and the
// deques from the third vertex on; replaying the record gives each deque, and the last one is
// the hull computeHull gives. On random simple polylines the record has a linear number of events
// (each vertex is tested twice, pushed twice and popped at most twice, and each pop is tested),
// and replayed it ends in the hull computeHull gives.
TEST(Hull, StepsShowEveryTestPopAndPush) {
    struct Case {
        Points polyline;
        std::vector<std::vector<int>> deques;
        std::string said;  // the whole record, where worked by hand
    };
    const Case cases[] = {
        // 4 inside and skipped; 5 removes 3 from each end, 6 and 8 from the top alone (8 two)
        {{{0, 0}, {10, 0}, {5, 10}, {5, 3}, {5, 20}, {30, 30}, {50, 50}, {60, -10}},
         {{3, 1, 2, 3},
          {3, 1, 2, 3},
          {5, 1, 2, 5},
          {6, 5, 1, 2, 6},
          {7, 5, 1, 2, 7},
          {8, 7, 5, 1, 8}},
         "s+ 4:b3>1+ t2>3+ 5:b3>1- t2>3- -b3 b1>2+ +b -t3 t1>2+ +t 6:b5>1+ t2>5- +b -t5 t1>2+ +t"
         " 7:b6>5- t2>6- -b6 b5>1+ +b -t6 t1>2+ +t 8:b7>5+ t2>7- +b -t7 t1>2- -t2 t5>1+ +t"},
        {{{0, 0}, {10, 0}, {20, 0}, {20, 10}}, {{3, 2, 1, 3}, {4, 1, 3, 4}}, ""},  // straight start
        {{{0, 0}, {10, 0}, {10, 0}, {5, 10}}, {{3, 2, 1, 3}, {4, 1, 3, 4}}, ""},   // a double click
    };
    for (const Case& c : cases) {
        Record record = recordOf(verticesOf(c.polyline));
        if (!c.said.empty()) {
            EXPECT_EQ(record.said, c.said);
        }
        for (size_t k = 3; k < record.after.size(); ++k) {
            EXPECT_EQ(record.after[k], c.deques[k - 3]) << "after vertex " << k;
        }
        EXPECT_EQ(hullOf(c.polyline), hullOfDeque(c.deques.back()));
    }
    std::mt19937 rng(20261208);
    for (int round = 0; round < 2000 && !HasFailure(); ++round) {
        Points points = randomSimplePolyline(rng);
        Record record = recordOf(verticesOf(points));
        size_t events = size_t(std::count(record.said.begin(), record.said.end(), ' '));
        ASSERT_LE(events, 8 * points.size()) << "round " << round;
        ASSERT_EQ(hullOf(points), hullOfDeque(record.after.back())) << "round " << round;
    }
}

// Any vertex list at all, crossing itself, coincident, huge or not a number: the hull names only
// its vertices, and (in the sanitizer build) keeps to its blocks. Inexact turns can leave a
// vertex in it twice, so that it has more entries than the list has vertices.
TEST(Hull, NamesOnlyItsVerticesForAnyInput) {
    std::mt19937 rng(20261207);
    const double VALUES[] = {0, 1, 2, -1, 33554433, 1e300, -1e300, INFINITY, NAN};
    for (int round = 0; round < 20000 && !HasFailure(); ++round) {
        Points points(3 + rng() % 12);
        for (Point& p : points) p = {VALUES[rng() % 9], VALUES[rng() % 9]};
        for (int i : hullOf(points)) ASSERT_LT(unsigned(i), points.size()) << "round " << round;
    }
}

// ---- Where the promise ends ------------------------------------------------------------------

// An independent way to the same answers: closed segments share a point, solved for the
// crossing's parameters in 64-bit integers (collinear ones: their spans on the line overlap).
using Whole = long long;
bool shareAPoint(Point a, Point b, Point c, Point d, bool moreThanOne = false) {
    Whole rx = Whole(b[0] - a[0]), ry = Whole(b[1] - a[1]), sx = Whole(d[0] - c[0]);
    Whole sy = Whole(d[1] - c[1]), qx = Whole(c[0] - a[0]), qy = Whole(c[1] - a[1]);
    Whole den = rx * sy - ry * sx, t = qx * sy - qy * sx, u = qx * ry - qy * rx;
    if (den) {
        if (den < 0) den = -den, t = -t, u = -u;
        return !moreThanOne && 0 <= t && t <= den && 0 <= u && u <= den;
    }
    if (qx * ry - qy * rx) return false;  // parallel lines apart
    int axis = rx ? 0 : 1;
    double from = std::max(std::min(a[axis], b[axis]), std::min(c[axis], d[axis]));
    double to = std::min(std::max(a[axis], b[axis]), std::max(c[axis], d[axis]));
    return moreThanOne ? from < to : from <= to;
}

// Every pair of segments joining vertices placed apart, the later one ending at vertex k: the
// first k where a pair breaks the definition of simple, and the earliest segment in such a pair.
// Neighbours (nothing but double clicks between) may share their one common vertex alone.
std::array<int, 2> firstCrossingByPairs(const Points& p) {
    std::vector<int> real;
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        if (p[i] != p[i + 1]) real.push_back(int(i));
    }
    for (size_t later = 0; later < real.size(); ++later) {
        for (size_t earlier = 0; earlier < later; ++earlier) {
            int i = real[earlier], j = real[later];
            if (shareAPoint(p[i], p[i + 1], p[j], p[j + 1], earlier + 1 == later))
                return {j + 1, i};
        }
    }
    return {-1, -1};
}

// The winding number of the ring round p by its angles, in floating point; on an edge: -1.
int windingByAngles(const Points& p, const std::vector<int>& ring, Point q) {
    double angle = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        Point a = p[size_t(ring[i])], b = p[size_t(ring[(i + 1) % ring.size()])];
        double c = cross(q, a, b),
               dot = (a[0] - q[0]) * (b[0] - q[0]) + (a[1] - q[1]) * (b[1] - q[1]);
        if (c == 0 && dot <= 0) return -1;
        angle += std::atan2(c, dot);
    }
    return int(std::lround(angle / (2 * M_PI)));
}

Points randomGridPolyline(std::mt19937& rng) {  // on a 4 by 4 grid: touches, folds and repeats
    Points p(3 + rng() % 7);
    for (Point& q : p) q = {double(rng() % 4), double(rng() % 4)};
    return p;
}

// A simple polyline with one vertex moved to a grid point near it: mostly a late first crossing,
// after many segments the sweep holds at once.
Points oneMoved(Points p, std::mt19937& rng) {
    Point& q = p[rng() % p.size()];
    q = {q[0] + double(rng() % 9) - 4, q[1] + double(rng() % 9) - 4};
    return p;
}

// Named cases, then thousands of random ones, on a small grid and simple ones with a vertex moved,
// against the pairs' reference; and the sweep against the program's own pair by pair search,
// which it takes without memory for the sweep, field by field.
TEST(Simple, FindsTheFirstCrossingAndTheVerticesLeftOutside) {
    struct Case {
        Points polyline;
        int vertex, segment;  // the first crossing (0-based), or -1
        bool proper, straight;
    };
    const Case cases[] = {
        {{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, -1, -1, false, false},        // simple
        {{{0, 0}, {4, 0}, {4, 4}, {0, 4}, {2, -2}}, 4, 0, true, false},  // crosses
        {{{0, 0}, {4, 0}, {4, 4}, {2, 0}}, 3, 0, false, false},          // a vertex on a segment
        {{{0, 0}, {4, 0}, {4, 2}, {6, 2}, {6, 0}, {2, 0}}, 5, 0, false, false},  // runs along one
        {{{0, 0}, {2, 2}, {4, 0}, {0, 4}}, 3, 0, false, false},   // passes through a vertex
        {{{0, 0}, {4, 0}, {2, 0}}, 2, 0, false, true},            // folds back
        {{{0, 0}, {4, 0}, {4, 0}, {4, 4}}, -1, -1, false, true},  // a double click
        {{{0, 0}, {0, 0}, {4, 0}}, -1, -1, false, true},          // two on one pixel
    };
    for (const Case& c : cases) {
        std::vector<Vertex> v = verticesOf(c.polyline);
        Crossing found = firstCrossing(v.data(), int32_t(v.size()));
        EXPECT_EQ((std::array<int, 2>{found.vertex, found.segment}),
                  (std::array<int, 2>{c.vertex, c.segment}));
        EXPECT_EQ(found.proper, c.proper);
        EXPECT_EQ(straightStart(v.data(), int32_t(v.size())), c.straight);
    }
    std::mt19937 rng(20261208);
    auto fields = [](Crossing c) {
        return std::make_tuple(c.vertex, c.segment, c.proper, c.along);
    };
    for (int round = 0; round < 40000 && !HasFailure(); ++round) {
        Points p = round % 2 ? randomGridPolyline(rng) : oneMoved(randomSimplePolyline(rng), rng);
        std::vector<Vertex> v = verticesOf(p);
        Crossing found = firstCrossing(v.data(), int32_t(v.size()));
        heapLeft = 0;
        Crossing byPairs = firstCrossing(v.data(), int32_t(v.size()));
        heapLeft = -1;
        ASSERT_EQ(fields(found), fields(byPairs)) << "round " << round;
        ASSERT_EQ((std::array<int, 2>{found.vertex, found.segment}), firstCrossingByPairs(p))
            << "round " << round;
        std::vector<int> hull = hullOf(p);
        for (size_t i = 0; i < p.size(); ++i) {
            ASSERT_EQ(outsideRing(v.data(), hull.data(), int32_t(hull.size()), v[i]),
                      windingByAngles(p, hull, p[i]) == 0)
                << "round " << round << ", vertex " << i;
        }
    }
    // Edits one after another, as the page makes them: vertices added at the end, one moved a
    // pixel, all cleared; after each, what is found from the last check is what a fresh one finds.
    Points p;
    std::vector<Vertex> was;
    Crossing last = {NO_VERTEX, NO_VERTEX, false, 0};
    for (int edit = 0; edit < 20000 && !HasFailure(); ++edit) {
        int kind = int(rng() % 10);
        Point* q = p.empty() ? nullptr : &p[rng() % p.size()];
        if (!kind) p.clear();
        if (kind && kind < 3 && q)
            *q = {(*q)[0] + double(rng() % 3) - 1, (*q)[1] + double(rng() % 3) - 1};
        for (int added = kind < 3 ? 0 : 1 + int(rng() % 3); added > 0; --added) {
            Point end = p.empty() ? Point{0, 0} : p.back();
            p.push_back({end[0] + double(rng() % 5) - 2, end[1] + double(rng() % 5) - 2});
        }
        std::vector<Vertex> v = verticesOf(p);
        Crossing after =
            firstCrossingAfter(was.data(), int32_t(was.size()), last, v.data(), int32_t(v.size()));
        ASSERT_EQ(fields(after), fields(firstCrossing(v.data(), int32_t(v.size())))) << edit;
        was = v, last = after;
    }
}

// ---- The view ---------------------------------------------------------------------------------

// Window to world and back gives every pixel of the viewport again (the page aims by the inverse).
TEST(View, MapsEveryPixelToTheWorldAndBack) {
    for (Viewport viewport : {Viewport{0, 0, 800, 600}, {0, 0, 601, 37}, {0, 0, 1, 1}}) {
        editor.viewport = viewport;
        for (int x = 0; x <= viewport.width; ++x) ASSERT_EQ(worldToWindowX(windowToWorldX(x)), x);
        for (int y = 0; y <= viewport.height; ++y) ASSERT_EQ(worldToWindowY(windowToWorldY(y)), y);
    }
    editor = EditorState{};
}

// ---- The commands -----------------------------------------------------------------------------

const char BUTTONS[] = "LMR";  // in GLUT's order

// Runs an event script on a fresh editor: tokens apart by spaces, window positions y down.
//   Lx,y L<x,y L>x,y ~x,y  left click, press, release, motion; M and R: middle and right
//   'k heapN               the key k; the heap hands out N more blocks (-1: any number)
//   ?x,y                   a pick at world (x, y) in ten-thousandths, as a move-mode press
// A press or release may add the GLUT modifier bits held: 1 Shift, 2 Ctrl, 4 Alt, 8 Super.
// Each mouse event must ask for one redisplay, and a key for none.
void run(const std::string& script) {
    releaseVertexList(), releaseBlock(editor.hull);
    editor = EditorState{}, heapLeft = -1;
    setupProjection(), initEditor();
    std::istringstream tokens(script);
    for (std::string t; tokens >> t;) {
        int x = 0, y = 0, before = redisplays, events = 0;
        modifiers = 0;
        std::sscanf(t.c_str() + 1 + (t[1] == '<' || t[1] == '>'), "%d,%d,%d", &x, &y, &modifiers);
        if (t.compare(0, 4, "heap") == 0) heapLeft = std::atoi(t.c_str() + 4);
        if (t[0] == '\'') onKeyboard(static_cast<unsigned char>(t[1]), 0, 0);
        if (t[0] == '~') onMotion(x, y), ++events;
        if (t[0] == '?') editor.hasSelection = pickVertex(x / 1e4, y / 1e4);
        const char* button = std::strchr(BUTTONS, t[0]);
        if (button && t[1] != '>') onMouse(int(button - BUTTONS), GLUT_DOWN, x, y), ++events;
        if (button && t[1] != '<') onMouse(int(button - BUTTONS), GLUT_UP, x, y), ++events;
        EXPECT_EQ(redisplays - before, events) << t;
    }
}

// The editor as text: each vertex at the window position it is drawn at, then @x,y when its
// pixel pair is not that position's; | the hull | what is on: p c a m (outline, closing, hull,
// move mode), held (left button), sel (a selection), #i (the vertex moved and drawn as picked).
std::string state() {
    std::ostringstream s;
    for (const Vertex* v = editor.vertices; v < editor.vertices + editor.vertexCount; ++v) {
        double x = (v->worldX + 1) * 400, y = (1 - v->worldY) * 300;
        s << x << ',' << y;
        if (v->pixelX != std::round(x) || v->pixelY != 600 - std::round(y)) {
            s << '@' << v->pixelX << ',' << v->pixelY;
        }
        s << ' ';
    }
    s << '|';
    for (int i = 0; i < editor.hullCount; ++i) s << ' ' << editor.hull[i];
    s << " |" << (editor.showPolygon ? " p" : "") << (editor.closePolygon ? " c" : "")
      << (editor.showHull ? " a" : "") << (editor.moveMode ? " m" : "")
      << (editor.buttonHeld ? " held" : "") << (editor.hasSelection ? " sel" : "");
    if (editor.selectedVertex != NO_VERTEX) s << " #" << editor.selectedVertex;
    return s.str();
}

const std::string P = "L100,100 ", T = "L100,100 L500,100 L300,400 ";  // a point, a triangle
const std::string T_STATE = "100,100 500,100 300,400 | 2 1 0 |";

TEST(Commands, ChangeTheEditorAsEachScriptExpects) {
    const std::string rows[][2] = {
        // Placing; Shift snaps level or plumb by the angle in world units (45 degrees in the
        // world is level, in pixels here steeper), also with Super (NumLock, as freeglut on X
        // reports it); Shift with Ctrl or Alt does not
        {"L7,9,1", "7,9 | |"},
        {P + "L500,400,1 L790,390,1", "100,100 500,100 500,390 | 2 1 0 |"},
        {P + "L300,130,1 L320,400,9 L500,420,3 L650,300,5 L660,310,7",
         "100,100 300,100 300,400 500,420 650,300 660,310 | 5 4 1 0 2 3 |"},
        // Picking within 3 pixels across and 2 down, never 5 across or 4 down; dragging the
        // world pair; putting down both; the hull on every left release from three vertices,
        // kept when memory runs out
        {T + "'m L<503,102", T_STATE + " m held sel #1"},
        {T + "'m L<505,100 ~650,20 L>650,20 L<500,104 ~650,20 L>650,20", T_STATE + " m"},
        {T + "'m L<300,400 ~300,50", "100,100 500,100 300,50@300,200 | 2 1 0 | m held sel #2"},
        {T + "'m L<300,400 ~300,50 L>300,60,1", "100,100 500,100 300,60 | 2 0 1 | m"},  // no snap
        {T + "'m L<300,400 heap0 L>300,60", "100,100 500,100 300,60 | 2 1 0 | m"},
        {T + "'m L<300,400 heap1 L>300,60", "100,100 500,100 300,60 | 2 1 0 | m"},
        {T + "'m L<500,100 ~600,200 'm L>700,300 'm ~650,250",
         "100,100 600,200@500,500 300,400 | 2 1 0 | m sel #1"},
        {"L<100,100 L<500,100 L<300,400 'm L>790,590", T_STATE + " m"},
        {T + "R>0,0 M0,0", T_STATE},  // a right release and the middle button do nothing
        // The earliest vertex within the square, corners included, wins: world (0, 0), (0.005, 0)
        {"L400,300 L402,300 ?100,-100", "400,300 402,300 | | sel #0"},
        {"L400,300 L402,300 ?120,0", "400,300 402,300 | | sel #1"},
        {"L400,300 L402,300 ?120,0 ?151,0", "400,300 402,300 | |"},
        // The list grows by ten; a click that finds no slot and no memory is dropped
        {"L1,1 L2,2 L3,3 L4,4 L5,5 L6,6 L7,7 L8,8 L9,9 heap0 L10,10 L11,11 heap-1 L12,12",
         "1,1 2,2 3,3 4,4 5,5 6,6 7,7 8,8 9,9 10,10 12,12 | 10 0 |"},
        // Resets keep the display flags, leave move mode and drop a selection mid-drag
        {T + "'p 'c 'a 'm L<300,400 'r", "| | p c a held"},
        {T + "'p 'c 'a 'm L<300,400 R<0,0", "| | p c a held"},
        {P + "heap0 'r L400,300 heap-1 L400,300", "400,300 | |"},
        {T + "'m 'p 'c 'a 'p 'c 'a 'x '1", T_STATE + " m"},  // toggles, and keys that do nothing
    };
    for (const auto& row : rows) {
        run(row[0]);
        EXPECT_EQ(state(), row[1]) << row[0];
    }
}

}  // namespace
