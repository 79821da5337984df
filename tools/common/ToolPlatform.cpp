#include "ToolPlatform.h"

ToolPlatform::ToolPlatform(const PlatformRequest& request) : sound_(request.sound) {
    try {
        openPlatform(platform_, request);
    } catch (...) {
        close();
        throw;
    }
}

ToolPlatform::~ToolPlatform() {
    close();
}

TTF_Font* ToolPlatform::fontAt(int points) {
    if (extraFont_) {
        TTF_CloseFont(extraFont_);
    }
    extraFont_ = openShowFont(points);
    return extraFont_;
}

void ToolPlatform::replace(TTF_Font* font, Mix_Music* music) {
    if (platform_.music) {
        Mix_FreeMusic(platform_.music);
    }
    platform_.music = music;
    if (platform_.font) {
        TTF_CloseFont(platform_.font);
    }
    platform_.font = font;
}

// In reverse order of opening.
void ToolPlatform::close() {
    if (extraFont_) {
        TTF_CloseFont(extraFont_);
    }
    if (platform_.context) {
        SDL_GL_DeleteContext(platform_.context);
    }
    if (platform_.window) {
        SDL_DestroyWindow(platform_.window);
    }
    if (platform_.music) {
        Mix_FreeMusic(platform_.music);
    }
    if (platform_.font) {
        TTF_CloseFont(platform_.font);
    }
    if (TTF_WasInit()) {
        TTF_Quit();
    }
    if (sound_) {
        Mix_CloseAudio();
    }
    // The media library stays up until the process ends, as in the show: quitting it
    // unloads the GL driver while the driver still holds memory of its own.
}
