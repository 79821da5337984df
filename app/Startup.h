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

// Library handles that start-up opens. The show keeps them until the process ends; the
// tools and tests hold them in a ToolPlatform, which closes them.
struct Platform {
    TTF_Font* font = nullptr;
    Mix_Music* music = nullptr; // null when the music cannot be loaded: the show runs silent
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// The window start-up opens: the show's is full screen with the cursor hidden.
struct WindowRequest {
    const char* title;
    int width;
    int height;
    Uint32 flags; // besides SDL_WINDOW_OPENGL
    bool hideCursor;
};

// What start-up opens: the show opens everything; the web page opens its sound at the
// viewer's first start, and drawing offscreen needs none.
struct PlatformRequest {
    WindowRequest window;
    bool sound;     // the audio device and the music
    bool esContext; // OpenGL ES 3.0, which a browser gives as WebGL 2, instead of compatibility
};

inline constexpr PlatformRequest kShowPlatform = {.window = {.title = "Selkavo Tornuva",
                                                             .width = 1280,
                                                             .height = 720,
                                                             .flags = SDL_WINDOW_FULLSCREEN_DESKTOP,
                                                             .hideCursor = true},
                                                  .sound = true,
                                                  .esContext = false};

// Media library, audio, font, music, the window and its GL context, in that order, leaving
// out the sound unless asked. The show's millisecond clock starts with the media library.
// Throws std::runtime_error naming the cause when the media library, font, window, context
// or extension loader cannot be had; what opened until then is in the platform.
void openPlatform(Platform& platform, const PlatformRequest& request = kShowPlatform);

// The audio device the music plays on, as the show opens it.
void openAudioDevice();

// The show's font at the given size. Throws std::runtime_error naming the file and the cause.
TTF_Font* openShowFont(int points);

struct DrawableSize {
    int width;
    int height;

    bool operator==(const DrawableSize&) const = default;
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
