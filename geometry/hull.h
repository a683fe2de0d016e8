// The convex hull of the polyline in placement order, by the incremental deque method for
// simple polylines: linear in the number of vertices.
#pragma once

#include "editing/editor.h"

// Orientation of p against the directed line a -> b in the pixel frame (y up): positive when
// a, b, p turn counter-clockwise, zero when collinear, negative when clockwise.
// Pixel coordinates are whole numbers; while their magnitudes stay below 2^25 every product
// and sum in the expanded form below is an integer under 2^53, so the sign is exact.
inline double isLeft(const Vertex& a, const Vertex& b, const Vertex& p) {
    return b.pixelX * p.pixelY - b.pixelY * p.pixelX - a.pixelX * (p.pixelY - b.pixelY) +
           a.pixelY * (p.pixelX - b.pixelX);
}

// Builds the work deque of the first n >= 3 vertices of v in deque, which has 2n + 1 slots. Its
// live entries run counter-clockwise around the hull of those vertices from deque[*bottom], the
// vertex added to the hull last, back to it at the top. Returns their number less that last one:
// the hull's entries.
int32_t buildHull(const Vertex* v, int32_t n, const Vertex** deque, int32_t* bottom);

// Replaces editor.hull and editor.hullCount with the hull of editor.vertices, counter-
// clockwise from the last vertex added to it. Needs vertexCount >= 3 (the caller checks).
// When memory cannot be had, the previous hull stays.
void computeHull();
