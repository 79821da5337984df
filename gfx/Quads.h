#pragma once

// Quad primitives in the current modelview space. Corners go top-left, top-right,
// bottom-right, bottom-left, with texture t = 1 on the top edge so image textures show upright.

// Translate, then scale uniformly in x and y, on top of the current modelview matrix.
void placeSprite(float x, float y, float scale);

void drawQuad(float x0, float y0, float x1, float y1);

// A quad's edges, in the modelview space or in texture coordinates.
struct QuadEdges {
    float left;
    float top;
    float right;
    float bottom;
};

// A textured quad's corners in the order above, each with its texture coordinates; between
// glBegin(GL_QUADS) and glEnd.
void texturedCorners(const QuadEdges& place, const QuadEdges& texture);

// Centred on the origin, 2 * halfWidth wide and 2 * halfHeight tall.
void drawCenteredQuad(float halfWidth, float halfHeight);

// One unit wide and `height` tall, bottom-left corner at the origin.
void drawStrip(float height);

struct HalfExtents {
    float halfWidth;
    float halfHeight;
};

// A 16:9 picture nearly fills a 16:9 screen; on any other screen it keeps a fixed
// 1.0 x 0.5625 size in the centre.
HalfExtents backgroundHalfExtents(float aspect);

// Draws the full-screen 16:9 picture; the caller binds the texture and resets the matrix.
void fitBackground(float aspect);
