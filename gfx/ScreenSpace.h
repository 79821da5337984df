#pragma once

// World units: origin at the screen centre, y up, the screen exactly 1 unit tall and
// `aspect` units wide.
struct Screen {
    float aspect = 1.0f;
    float halfWidth = 0.5f;
};

Screen screenForDrawable(int width, int height);

void setViewport(int width, int height);

// Orthographic projection onto the world units of the screen.
void setProjection(const Screen& screen);
