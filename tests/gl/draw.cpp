// Mesa's side of the page's pixel test: draws each primitive read from standard input as the
// program draws (the identity projection after a reshape, 5-pixel points, 2-pixel lines) and
// prints the window pixels it fills, one line a primitive. Input: a GL mode (0 points, 2 line
// loop, 3 line strip), a vertex count and that many window positions (y down), as clicks give.
#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

static const int WIDTH = 800, HEIGHT = 600;

static void reshape(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
}

static void drawOne() {
    int mode = 0, count = 0, x = 0, y = 0;
    if (std::scanf("%d %d", &mode, &count) != 2) std::exit(0);
    glClear(GL_COLOR_BUFFER_BIT);
    glBegin(static_cast<GLenum>(mode));
    for (int i = 0; i < count && std::scanf("%d %d", &x, &y) == 2; ++i) {
        glVertex2d(-1.0 + 2.0 * x / WIDTH, -1.0 + 2.0 * (HEIGHT - y) / HEIGHT);
    }
    glEnd();
    std::vector<unsigned char> pixels(WIDTH * HEIGHT);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
    for (int row = HEIGHT - 1; row >= 0; --row) {
        for (int column = 0; column < WIDTH; ++column) {
            if (pixels[row * WIDTH + column]) std::printf("%d,%d ", column, HEIGHT - 1 - row);
        }
    }
    std::printf("\n");
}

static void display() {
    glPointSize(5);
    glLineWidth(2);
    glColor3d(1, 1, 1);
    for (;;) drawOne();
}

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(WIDTH, HEIGHT);
    glutCreateWindow("pixels");
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMainLoop();
}
