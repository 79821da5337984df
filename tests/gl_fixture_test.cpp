#include <gtest/gtest.h>

#include <GL/glew.h>

#include "gfx/Quads.h"
#include "support/GlWindow.h"

namespace {

// A flat quad over the top-left quarter of the world lands exactly on the top-left pixels.
TEST(GlFixture, QuadOverTheTopLeftQuarterLandsOnItsPixels) {
    for (const auto& [width, height] : {std::pair{1280, 720}, std::pair{1024, 768}}) {
        GlWindow window(width, height);
        window.useWorldUnits();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1.0f, 0.0f, 0.0f);
        drawQuad(-window.screen().halfWidth, 0.5f, 0.0f, 0.0f);

        const int midX = width / 2;
        const int midY = height / 2;
        const Rgba red = {255, 0, 0, 255};
        const Rgba black = {0, 0, 0, 255};
        EXPECT_EQ(window.pixel(0, 0), red);
        EXPECT_EQ(window.pixel(midX - 1, midY - 1), red);
        EXPECT_EQ(window.pixel(midX, midY - 1), black);
        EXPECT_EQ(window.pixel(midX - 1, midY), black);
        EXPECT_EQ(window.pixel(width - 1, height - 1), black);
    }
}

} // namespace
