// The frame: outline, hull and vertex points, drawn from the editor state in world
// coordinates. Each frame asks for the next, so the scene is redrawn continuously.
#pragma once

// GLUT display callback. Reads the editor state and never writes it.
void onDisplay();
