#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <SDL.h>

#include "gfx/ScreenSpace.h"

using Rgba = std::array<std::uint8_t, 4>;

// A hidden window with a compatibility GL context and GLEW loaded, drawn into and read back
// on the real GL implementation. Pixel positions count from the top-left corner.
class GlWindow {
public:
    GlWindow(int width, int height);
    ~GlWindow();
    GlWindow(const GlWindow&) = delete;
    GlWindow& operator=(const GlWindow&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    Screen screen() const { return screenForDrawable(width_, height_); }

    // Viewport and orthographic projection for the window's own size, as start-up sets them.
    void useWorldUnits() const;

    Rgba pixel(int x, int y) const;
    // The pixel under a point given in world units.
    Rgba pixelAtWorld(float x, float y) const;
    std::vector<std::uint8_t> pixels() const; // RGBA rows from the top
    void savePng(const std::string& path) const;

private:
    int width_;
    int height_;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
};

std::string describe(const Rgba& colour);
