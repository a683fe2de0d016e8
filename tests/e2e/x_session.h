// The end-to-end test's hold on the real program: starts it on the X server named by
// DISPLAY, finds its window by title, sends real input through the XTEST extension and reads
// back the pixels the window shows.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

typedef uint32_t Rgb;  // 0xRRGGBB

const Rgb BLACK = 0x000000, RED = 0xff0000, GREEN = 0x00ff00, BLUE = 0x0000ff, YELLOW = 0xffff00,
          WHITE = 0xffffff;

struct Frame {
    int width, height;
    std::vector<Rgb> pixels;  // row by row from the top-left corner

    Rgb at(int x, int y) const;  // BLACK outside the frame
};

struct XSession {
    Display* display;
    Window window;          // the program's top-level window
    pid_t program;          // the running program, or 0
    std::string logPath;    // where the program's standard error goes
    std::string artifacts;  // screenshots of failures go here
    std::string step;       // what the scenario is doing, for messages
};

extern XSession session;

// Connects to the X server, or ends the test.
void connectDisplay(const std::string& artifacts);

// Starts the program and waits until its window with this title is viewable.
void launchProgram(const std::string& binary, const std::string& title, const std::string& log);

Frame grabFrame();
void writePng(const Frame& frame, const std::string& path);

// The window's position on the screen and its size.
void windowGeometry(int* x, int* y, int* width, int* height);
std::string windowTitle();
void resizeWindow(int width, int height);

// Input at window coordinates; buttons are X's (1 left, 3 right).
void movePointer(int x, int y);
void pressButton(int button);
void releaseButton(int button);
void click(int x, int y, int button = 1);
void holdShift(bool down);
void typeKey(unsigned long keysym, bool shifted = false);

// Polls the frame until `problem` returns "" for it. After the timeout the test fails with the
// last problem (what was expected, what was found, where) and a screenshot is left.
void waitForFrame(const std::function<std::string(const Frame&)>& problem);

// Waits for the program to end; returns its wait status, or -1 after the timeout.
int waitForExit(double seconds);

// Fails the test: prints the step and the message, saves the frame, stops the program.
[[noreturn]] void fail(const std::string& message);

// Stops the program if it still runs.
void stopProgram();
