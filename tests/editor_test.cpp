// The vertex list: growth, picking, reset, and what happens when memory runs out.
#include "app/view.h"
#include "tests/support/program_fixture.h"

namespace {

// Vertex i is clicked at window (10 + 7i, 20 + 5i).
class VertexList : public ProgramTest {
protected:
    void place(int n) {
        for (int i = 0; i < n; ++i) {
            int next = editor.vertexCount;
            click(10 + 7 * next, 20 + 5 * next);
        }
    }
    void expectDiagonalKept(int n) {
        ASSERT_EQ(editor.vertexCount, n);
        for (int i = 0; i < n; ++i) {
            Vertex expected = {windowToWorldX(10 + 7 * i), windowToWorldY(20 + 5 * i),
                               double(10 + 7 * i), double(600 - 20 - 5 * i)};
            EXPECT_EQ(editor.vertices[i], expected) << "vertex " << i;
        }
    }
};

TEST_F(VertexList, GrowsByTenAtEveryTenthVertexKeepingEveryVertex) {
    const struct {
        int count, capacity;
    } steps[] = {{9, 10}, {10, 20}, {19, 20}, {20, 30}, {21, 30}, {30, 40}};
    int placed = 0;
    for (auto step : steps) {
        place(step.count - placed);
        placed = step.count;
        EXPECT_EQ(editor.vertexCapacity, step.capacity) << "after " << placed;
        expectDiagonalKept(placed);
    }
}

TEST_F(VertexList, WithoutMemoryKeepsEveryVertexAndIgnoresOnlyTheClick) {
    place(9);
    heapLog.failuresFromNext = 0;
    place(1);  // the tenth fits, the growth after it fails
    EXPECT_EQ(editor.vertexCapacity, 10);
    click(700, 500);  // no free slot and still no memory: ignored
    click(700, 500);
    expectDiagonalKept(10);
    heapLog.failuresFromNext = NEVER_FAIL;
    click(700, 500);  // memory is back: grows, then places
    EXPECT_EQ(editor.vertexCount, 11);
    EXPECT_EQ(editor.vertexCapacity, 20);
    EXPECT_EQ(editor.vertices[10].pixelX, 700);
}

TEST_F(VertexList, ResetWithoutMemoryLeavesAnEmptySceneThatRecovers) {
    place(3);
    heapLog.failuresFromNext = 0;
    key('r');
    EXPECT_EQ(editor.vertexCount, 0);
    EXPECT_EQ(editor.hullCount, 0);
    click(400, 300);  // still no memory: nothing to write into
    EXPECT_EQ(editor.vertexCount, 0);
    heapLog.failuresFromNext = NEVER_FAIL;
    click(400, 300);
    EXPECT_EQ(editor.vertexCount, 1);
    EXPECT_EQ(editor.vertexCapacity, 10);
}

// Vertices at world (0, 0) and (0.005, 0): picking takes the earliest within the square.
struct Pick {
    double x, y;
    int selected;
};

const Pick PICKS[] = {
    {0, 0, 0},
    {0.01, 0.01, 0},  // the square's corner, edges included
    {-0.01, -0.01, 0},
    {0.0100001, 0, 1},  // just outside the first square, inside the second
    {0.0149999, 0.0099999, 1},
    {0.0150001, 0, NO_VERTEX},
    {0, 0.0100001, NO_VERTEX},
    {0, -0.0100001, NO_VERTEX},
    {0.0095, 0.0095, 0},  // a circle would miss this corner
};

TEST_F(ProgramTest, PickTakesTheEarliestVertexInsideTheSquare) {
    click(400, 300);
    click(402, 300);  // world x 0.005
    for (const Pick& p : PICKS) {
        EXPECT_EQ(pickVertex(p.x, p.y), p.selected != NO_VERTEX) << p.x << "," << p.y;
        EXPECT_EQ(editor.selectedVertex, p.selected) << p.x << "," << p.y;
    }
}

TEST_F(ProgramTest, ResetEmptiesTheSceneAndKeepsTheDisplayFlags) {
    for (int i = 0; i < 12; ++i) click(100 + 10 * i, 100 + 30 * (i % 2));
    for (unsigned char k : {'p', 'c', 'a', 'm'}) key(k);
    press(100, 100);  // picks vertex 0 and holds the button
    fakeGl.calls.clear();
    resetScene();
    EXPECT_EQ(fakeGl.calls,
              (std::vector<std::string>{"glClearColor(0,0,0,1)", "glClear(GL_COLOR_BUFFER_BIT)"}));
    EditorView expected{{}, {}, VERTEX_BLOCK, {1, 1, 1, 0, 1, 0}, NO_VERTEX};
    EXPECT_EQ(viewOfEditor(), expected);
}

}  // namespace
