// The view: the fixed world box stretched over the viewport, and the mappings from window
// positions (origin top-left, y down, as GLUT reports them) to the world and pixel frames.
#pragma once

// Sets the initial orthographic projection of WORLD_BOX and reads the viewport back.
void setupProjection();

// GLUT reshape: the viewport follows the window; the projection is left the identity, which
// maps the -1..1 world box onto the viewport just as the initial projection did.
void onReshape(int width, int height);

// GLUT passive motion: a pointer moving with no button held changes nothing.
void onPassiveMotion(int x, int y);

// World coordinates of a window position; the world box fills the viewport on both axes.
double windowToWorldX(int x);
double windowToWorldY(int y);

// The inverse: the window pixel of a world position, rounded to the whole pixel that a click
// there reports. For the page's aiming of touches and its keyboard pointer.
double worldToWindowX(double x);
double worldToWindowY(double y);

// The pixel frame the hull is computed in: window x, and y measured up from the viewport's
// bottom edge. Whole numbers, so orientation tests on them are exact.
double windowToPixelX(int x);
double windowToPixelY(int y);
