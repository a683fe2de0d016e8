// Every test, pop and push the program's own hull code makes on the polyline, for the page's
// Steps view (web/teaching/steps.js): one run of buildHull, watched, in time linear in the
// number of vertices. Compiled into the browser build alone; it reads the editor state and
// changes nothing in it.
#include <emscripten.h>

#include "editing/editor.h"
#include "editing/memory.h"
#include "geometry/hull.h"
#include "geometry/simple.h"
#include "web/teaching/kept.h"

namespace {

// An event in one number: the position of the vertex being added times 16, then its kind times
// 4, then 2 at the bottom end, then 1 for a test that found the vertex left of the edge (for the
// start: the first three counter-clockwise).
enum Kind { TEST, POP, PUSH, START };

struct Recorder {
    int32_t* events;
    int32_t count, room;
    void add(int32_t k, Kind kind, bool atBottom, bool yes) {
        if (count < room) events[count++] = k * 16 + kind * 4 + atBottom * 2 + yes;
    }
    void start(bool counterClockwise) { add(2, START, false, counterClockwise); }
    void test(int32_t k, bool atBottom, bool left) { add(k, TEST, atBottom, left); }
    void pop(int32_t k, bool atBottom) { add(k, POP, atBottom, false); }
    void push(int32_t k, bool atBottom) { add(k, PUSH, atBottom, false); }
};

Recorder recorded = {nullptr, 0, 0};  // the last run's events
int32_t wrongOutside = NO_VERTEX;     // the vertex stepsWrong found left outside
Kept<Vertex> stepsOf;                 // the vertices the page's steps were last read for

}  // namespace

// Runs the hull code on the whole polyline (three vertices or more) and keeps every event it
// makes; returns how many, or 0 with fewer vertices or no memory. Each vertex is tested twice,
// pushed twice and popped at most twice, and each pop is followed by a test: under 8n events.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t stepsRecord() {
    int32_t n = editor.vertexCount;
    recorded.count = 0;
    if (n < 3) return 0;
    size_t slots = 2 * size_t(n) + 1, room = 8 * size_t(n) + 16;
    auto* deque = static_cast<const Vertex**>(allocateBlock(sizeof(const Vertex*) * slots));
    auto* events = static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * room));
    if (deque && events) {
        releaseBlock(recorded.events);
        recorded = {events, 0, int32_t(room)};
        events = nullptr;
        int32_t bottom = 0;
        buildHull(editor.vertices, n, deque, &bottom, recorded);
    }
    releaseBlock(deque);
    releaseBlock(events);
    return recorded.count;
}

extern "C" EMSCRIPTEN_KEEPALIVE int32_t stepsEvent(int32_t i) { return recorded.events[i]; }

// Whether the polyline differs from the one the steps were last read for (1) or not (0), and
// remembers it as read. One comparison of memory: the page asks after each input, never more.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t stepsStale() {
    if (stepsOf.same(editor.vertices, editor.vertexCount)) return 0;
    stepsOf.keep(editor.vertices, editor.vertexCount);
    return 1;
}

// The first step, of vertex from or a later one, after which the deque is not the hull of the
// vertices so far: one of them lies strictly outside it. Before that step the deque held every
// earlier vertex, and each push keeps it turning left at every entry, so only the step's own
// vertex and what it popped can fall outside. Replays the last run's events; returns the step's
// vertex, or NO_VERTEX, and keeps the vertex left outside for stepsWrongOutside.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t stepsWrong(int32_t from) {
    int32_t n = editor.vertexCount, found = NO_VERTEX;
    wrongOutside = NO_VERTEX;
    if (!recorded.count) return NO_VERTEX;
    auto* deque = static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * (2 * size_t(n) + 1)));
    auto* popped = static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * (2 * size_t(n) + 1)));
    int32_t bot = n - 2, top = bot + 3, pops = 0;
    for (int32_t i = 0; deque && popped && i < recorded.count && found == NO_VERTEX; ++i) {
        int32_t e = recorded.events[i], k = e >> 4, kind = e >> 2 & 3;
        bool atBottom = e & 2;
        if (kind == START) {
            deque[bot] = deque[top] = 2, deque[bot + 1] = e & 1 ? 0 : 1, deque[bot + 2] = e & 1;
        } else if (kind == POP) {
            popped[pops++] = atBottom ? deque[bot++] : deque[top--];
        } else if (kind == PUSH) {
            deque[atBottom ? --bot : ++top] = k;
        }
        if (i + 1 < recorded.count && recorded.events[i + 1] >> 4 == k) continue;  // k goes on
        const Vertex* v = editor.vertices;
        for (int32_t p = -1; k >= from && p < pops && wrongOutside == NO_VERTEX; ++p) {
            int32_t q = p < 0 ? k : popped[p];
            if (outsideRing(v, deque + bot, top - bot, v[q])) wrongOutside = q, found = k;
        }
        pops = 0;
    }
    releaseBlock(deque);
    releaseBlock(popped);
    return found;
}

extern "C" EMSCRIPTEN_KEEPALIVE int32_t stepsWrongOutside() { return wrongOutside; }
