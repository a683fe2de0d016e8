// What the canvas shows, for the page's words about it (its text alternative, the toggles'
// pressed state and what a screen reader is told on each change): compiled into the browser
// build alone, called from web/page/page.js and share.js. They read the editor state and change
// nothing of it.
#include <emscripten.h>

#include "editing/editor.h"
#include "web/teaching/kept.h"

extern "C" EMSCRIPTEN_KEEPALIVE int32_t shownVertexCount() { return editor.vertexCount; }

// Entries in the hull as last computed: its corners, or 2 for vertices all on one line.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t shownHullCount() { return editor.hullCount; }

// The display flags and move mode as bits: 1 outline, 2 closed, 4 hull, 8 move mode.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t shownFlags() {
    return editor.showPolygon | editor.closePolygon << 1 | editor.showHull << 2 |
           editor.moveMode << 3;
}

// The vertex picked in move mode and not yet put down, or NO_VERTEX.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t shownPickedVertex() {
    return editor.hasSelection ? editor.selectedVertex : NO_VERTEX;
}

// Whether the polyline or the display flags changed since the last call, which the page asks
// after input before it writes the drawing's link: most input changes neither (a pointer passing
// over the canvas is input too), and the link costs a read of every vertex.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t linkStale() {
    static Kept<Vertex> linked;  // the polyline and flags the link was last written for
    static int32_t linkedFlags = -1;
    int32_t flags = shownFlags() & 7;
    if (linked.same(editor.vertices, editor.vertexCount) && flags == linkedFlags) return 0;
    linked.keep(editor.vertices, editor.vertexCount);  // kept nothing: stale next time too
    linkedFlags = flags;
    return 1;
}
