#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

// What rendering without a visible window needs: the video subsystem, the font engine with
// the show's font, a hidden window only to carry a compatibility GL context, and the GL
// entry points. No audio device is opened. Drawing goes to a framebuffer object, so the
// window's size and the display's do not matter.
class OffscreenPlatform {
public:
    // Throws std::runtime_error naming the cause (no display, font missing, no context).
    OffscreenPlatform();
    ~OffscreenPlatform();
    OffscreenPlatform(const OffscreenPlatform&) = delete;
    OffscreenPlatform& operator=(const OffscreenPlatform&) = delete;

    TTF_Font* font() const { return font_; }

    // The show's font at another size, owned by the platform until it closes.
    TTF_Font* fontAt(int points);

private:
    void close();

    TTF_Font* font_ = nullptr;
    TTF_Font* extraFont_ = nullptr;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
};
