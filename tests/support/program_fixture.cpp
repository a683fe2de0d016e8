#include "tests/support/program_fixture.h"

#include <cstring>

bool operator==(const Vertex& a, const Vertex& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool EditorView::operator==(const EditorView& o) const {
    return vertices == o.vertices && hull == o.hull && capacity == o.capacity &&
           std::equal(flags, flags + 6, o.flags) && selectedVertex == o.selectedVertex;
}

EditorView viewOfEditor() {
    return {{editor.vertices, editor.vertices + editor.vertexCount},
            {editor.hull, editor.hull + editor.hullCount},
            editor.vertexCapacity,
            {editor.showPolygon, editor.closePolygon, editor.showHull, editor.moveMode,
             editor.buttonHeld, editor.hasSelection},
            editor.selectedVertex};
}

void ProgramTest::SetUp() {
    resetFakeGl();
    resetHeapLog();
    static char name[] = "polyhull";
    static char* argv[] = {name, nullptr};
    runProgram(1, argv);
}

void ProgramTest::TearDown() {
    releaseVertexList();
    releaseBlock(editor.hull);
    editor = EditorState{};
}

void ProgramTest::press(int x, int y, int modifiers) {
    fakeGl.modifiers = modifiers;
    fakeGl.callbacks.mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
}

void ProgramTest::release(int x, int y) { fakeGl.callbacks.mouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y); }

void ProgramTest::click(int x, int y, int modifiers) {
    press(x, y, modifiers);
    release(x, y);
}

void ProgramTest::drag(int x, int y) { fakeGl.callbacks.motion(x, y); }

void ProgramTest::key(unsigned char k) { fakeGl.callbacks.keyboard(k, 0, 0); }

void ProgramTest::rightClick(int x, int y) {
    fakeGl.callbacks.mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, x, y);
    fakeGl.callbacks.mouse(GLUT_RIGHT_BUTTON, GLUT_UP, x, y);
}

void ProgramTest::placeTriangle() {
    click(100, 100);
    click(500, 100);
    click(300, 400);
}
