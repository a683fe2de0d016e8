// GL and GLU for the browser build: the fixed-function calls polyhull makes, drawn as Mesa's
// software rasterizer (llvmpipe, Mesa 22.3) draws them on the desktop, pixel for pixel, into a
// back buffer of whole pixels that web/platform/gl.js shows as one WebGL texture, so that no
// browser's rasterizer decides a pixel.
//
// The program draws the same frame over and over (it redraws continuously), so each frame is
// kept as primitives of clip-space vertices and compared with the one shown before it, vertex by
// vertex. Only 16 by 16 pixel tiles that a changed point or line covered, before or after, are
// cleared and drawn again, and only they are sent to WebGL, as a few rectangles; a frame equal to
// the last one costs the comparison alone and no WebGL call. Compiled into the browser build, and
// natively into the pixel test, which holds every frame to Mesa's.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE
#endif

// The canvas's drawing buffer and its showing (web/platform/gl.js; the pixel test's own): a
// rectangle of the back buffer into WebGL's copy, its rows packed, and that copy shown.
extern "C" int glBufferWidth();
extern "C" int glBufferHeight();
extern "C" void glUpload(const uint32_t* pixels, int x, int y, int width, int height);
extern "C" void glShow();

namespace {

const int TILE = 16;  // pixels across a tile, the unit of redrawing

struct ClipVertex {
    float x, y;       // clip coordinates, in single precision as GL computes them
    uint32_t colour;  // RGBA bytes, as they land in the back buffer
    bool operator!=(const ClipVertex& o) const {
        return x != o.x || y != o.y || colour != o.colour;
    }
};

struct Primitive {
    GLenum mode;           // GL_POINTS, GL_LINE_STRIP or GL_LINE_LOOP; others draw nothing
    int size;              // point size or line width in whole pixels
    int viewport[4];       // as at glBegin
    ClipVertex* vertices;  // from the heap, with room for `room`
    int count, room;
};

struct Transform {  // all the program's matrices are 2D scalings and shifts
    float sx = 1, tx = 0, sy = 1, ty = 0;
};

struct GlContext {
    int viewport[4] = {0, 0, 0, 0};                // x, y, width, height: glViewport
    bool current = false;                          // the viewport is set (makeCurrent)
    uint32_t clearColour = 0xff000000;             // glClearColor
    uint32_t colour = 0xffffffff;                  // glColor3d
    float pointSize = 1, lineWidth = 1;            // glPointSize, glLineWidth
    Transform matrices[2];                         // GL_MODELVIEW, GL_PROJECTION
    int mode = 0;                                  // glMatrixMode, as an index into matrices
    Primitive *drawn = nullptr, *shown = nullptr;  // this frame's primitives, the last one shown
    int drawnCount = 0, shownCount = 0;            // how many of each are in use
    int drawnRoom = 0, shownRoom = 0;              // and room for
    bool open = false;                             // inside glBegin/glEnd
    uint32_t frameClear = 0xff000000;              // the colour this frame was cleared to
    uint32_t shownClear = 0;                       // and the shown frame
    int width = 0, height = 0;                     // the back buffer's
    uint32_t* pixels = nullptr;                    // the back buffer, rows from the top
    uint32_t* packed = nullptr;                    // a rectangle of it, its rows packed
    int tilesAcross = 0, tilesDown = 0;
    uint8_t* dirty = nullptr;  // tiles to draw again, a byte each
    int dirtyBox[4];           // left, top, right, bottom of the dirty tiles, pixels
    uint32_t fill;             // the colour fillRect draws in
};

GlContext gl;

// Math.round's rounding: half way goes up.
double roundUp(double v) { return std::floor(v + 0.5); }

uint32_t rgba(double r, double g, double b, double a) {
    auto byte = [](double c) { return uint32_t(roundUp(std::clamp(c, 0.0, 1.0) * 255)); };
    return byte(r) | byte(g) << 8 | byte(b) << 16 | byte(a) << 24;
}

// Room for `wanted` items in a heap array, doubling; false, with the array as it was, when the
// heap has none.
template <typename T>
bool makeRoom(T*& items, int& room, int wanted) {
    if (wanted <= room) return true;
    int grown = std::max(wanted, 2 * room);
    auto* moved = static_cast<T*>(std::realloc(items, sizeof(T) * size_t(grown)));
    if (!moved) return false;
    items = moved, room = grown;
    return true;
}

// ---- Rasterization ----

// Window coordinates (y down, as the back buffer's rows run) of clip coordinates: in one
// rounding (fused) for a vertex inside the view volume, as Mesa's compiled vertex code places it
// (a fused multiply-add), in two for one outside it and for the ends of a clipped line, which
// its clipper places.
void toWindow(const int* v, double x, double y, bool fused, float* out) {
    double sx = v[2] / 2.0, tx = v[0] + v[2] / 2.0, sy = -v[3] / 2.0;
    double ty = gl.height - v[1] - v[3] / 2.0;
    out[0] = fused ? float(x * sx + tx) : float(double(float(x * sx)) + tx);
    out[1] = fused ? float(y * sy + ty) : float(double(float(y * sy)) + ty);
}

// The rasterizer hands its pixels on as rectangles, to be filled or marked as damage; it is
// compiled once (noinline), not once for each place it is called from, to keep the page small.
using RectSink = void (*)(int x0, int y0, int x1, int y1);

// A point is a square of `size` pixels: those whose centres lie within it, a centre on its left
// or bottom edge left out. For an odd size that is the square centred on the pixel the vertex
// falls in. Points are not clipped: the buffer's edge cuts the square.
[[gnu::noinline]] void rasterPoint(const Primitive& p, const ClipVertex& c, RectSink emit) {
    float at[2];
    toWindow(p.viewport, c.x, c.y, true, at);
    double half = p.size / 2.0;
    double x = roundUp(at[0] * 256.0) / 256, y = roundUp(at[1] * 256.0) / 256;  // Mesa's grid
    emit(int(std::floor(x - half - 0.5)) + 1, int(std::ceil(y - half - 0.5)),
         int(std::floor(x + half - 0.5)) + 1, int(std::ceil(y + half - 0.5)));
}

// The pixels of a wide line from a to b in window coordinates, walked along its major axis
// (x where |dx| >= |dy|): the columns (or rows) whose centres lie between the ends, and in each
// the w pixels whose centres lie within w/2 of the line. That is GL's diamond-exit rule for
// ends on pixel corners, where every vertex of the program's lies (clicks are whole pixels),
// and ends the guard band cut lie far off the buffer. Mesa tests the centres on a grid of 1/256
// pixel, so here they are tested exactly in whole numbers of that grid. A centre exactly w/2 off
// is in on the side of the smaller coordinate (up, or left) for a y-major line and for an x-major
// one rising to the right, and on the other side for the rest.
[[gnu::noinline]] void rasterSpans(const float* a, const float* b, int w, RectSink emit) {
    float dx = float(double(b[0]) - a[0]), dy = float(double(b[1]) - a[1]);
    int major = std::fabs(dx) >= std::fabs(dy) ? 0 : 1;
    double u0 = roundUp(a[major] * 256.0), v0 = roundUp(a[1 - major] * 256.0);
    double u1 = roundUp(b[major] * 256.0), du = std::fabs(u1 - u0);
    double dv = (roundUp(b[1 - major] * 256.0) - v0) * (u1 < u0 ? -1 : 1);
    bool low = major == 1 || dv < 0;
    int limit = major ? gl.height : gl.width;
    double from = std::max(std::ceil(std::min(u0, u1) / 256 - 0.5), 0.0);
    double to = std::min(std::ceil(std::max(u0, u1) / 256 - 0.5), double(limit));
    int first = int(from), run = 0;
    for (int c = first; c < int(to); ++c) {
        // 256 du times the line's minor coordinate at the centre, less w/2 and half a pixel: the
        // first pixel in is the first whose centre is at most w/2 from the line
        double k = v0 * du + ((c + 0.5) * 256 - u0) * dv - (w + 1) * 128 * du;
        int r = int(low ? std::ceil(k / (256 * du)) : std::floor(k / (256 * du)) + 1);
        if (c > first && r != run) {
            major ? emit(run, first, run + w, c) : emit(first, run, c, run + w);
            first = c;
        }
        run = r;
    }
    if (int(to) > first)
        major ? emit(run, first, run + w, int(to)) : emit(first, run, int(to), run + w);
}

// A line from a to b. Mesa clips it to a guard band twice the viewport's size on each axis. An
// end outside the view volume is placed in two roundings even where the band does not cut it:
// that tips some 45-degree lines leaving the canvas by a few pixels to the other major axis.
[[gnu::noinline]] void rasterLine(const Primitive& p, const ClipVertex& a, const ClipVertex& b,
                                  RectSink emit) {
    const float ends[2][2] = {{a.x, a.y}, {b.x, b.y}};
    float t[2] = {0, 0};  // how far the clipper moves a toward b, and b toward a
    for (int axis = 0; axis < 2; ++axis) {
        for (int side = -1; side <= 1; side += 2) {  // the guard band's edges at -2 and 2
            float da = float(side * double(ends[0][axis]) + 2);
            float db = float(side * double(ends[1][axis]) + 2);
            if (da < 0 && db < 0) return;
            if (da < 0) t[0] = std::max(t[0], float(da / double(float(double(da) - db))));
            if (db < 0) t[1] = std::max(t[1], float(db / double(float(double(db) - da))));
        }
    }
    if (double(t[0]) + t[1] >= 1) return;
    float window[2][2];
    for (int e = 0; e < 2; ++e) {
        const float *from = ends[e], *toward = ends[1 - e];
        if (!t[e]) {
            bool inside = std::fabs(from[0]) <= 1 && std::fabs(from[1]) <= 1;
            toWindow(p.viewport, from[0], from[1], inside, window[e]);
            continue;
        }
        float x = float(from[0] + double(float(t[e] * double(float(double(toward[0]) - from[0])))));
        float y = float(from[1] + double(float(t[e] * double(float(double(toward[1]) - from[1])))));
        toWindow(p.viewport, x, y, false, window[e]);
    }
    rasterSpans(window[0], window[1], p.size, emit);
}

// ---- Elements: a primitive's points and lines ----

int lineCount(const Primitive& p) {
    int n = p.count;
    if (p.mode == GL_POINTS) return n;
    if (p.mode == GL_LINE_STRIP) return std::max(n - 1, 0);
    return p.mode == GL_LINE_LOOP && n > 1 ? n : 0;
}

// Element e of p: point e, or the line from vertex e to the next (the last of a loop back to
// the first), in the colour of its second vertex (GL's flat shading; the program gives every
// line one colour).
void rasterElement(const Primitive& p, int e, RectSink emit, uint32_t* colour) {
    const ClipVertex* v = p.vertices;
    if (p.mode == GL_POINTS) {
        *colour = v[e].colour;
        return rasterPoint(p, v[e], emit);
    }
    const ClipVertex& b = v[(e + 1) % p.count];
    *colour = b.colour;
    rasterLine(p, v[e], b, emit);
}

// ---- Damage: the tiles to draw again ----

void markRect(int x0, int y0, int x1, int y1) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0);
    x1 = std::min(x1, gl.width), y1 = std::min(y1, gl.height);
    if (x0 >= x1 || y0 >= y1) return;
    for (int ty = y0 / TILE; ty <= (y1 - 1) / TILE; ++ty) {
        for (int tx = x0 / TILE; tx <= (x1 - 1) / TILE; ++tx)
            gl.dirty[ty * gl.tilesAcross + tx] = 1;
    }
}

[[gnu::noinline]] void markElement(const Primitive& p, int e) {
    uint32_t unused;
    if (e >= 0 && e < lineCount(p)) rasterElement(p, e, markRect, &unused);
}

// Everything p draws that uses vertex i: its point, or the lines that meet at it.
void markAround(const Primitive& p, int i) {
    if (p.mode == GL_POINTS) return markElement(p, i);
    markElement(p, i == 0 && p.mode == GL_LINE_LOOP ? p.count - 1 : i - 1);
    markElement(p, i);
}

void markAll(const Primitive& p) {
    for (int e = 0; e < lineCount(p); ++e) markElement(p, e);
}

bool sameKind(const Primitive& a, const Primitive& b) {
    return a.mode == b.mode && a.size == b.size &&
           std::equal(a.viewport, a.viewport + 4, b.viewport);
}

// The tiles where the frame drawn differs from the one shown: a changed vertex marks what it
// was part of in both, and a vertex added or removed the same; a loop whose length changed also
// closes elsewhere.
void markChanges(const Primitive& was, const Primitive& now) {
    if (!sameKind(was, now)) return markAll(was), markAll(now);
    int n = was.count, m = now.count;
    for (int i = 0; i < std::max(n, m); ++i) {
        if (i < n && i < m && !(was.vertices[i] != now.vertices[i])) continue;
        if (i < n) markAround(was, i);
        if (i < m) markAround(now, i);
    }
    if (n != m && now.mode == GL_LINE_LOOP) markElement(was, n - 1), markElement(now, m - 1);
}

// ---- Drawing the damaged tiles ----

void fillRect(int x0, int y0, int x1, int y1) {
    x0 = std::max(x0, gl.dirtyBox[0]), y0 = std::max(y0, gl.dirtyBox[1]);
    x1 = std::min(x1, gl.dirtyBox[2]), y1 = std::min(y1, gl.dirtyBox[3]);
    for (int y = y0; y < y1; ++y) {
        const uint8_t* row = &gl.dirty[(y / TILE) * gl.tilesAcross];
        uint32_t* line = &gl.pixels[size_t(y) * gl.width];
        for (int x = x0; x < x1; ++x) {
            if (row[x / TILE]) line[x] = gl.fill;
        }
    }
}

// Whether an element may reach a dirty tile: its ends' box, widened by its size, against them.
bool nearDamage(const Primitive& p, int e) {
    const ClipVertex &v = p.vertices[e], &next = p.vertices[(e + 1) % p.count];
    float a[2], b[2];
    toWindow(p.viewport, v.x, v.y, true, a);
    if (p.mode == GL_POINTS)
        std::copy(a, a + 2, b);
    else
        toWindow(p.viewport, next.x, next.y, true, b);
    float reach = p.size / 2.0f + 2;
    float x0 = std::min(a[0], b[0]) - reach, x1 = std::max(a[0], b[0]) + reach;
    float y0 = std::min(a[1], b[1]) - reach, y1 = std::max(a[1], b[1]) + reach;
    if (x1 < gl.dirtyBox[0] || x0 > gl.dirtyBox[2] || y1 < gl.dirtyBox[1] || y0 > gl.dirtyBox[3])
        return false;
    if (x1 - x0 > 4 * TILE || y1 - y0 > 4 * TILE) return true;  // long: the fill sorts it out
    int tx0 = std::max(int(x0) / TILE, 0), tx1 = std::min(int(x1) / TILE, gl.tilesAcross - 1);
    int ty0 = std::max(int(y0) / TILE, 0), ty1 = std::min(int(y1) / TILE, gl.tilesDown - 1);
    for (int ty = ty0; ty <= ty1; ++ty) {
        for (int tx = tx0; tx <= tx1; ++tx) {
            if (gl.dirty[ty * gl.tilesAcross + tx]) return true;
        }
    }
    return false;
}

// The dirty tiles cleared and every element of the frame drawn into them, in order; the box of
// the dirty tiles, or false when there are none.
bool redrawDamage() {
    int box[4] = {gl.width, gl.height, 0, 0};
    for (int ty = 0; ty < gl.tilesDown; ++ty) {
        for (int tx = 0; tx < gl.tilesAcross; ++tx) {
            if (!gl.dirty[ty * gl.tilesAcross + tx]) continue;
            box[0] = std::min(box[0], tx * TILE), box[1] = std::min(box[1], ty * TILE);
            box[2] = std::max(box[2], std::min((tx + 1) * TILE, gl.width));
            box[3] = std::max(box[3], std::min((ty + 1) * TILE, gl.height));
        }
    }
    if (box[0] >= box[2]) return false;
    std::copy(box, box + 4, gl.dirtyBox);
    gl.fill = gl.frameClear;
    fillRect(box[0], box[1], box[2], box[3]);
    for (int i = 0; i < gl.drawnCount; ++i) {
        const Primitive& p = gl.drawn[i];
        for (int e = 0; e < lineCount(p); ++e) {
            if (nearDamage(p, e)) rasterElement(p, e, fillRect, &gl.fill);
        }
    }
    return true;
}

// The first dirty tile of tile row ty and one past its last (equal where it has none).
void dirtySpan(int ty, int* from, int* to) {
    const uint8_t* row = &gl.dirty[ty * gl.tilesAcross];
    for (*from = 0; *from < gl.tilesAcross && !row[*from];) ++*from;
    for (*to = gl.tilesAcross; *to > *from && !row[*to - 1];) --*to;
}

// The damaged tiles sent to WebGL, and shown, in few rectangles that hold little else: each tile
// row's span runs from its first dirty tile to its last, and a rectangle takes in the next row's
// while it stays within 5/4 of the spans it holds.
void showDamage() {
    for (int ty = 0, next = 0; ty < gl.tilesDown; ty = next) {
        int from, to, nextFrom, nextTo, spans;
        dirtySpan(ty, &from, &to);
        spans = to - from;
        for (next = ty + 1; from < to && next < gl.tilesDown; ++next) {
            dirtySpan(next, &nextFrom, &nextTo);
            int left = std::min(from, nextFrom), right = std::max(to, nextTo);
            if (nextFrom == nextTo ||
                4 * (right - left) * (next + 1 - ty) > 5 * (spans + nextTo - nextFrom))
                break;
            from = left, to = right, spans += nextTo - nextFrom;
        }
        if (from == to) continue;
        int x = from * TILE, y = ty * TILE, width = std::min(to * TILE, gl.width) - x;
        int height = std::min(next * TILE, gl.height) - y;
        for (int row = 0; row < height; ++row) {
            std::memcpy(&gl.packed[size_t(row) * width], &gl.pixels[size_t(y + row) * gl.width + x],
                        sizeof(uint32_t) * size_t(width));
        }
        glUpload(gl.packed, x, y, width, height);
    }
    glShow();
}

// A back buffer of the canvas's size, all of it to draw when it is new; false when the heap has
// no room for it (the last frame stays shown).
bool fitBuffer(bool* whole) {
    int width = glBufferWidth(), height = glBufferHeight();
    if (width == gl.width && height == gl.height) return true;
    int across = (width + TILE - 1) / TILE, down = (height + TILE - 1) / TILE;
    auto* pixels = static_cast<uint32_t*>(std::calloc(size_t(width) * height, 4));
    auto* packed = static_cast<uint32_t*>(std::malloc(size_t(width) * height * 4 + 4));
    auto* dirty = static_cast<uint8_t*>(std::calloc(size_t(across) * down, 1));
    if (!pixels || !packed || !dirty) {
        return std::free(pixels), std::free(packed), std::free(dirty), false;
    }
    std::free(gl.pixels), std::free(gl.packed), std::free(gl.dirty);
    gl.pixels = pixels, gl.packed = packed, gl.dirty = dirty;
    gl.width = width, gl.height = height, gl.tilesAcross = across, gl.tilesDown = down;
    return *whole = true;
}

// Copies p into kept, reusing kept's room; false when the heap has none.
bool keep(const Primitive& p, Primitive& kept) {
    if (!makeRoom(kept.vertices, kept.room, p.count)) return false;
    std::memcpy(kept.vertices, p.vertices, sizeof(ClipVertex) * size_t(p.count));
    kept.mode = p.mode, kept.size = p.size, kept.count = p.count;
    std::copy(p.viewport, p.viewport + 4, kept.viewport);
    return true;
}

ClipVertex transform(double x, double y) {
    const Transform &m = gl.matrices[0], &p = gl.matrices[1];
    auto apply = [](float scale, float shift, double v) {
        return float(double(float(scale * v)) + shift);
    };
    return {apply(p.sx, p.tx, apply(m.sx, m.tx, float(x))),
            apply(p.sy, p.ty, apply(m.sy, m.ty, float(y))), gl.colour};
}

// GL sets the viewport to the window's size when its context is first made current; here, when
// the viewport is first read or used, unless the program has set it.
void makeCurrent() {
    if (gl.current) return;
    gl.current = true;
    gl.viewport[2] = glBufferWidth(), gl.viewport[3] = glBufferHeight();
}

}  // namespace

// ---- The frame ----

// Shows the frame drawn since the last glClear (glutSwapBuffers calls it): its changes drawn
// into the back buffer and sent to the canvas; nothing at all when it equals the last.
extern "C" EMSCRIPTEN_KEEPALIVE void glPresent() {
    bool whole = gl.frameClear != gl.shownClear;
    if (!fitBuffer(&whole)) return;
    int tiles = gl.tilesAcross * gl.tilesDown;
    if (whole) std::memset(gl.dirty, 1, size_t(tiles));
    for (int i = 0; !whole && i < std::max(gl.drawnCount, gl.shownCount); ++i) {
        if (i >= gl.drawnCount)
            markAll(gl.shown[i]);
        else if (i >= gl.shownCount)
            markAll(gl.drawn[i]);
        else
            markChanges(gl.shown[i], gl.drawn[i]);
    }
    if (redrawDamage()) {
        showDamage();
        std::memset(gl.dirty, 0, size_t(tiles));
    }
    // Kept as shown; the frame drawn stays too, for a next frame without a glClear draws on it.
    // Where the heap has no room to keep it, the next frame is drawn whole.
    gl.shownCount = 0;
    int room = gl.shownRoom;
    bool kept = makeRoom(gl.shown, gl.shownRoom, gl.drawnCount);
    for (int i = room; i < gl.shownRoom; ++i) gl.shown[i] = {};
    for (int i = 0; kept && i < gl.drawnCount; ++i) kept = keep(gl.drawn[i], gl.shown[i]);
    gl.shownCount = kept ? gl.drawnCount : 0;
    gl.shownClear = kept ? gl.frameClear : 0;
}

// ---- State ----

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    gl.viewport[0] = x, gl.viewport[1] = y, gl.viewport[2] = width, gl.viewport[3] = height;
    gl.current = true;
}
void glGetIntegerv(GLenum name, GLint* values) {  // GL_VIEWPORT only
    makeCurrent();
    if (name == GL_VIEWPORT) std::copy(gl.viewport, gl.viewport + 4, values);
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    gl.clearColour = rgba(r, g, b, a);
}
// The back buffer holds the clear colour alone: the frame starts afresh.
void glClear(GLbitfield mask) {
    if (!(mask & GL_COLOR_BUFFER_BIT)) return;
    gl.frameClear = gl.clearColour | 0xff000000;  // the canvas has no alpha
    gl.drawnCount = 0;
}
// GL_BLEND with its default function (ONE, ZERO) writes colours as they are, and no texture is
// ever bound, so neither switch changes a pixel.
void glEnable(GLenum) {}
void glDisable(GLenum) {}
void glPointSize(GLfloat size) { gl.pointSize = size; }
void glLineWidth(GLfloat width) { gl.lineWidth = width; }
void glColor3d(GLdouble r, GLdouble g, GLdouble b) { gl.colour = rgba(r, g, b, 1); }
void glFlush() {}  // nothing is shown before the swap

// ---- Transforms, in single precision as GL computes them ----

void glMatrixMode(GLenum mode) { gl.mode = mode == GL_PROJECTION ? 1 : 0; }
void glLoadIdentity() { gl.matrices[gl.mode] = Transform(); }
void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    Transform& m = gl.matrices[gl.mode];
    double sx = float(2 / (right - left)), tx = float(-(right + left) / (right - left));
    double sy = float(2 / (top - bottom)), ty = float(-(top + bottom) / (top - bottom));
    m = {float(m.sx * sx), float(double(float(m.sx * tx)) + m.tx), float(m.sy * sy),
         float(double(float(m.sy * ty)) + m.ty)};
}

// ---- Primitives ----

void glBegin(GLenum mode) {
    int room = gl.drawnRoom;
    if (!makeRoom(gl.drawn, gl.drawnRoom, gl.drawnCount + 1)) return;
    for (int i = room; i < gl.drawnRoom; ++i) gl.drawn[i] = {};
    Primitive& p = gl.drawn[gl.drawnCount];
    float size = mode == GL_POINTS ? gl.pointSize : gl.lineWidth;
    p.mode = mode;
    p.size = std::max(1, int(roundUp(size)));
    makeCurrent();
    std::copy(gl.viewport, gl.viewport + 4, p.viewport);
    p.count = 0;
    gl.open = true;
}
void glVertex2d(GLdouble x, GLdouble y) {
    if (!gl.open) return;
    Primitive& p = gl.drawn[gl.drawnCount];
    if (makeRoom(p.vertices, p.room, p.count + 1)) p.vertices[p.count++] = transform(x, y);
}
void glEnd() {
    if (gl.open) ++gl.drawnCount;
    gl.open = false;
}
