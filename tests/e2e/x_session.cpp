#include "tests/e2e/x_session.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

XSession session = {nullptr, 0, 0, "", "", ""};

static const double FRAME_TIMEOUT_SECONDS = 20;

static double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

static void pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

Rgb Frame::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return BLACK;
    return pixels[size_t(y) * size_t(width) + size_t(x)];
}

// ---- Failing ---------------------------------------------------------------------------------

void stopProgram() {
    if (session.program <= 0) return;
    kill(session.program, SIGKILL);
    waitpid(session.program, nullptr, 0);
    session.program = 0;
}

void fail(const std::string& message) {
    std::fprintf(stderr, "FAILED at step \"%s\": %s\n", session.step.c_str(), message.c_str());
    if (session.display && session.program > 0) {
        std::string path = session.artifacts + "/failure.png";
        writePng(grabFrame(), path);
        std::fprintf(stderr, "the window as it was: %s\n", path.c_str());
    }
    stopProgram();
    std::exit(1);
}

// ---- The program and its window --------------------------------------------------------------

void connectDisplay(const std::string& artifacts) {
    session.artifacts = artifacts;
    session.display = XOpenDisplay(nullptr);
    if (!session.display) fail("cannot open the X display");
    int event, error, major, minor;
    if (!XTestQueryExtension(session.display, &event, &error, &major, &minor)) {
        fail("the X server has no XTEST extension");
    }
}

static Window findByTitle(Window root, const std::string& title) {
    Window rootReturn, parent, *children = nullptr, found = 0;
    unsigned int count = 0;
    if (!XQueryTree(session.display, root, &rootReturn, &parent, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(session.display, children[i], &name) && name && title == name) {
            found = children[i];
        }
        if (name) XFree(name);
        if (!found) found = findByTitle(children[i], title);
    }
    if (children) XFree(children);
    return found;
}

static bool viewable(Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(session.display, window, &attributes) &&
           attributes.map_state == IsViewable;
}

void launchProgram(const std::string& binary, const std::string& title, const std::string& log) {
    session.logPath = log;
    session.program = fork();
    if (session.program == 0) {
        int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
        const char* preload = getenv("PROGRAM_PRELOAD");
        if (preload && *preload) setenv("LD_PRELOAD", preload, 1);
        execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    auto start = std::chrono::steady_clock::now();
    session.window = 0;
    while (secondsSince(start) < FRAME_TIMEOUT_SECONDS) {
        Window window = findByTitle(DefaultRootWindow(session.display), title);
        if (window && viewable(window)) {
            session.window = window;
            XSetInputFocus(session.display, window, RevertToParent, CurrentTime);
            XSync(session.display, False);
            return;
        }
        if (waitpid(session.program, nullptr, WNOHANG) == session.program) {
            session.program = 0;
            fail("the program ended before its window appeared; see " + log);
        }
        pause(50);
    }
    fail("no viewable window titled \"" + title + "\"");
}

void windowGeometry(int* x, int* y, int* width, int* height) {
    XWindowAttributes attributes;
    XGetWindowAttributes(session.display, session.window, &attributes);
    Window child;
    XTranslateCoordinates(session.display, session.window, attributes.root, 0, 0, x, y, &child);
    *width = attributes.width;
    *height = attributes.height;
}

std::string windowTitle() {
    char* name = nullptr;
    std::string title;
    if (XFetchName(session.display, session.window, &name) && name) title = name;
    if (name) XFree(name);
    return title;
}

void resizeWindow(int width, int height) {
    XResizeWindow(session.display, session.window, unsigned(width), unsigned(height));
    XSync(session.display, False);
}

// ---- Pixels ----------------------------------------------------------------------------------

static int shiftOf(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) mask >>= 1, ++shift;
    return shift;
}

Frame grabFrame() {
    int x, y, width, height;
    windowGeometry(&x, &y, &width, &height);
    XImage* image = XGetImage(session.display, session.window, 0, 0, unsigned(width),
                              unsigned(height), AllPlanes, ZPixmap);
    if (!image) return Frame{0, 0, {}};
    Frame frame = {width, height, std::vector<Rgb>(size_t(width) * size_t(height))};
    int red = shiftOf(image->red_mask), green = shiftOf(image->green_mask),
        blue = shiftOf(image->blue_mask);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            unsigned long p = XGetPixel(image, column, row);
            frame.pixels[size_t(row) * size_t(width) + size_t(column)] =
                Rgb(((p & image->red_mask) >> red) << 16 | ((p & image->green_mask) >> green) << 8 |
                    ((p & image->blue_mask) >> blue));
        }
    }
    XDestroyImage(image);
    return frame;
}

static void writeChunk(FILE* out, const char* type, const std::vector<unsigned char>& data) {
    unsigned char length[4] = {(unsigned char)(data.size() >> 24),
                               (unsigned char)(data.size() >> 16),
                               (unsigned char)(data.size() >> 8), (unsigned char)data.size()};
    fwrite(length, 1, 4, out);
    fwrite(type, 1, 4, out);
    fwrite(data.data(), 1, data.size(), out);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (!data.empty()) crc = crc32(crc, data.data(), uInt(data.size()));  // null data resets it
    unsigned char crcBytes[4] = {(unsigned char)(crc >> 24), (unsigned char)(crc >> 16),
                                 (unsigned char)(crc >> 8), (unsigned char)crc};
    fwrite(crcBytes, 1, 4, out);
}

// An 8-bit RGB PNG, each row unfiltered, deflated by zlib.
void writePng(const Frame& frame, const std::string& path) {
    std::vector<unsigned char> raw;
    for (int y = 0; y < frame.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < frame.width; ++x) {
            Rgb p = frame.at(x, y);
            raw.insert(raw.end(),
                       {(unsigned char)(p >> 16), (unsigned char)(p >> 8), (unsigned char)p});
        }
    }
    uLongf size = compressBound(uLong(raw.size()));
    std::vector<unsigned char> packed(size);
    compress2(packed.data(), &size, raw.data(), uLong(raw.size()), 9);
    packed.resize(size);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return;
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    fwrite(signature, 1, 8, out);
    unsigned w = unsigned(frame.width), h = unsigned(frame.height);
    writeChunk(out, "IHDR",
               {(unsigned char)(w >> 24), (unsigned char)(w >> 16), (unsigned char)(w >> 8),
                (unsigned char)w, (unsigned char)(h >> 24), (unsigned char)(h >> 16),
                (unsigned char)(h >> 8), (unsigned char)h, 8, 2, 0, 0, 0});
    writeChunk(out, "IDAT", packed);
    writeChunk(out, "IEND", {});
    std::fclose(out);
}

void waitForFrame(const std::function<std::string(const Frame&)>& problem) {
    auto start = std::chrono::steady_clock::now();
    std::string last;
    do {
        last = problem(grabFrame());
        if (last.empty()) return;
        pause(30);
    } while (secondsSince(start) < FRAME_TIMEOUT_SECONDS);
    fail(last);
}

// ---- Input -----------------------------------------------------------------------------------

void movePointer(int x, int y) {
    int left, top, width, height;
    windowGeometry(&left, &top, &width, &height);
    XTestFakeMotionEvent(session.display, DefaultScreen(session.display), left + x, top + y,
                         CurrentTime);
    XSync(session.display, False);
}

void pressButton(int button) {
    XTestFakeButtonEvent(session.display, unsigned(button), True, CurrentTime);
    XSync(session.display, False);
}

void releaseButton(int button) {
    XTestFakeButtonEvent(session.display, unsigned(button), False, CurrentTime);
    XSync(session.display, False);
}

void click(int x, int y, int button) {
    movePointer(x, y);
    pressButton(button);
    releaseButton(button);
}

void holdShift(bool down) {
    KeyCode shift = XKeysymToKeycode(session.display, XK_Shift_L);
    XTestFakeKeyEvent(session.display, shift, down, CurrentTime);
    XSync(session.display, False);
}

void typeKey(unsigned long keysym, bool shifted) {
    KeyCode code = XKeysymToKeycode(session.display, keysym);
    if (shifted) holdShift(true);
    XTestFakeKeyEvent(session.display, code, True, CurrentTime);
    XTestFakeKeyEvent(session.display, code, False, CurrentTime);
    if (shifted) holdShift(false);
    XSync(session.display, False);
}

int waitForExit(double seconds) {
    auto start = std::chrono::steady_clock::now();
    int status = 0;
    while (secondsSince(start) < seconds) {
        if (waitpid(session.program, &status, WNOHANG) == session.program) {
            session.program = 0;
            return status;
        }
        pause(20);
    }
    return -1;
}
