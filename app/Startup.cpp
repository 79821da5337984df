#include "app/Startup.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <utility>

#include <GL/glew.h>

#include "app/System.h"
#include "gfx/ImageTexture.h"
#include "gfx/ScreenSpace.h"
#include "gfx/TextTexture.h"
#include "scenes/Show.h"
#include "scenes/Texts.h"

namespace {

[[noreturn]] void fail(const std::string& what, const char* reason) {
    throw std::runtime_error(what + ": " + reason);
}

void setChannelSampling() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void setNoiseSampling() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void setWavesSampling() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// In load order; the order of the textures in Show follows it.
constexpr ShowImage kImages[] = {
    {"Data/channel.png", &Show::channel, setChannelSampling},
    {"Data/noise.png", &Show::noise, setNoiseSampling},
    {"Data/can1.png", &Show::can1, nullptr},
    {"Data/can2.png", &Show::can2, nullptr},
    {"Data/delicacies.png", &Show::delicacies, nullptr},
    {"Data/rovaska.png", &Show::rovaska, nullptr},
    {"Data/selkavo-logo.png", &Show::logo, nullptr},
    {"Data/birch-low-contrast.jpg", &Show::birch, nullptr},
    {"Data/haircut.jpg", &Show::haircut, nullptr},
    {"Data/waves.png", &Show::waves, setWavesSampling},
    {"Data/sun.png", &Show::sun, nullptr},
    {"Data/boat.png", &Show::boat, nullptr},
    {"Data/boat-topdown.png", &Show::boatTopDown, nullptr},
    {"Data/vane.png", &Show::vane, nullptr},
};

void setUpScreen(DrawableSize drawable, Show& show) {
    show.screen = screenForDrawable(drawable.width, drawable.height);
    setViewport(drawable.width, drawable.height);
}

// How long a window's size must hold to count as settled, timed by the steady clock rather
// than by SDL's, which is the show's.
constexpr std::chrono::milliseconds kSettledAfter{100};
constexpr std::chrono::milliseconds kSettleLimit{1000};
constexpr Uint32 kSettlePollMs = 5;

// An event watch: it sees each event as it is queued, and leaves it there for the frame loop.
int noteSizeChange(void* changed, SDL_Event* event) {
    if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        *static_cast<bool*>(changed) = true;
    }
    return 0;
}

void loadImages(Show& show) {
    for (const ShowImage& image : kImages) {
        Texture& texture = show.*image.texture;
        loadImageTexture(image.path, texture);
        applySampling(image, texture);
    }
}

// Both generators start equal; only the shuffle draws from its own before the show.
void seedGenerators(Show& show) {
    seedLcg(show.staticRng);
    seedLcg(show.shuffleRng);
    buildPermutationTable(show.permutation, show.shuffleRng);
}

} // namespace

std::span<const ShowImage> showImages() {
    return kImages;
}

// The texture is bound here rather than trusted to be left bound by the loader.
void applySampling(const ShowImage& image, const Texture& texture) {
    if (image.setSampling) {
        bindTexture(texture);
        image.setSampling();
    }
}

TTF_Font* openShowFont(int points) {
    TTF_Font* font = TTF_OpenFont(kFontPath, points);
    if (!font) {
        fail(std::string("Unable to open font file: ") + kFontPath, TTF_GetError());
    }
    return font;
}

void openAudioDevice() {
    Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 4096);
}

namespace {

void createGlContext(Platform& platform, bool es) {
    if (es) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    }
    platform.context = SDL_GL_CreateContext(platform.window);
    if (!platform.context) {
        fail("Unable to create the OpenGL context", SDL_GetError());
    }
}

void loadGlExtensions() {
    if (glewInit() != GLEW_OK) {
        const std::string advice = openGlAdvice(SDL_GetCurrentVideoDriver());
        throw std::runtime_error("Error initing glew: cannot load OpenGL " + advice);
    }
}

void openWindow(Platform& platform, const WindowRequest& window, bool esContext) {
    platform.window =
        SDL_CreateWindow(window.title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                         window.width, window.height, window.flags | SDL_WINDOW_OPENGL);
    if (!platform.window) {
        fail("Unable to create the window", SDL_GetError());
    }
    if (window.hideCursor) {
        SDL_ShowCursor(SDL_DISABLE);
    }
    createGlContext(platform, esContext);
    SDL_GL_SetSwapInterval(-1);
    loadGlExtensions();
}

} // namespace

void openPlatform(Platform& platform, const PlatformRequest& request) {
    if (SDL_Init(request.sound ? SDL_INIT_AUDIO | SDL_INIT_VIDEO : SDL_INIT_VIDEO) != 0) {
        fail("Unable to start the media library", SDL_GetError());
    }
    if (request.sound) {
        openAudioDevice();
    }
    TTF_Init();
    platform.font = openShowFont(kFontPoints);
    if (request.sound) {
        platform.music = Mix_LoadMUS(kMusicPath);
    }
    openWindow(platform, request.window, request.esContext);
}

DrawableSize drawableSize(const Platform& platform) {
    DrawableSize size{0, 0};
    SDL_GL_GetDrawableSize(platform.window, &size.width, &size.height);
    return size;
}

// A full-screen window may be resized after it opens: the window manager answers its mapping,
// and Wine, in a prefix it has just made, first sizes it for a default 1024x768 monitor and
// only then for the screen. The size counts once it has held for a moment.
DrawableSize settledDrawableSize(const Platform& platform) {
    using Clock = std::chrono::steady_clock;
    bool changed = false;
    SDL_AddEventWatch(noteSizeChange, &changed);
    const Clock::time_point opened = Clock::now();
    Clock::time_point lastChange = opened;
    for (Clock::time_point now = opened;
         now - lastChange < kSettledAfter && now - opened < kSettleLimit; now = Clock::now()) {
        SDL_PumpEvents();
        if (std::exchange(changed, false)) {
            lastChange = Clock::now();
        }
        SDL_Delay(kSettlePollMs);
    }
    SDL_DelEventWatch(noteSizeChange, &changed);
    return drawableSize(platform);
}

void fitToDrawable(DrawableSize drawable, Show& show) {
    setUpScreen(drawable, show);
    setProjection(show.screen);
}

void makeTextTextures(TTF_Font* font, Show& show) {
    makeTextTexture(font, kWindSpeedLabel, {0, 0, 0, 255}, GL_LINEAR, show.windSpeedLabel);
    makeTextTexture(font, kScrollerText, {255, 255, 255, 255}, GL_NEAREST, show.scroller);
    // The image loader reads tightly packed rows.
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void loadShow(TTF_Font* font, DrawableSize drawable, Show& show) {
    makeTextTextures(font, show);
    setUpScreen(drawable, show);
    loadImages(show);
    seedGenerators(show);
    setProjection(show.screen);
}
