#include "scenes/WindVaneScene.h"

#include <GL/glew.h>

#include "gfx/Quads.h"
#include "procedural/PeriodicNoise.h"
#include "scenes/Logo.h"
#include "scenes/Palette.h"
#include "scenes/Show.h"

namespace {

// The vane's angle in degrees at time t: a slow swing of up to +-360 degrees and a fast
// tremble of up to +-0.5 degrees, both read from the noise along a lattice row.
float vaneAngle(const PermutationTable& permutation, std::uint32_t t) {
    const float tf = static_cast<float>(t);
    const NoisePoint slowPoint = {tf / 40000.0f, 0.0f};
    const NoisePoint fastPoint = {(tf / 10000.0f) * 360.0f, 1170.0f};
    const float slow = periodicNoise(permutation, slowPoint, 16);
    const float fast = periodicNoise(permutation, fastPoint, 128);
    return fast + slow * 720.0f;
}

constexpr float kFerryCentreY = -0.125f;
constexpr float kFerryScale = 0.45f;

// Reaches half a unit beyond the top and bottom edges.
void drawSea(const Show& show) {
    const float halfWidth = show.screen.halfWidth;
    glLoadIdentity();
    setColour(kSea);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glVertex2f(-halfWidth, 1.0f);
    glVertex2f(halfWidth, 1.0f);
    glVertex2f(halfWidth, -1.0f);
    glVertex2f(-halfWidth, -1.0f);
    glEnd();
}

void startBlendedSprites() {
    setColour(kWhite);
    glEnable(GL_TEXTURE_2D);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// Turned 15 degrees, on the identity the sprites started from.
void drawFerry(const Show& show) {
    bindTexture(show.boatTopDown);
    placeSprite(0.0f, kFerryCentreY, kFerryScale);
    glRotatef(15.0f, 0.0f, 0.0f, 1.0f);
    drawCenteredQuad(0.2425f, 0.5f);
}

void drawVane(const Show& show, std::uint32_t t) {
    bindTexture(show.vane);
    glLoadIdentity();
    placeSprite(0.0f, kFerryCentreY, kFerryScale);
    glRotatef(vaneAngle(show.permutation, t), 0.0f, 0.0f, 1.0f);
    drawCenteredQuad(0.1855f, 0.5f);
}

// One unit wide, as tall as the text's own proportions make it; text rows run top-down.
void drawLabel(const Show& show) {
    const float halfHeight = 0.5f / show.windSpeedLabel.widthOverHeight();
    bindTexture(show.windSpeedLabel.texture);
    glLoadIdentity();
    glTranslatef(0.0f, 0.2f, 0.0f);
    glBegin(GL_QUADS);
    texturedCorners({-0.5f, halfHeight, 0.5f, -halfHeight}, {0.0f, 0.0f, 1.0f, 1.0f});
    glEnd();
}

} // namespace

void WindVaneScene(const Show& show, std::uint32_t t) {
    drawSea(show);
    startBlendedSprites();
    drawFerry(show);
    drawVane(show, t);
    drawLabel(show);
    drawLogo(show);
}
