#include "gfx/ScreenSpace.h"

#include <GL/glew.h>

Screen screenForDrawable(int width, int height) {
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    return {aspect, aspect * 0.5f};
}

void setViewport(int width, int height) {
    glViewport(0, 0, width, height);
}

void setProjection(const Screen& screen) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-static_cast<double>(screen.halfWidth), static_cast<double>(screen.halfWidth), -0.5,
            0.5, -1.0, 1.0);
}
