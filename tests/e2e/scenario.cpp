// End-to-end scenario: everything a person does with polyhull, on the real binary in a real
// X server, each step checked by the pixels the window shows.
//
//   e2e_driver PROGRAM ARTIFACTS_DIR [SCREENSHOT_PNG]
#include <X11/keysym.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <sstream>

#include "tests/e2e/x_session.h"

namespace {

const char* const TITLE = "Quorvan: Homework 1 Programming Assignment";

std::string describe(Rgb colour) {
    switch (colour) {
        case BLACK: return "black";
        case RED: return "red";
        case GREEN: return "green";
        case BLUE: return "blue";
        case YELLOW: return "yellow";
        case WHITE: return "white";
        default: {
            char text[16];
            std::snprintf(text, sizeof text, "#%06x", colour);
            return text;
        }
    }
}

std::string at(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

bool blockIs(const Frame& f, int cx, int cy, int half, Rgb colour) {
    for (int y = cy - half; y <= cy + half; ++y) {
        for (int x = cx - half; x <= cx + half; ++x) {
            if (f.at(x, y) != colour) return false;
        }
    }
    return true;
}

// A 5-pixel point of the colour for a click at (x, y): a 5 by 5 block, nothing of its colour
// just beyond its sides, centred within two pixels of the click (GL centres a point on the
// pixel grid, and window rows count down while GL's count up).
std::string pointAt(const Frame& f, int x, int y, Rgb colour) {
    for (int cy = y - 2; cy <= y + 2; ++cy) {
        for (int cx = x - 2; cx <= x + 2; ++cx) {
            if (blockIs(f, cx, cy, 2, colour) && f.at(cx - 3, cy) != colour &&
                f.at(cx + 3, cy) != colour && f.at(cx, cy - 3) != colour &&
                f.at(cx, cy + 3) != colour) {
                return "";
            }
        }
    }
    return "expected a 5-pixel " + describe(colour) + " point at " + at(x, y) + ", found " +
           describe(f.at(x, y)) + " there";
}

bool near(const Frame& f, int x, int y, Rgb colour, int radius) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (f.at(x + dx, y + dy) == colour) return true;
        }
    }
    return false;
}

std::string lineThrough(const Frame& f, int x, int y, Rgb colour) {
    if (near(f, x, y, colour, 2)) return "";
    return "expected a " + describe(colour) + " line through " + at(x, y) + ", found " +
           describe(f.at(x, y)) + " there";
}

std::string nothingNear(const Frame& f, int x, int y, Rgb colour) {
    if (!near(f, x, y, colour, 3)) return "";
    return "expected no " + describe(colour) + " near " + at(x, y) + ", found some";
}

std::string allBlack(const Frame& f) {
    if (f.width == 0) return "expected a frame, could not read the window";
    for (int y = 0; y < f.height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            if (f.at(x, y) != BLACK) {
                return "expected a black frame, found " + describe(f.at(x, y)) + " at " + at(x, y);
            }
        }
    }
    return "";
}

std::string sameAs(const Frame& f, const Frame& expected) {
    if (f.width != expected.width || f.height != expected.height) return "frame size changed";
    for (size_t i = 0; i < f.pixels.size(); ++i) {
        if (f.pixels[i] != expected.pixels[i]) {
            int x = int(i) % f.width, y = int(i) / f.width;
            return "expected the earlier frame's " + describe(expected.pixels[i]) + " at " +
                   at(x, y) + ", found " + describe(f.pixels[i]);
        }
    }
    return "";
}

std::string firstProblem(std::initializer_list<std::string> problems) {
    for (const std::string& p : problems) {
        if (!p.empty()) return p;
    }
    return "";
}

void step(const std::string& name) {
    session.step = name;
    std::printf("step: %s\n", name.c_str());
    std::fflush(stdout);
}

// ---- The scenario ----------------------------------------------------------------------------

// The polyline: P0, P1 (a Shift-click snapped level with P0), P2, and P3 inside the triangle.
const int P0[] = {200, 150}, P1[] = {600, 150}, P2[] = {400, 450}, P3[] = {400, 300};

void checkWindow() {
    step("window title, size and position");
    int x, y, width, height;
    windowGeometry(&x, &y, &width, &height);
    if (windowTitle() != TITLE) fail("expected the title \"" + std::string(TITLE) + "\"");
    if (width != 800 || height != 600 || x != 200 || y != 200) {
        fail("expected 800x600 at (200, 200), found " + std::to_string(width) + "x" +
             std::to_string(height) + " at " + at(x, y));
    }
    step("an empty black frame");
    waitForFrame(allBlack);
}

void drawPolyline() {
    step("a click places a white point");
    click(P0[0], P0[1]);
    waitForFrame([](const Frame& f) { return pointAt(f, P0[0], P0[1], WHITE); });

    step("a Shift-click snaps level with the previous vertex; the earlier point turns red");
    movePointer(P1[0], P1[1] + 15);
    holdShift(true);
    pressButton(1);
    releaseButton(1);
    holdShift(false);
    waitForFrame([](const Frame& f) {
        return firstProblem({pointAt(f, P1[0], P1[1], WHITE), pointAt(f, P0[0], P0[1], RED),
                             nothingNear(f, P1[0], P1[1] + 15, WHITE)});
    });

    step("a third and fourth click; the release computes the hull, not yet shown");
    click(P2[0], P2[1]);
    click(P3[0], P3[1]);
    waitForFrame([](const Frame& f) {
        return firstProblem({pointAt(f, P2[0], P2[1], RED), pointAt(f, P3[0], P3[1], WHITE),
                             nothingNear(f, 500, 300, YELLOW)});
    });

    step("a shows the yellow hull through P0, P1, P2");
    typeKey(XK_a);
    waitForFrame([](const Frame& f) {
        return firstProblem({lineThrough(f, 400, 150, YELLOW), lineThrough(f, 500, 300, YELLOW),
                             lineThrough(f, 300, 300, YELLOW), nothingNear(f, 400, 375, BLUE),
                             pointAt(f, P3[0], P3[1], WHITE)});
    });
}

void showOutline(const std::string& screenshot) {
    step("p shows the blue outline, open");
    typeKey(XK_p);
    waitForFrame([](const Frame& f) {
        return firstProblem({lineThrough(f, 400, 375, BLUE), nothingNear(f, 300, 225, BLUE)});
    });

    step("c closes it");
    typeKey(XK_c);
    waitForFrame([](const Frame& f) { return lineThrough(f, 300, 225, BLUE); });
    Frame picture = grabFrame();
    writePng(picture, session.artifacts + "/screenshot.png");
    if (!screenshot.empty()) writePng(picture, screenshot);
}

void moveVertex() {
    step("m turns every point green");
    typeKey(XK_m);
    waitForFrame([](const Frame& f) {
        return firstProblem({pointAt(f, P0[0], P0[1], GREEN), pointAt(f, P1[0], P1[1], GREEN),
                             pointAt(f, P2[0], P2[1], GREEN), pointAt(f, P3[0], P3[1], GREEN)});
    });

    step("a press on a vertex selects it (white)");
    movePointer(P1[0], P1[1]);
    pressButton(1);
    waitForFrame([](const Frame& f) { return pointAt(f, P1[0], P1[1], WHITE); });

    step("a drag moves it, the hull edges follow");
    movePointer(650, 120);
    movePointer(700, 100);
    waitForFrame([](const Frame& f) {
        return firstProblem({pointAt(f, 700, 100, WHITE), nothingNear(f, P1[0], P1[1], WHITE),
                             lineThrough(f, 450, 125, YELLOW), lineThrough(f, 550, 275, YELLOW)});
    });

    step("the release puts it down, green again, with the hull recomputed");
    releaseButton(1);
    waitForFrame([](const Frame& f) {
        return firstProblem({pointAt(f, 700, 100, GREEN), lineThrough(f, 450, 125, YELLOW),
                             lineThrough(f, 550, 275, YELLOW), lineThrough(f, 400, 375, BLUE)});
    });
}

void upperCaseDoesNothing() {
    step("upper-case P C M A R Q change nothing");
    Frame before = grabFrame();
    for (unsigned long key : {XK_p, XK_c, XK_m, XK_a, XK_r, XK_q}) typeKey(key, true);
    // Keys are handled in order: once this p shows, the upper-case ones have been handled.
    typeKey(XK_p);
    waitForFrame([](const Frame& f) { return nothingNear(f, 400, 375, BLUE); });
    typeKey(XK_p);
    waitForFrame([&before](const Frame& f) { return sameAs(f, before); });
    if (waitpid(session.program, nullptr, WNOHANG) != 0) fail("the program ended");
}

void clearScene() {
    step("a right click clears the scene to black");
    click(100, 500, 3);
    waitForFrame(allBlack);

    step("with NumLock on, a Shift-click snaps plumb under the previous vertex");
    click(100, 100);
    typeKey(XK_Num_Lock);
    movePointer(110, 400);
    holdShift(true);
    click(110, 400);
    holdShift(false);
    typeKey(XK_Num_Lock);
    waitForFrame([](const Frame& f) {
        return firstProblem({pointAt(f, 100, 100, RED), pointAt(f, 100, 400, WHITE),
                             nothingNear(f, 110, 400, WHITE)});
    });

    step("r clears the scene");
    typeKey(XK_r);
    waitForFrame(allBlack);
}

void resizeAndClickCentre() {
    step("after a resize to 600x400 a click at the centre lands at the world origin");
    resizeWindow(600, 400);
    waitForFrame([](const Frame& f) {
        return f.width == 600 && f.height == 400 ? "" : "expected the window at 600x400";
    });
    click(300, 200);
    waitForFrame([](const Frame& f) { return pointAt(f, 300, 200, WHITE); });
}

void quitWith(unsigned long keysym, const char* name) {
    step(std::string(name) + " ends the program with status 0");
    typeKey(keysym);
    int status = waitForExit(30);
    if (status == -1) fail("the program is still running");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fail("expected exit status 0, found wait status " + std::to_string(status) +
             "; the program's log: " + session.logPath);
    }
}

// Sanitizer builds write their reports to the program's standard error.
void expectCleanLog() {
    std::ifstream log(session.logPath);
    std::stringstream text;
    text << log.rdbuf();
    for (const char* report : {"Sanitizer", "runtime error"}) {
        if (text.str().find(report) != std::string::npos) {
            fail("the program's log has a report: " + session.logPath + "\n" + text.str());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM ARTIFACTS_DIR [SCREENSHOT_PNG]\n", argv[0]);
        return 2;
    }
    const std::string program = argv[1], artifacts = argv[2];
    connectDisplay(artifacts);

    step("start");
    launchProgram(program, TITLE, artifacts + "/program.log");
    checkWindow();
    drawPolyline();
    showOutline(argc > 3 ? argv[3] : "");
    moveVertex();
    upperCaseDoesNothing();
    clearScene();
    resizeAndClickCentre();
    quitWith(XK_q, "q");
    expectCleanLog();

    step("start again");
    launchProgram(program, TITLE, artifacts + "/program-escape.log");
    quitWith(XK_Escape, "Esc");
    expectCleanLog();

    XCloseDisplay(session.display);
    std::printf("end-to-end: every step passed\n");
    return 0;
}
