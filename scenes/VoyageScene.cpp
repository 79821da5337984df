#include "scenes/VoyageScene.h"

#include <cmath>

#include <GL/glew.h>

#include "gfx/Quads.h"
#include "scenes/Palette.h"
#include "scenes/Show.h"

namespace {

constexpr Colour kLand = {0.0f, 0.3764706f, 0.05882353f};
constexpr Colour kSky = {0.0f, 0.0f, 1.0f};

constexpr float kSkyTop = 0.5f;
constexpr float kHorizon = 0.2f;
constexpr float kShore = -0.1f;
constexpr float kWavesTop = -0.07f;
constexpr float kScreenBottom = -0.5f;

// Where the moving parts are at time t, in world units.
float ferryCentreX(const Screen& screen, std::uint32_t t) {
    // The integer difference comes first, so the crossing starts exactly at the voyage's start.
    const float sinceStart = static_cast<float>(t - kVoyageStartMs);
    return sinceStart * 0.00002f + (screen.aspect * -0.5f - 0.3f);
}

float wavesOffset(std::uint32_t t) {
    return static_cast<float>(t) / 20000.0f;
}

float sunBottomY(std::uint32_t t) {
    return std::sin(static_cast<float>(t) / 1000.0f) / 60.0f + 0.25f;
}

float scrollerLeftX(const Screen& screen, std::uint32_t t) {
    return screen.halfWidth -
           (static_cast<float>(t) - static_cast<float>(kVoyageStartMs)) / 2000.0f;
}

void band(const Colour& colour, float halfWidth, float top, float bottom) {
    setColour(colour);
    glVertex2f(-halfWidth, top);
    glVertex2f(halfWidth, top);
    glVertex2f(halfWidth, bottom);
    glVertex2f(-halfWidth, bottom);
}

void drawLandAndSky(const Show& show) {
    glDisable(GL_TEXTURE_2D);
    glLoadIdentity();
    glBegin(GL_QUADS);
    band(kLand, show.screen.halfWidth, kHorizon, kShore);
    band(kSky, show.screen.halfWidth, kSkyTop, kHorizon);
    glEnd();
}

void startBlendedSprites() {
    setColour(kWhite);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// Tilted about one and a half degrees, not a quarter turn: glRotatef takes degrees.
void drawFerry(const Show& show, std::uint32_t t) {
    bindTexture(show.boat);
    glLoadIdentity();
    placeSprite(ferryCentreX(show.screen, t), -0.019f, 0.55f);
    glRotatef(1.570795f, 0.0f, 0.0f, 1.0f);
    drawCenteredQuad(0.5f, 0.14f);
}

// One copy of the waves tile per world unit, repeating along s; covers the ferry's keel.
void drawWaves(const Show& show, std::uint32_t t) {
    const float halfWidth = show.screen.halfWidth;
    const float left = wavesOffset(t);
    const float right = left + show.screen.aspect;
    glLoadIdentity();
    bindTexture(show.waves);
    glBegin(GL_QUADS);
    setColour(kWhite);
    texturedCorners({-halfWidth, kWavesTop, halfWidth, kShore}, {left, 1.0f, right, 0.0f});
    glEnd();
}

void drawSea(const Show& show) {
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    band(kSea, show.screen.halfWidth, kShore, kScreenBottom);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    setColour(kWhite);
}

void drawSun(const Show& show, std::uint32_t t) {
    bindTexture(show.sun);
    glLoadIdentity();
    placeSprite(show.screen.aspect - 1.2f, sunBottomY(t), 0.2f);
    drawStrip(1.0f);
}

// Text rows run top-down, so t = 0 is the top edge here.
void drawScroller(const Show& show, std::uint32_t t) {
    const float length = show.scroller.widthOverHeight();
    bindTexture(show.scroller.texture);
    setColour(kWhite);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glLoadIdentity();
    placeSprite(scrollerLeftX(show.screen, t), -0.3f, 0.19f);
    drawTextLine(show.scroller, length);
}

} // namespace

void VoyageScene(const Show& show, std::uint32_t t) {
    drawLandAndSky(show);
    startBlendedSprites();
    drawFerry(show, t);
    drawWaves(show, t);
    drawSea(show);
    drawSun(show, t);
    drawScroller(show, t);
    glDisable(GL_BLEND);
}
