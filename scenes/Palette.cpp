#include "scenes/Palette.h"

#include <GL/glew.h>

void setColour(const Colour& colour) {
    glColor3f(colour.red, colour.green, colour.blue);
}
