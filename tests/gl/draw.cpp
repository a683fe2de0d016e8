// One side of the page's pixel test (gl/pixels.js), built twice: with Mesa in an X server, and
// with PAGE_GL against the page's own GL (web/platform/gl.cpp) compiled natively. Reads frames,
// each a primitive count and primitives, each a GL mode (0 points, 2 line loop, 3 line strip), a
// vertex count and vertices (window x and y, y down, and a colour's index), draws each frame as
// the program draws (the identity projection, 5-pixel points, 2-pixel lines) and prints the
// pixels it shows that are not black, as x,y,rrggbb, a line a frame.
#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

static const double COLOURS[][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 1, 1}};
static unsigned char shown[600][800][4];  // rows from the top, RGBA

#ifdef PAGE_GL
// What the canvas side of the page's GL does: the changed rectangles shown.
extern "C" int glBufferWidth() { return 800; }
extern "C" int glBufferHeight() { return 600; }
extern "C" void glUpload(const uint32_t* pixels, int x, int y, int width, int height) {
    for (int i = 0; i < width * height * 4; ++i)
        shown[y + i / 4 / width][x + i / 4 % width][i % 4] = uint8_t(pixels[i / 4] >> i % 4 * 8);
}
extern "C" void glShow() {}
extern "C" void glPresent();
static void swapAndRead() { glPresent(); }
#else
#include <GL/glut.h>
static void swapAndRead() {  // Mesa's rows run from the bottom
    static unsigned char rows[600][800][4];
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rows);
    for (int y = 0; y < 600; ++y)
        std::copy(&rows[599 - y][0][0], &rows[600 - y][0][0], &shown[y][0][0]);
}
#endif

static void drawFrames() {
    int primitives = 0, mode = 0, count = 0, x = 0, y = 0, colour = 0;
    glPointSize(5);
    glLineWidth(2);
    while (std::scanf("%d", &primitives) == 1) {
        glClear(GL_COLOR_BUFFER_BIT);
        for (int p = 0; p < primitives && std::scanf("%d %d", &mode, &count) == 2; ++p) {
            glBegin(static_cast<GLenum>(mode));
            for (int i = 0; i < count && std::scanf("%d %d %d", &x, &y, &colour) == 3; ++i) {
                glColor3d(COLOURS[colour][0], COLOURS[colour][1], COLOURS[colour][2]);
                glVertex2d(-1.0 + 2.0 * x / 800, -1.0 + 2.0 * (600 - y) / 600);
            }
            glEnd();
        }
        swapAndRead();
        for (int i = 0; i < 600 * 800; ++i) {
            const unsigned char* p = shown[i / 800][i % 800];
            if (p[0] | p[1] | p[2])
                std::printf("%d,%d,%02x%02x%02x ", i % 800, i / 800, p[0], p[1], p[2]);
        }
        std::puts("");
    }
    std::exit(0);
}

#ifdef PAGE_GL
int main() { drawFrames(); }  // the viewport as GL sets it first: the canvas's size
#else
static void reshape(int width, int height) { glViewport(0, 0, width, height); }

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);  // the visual the program draws on
    glutInitWindowSize(800, 600);
    glutCreateWindow("pixels");
    glutDisplayFunc(drawFrames);
    glutReshapeFunc(reshape);
    glutMainLoop();
}
#endif
