#include "scenes/StillLifeScene.h"

#include <GL/glew.h>

#include "gfx/Quads.h"
#include "scenes/Logo.h"
#include "scenes/Show.h"

namespace {

void drawBackground(const Show& show) {
    bindTexture(show.birch);
    glLoadIdentity();
    fitBackground(show.screen.aspect);
}

void drawCan(const Texture& can, float x) {
    bindTexture(can);
    glLoadIdentity();
    placeSprite(x, -0.125f, 0.35f);
    drawCenteredQuad(0.5f, 0.5f);
}

// The sign keeps its left edge on the screen's left edge.
void drawShopSign(const Show& show) {
    bindTexture(show.rovaska);
    glLoadIdentity();
    placeSprite(-show.screen.halfWidth, 0.15f, 0.25f);
    drawQuad(0.0f, 1.0f, 2.01f, 0.0f);
}

void drawDelicacies(const Show& show) {
    bindTexture(show.delicacies);
    glLoadIdentity();
    placeSprite(show.screen.aspect - 1.2f, 0.15f, 0.25f);
    drawStrip(1.0f);
}

} // namespace

void StillLifeScene(const Show& show) {
    drawBackground(show);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawCan(show.can1, -0.25f);
    drawCan(show.can2, 0.25f);
    drawShopSign(show);
    drawDelicacies(show);
    drawLogo(show);
    glDisable(GL_BLEND);
}
