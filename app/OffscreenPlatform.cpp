#include "app/OffscreenPlatform.h"

#include <stdexcept>
#include <string>

#include "app/Startup.h"

OffscreenPlatform::OffscreenPlatform() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("Unable to start the video subsystem: ") +
                                 SDL_GetError() + " (an X display is needed; try xvfb-run)");
    }
    try {
        if (TTF_Init() != 0) {
            throw std::runtime_error(std::string("Unable to start the font engine: ") +
                                     TTF_GetError());
        }
        font_ = openShowFont(kFontPoints);
        window_ =
            SDL_CreateWindow("Tornuva capture", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                             64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window_) {
            throw std::runtime_error(std::string("Unable to create the window: ") + SDL_GetError());
        }
        context_ = createGlContext(window_);
        try {
            loadGlExtensions();
        } catch (const std::runtime_error&) {
            // GLEW here loads through GLX: without an X display SDL may still make a
            // context some other way, and only the loader notices.
            throw std::runtime_error("Unable to load the OpenGL entry points: an X display "
                                     "with GLX is needed (try xvfb-run -a)");
        }
    } catch (...) {
        close();
        throw;
    }
}

OffscreenPlatform::~OffscreenPlatform() {
    close();
}

void OffscreenPlatform::close() {
    if (context_) {
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }
    if (window_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    if (extraFont_) {
        TTF_CloseFont(extraFont_);
        extraFont_ = nullptr;
    }
    if (font_) {
        TTF_CloseFont(font_);
        font_ = nullptr;
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
