// Mesa's side of the page's pixel test (gl/pixels.js): reads primitives, each a GL mode (0
// points, 2 line loop, 3 line strip), a vertex count and window positions (y down), draws each
// as the program draws (the identity projection, 5-pixel points, 2-pixel lines) and prints the
// pixels it fills, a line each.
#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>

static unsigned char pixels[600][800];

static void display() {
    int mode = 0, count = 0, x = 0, y = 0;
    glPointSize(5);
    glLineWidth(2);
    while (std::scanf("%d %d", &mode, &count) == 2) {
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(static_cast<GLenum>(mode));
        for (int i = 0; i < count && std::scanf("%d %d", &x, &y) == 2; ++i) {
            glVertex2d(-1.0 + 2.0 * x / 800, -1.0 + 2.0 * (600 - y) / 600);
        }
        glEnd();
        glReadPixels(0, 0, 800, 600, GL_RED, GL_UNSIGNED_BYTE, pixels);
        for (int i = 0; i < 800 * 600; ++i) {
            if (pixels[599 - i / 800][i % 800]) std::printf("%d,%d ", i % 800, i / 800);
        }
        std::puts("");
    }
    std::exit(0);
}

static void reshape(int width, int height) { glViewport(0, 0, width, height); }

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);  // the visual the program draws on
    glutInitWindowSize(800, 600);
    glutCreateWindow("pixels");
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMainLoop();
}
