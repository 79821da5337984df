#include "app/OffscreenPlatform.h"

namespace {

constexpr PlatformRequest kOffscreen = {
    {"Tornuva capture", 64, 64, SDL_WINDOW_HIDDEN, false}, false, false};

} // namespace

OffscreenPlatform::OffscreenPlatform() {
    try {
        openPlatform(platform_, kOffscreen);
    } catch (...) {
        close();
        throw;
    }
}

OffscreenPlatform::~OffscreenPlatform() {
    close();
}

// In reverse order of opening.
void OffscreenPlatform::close() {
    if (extraFont_) {
        TTF_CloseFont(extraFont_);
    }
    if (platform_.context) {
        SDL_GL_DeleteContext(platform_.context);
    }
    if (platform_.window) {
        SDL_DestroyWindow(platform_.window);
    }
    if (platform_.font) {
        TTF_CloseFont(platform_.font);
    }
    if (TTF_WasInit()) {
        TTF_Quit();
    }
    // The video subsystem stays up until the process ends, as in the show: quitting it
    // unloads the GL driver while the driver still holds memory of its own.
}

TTF_Font* OffscreenPlatform::fontAt(int points) {
    if (extraFont_) {
        TTF_CloseFont(extraFont_);
    }
    extraFont_ = openShowFont(points);
    return extraFont_;
}
