// The frame: which primitives, in which colour, through which world points.
#include "render/scene.h"

#include "tests/support/program_fixture.h"
#include "tests/support/table_rows.h"

namespace {

using Calls = std::vector<std::string>;

const std::string RED = "glColor3d(1,0,0)", WHITE = "glColor3d(1,1,1)", GREEN = "glColor3d(0,1,0)",
                  BLUE = "glColor3d(0,0,1)", YELLOW = "glColor3d(1,1,0)";
const std::string END = "glEnd()";

// Window positions and the world points they map to in the 800 by 600 window.
const std::string A = "glVertex2d(-0.5,0.5)";  // (200, 150)
const std::string B = "glVertex2d(0.5,0.5)";   // (600, 150)
const std::string C = "glVertex2d(0,-0.5)";    // (400, 450)
const std::string D = "glVertex2d(0,0)";       // (400, 300), inside A B C

Calls frame(const Calls& layers) {
    Calls calls = {"glClear(GL_COLOR_BUFFER_BIT)",
                   "glDisable(GL_TEXTURE_2D)",
                   "glEnable(GL_BLEND)",
                   "glPointSize(5)",
                   "glLineWidth(2)",
                   BLUE};
    calls.insert(calls.end(), layers.begin(), layers.end());
    calls.insert(calls.end(), {"glFlush()", "glutSwapBuffers()", "glutPostRedisplay()"});
    return calls;
}

struct Scene {
    const char* name;
    int vertices;      // how many of A, B, C, D are clicked, in that order
    const char* keys;  // then these keys
    bool holdOnB;      // then a press on B (in move mode: picks it)
    Calls frame;
};

void PrintTo(const Scene& row, std::ostream* out) { *out << row.name; }

const Scene SCENES[] = {
    {"empty", 0, "", false, frame({RED, "glBegin(GL_POINTS)", END})},
    {"one vertex is white", 1, "", false, frame({RED, "glBegin(GL_POINTS)", WHITE, A, END})},
    {"last white, earlier red", 3, "", false,
     frame({RED, "glBegin(GL_POINTS)", A, B, WHITE, C, END})},
    {"open outline", 2, "p", false,
     frame({"glBegin(GL_LINE_STRIP)", A, B, END, RED, "glBegin(GL_POINTS)", A, WHITE, B, END})},
    {"closed outline", 3, "pc", false,
     frame(
         {"glBegin(GL_LINE_LOOP)", A, B, C, END, RED, "glBegin(GL_POINTS)", A, B, WHITE, C, END})},
    {"closing alone draws no outline", 2, "c", false,
     frame({RED, "glBegin(GL_POINTS)", A, WHITE, B, END})},
    {"hull through the world points", 4, "a", false,
     frame({YELLOW, "glBegin(GL_LINE_LOOP)", C, B, A, END, RED, "glBegin(GL_POINTS)", A, B, C,
            WHITE, D, END})},
    {"no hull for two vertices", 2, "a", false,
     frame({RED, "glBegin(GL_POINTS)", A, WHITE, B, END})},
    {"move mode: all green", 3, "m", false,
     frame({RED, "glBegin(GL_POINTS)", GREEN, A, GREEN, B, WHITE, GREEN, C, END})},
    {"move mode: the selected one white", 3, "m", true,
     frame({RED, "glBegin(GL_POINTS)", GREEN, A, WHITE, B, WHITE, GREEN, C, END})},
    {"everything on", 3, "pcam", false,
     frame({"glBegin(GL_LINE_LOOP)",
            A,
            B,
            C,
            END,
            YELLOW,
            "glBegin(GL_LINE_LOOP)",
            C,
            B,
            A,
            END,
            RED,
            "glBegin(GL_POINTS)",
            GREEN,
            A,
            GREEN,
            B,
            WHITE,
            GREEN,
            C,
            END})},
};

class Frame : public ProgramTest, public testing::WithParamInterface<Scene> {};

TEST_P(Frame, DrawsTheLayersInOrder) {
    const int positions[][2] = {{200, 150}, {600, 150}, {400, 450}, {400, 300}};
    for (int i = 0; i < GetParam().vertices; ++i) click(positions[i][0], positions[i][1]);
    for (const char* k = GetParam().keys; *k; ++k) key(static_cast<unsigned char>(*k));
    if (GetParam().holdOnB) press(600, 150);
    EditorView before = viewOfEditor();
    fakeGl.calls.clear();
    onDisplay();
    EXPECT_EQ(fakeGl.calls, GetParam().frame);
    EXPECT_EQ(viewOfEditor(), before);  // the frame only reads
}

INSTANTIATE_TEST_SUITE_P(Scenes, Frame, testing::ValuesIn(SCENES), rowName<Scene>);

TEST_F(ProgramTest, NoHullIsDrawnUntilOneIsComputed) {
    key('a');
    press(200, 150), press(600, 150), press(400, 450);  // no release yet: nothing computed
    fakeGl.calls.clear();
    onDisplay();
    EXPECT_EQ(callsFrom(YELLOW),
              (Calls{YELLOW, "glBegin(GL_LINE_LOOP)", END, RED, "glBegin(GL_POINTS)", A, B, WHITE,
                     C, END, "glFlush()", "glutSwapBuffers()", "glutPostRedisplay()"}));
}

TEST_F(ProgramTest, TheHullFollowsADraggedVertexUntilTheRelease) {
    click(200, 150), click(600, 150), click(400, 450);
    key('a'), key('m');
    press(600, 150);
    drag(700, 300);
    fakeGl.calls.clear();
    onDisplay();
    Calls hull = callsFrom(YELLOW);
    hull.resize(6);
    EXPECT_EQ(hull, (Calls{YELLOW, "glBegin(GL_LINE_LOOP)", C, "glVertex2d(0.75,0)", A, END}));
}

}  // namespace
