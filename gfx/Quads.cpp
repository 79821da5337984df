#include "gfx/Quads.h"

#include <cmath>

#include <GL/glew.h>

void placeSprite(float x, float y, float scale) {
    glTranslatef(x, y, 0.0f);
    glScalef(scale, scale, 1.0f);
}

void texturedCorners(const QuadEdges& place, const QuadEdges& texture) {
    glTexCoord2f(texture.left, texture.top);
    glVertex2f(place.left, place.top);
    glTexCoord2f(texture.right, texture.top);
    glVertex2f(place.right, place.top);
    glTexCoord2f(texture.right, texture.bottom);
    glVertex2f(place.right, place.bottom);
    glTexCoord2f(texture.left, texture.bottom);
    glVertex2f(place.left, place.bottom);
}

void drawQuad(float x0, float y0, float x1, float y1) {
    glBegin(GL_QUADS);
    texturedCorners({x0, y0, x1, y1}, {0.0f, 1.0f, 1.0f, 0.0f});
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
