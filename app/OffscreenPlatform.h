#pragma once

#include "app/Startup.h"

// What rendering without a visible window needs: the media library's video, the font engine
// with the show's font, a hidden window only to carry a compatibility GL context, and the GL
// entry points; no sound. Drawing goes to a framebuffer object, so the window's size and the
// display's do not matter. Unlike the show's, these close with the object.
class OffscreenPlatform {
public:
    // Throws std::runtime_error naming the cause (no display, font missing, no context).
    OffscreenPlatform();
    ~OffscreenPlatform();
    OffscreenPlatform(const OffscreenPlatform&) = delete;
    OffscreenPlatform& operator=(const OffscreenPlatform&) = delete;

    TTF_Font* font() const { return platform_.font; }

    // The show's font at another size, owned by the platform until it closes.
    TTF_Font* fontAt(int points);

private:
    void close();

    Platform platform_;
    TTF_Font* extraFont_ = nullptr;
};
