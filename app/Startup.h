#pragma once

#include <span>

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

struct Show;
class Texture;

inline constexpr char kFontPath[] = "Data/VeraMoBd.ttf";
inline constexpr int kFontPoints = 45; // the text textures are rendered at this size
inline constexpr char kMusicPath[] = "Data/bossanova.ogg";

// Library handles that start-up opens and the process keeps until it ends.
struct Platform {
    TTF_Font* font = nullptr;
    Mix_Music* music = nullptr; // null when the music cannot be loaded: the show runs silent
    SDL_Window* window = nullptr;
};

// The window start-up opens: the show's is full screen with the cursor hidden.
struct WindowRequest {
    const char* title;
    int width;
    int height;
    Uint32 flags; // besides SDL_WINDOW_OPENGL
    bool hideCursor;
};

inline constexpr WindowRequest kShowWindow = {"Selkavo Tornuva", 1280, 720,
                                              SDL_WINDOW_FULLSCREEN_DESKTOP, true};

// Media library, audio, font, music, the window and its GL context, in that order. The
// show's millisecond clock starts with the media library. Throws std::runtime_error naming
// the cause when the font, window, context or extension loader cannot be had.
void openPlatform(Platform& platform, const WindowRequest& window = kShowWindow);

// The audio device the music plays on, as the show opens it.
void openAudioDevice();

// The window, its GL context and the GL entry points: the last steps of openPlatform.
void openWindow(Platform& platform, const WindowRequest& window);

// The show's font at the given size. Throws std::runtime_error naming the file and the cause.
TTF_Font* openShowFont(int points);

// Compatibility-profile context, current on the window. Throws std::runtime_error on failure.
SDL_GLContext createGlContext(SDL_Window* window);

// Loads the GL entry points beyond 1.1 for the current context; throws when it cannot.
void loadGlExtensions();

struct DrawableSize {
    int width;
    int height;
};

DrawableSize drawableSize(const Platform& platform);

// The drawable's size once the window has stopped changing size, pumping events (and keeping
// them queued) for at least 0.1 s and at most 1 s.
DrawableSize settledDrawableSize(const Platform& platform);

// Screen space, viewport and projection for a drawable of the given size.
void fitToDrawable(DrawableSize drawable, Show& show);

// One of the show's pictures, with the sampling settings start-up applies to its texture
// right after loading it; none when setSampling is null. setSampling sets the parameters of
// the texture bound on unit 0.
struct ShowImage {
    const char* path;
    Texture Show::*texture;
    void (*setSampling)();
};

// The show's pictures in load order.
std::span<const ShowImage> showImages();

// Selects unit 0, binds the texture and sets the picture's sampling parameters, if it has any.
void applySampling(const ShowImage& image, const Texture& texture);

// Both text textures, then the unpack row length back to 0 for the image loader.
void makeTextTextures(TTF_Font* font, Show& show);

// Text textures, screen space, image textures, generators and projection, in that order,
// for a drawable of the given size. Needs a current GL context with its extensions loaded.
// Throws std::runtime_error when a text cannot be rendered or an image cannot be decoded;
// textures made so far stay in the show for their owners to release.
void loadShow(TTF_Font* font, DrawableSize drawable, Show& show);
