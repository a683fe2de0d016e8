// Start-up, reshape and the view mapping, through the recording stand-ins.
#include <climits>
#include <cmath>

#include "app/view.h"
#include "editing/input.h"
#include "render/scene.h"
#include "tests/support/program_fixture.h"

namespace {

using Calls = std::vector<std::string>;

TEST_F(ProgramTest, StartUpRunsInOrderAndEntersTheLoop) {
    EXPECT_EQ(fakeGl.calls, (Calls{
                                "glutInit(1)",
                                "glutInitDisplayMode(2)",
                                "glutInitWindowSize(800,600)",
                                "glutInitWindowPosition(200,200)",
                                "glutCreateWindow(Quorvan: Homework 1 Programming Assignment)",
                                "glMatrixMode(GL_PROJECTION)",
                                "glLoadIdentity()",
                                "gluOrtho2D(-1,1,-1,1)",
                                "glMatrixMode(GL_MODELVIEW)",
                                "glLoadIdentity()",
                                "glGetIntegerv(GL_VIEWPORT)",
                                "glutDisplayFunc()",
                                "glutMouseFunc()",
                                "glutMotionFunc()",
                                "glutPassiveMotionFunc()",
                                "glutKeyboardFunc()",
                                "glutReshapeFunc()",
                                "glutMainLoop()",
                            }));
    EXPECT_STREQ(fakeGl.initArgv[0], "polyhull");
    EXPECT_EQ(fakeGl.callbacks.display, &onDisplay);
    EXPECT_EQ(fakeGl.callbacks.mouse, &onMouse);
    EXPECT_EQ(fakeGl.callbacks.motion, &onMotion);
    EXPECT_EQ(fakeGl.callbacks.passiveMotion, &onPassiveMotion);
    EXPECT_EQ(fakeGl.callbacks.keyboard, &onKeyboard);
    EXPECT_EQ(fakeGl.callbacks.reshape, &onReshape);
}

TEST_F(ProgramTest, StartsWithEmptyListsAndEverythingOff) {
    EditorView expected{{}, {}, VERTEX_BLOCK, {0, 0, 0, 0, 0, 0}, NO_VERTEX};
    EXPECT_EQ(viewOfEditor(), expected);
    EXPECT_EQ(heapLog.allocations, 2);  // the vertex list and the first hull storage
    EXPECT_EQ(editor.viewport.width, 800);
    EXPECT_EQ(editor.viewport.height, 600);
}

TEST_F(ProgramTest, ReshapeSetsTheViewportAndLeavesTheIdentityProjection) {
    fakeGl.calls.clear();
    fakeGl.callbacks.reshape(1000, 500);
    EXPECT_EQ(fakeGl.calls, (Calls{"glMatrixMode(GL_PROJECTION)", "glLoadIdentity()",
                                   "glViewport(0,0,1000,500)", "glGetIntegerv(GL_VIEWPORT)"}));
    EXPECT_EQ(editor.viewport.width, 1000);
    EXPECT_EQ(editor.viewport.height, 500);
}

TEST_F(ProgramTest, PassiveMotionChangesNothing) {
    click(100, 100);
    EditorView before = viewOfEditor();
    fakeGl.calls.clear();
    fakeGl.callbacks.passiveMotion(400, 300);
    EXPECT_EQ(viewOfEditor(), before);
    EXPECT_TRUE(fakeGl.calls.empty());
}

struct Mapping {
    int width, height;      // the window after a reshape
    int x, y;               // a window position, y down
    double worldX, worldY;  // where the world box puts it
    double pixelX, pixelY;  // the pixel frame, y up
};

const Mapping MAPPINGS[] = {
    {800, 600, 400, 300, 0, 0, 400, 300},  // centre
    {800, 600, 0, 0, -1, 1, 0, 600},       // top-left corner
    {800, 600, 800, 600, 1, -1, 800, 0},   // just past the bottom-right corner
    {800, 600, 0, 600, -1, -1, 0, 0},      // bottom-left
    {800, 600, 200, 450, -0.5, -0.5, 200, 150},
    {1000, 500, 500, 250, 0, 0, 500, 250},  // a resized window keeps its centre at the origin
    {1000, 500, 0, 0, -1, 1, 0, 500},
    {301, 97, 301, 97, 1, -1, 301, 0},  // odd sizes still reach the corners
};

TEST_F(ProgramTest, WindowPositionsMapToWorldAndPixelFrames) {
    for (const Mapping& m : MAPPINGS) {
        onReshape(m.width, m.height);
        SCOPED_TRACE(testing::Message()
                     << m.width << "x" << m.height << " at " << m.x << "," << m.y);
        EXPECT_DOUBLE_EQ(windowToWorldX(m.x), m.worldX);
        EXPECT_DOUBLE_EQ(windowToWorldY(m.y), m.worldY);
        EXPECT_EQ(windowToPixelX(m.x), m.pixelX);
        EXPECT_EQ(windowToPixelY(m.y), m.pixelY);
    }
}

TEST_F(ProgramTest, FarOffPositionsStayFinite) {
    for (int v : {INT_MIN, INT_MIN + 1, -1, INT_MAX}) {
        EXPECT_TRUE(std::isfinite(windowToWorldX(v)));
        EXPECT_TRUE(std::isfinite(windowToWorldY(v)));
        EXPECT_EQ(windowToPixelY(v), 600.0 - v);
    }
}

}  // namespace
