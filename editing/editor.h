// The editor's shared types and its one process-wide state record.
//
// Every callback runs on the GLUT thread, one at a time, so the record needs no locking.
// Vertices are referred to by their position in the vertex list, which stays valid when the
// list moves to a larger block.
#pragma once

#include <cstdint>

// ---- Shared types ----------------------------------------------------------------------------

struct Vertex {
    double worldX;  // where the vertex is drawn; set by placing, dragging and putting down
    double worldY;  // world y, growing upward
    double pixelX;  // window x of the event that placed or put down the vertex
    double pixelY;  // viewport height minus window y: pixels measured upward
};

struct WorldBox {
    double left, right, bottom, top;  // the world rectangle that fills the window
};

struct Viewport {
    int32_t x, y, width, height;  // exactly the layout glGetIntegerv(GL_VIEWPORT) fills
};

typedef uint8_t Flag;  // one byte holding 0 or 1, toggled by logical negation

// ---- Constants -------------------------------------------------------------------------------

const WorldBox WORLD_BOX = {-1.0, 1.0, -1.0, 1.0};
const int VERTEX_BLOCK = 10;             // the vertex list grows by this many slots
const double PICK_TOLERANCE = 0.01;      // half the side of the pick square, in world units
const double SNAP_ANGLE = 0.7853981634;  // a hair above pi/4, so exactly 45 degrees snaps flat
const int NO_VERTEX = -1;                // "no selection": never a position in the list

// ---- The state record ------------------------------------------------------------------------

struct EditorState {
    // Lists
    Vertex* vertices;        // the polyline in placement order; set by placing, grow and reset
    int32_t vertexCount;     // vertices in use; raised by placing, zeroed by reset
    int32_t vertexCapacity;  // slots in the vertices block; set with each new block
    int32_t* hull;           // positions of the hull's vertices, counter-clockwise; computeHull
    int32_t hullCount;       // entries in hull; set by computeHull, zeroed by reset

    // Display flags, toggled from the keyboard
    Flag showPolygon;   // draw the outline (key p)
    Flag closePolygon;  // close the outline back to the first vertex (key c)
    Flag showHull;      // draw the hull (key a)

    // Interaction
    Flag moveMode;           // a left press picks instead of placing (key m; reset clears it)
    Flag buttonHeld;         // the left button is down; set by onMouse
    Flag hasSelection;       // the last pick in move mode found a vertex; onMouse, reset
    int32_t selectedVertex;  // the picked vertex, or NO_VERTEX; pickVertex, onMouse, reset

    // View
    Viewport viewport;  // as last read back; setupProjection and onReshape write it
};

extern EditorState editor;

// ---- Vertex list operations ------------------------------------------------------------------

// Start-up: allocates the empty lists. Every counter and flag starts at zero with the record.
void initEditor();

// Moves the list to a block with (vertexCount / 10 + 1) * 10 slots, keeping every vertex.
// Called right after vertexCount reaches a multiple of VERTEX_BLOCK. When the memory cannot
// be had, the list stays as it was.
void growVertexList();

// True when the list has a slot for one more vertex, growing it first if it is full.
bool reserveVertexSlot();

// Selects the earliest vertex whose world pair lies within PICK_TOLERANCE of (x, y) on both
// axes (a square, edges included) and returns whether there was one.
bool pickVertex(double x, double y);

// Empties the scene and turns move mode off; the three display flags keep their values.
// The selection is cleared too, so nothing can be written through a vertex that is gone.
void resetScene();

// Releases the vertex list (at quit).
void releaseVertexList();
