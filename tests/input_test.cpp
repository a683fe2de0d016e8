// Mouse and keyboard commands, as event sequences against the editor state.
#include <GL/freeglut.h>  // GLUT_ACTIVE_SUPER, which freeglut sets for NumLock

#include <algorithm>
#include <climits>
#include <cstring>

#include "app/view.h"
#include "render/scene.h"
#include "tests/support/program_fixture.h"
#include "tests/support/table_rows.h"

namespace {

// Where a click at window (x, y) lands in the 800 by 600 window: world and pixel pairs.
Vertex at(int x, int y) {
    return {-1 + 2.0 * x / 800, -1 + 2.0 * (600 - y) / 600, double(x), 600.0 - y};
}

// ---- Placing and snapping --------------------------------------------------------------------

struct Placement {
    const char* name;
    int x, y, modifiers;  // the second click, after a first one at window (100, 100)
    Vertex expected;
};

void PrintTo(const Placement& row, std::ostream* out) { *out << row.name; }

const Vertex FIRST = at(100, 100);  // world (-0.75, 2/3), pixel (100, 500)

const Placement PLACEMENTS[] = {
    {"plain click", 300, 130, 0, at(300, 130)},
    {"shift, shallow: level", 300, 130, GLUT_ACTIVE_SHIFT, {-0.25, FIRST.worldY, 300, 500}},
    {"shift, steep: plumb", 120, 400, GLUT_ACTIVE_SHIFT, {-0.75, at(120, 400).worldY, 100, 200}},
    {"shift, straight below: plumb", 100, 400, GLUT_ACTIVE_SHIFT, at(100, 400)},
    {"shift, 45 degrees in world units: level",
     500,
     400,
     GLUT_ACTIVE_SHIFT,
     {at(500, 400).worldX, FIRST.worldY, 500, 500}},
    {"shift, 45 degrees upward: level",
     60,
     70,
     GLUT_ACTIVE_SHIFT,
     {at(60, 70).worldX, FIRST.worldY, 60, 500}},
    {"shift, 45 degrees in pixels is steep: plumb",
     400,
     400,
     GLUT_ACTIVE_SHIFT,
     {-0.75, at(400, 400).worldY, 100, 200}},
    {"shift with ctrl: no snap", 300, 130, GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL, at(300, 130)},
    {"shift with alt: no snap", 300, 130, GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT, at(300, 130)},
    {"shift with NumLock (super): snaps",
     300,
     130,
     GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_SUPER,
     {-0.25, FIRST.worldY, 300, 500}},
    {"ctrl alone: no snap", 120, 400, GLUT_ACTIVE_CTRL, at(120, 400)},
    {"on top of the first", 100, 100, GLUT_ACTIVE_SHIFT, FIRST},
};

class Placing : public ProgramTest, public testing::WithParamInterface<Placement> {};

TEST_P(Placing, SecondVertex) {
    click(100, 100);
    click(GetParam().x, GetParam().y, GetParam().modifiers);
    ASSERT_EQ(editor.vertexCount, 2);
    EXPECT_EQ(editor.vertices[0], FIRST);
    const Vertex& v = editor.vertices[1];
    const Vertex& e = GetParam().expected;
    EXPECT_DOUBLE_EQ(v.worldX, e.worldX);
    EXPECT_DOUBLE_EQ(v.worldY, e.worldY);
    EXPECT_EQ(v.pixelX, e.pixelX);
    EXPECT_EQ(v.pixelY, e.pixelY);
}

INSTANTIATE_TEST_SUITE_P(Clicks, Placing, testing::ValuesIn(PLACEMENTS), rowName<Placement>);

TEST_F(ProgramTest, FirstClicksLandWhereClickedWithOrWithoutShift) {
    const int corners[][2] = {{0, 0}, {799, 0}, {0, 599}, {799, 599}, {400, 300}};
    int modifiers = GLUT_ACTIVE_SHIFT;
    for (auto c : corners) {
        key('r');
        click(c[0], c[1], modifiers);
        EXPECT_EQ(editor.vertexCount, 1);
        EXPECT_EQ(editor.vertices[0], at(c[0], c[1]));
        EXPECT_EQ(editor.buttonHeld, 0);
        modifiers ^= GLUT_ACTIVE_SHIFT;
    }
}

// ---- Picking and moving ----------------------------------------------------------------------

// A vertex placed at window (400, 300); in move mode a press at an offset picks it or not.
TEST_F(ProgramTest, MoveModePressPicksInsideTheSquare) {
    const struct {
        int dx, dy;
        bool picks;
    } presses[] = {{0, 0, true},  {3, 2, true},   {-3, -2, true}, {3, -2, true},
                   {5, 0, false}, {-5, 0, false}, {0, 4, false},  {0, -4, false}};
    click(400, 300);
    key('m');
    for (auto p : presses) {
        press(400 + p.dx, 300 + p.dy);
        EXPECT_EQ(editor.hasSelection, p.picks) << p.dx << "," << p.dy;
        EXPECT_EQ(editor.selectedVertex, p.picks ? 0 : NO_VERTEX);
        EXPECT_EQ(editor.vertexCount, 1);  // nothing placed in move mode
        drag(10, 10);                      // a miss moves nothing; a hit moves the world pair
        release(400, 300);                 // put back where it was
        EXPECT_EQ(editor.vertices[0], at(400, 300));
    }
}

TEST_F(ProgramTest, PickDragReleaseMovesTheVertexAndRecomputesOnRelease) {
    placeTriangle();
    std::vector<int> before = viewOfEditor().hull;
    key('m');
    press(500, 100);
    EXPECT_EQ(editor.buttonHeld, 1);
    resetHeapLog();
    drag(600, 50);
    drag(650, 20);
    EXPECT_EQ(editor.vertices[1].worldX, windowToWorldX(650));
    EXPECT_EQ(editor.vertices[1].worldY, windowToWorldY(20));
    EXPECT_EQ(editor.vertices[1].pixelX, 500);  // the pixel pair waits for the release
    EXPECT_EQ(heapLog.allocations, 0);          // no hull while dragging
    release(700, 10);
    EXPECT_EQ(editor.vertices[1], at(700, 10));
    EXPECT_EQ(editor.hasSelection, 0);
    EXPECT_EQ(editor.selectedVertex, NO_VERTEX);
    EXPECT_EQ(heapLog.allocations, 2);  // recomputed once, on the release
    EXPECT_EQ(viewOfEditor().hull, before);
}

TEST_F(ProgramTest, EveryLeftReleaseWithThreeVerticesComputesTheHull) {
    const struct {
        int clicks;
        bool moveMode;
        int hullBlocks;
    } cases[] = {{1, false, 0}, {2, false, 0}, {3, false, 2}, {2, true, 0}, {3, true, 2}};
    for (auto c : cases) {
        key('r');
        for (int i = 0; i < c.clicks; ++i) click(100 + 200 * i, 100 + 150 * (i % 2));
        if (c.moveMode) key('m');
        resetHeapLog();
        release(790, 590);  // nothing under it, nothing selected: only the hull
        EXPECT_EQ(heapLog.allocations, c.hullBlocks) << c.clicks << (c.moveMode ? " moving" : "");
    }
}

// ---- Resets and events in any order ----------------------------------------------------------

class ResetMidDrag : public ProgramTest, public testing::WithParamInterface<char> {};

TEST_P(ResetMidDrag, NothingIsWrittenThroughOrDrawnFromTheOldSelection) {
    placeTriangle();
    key('m');
    press(300, 400);  // picks vertex 2 and holds the button
    if (GetParam() == 'r') key('r');
    if (GetParam() == 'R') fakeGl.callbacks.mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
    key('m');        // move mode back on, the button still held
    drag(700, 500);  // must not write into the emptied list
    EXPECT_EQ(editor.vertexCount, 0);
    EXPECT_EQ(editor.hasSelection, 0);
    key('m'), release(700, 500);
    click(200, 200), click(250, 200), click(300, 250);  // new vertices fill positions 0..2
    key('m');
    EditorView placed = viewOfEditor();
    release(700, 500);  // a release with nothing picked puts nothing down
    EXPECT_EQ(viewOfEditor().vertices, placed.vertices);
    fakeGl.calls.clear();
    onDisplay();
    EXPECT_EQ(std::count(fakeGl.calls.begin(), fakeGl.calls.end(), "glColor3d(0,1,0)"), 3)
        << "a selection from before the reset is drawn white";
}

INSTANTIATE_TEST_SUITE_P(KeyAndRightButton, ResetMidDrag, testing::Values('r', 'R'));

TEST_F(ProgramTest, MoveModeTurnedOffMidDragLeavesTheVertexWhereDragged) {
    placeTriangle();
    key('m');
    press(500, 100);
    drag(600, 200);
    key('m');
    resetHeapLog();
    release(700, 300);
    const Vertex& v = editor.vertices[1];
    EXPECT_EQ(v.worldX, windowToWorldX(600));
    EXPECT_EQ(v.worldY, windowToWorldY(200));
    EXPECT_EQ(v.pixelX, 500);
    EXPECT_EQ(v.pixelY, 500);
    EXPECT_EQ(editor.hasSelection, 1);  // kept until the next press in move mode
    EXPECT_EQ(editor.selectedVertex, 1);
    EXPECT_EQ(heapLog.allocations, 2);  // the hull is still recomputed
}

TEST_F(ProgramTest, EventsInAnyOrderWithAnyCoordinatesKeepTheStateSound) {
    const int far[] = {INT_MIN, -100000, -1, 0, 799, 800, 100000, INT_MAX};
    for (int x : far) {
        release(x, x);  // a release with no press
        drag(x, -(x / 2));
        fakeGl.callbacks.mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, x, x);
        fakeGl.callbacks.mouse(GLUT_LEFT_BUTTON, 7, x, x);  // no such state
    }
    EXPECT_EQ(editor.vertexCount, 0);
    placeTriangle();
    key('m');
    press(100, 100);
    for (int x : far) drag(x, x);  // far outside the window during a drag
    release(INT_MIN, INT_MAX);
    EXPECT_EQ(editor.vertexCount, 3);
    EXPECT_EQ(editor.vertices[0].pixelX, double(INT_MIN));
    EXPECT_EQ(editor.vertices[0].pixelY, 600.0 - INT_MAX);
    EXPECT_GE(editor.hullCount, 2);
}

TEST_F(ProgramTest, EveryMouseEventRequestsARedisplay) {
    const int events[][2] = {{GLUT_LEFT_BUTTON, GLUT_DOWN},   {GLUT_LEFT_BUTTON, GLUT_UP},
                             {GLUT_RIGHT_BUTTON, GLUT_DOWN},  {GLUT_RIGHT_BUTTON, GLUT_UP},
                             {GLUT_MIDDLE_BUTTON, GLUT_DOWN}, {GLUT_LEFT_BUTTON, 3}};
    for (auto e : events) {
        fakeGl.calls.clear();
        fakeGl.callbacks.mouse(e[0], e[1], 10, 10);
        ASSERT_FALSE(fakeGl.calls.empty());
        EXPECT_EQ(fakeGl.calls.back(), "glutPostRedisplay()") << e[0] << "," << e[1];
    }
    fakeGl.calls.clear();
    drag(20, 20);
    EXPECT_EQ(fakeGl.calls, (std::vector<std::string>{"glutPostRedisplay()"}));
}

TEST_F(ProgramTest, RightReleaseAndMiddleButtonChangeNothing) {
    placeTriangle();
    EditorView before = viewOfEditor();
    fakeGl.callbacks.mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 10, 10);
    fakeGl.callbacks.mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 10, 10);
    fakeGl.callbacks.mouse(GLUT_MIDDLE_BUTTON, GLUT_UP, 10, 10);
    EXPECT_EQ(viewOfEditor(), before);
    rightClick(10, 10);
    EXPECT_EQ(editor.vertexCount, 0);
}

// ---- Keys ------------------------------------------------------------------------------------

// Every key from a state with vertices and a mix of flags: the four toggles flip exactly
// their flag, r resets, and every other key (upper case included) changes nothing.
TEST_F(ProgramTest, EveryKeyDoesItsOneThing) {
    for (int code = 0; code < 256; ++code) {
        if (code == 'q' || code == 27) continue;
        key('r');
        placeTriangle();
        editor.showPolygon = 1, editor.closePolygon = 0, editor.showHull = 0;
        key('m');
        EditorView expected = viewOfEditor();
        const char* toggles = "pcam";  // in the order of EditorView::flags
        const char* toggle = code ? std::strchr(toggles, code) : nullptr;
        if (toggle) expected.flags[toggle - toggles] = !expected.flags[toggle - toggles];
        if (code == 'r') expected = {{}, {}, VERTEX_BLOCK, {1, 0, 0, 0, 0, 0}, NO_VERTEX};
        fakeGl.calls.clear();
        key(static_cast<unsigned char>(code));
        EXPECT_EQ(viewOfEditor(), expected) << "key " << code;
        if (code != 'r') {
            EXPECT_TRUE(fakeGl.calls.empty()) << "key " << code;  // no redisplay requested
        }
    }
}

TEST_F(ProgramTest, TogglingTwiceRestoresEveryFlag) {
    click(100, 100);
    EditorView before = viewOfEditor();
    for (unsigned char k : {'p', 'c', 'm', 'a'}) key(k), key(k);
    EXPECT_EQ(viewOfEditor(), before);
}

using QuitDeathTest = ProgramTest;

TEST_F(QuitDeathTest, QAndEscapeExitWithStatusZero) {
    placeTriangle();
    key('m'), press(100, 100);  // mid-drag makes no difference
    EXPECT_EXIT(key('q'), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(key(27), testing::ExitedWithCode(0), "");
}

}  // namespace
