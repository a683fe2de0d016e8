// The hull algorithm's steps, for the page's Steps view: the deque after each vertex, built by
// the program's own hull code on the first k vertices. Compiled into the browser build alone,
// called from web/steps.js; it reads the editor state and changes nothing in it.
#include <emscripten.h>

#include <cstring>

#include "editing/editor.h"
#include "editing/memory.h"
#include "geometry/hull.h"

static int32_t* built;  // the vertex positions of the deque last built, bottom to top

// Builds the deque of the first k vertices (3 <= k <= vertexCount) and returns how many entries
// it has, from the bottom end to the top end (both the vertex added last), or 0 when no memory
// could be had; stepEntry(i) is the position of entry i.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t stepDeque(int32_t k) {
    size_t slots = 2 * size_t(k) + 1;
    auto* deque = static_cast<const Vertex**>(allocateBlock(sizeof(const Vertex*) * slots));
    auto* positions = static_cast<int32_t*>(allocateBlock(sizeof(int32_t) * slots));
    int32_t count = 0, bottom = 0;
    if (deque && positions) {
        count = buildHull(editor.vertices, k, deque, &bottom) + 1;
        for (int32_t i = 0; i < count; ++i)
            positions[i] = int32_t(deque[bottom + i] - editor.vertices);
        releaseBlock(built);
        built = positions;
        positions = nullptr;
    }
    releaseBlock(deque);
    releaseBlock(positions);
    return count;
}

extern "C" EMSCRIPTEN_KEEPALIVE int32_t stepEntry(int32_t i) { return built[i]; }

static Vertex* stepsOf;  // the vertices the page's steps were last read for, and how many
static int32_t stepsCount = -1;

// Whether the polyline differs from the one the steps were last read for (1) or not (0), and
// remembers it as read. One comparison of memory: the page asks after each input, never more.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t stepsStale() {
    size_t bytes = sizeof(Vertex) * size_t(editor.vertexCount);
    if (editor.vertexCount == stepsCount && (!bytes || !memcmp(stepsOf, editor.vertices, bytes)))
        return 0;
    auto* copy = static_cast<Vertex*>(allocateBlock(bytes ? bytes : 1));
    if (copy) memcpy(copy, editor.vertices, bytes);
    releaseBlock(stepsOf);
    stepsOf = copy;
    stepsCount = copy ? editor.vertexCount : -1;
    return 1;
}
