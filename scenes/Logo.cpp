#include "scenes/Logo.h"

#include <GL/glew.h>

#include "gfx/Quads.h"
#include "scenes/Show.h"

void drawLogo(const Show& show) {
    bindTexture(show.logo);
    glLoadIdentity();
    placeSprite(show.screen.aspect - 1.3f, -0.45f, 0.35f);
    drawStrip(0.24f);
}
