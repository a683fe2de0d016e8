// Where the hull's promise ends. The deque method finds the hull of a polyline that is simple
// (no two of its segments meet, but each at the vertex it shares with the next) and whose first
// three vertices turn. These find, exactly on the pixel pairs, where a polyline stops being
// simple, and which vertices a hull leaves outside.
#pragma once

#include "editing/editor.h"

// The first place, in placement order, where the polyline stops being simple.
struct Crossing {
    int32_t vertex;  // the first k whose segment from k - 1 meets an earlier one; NO_VERTEX if none
    int32_t segment;  // the earlier segment met, from vertex segment to the next one placed apart
    bool proper;      // the two cross at a point inside both: no touch, overlap or fold
    double along;     // where they first meet on segment k - 1 -> k: 0 at k - 1, 1 at k
};

// Segment k - 1 -> k meets an earlier segment when they share any point, with one exception:
// the segment just before it may share vertex k - 1, as long as the new one does not run back
// along it. A vertex placed on the one before it (a double click) makes no segment and so meets
// nothing; the segments on either side of it are then the ones that share a vertex.
Crossing firstCrossing(const Vertex* v, int32_t n);

// firstCrossing of the n vertices v after an edit of the m vertices was (m < 0: none known),
// whose first crossing was found: the work of one pass over the polyline where the edit only
// added a few vertices at its end, of firstCrossing otherwise.
Crossing firstCrossingAfter(const Vertex* was, int32_t m, Crossing found, const Vertex* v,
                            int32_t n);

// Whether the first three of n >= 3 vertices lie on one line (two on one pixel included).
bool straightStart(const Vertex* v, int32_t n);

// Whether p lies strictly outside the closed ring of count vertices of v named by position
// (each joined to the next, the last to the first): on no edge, and not wound around.
bool outsideRing(const Vertex* v, const int32_t* ring, int32_t count, const Vertex& p);
