#include "scenes/ChannelBanner.h"

#include <GL/glew.h>

#include "gfx/Quads.h"
#include "scenes/Show.h"

void ChannelBanner(const Show& show) {
    // 0.5 - 0.08 in single precision: the strip's top edge sits 0.04 below the screen's.
    constexpr float kCentreY = 0.42000002f;
    bindTexture(show.channel);
    glEnable(GL_BLEND);
    glLoadIdentity();
    placeSprite(0.266f - show.screen.halfWidth, kCentreY, 0.08f);
    drawCenteredQuad(2.66f, 0.5f);
    glDisable(GL_BLEND);
}
