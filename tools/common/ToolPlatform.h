#pragma once

#include "app/Startup.h"

// The platform as the tools and tests hold it: opened by the show's own start-up and, unlike
// the show's, closed when it goes, with whatever it took over since.
class ToolPlatform {
public:
    // What drawing offscreen needs: the media library's video, the font engine with the
    // show's font, a hidden window only to carry a compatibility GL context, and the GL entry
    // points; no sound. Drawing goes to a framebuffer object, so the window's size and the
    // display's do not matter.
    static constexpr PlatformRequest kOffscreen = {.window = {.title = "Tornuva offscreen",
                                                              .width = 64,
                                                              .height = 64,
                                                              .flags = SDL_WINDOW_HIDDEN,
                                                              .hideCursor = false},
                                                   .sound = false,
                                                   .esContext = false};

    // Throws std::runtime_error naming the cause (no display, font missing, no context).
    explicit ToolPlatform(const PlatformRequest& request = kOffscreen);
    ~ToolPlatform();
    ToolPlatform(const ToolPlatform&) = delete;
    ToolPlatform& operator=(const ToolPlatform&) = delete;

    const Platform& platform() const { return platform_; }
    TTF_Font* font() const { return platform_.font; }

    // The show's font at another size, owned by the platform until it closes.
    TTF_Font* fontAt(int points);

    // Takes over a freshly opened font and music (null when none loaded), closing those before.
    void replace(TTF_Font* font, Mix_Music* music);

private:
    void close();

    Platform platform_;
    bool sound_;
    TTF_Font* extraFont_ = nullptr;
};
