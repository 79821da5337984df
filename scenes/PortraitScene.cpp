#include "scenes/PortraitScene.h"

#include <GL/glew.h>

#include "gfx/Quads.h"
#include "scenes/Show.h"

void PortraitScene(const Show& show) {
    bindTexture(show.haircut);
    glLoadIdentity();
    fitBackground(show.screen.aspect);
}
