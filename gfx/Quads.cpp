#include "gfx/Quads.h"

#include <cmath>

#include <GL/glew.h>

void placeSprite(float x, float y, float scale) {
    glTranslatef(x, y, 0.0f);
    glScalef(scale, scale, 1.0f);
}

void drawQuad(float x0, float y0, float x1, float y1) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(x0, y0);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(x1, y0);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(x1, y1);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x0, y1);
    glEnd();
}

void drawCenteredQuad(float halfWidth, float halfHeight) {
    drawQuad(-halfWidth, halfHeight, halfWidth, -halfHeight);
}

void drawStrip(float height) {
    drawQuad(0.0f, height, 1.0f, 0.0f);
}

HalfExtents backgroundHalfExtents(float aspect) {
    constexpr double kWideScreen = 1.77777;
    constexpr double kTolerance = 0.01;
    if (std::fabs(static_cast<double>(aspect) - kWideScreen) < kTolerance) {
        return {0.8885f, 0.5f};
    }
    return {0.5f, 0.28125f};
}

void fitBackground(float aspect) {
    const HalfExtents extents = backgroundHalfExtents(aspect);
    drawCenteredQuad(extents.halfWidth, extents.halfHeight);
}
