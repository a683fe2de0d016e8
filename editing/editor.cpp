#include "editing/editor.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "editing/memory.h"

// ---- Storage ---------------------------------------------------------------------------------

static Vertex* allocateVertices(int32_t slots) {
    return static_cast<Vertex*>(allocateBlock(sizeof(Vertex) * static_cast<size_t>(slots)));
}

// An empty list with room for one block; on failure the list is null with no room, and the
// next placement tries again through reserveVertexSlot.
static void allocateEmptyLists() {
    editor.vertices = allocateVertices(VERTEX_BLOCK);
    editor.vertexCapacity = editor.vertices ? VERTEX_BLOCK : 0;
    editor.vertexCount = 0;
    editor.hull = static_cast<int32_t*>(allocateBlock(sizeof(int32_t)));
    editor.hullCount = 0;
}

static void clearSelection() {
    editor.hasSelection = 0;
    editor.selectedVertex = NO_VERTEX;
}

void initEditor() {
    clearSelection();
    allocateEmptyLists();
}

void growVertexList() {
    int32_t slots = (editor.vertexCount / VERTEX_BLOCK + 1) * VERTEX_BLOCK;
    Vertex* block = allocateVertices(slots);
    if (!block) return;
    if (editor.vertexCount > 0) {
        std::memcpy(block, editor.vertices,
                    sizeof(Vertex) * static_cast<size_t>(editor.vertexCount));
    }
    releaseBlock(editor.vertices);
    editor.vertices = block;
    editor.vertexCapacity = slots;
}

bool reserveVertexSlot() {
    if (editor.vertexCount >= editor.vertexCapacity) growVertexList();
    return editor.vertexCount < editor.vertexCapacity;
}

// ---- Queries and commands --------------------------------------------------------------------

bool pickVertex(double x, double y) {
    for (int32_t i = 0; i < editor.vertexCount; ++i) {
        const Vertex& v = editor.vertices[i];
        if (std::fabs(v.worldX - x) <= PICK_TOLERANCE &&
            std::fabs(v.worldY - y) <= PICK_TOLERANCE) {
            editor.selectedVertex = i;
            return true;
        }
    }
    editor.selectedVertex = NO_VERTEX;
    return false;
}

void resetScene() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    editor.vertexCount = 0;
    editor.hullCount = 0;
    editor.moveMode = 0;
    clearSelection();
    releaseBlock(editor.vertices);
    releaseBlock(editor.hull);
    allocateEmptyLists();
}

void releaseVertexList() {
    releaseBlock(editor.vertices);
    editor.vertices = nullptr;
    editor.vertexCapacity = 0;
    editor.vertexCount = 0;
}
