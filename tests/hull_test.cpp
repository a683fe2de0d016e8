// The hull against its documented traces and against an independent sort-based hull.
#include "geometry/hull.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "tests/support/fake_memory.h"
#include "tests/support/table_rows.h"

namespace {

struct Point {
    int64_t x, y;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    bool operator<(const Point& o) const { return x < o.x || (x == o.x && y < o.y); }
};

int64_t cross(Point o, Point a, Point b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

std::vector<Vertex> verticesAt(const std::vector<Point>& points) {
    std::vector<Vertex> vertices;
    for (Point p : points) vertices.push_back({0, 0, double(p.x), double(p.y)});
    return vertices;
}

// Runs computeHull on the pixel points; returns the hull list.
std::vector<int> hullOf(const std::vector<Point>& points) {
    std::vector<Vertex> vertices = verticesAt(points);
    editor.vertices = vertices.data();
    editor.vertexCount = int32_t(points.size());
    computeHull();
    std::vector<int> hull(editor.hull, editor.hull + editor.hullCount);
    releaseBlock(editor.hull);
    editor.hull = nullptr;
    editor.hullCount = 0;
    editor.vertices = nullptr;
    return hull;
}

// ---- Documented traces -----------------------------------------------------------------------

struct Trace {
    const char* name;
    std::vector<Point> points;
    std::vector<int> hull;
};

void PrintTo(const Trace& row, std::ostream* out) { *out << row.name; }

const std::vector<Point> SQUARE = {{100, 100}, {300, 100}, {300, 300}, {100, 300}};

std::vector<Point> squarePlus(std::vector<Point> extra) {
    std::vector<Point> points = SQUARE;
    points.insert(points.end(), extra.begin(), extra.end());
    return points;
}

const std::vector<Trace> TRACES = {
    {"square", SQUARE, {3, 0, 1, 2}},
    {"interior vertex skipped", {{100, 100}, {300, 100}, {200, 300}, {200, 150}}, {2, 0, 1}},
    {"clockwise triangle", {{100, 100}, {200, 300}, {300, 100}}, {2, 1, 0}},
    {"counter-clockwise triangle", {{100, 100}, {300, 100}, {200, 300}}, {2, 0, 1}},
    {"three collinear", {{0, 0}, {1, 0}, {2, 0}}, {2, 1, 0}},
    {"vertex on a hull edge stays",
     {{100, 100}, {300, 100}, {200, 300}, {200, 150}, {250, 200}},
     {4, 2, 0, 1}},
    {"corner left on an edge is popped", squarePlus({{300, 400}}), {4, 3, 0, 1}},
    {"double click takes the corner's place", squarePlus({{100, 300}}), {4, 0, 1, 2}},
    {"double click inside is skipped",
     {{100, 100}, {300, 100}, {200, 300}, {200, 150}, {200, 150}},
     {2, 0, 1}},
    // A straight start: the popping loops stop at the live range.
    {"four in a row keep the extremes", {{0, 0}, {1, 0}, {2, 0}, {3, 0}}, {3, 0}},
    {"straight start then a turn", {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}}, {4, 0, 3}},
    {"straight start, fourth off the line", {{0, 0}, {1, 0}, {2, 0}, {1, 1}}, {3, 0, 2}},
    {"three coincident then one away", {{5, 5}, {5, 5}, {5, 5}, {9, 5}}, {3, 0}},
    {"double click at the start", {{0, 0}, {0, 0}, {4, 0}, {2, -3}}, {3, 2, 1}},
};

class HullTrace : public testing::TestWithParam<Trace> {};

TEST_P(HullTrace, GivesTheDocumentedList) { EXPECT_EQ(hullOf(GetParam().points), GetParam().hull); }

INSTANTIATE_TEST_SUITE_P(Traces, HullTrace, testing::ValuesIn(TRACES), rowName<Trace>);

// ---- Memory ----------------------------------------------------------------------------------

TEST(HullMemory, TwoBlocksPerCallAndTheOldHullFreed) {
    std::vector<Vertex> square = verticesAt(SQUARE);
    editor.vertices = square.data();
    editor.vertexCount = 4;
    editor.hull = nullptr;
    computeHull();
    resetHeapLog();
    computeHull();
    EXPECT_EQ(heapLog.allocations, 2);
    EXPECT_EQ(heapLog.releases, 2);  // the deque and the previous hull

    // Without memory, the hull computed before stays.
    int32_t* before = editor.hull;
    for (int fail : {0, 1}) {
        resetHeapLog();
        heapLog.failuresFromNext = fail;
        computeHull();
        EXPECT_EQ(editor.hull, before);
        EXPECT_EQ(std::vector<int>(editor.hull, editor.hull + editor.hullCount),
                  (std::vector<int>{3, 0, 1, 2}));
        EXPECT_EQ(heapLog.allocations, heapLog.releases);  // nothing leaked
    }
    resetHeapLog();
    releaseBlock(editor.hull);
    editor = EditorState{};
}

// ---- Against a reference ---------------------------------------------------------------------

// Andrew's monotone chain: the strict corners, counter-clockwise.
std::vector<Point> referenceCorners(std::vector<Point> points) {
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3) return points;
    std::vector<Point> hull(2 * points.size());
    size_t k = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}

// Where p lies on the boundary walked counter-clockwise from corners[0]: the edge and the
// distance along it (as a dot product), or edge -1 when p is off the boundary.
std::pair<int, int64_t> boundaryPosition(const std::vector<Point>& corners, Point p) {
    for (size_t e = 0; e < corners.size(); ++e) {
        Point a = corners[e], b = corners[(e + 1) % corners.size()];
        int64_t along = (p.x - a.x) * (b.x - a.x) + (p.y - a.y) * (b.y - a.y);
        int64_t length = (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y);
        if (cross(a, b, p) == 0 && along >= 0 && along < length) return {int(e), along};
    }
    return {-1, 0};
}

// Same corners in the same cyclic order, every other entry on an edge between its
// neighbours, no position and no point twice; on one line, just the two extremes.
void expectTrueHull(const std::vector<Point>& points, const std::vector<int>& hull) {
    const int n = int(points.size());
    ASSERT_GE(hull.size(), 2u);
    ASSERT_LE(int(hull.size()), n);
    std::vector<Point> corners = referenceCorners(points);
    std::vector<std::pair<int, int64_t>> positions;
    for (int entry : hull) {
        ASSERT_TRUE(entry >= 0 && entry < n) << entry;
        positions.push_back(boundaryPosition(corners, points[entry]));
        ASSERT_NE(positions.back().first, -1) << "entry " << entry << " is off the boundary";
    }
    if (corners.size() <= 2) {
        ASSERT_EQ(hull.size(), corners.size());
        for (int entry : hull)
            EXPECT_NE(std::find(corners.begin(), corners.end(), points[entry]), corners.end());
        return;
    }
    int descents = 0;
    for (size_t i = 0; i < positions.size(); ++i) {
        if (positions[(i + 1) % positions.size()] <= positions[i]) ++descents;
    }
    EXPECT_EQ(descents, 1) << "not one counter-clockwise turn around the hull";
    for (int e = 0; e < int(corners.size()); ++e) {
        auto corner = std::make_pair(e, int64_t(0));
        EXPECT_NE(std::find(positions.begin(), positions.end(), corner), positions.end())
            << "corner (" << corners[e].x << ", " << corners[e].y << ") missing";
    }
}

bool segmentsTouch(Point a, Point b, Point c, Point d) {
    auto onSegment = [](Point p, Point q, Point r) {
        return cross(p, q, r) == 0 && std::min(p.x, q.x) <= r.x && r.x <= std::max(p.x, q.x) &&
               std::min(p.y, q.y) <= r.y && r.y <= std::max(p.y, q.y);
    };
    int64_t d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) {
        return true;
    }
    return onSegment(c, d, a) || onSegment(c, d, b) || onSegment(a, b, c) || onSegment(a, b, d);
}

// Whether q can follow the distinct points so far and keep the polyline simple.
bool keepsSimple(const std::vector<Point>& line, Point q) {
    const size_t m = line.size();
    if (std::find(line.begin(), line.end(), q) != line.end()) return false;
    if (m >= 2) {  // no folding back over the last segment
        Point a = line[m - 2], b = line[m - 1];
        if (cross(a, b, q) == 0 && (q.x - b.x) * (a.x - b.x) + (q.y - b.y) * (a.y - b.y) > 0) {
            return false;
        }
    }
    for (size_t j = 0; j + 2 < m; ++j) {
        if (segmentsTouch(line[j], line[j + 1], line[m - 1], q)) return false;
    }
    return true;
}

// A random simple polyline on a small grid, rich in straight runs (continuing the last step),
// snapped level and plumb steps, and double clicks (a vertex repeated in place).
std::vector<Point> randomSimplePolyline(std::mt19937& rng, int grid, int length) {
    std::uniform_int_distribution<int> cell(0, grid - 1), step(-3, 3), percent(0, 99);
    std::vector<Point> line = {{cell(rng), cell(rng)}};
    for (int tries = 0; int(line.size()) < length && tries < 40 * length; ++tries) {
        Point last = line.back(), q;
        int kind = percent(rng);
        if (kind < 35 && line.size() >= 2) {
            Point before = line[line.size() - 2];
            q = {2 * last.x - before.x, 2 * last.y - before.y};
        } else if (kind < 65) {
            int s = step(rng);
            q = kind % 2 ? Point{last.x + s, last.y} : Point{last.x, last.y + s};
        } else {
            q = {cell(rng), cell(rng)};
        }
        if (q.x < 0 || q.y < 0 || q.x >= grid || q.y >= grid || !keepsSimple(line, q)) continue;
        line.push_back(q);
    }
    std::vector<Point> clicked;
    for (Point p : line) {
        clicked.push_back(p);
        if (percent(rng) < 10) clicked.push_back(p);
    }
    return clicked;
}

TEST(HullProperty, MatchesTheReferenceOnRandomSimplePolylines) {
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> length(3, 40);
    int straightStarts = 0, oneLine = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<Point> points = randomSimplePolyline(rng, round % 2 ? 8 : 24, length(rng));
        if (points.size() < 3) continue;
        std::vector<int> hull = hullOf(points);
        bool straight = cross(points[0], points[1], points[2]) == 0;
        straightStarts += straight;
        oneLine += referenceCorners(points).size() <= 2;
        if (points.size() == 3 && straight) {
            EXPECT_EQ(hull, (std::vector<int>{2, 1, 0}));
        } else {
            SCOPED_TRACE("round " + std::to_string(round));
            expectTrueHull(points, hull);
        }
        if (HasFailure()) break;
    }
    EXPECT_GT(straightStarts, 1000);  // the generator reaches the hard cases
    EXPECT_GT(oneLine, 100);
}

// ---- Any input at all ------------------------------------------------------------------------

TEST(HullRobustness, StaysInsideTheDequeOnArbitraryInput) {
    std::mt19937 rng(7);
    const double huge = 1e300;
    std::vector<double> values = {0, 1, -1, 2, 1e15, -1e15, huge, -huge, 33554432, -33554431};
    std::uniform_int_distribution<size_t> pick(0, values.size() - 1);
    std::uniform_int_distribution<int> small(-2, 2), length(3, 60), kind(0, 2);
    int longerThanInput = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<Vertex> vertices(size_t(length(rng)));
        int k = kind(rng);
        for (Vertex& v : vertices) {
            v.pixelX = k == 0 ? small(rng) : values[pick(rng)];
            v.pixelY = k == 2 ? v.pixelX : (k == 0 ? small(rng) : values[pick(rng)]);
        }
        editor.vertices = vertices.data();
        editor.vertexCount = int32_t(vertices.size());
        editor.hull = nullptr;
        computeHull();
        ASSERT_GE(editor.hullCount, 2);
        ASSERT_LE(editor.hullCount, 2 * editor.vertexCount - 3);
        longerThanInput += editor.hullCount > editor.vertexCount;  // a crossing repeats entries
        for (int i = 0; i < editor.hullCount; ++i) {
            ASSERT_TRUE(editor.hull[i] >= 0 && editor.hull[i] < editor.vertexCount);
        }
        releaseBlock(editor.hull);
    }
    EXPECT_GT(longerThanInput, 0);
    editor = EditorState{};
}

}  // namespace
