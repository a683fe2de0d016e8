// How fast computeHull is, in nanoseconds per vertex: beside one plain streaming pass that
// reads every vertex's pixel pair once (a floor no hull can beat), and beside the convex
// hulls of CGAL and Boost.Geometry on the same points where those libraries are installed.
//
// Inputs are simple polylines with whole-number pixel coordinates below 2^25:
//   star   - random angles, sorted, with random radii: most vertices end up inside;
//   convex - points on a large circle in order, rounded to whole pixels: all are corners of the
//            hull at 10^3 vertices, but rounding flattens the circle, so that about one in
//            twenty stays a corner at 10^6.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "geometry/hull.h"

#ifdef HAVE_CGAL
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/convex_hull_2.h>
#endif
#ifdef HAVE_BOOST_GEOMETRY
#include <boost/geometry.hpp>
#include <boost/geometry/geometries/multi_point.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#endif

namespace {

enum Shape { STAR, CONVEX };

const double RADIUS = 1.6e7;  // coordinates stay below 2^25 = 3.36e7

std::vector<Vertex> makePolyline(Shape shape, int n) {
    std::mt19937_64 rng(12345 + uint64_t(n) * 2 + shape);
    std::uniform_real_distribution<double> angle(0, 2 * M_PI), radius(0.2 * RADIUS, RADIUS);
    std::vector<double> angles(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) angles[size_t(i)] = shape == STAR ? angle(rng) : 2 * M_PI * i / n;
    std::sort(angles.begin(), angles.end());
    std::vector<Vertex> vertices(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        double r = shape == STAR ? radius(rng) : RADIUS;
        double x = std::round(r * std::cos(angles[size_t(i)]));
        double y = std::round(r * std::sin(angles[size_t(i)]));
        vertices[size_t(i)] = {0, 0, x, y};
    }
    return vertices;
}

// Each polyline is made once and shared by every method.
const std::vector<Vertex>& polyline(Shape shape, int n) {
    static std::map<std::pair<int, int>, std::vector<Vertex>> made;
    auto key = std::make_pair(int(shape), n);
    auto found = made.find(key);
    if (found == made.end()) found = made.emplace(key, makePolyline(shape, n)).first;
    return found->second;
}

using Clock = std::chrono::steady_clock;

// Nanoseconds per vertex over the timed loop that began at start. Google Benchmark shows a
// counter that is a rate in seconds only, so the loop is timed here as well.
void reportPerVertex(benchmark::State& state, int n, Clock::time_point start) {
    std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
    state.counters["ns/vertex"] = elapsed.count() / (double(n) * double(state.iterations()));
}

void streamingPass(benchmark::State& state, Shape shape) {
    const int n = int(state.range(0));
    const std::vector<Vertex>& vertices = polyline(shape, n);
    Clock::time_point start = Clock::now();
    for (auto _ : state) {
        double sum = 0;
        for (const Vertex& v : vertices) sum += v.pixelX + v.pixelY;
        benchmark::DoNotOptimize(sum);
    }
    reportPerVertex(state, n, start);
}

void dequeHull(benchmark::State& state, Shape shape) {
    const int n = int(state.range(0));
    std::vector<Vertex> vertices = polyline(shape, n);
    editor.vertices = vertices.data();
    editor.vertexCount = n;
    Clock::time_point start = Clock::now();
    for (auto _ : state) {
        computeHull();
        benchmark::DoNotOptimize(editor.hull);
    }
    state.counters["hull"] = editor.hullCount;
    reportPerVertex(state, n, start);
}

#ifdef HAVE_CGAL
void cgalHull(benchmark::State& state, Shape shape) {
    typedef CGAL::Exact_predicates_inexact_constructions_kernel::Point_2 Point;
    const int n = int(state.range(0));
    std::vector<Point> points;
    for (const Vertex& v : polyline(shape, n)) points.emplace_back(v.pixelX, v.pixelY);
    std::vector<Point> hull;
    Clock::time_point start = Clock::now();
    for (auto _ : state) {
        hull.clear();
        CGAL::convex_hull_2(points.begin(), points.end(), std::back_inserter(hull));
        benchmark::DoNotOptimize(hull.data());
    }
    state.counters["hull"] = double(hull.size());
    reportPerVertex(state, n, start);
}
#endif

#ifdef HAVE_BOOST_GEOMETRY
void boostHull(benchmark::State& state, Shape shape) {
    namespace bg = boost::geometry;
    typedef bg::model::d2::point_xy<double> Point;
    const int n = int(state.range(0));
    bg::model::multi_point<Point> points;
    for (const Vertex& v : polyline(shape, n)) points.emplace_back(v.pixelX, v.pixelY);
    bg::model::polygon<Point> hull;
    Clock::time_point start = Clock::now();
    for (auto _ : state) {
        bg::clear(hull);
        bg::convex_hull(points, hull);
        benchmark::DoNotOptimize(hull.outer().data());
    }
    state.counters["hull"] = double(hull.outer().size()) - 1;  // the ring repeats its start
    reportPerVertex(state, n, start);
}
#endif

void registerMethod(const char* name, void (*method)(benchmark::State&, Shape)) {
    for (Shape shape : {STAR, CONVEX}) {
        std::string label = std::string(shape == STAR ? "star/" : "convex/") + name;
        benchmark::RegisterBenchmark(label.c_str(), method, shape)
            ->RangeMultiplier(10)
            ->Range(1000, 10000000)
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerMethod("stream", streamingPass);
    registerMethod("computeHull", dequeHull);
#ifdef HAVE_CGAL
    registerMethod("cgal_convex_hull_2", cgalHull);
#endif
#ifdef HAVE_BOOST_GEOMETRY
    registerMethod("boost_convex_hull", boostHull);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
