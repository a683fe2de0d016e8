// Starts the program against the recording stand-ins and offers the events a window sends.
#pragma once

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "editing/editor.h"
#include "tests/support/fake_gl.h"
#include "tests/support/fake_memory.h"

bool operator==(const Vertex& a, const Vertex& b);

// What a test can see of the editor: every field but the storage addresses.
struct EditorView {
    std::vector<Vertex> vertices;
    std::vector<int> hull;
    int capacity;
    int flags[6];  // showPolygon, closePolygon, showHull, moveMode, buttonHeld, hasSelection
    int selectedVertex;

    bool operator==(const EditorView& o) const;
};

EditorView viewOfEditor();

class ProgramTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Events as GLUT delivers them, window coordinates with y down.
    void press(int x, int y, int modifiers = 0);
    void release(int x, int y);
    void click(int x, int y, int modifiers = 0);  // press and release
    void drag(int x, int y);
    void key(unsigned char k);
    void rightClick(int x, int y);
    void placeTriangle();  // clicks at (100, 100), (500, 100) and (300, 400)
};
