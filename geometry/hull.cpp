#include "geometry/hull.h"

#include "editing/memory.h"

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
    NoWatch unwatched;
    int32_t count = buildHull(v, n, HullDeque, &bot, unwatched);
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
