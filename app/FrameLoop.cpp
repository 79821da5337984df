#include "app/FrameLoop.h"

#include "app/Frame.h"
#include "app/Startup.h"
#include "app/Timeline.h"

namespace {

// Consumes every queued event; false once the user has asked to stop.
bool drainEvents() {
    bool keepGoing = true;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        const bool escape = event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE;
        if (event.type == SDL_QUIT || escape) {
            keepGoing = false;
        }
    }
    return keepGoing;
}

} // namespace

bool playFrame(const Platform& platform, Show& show, std::uint32_t t, bool& musicStarted) {
    if (musicDue(t) && !musicStarted) {
        // A missing track simply fails to play; the show goes on silent.
        Mix_PlayMusic(platform.music, -1);
        musicStarted = true;
    }
    drawFrame(show, t);
    SDL_GL_SwapWindow(platform.window);
    const bool last = isLastFrame(t);
    // Events are drained even in the last frame, as every frame consumes them.
    const bool stopAsked = !drainEvents();
    return !last && !stopAsked;
}

void runFrameLoop(const Platform& platform, Show& show) {
    bool musicStarted = false;
    while (playFrame(platform, show, SDL_GetTicks(), musicStarted)) {
    }
}
