#include <cstdio>
#include <exception>
#include <string>

#include "app/FrameLoop.h"
#include "app/Startup.h"
#include "scenes/Show.h"

namespace {

// Written to standard error too, for machines where no box can be shown. The full-screen
// window is hidden first so that it cannot cover the box.
void reportFailure(SDL_Window* window, const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    if (window) {
        SDL_HideWindow(window);
    }
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", message.c_str(), nullptr);
}

} // namespace

int main(int, char**) {
    // The font, music, window and context are never released: they live until the process
    // ends, held by a static so that they stay reachable to the very end.
    static Platform platform;
    try {
        openPlatform(platform);
        Show show;
        loadShow(platform.font, settledDrawableSize(platform), show);
        runFrameLoop(platform, show);
    } catch (const std::exception& failure) {
        reportFailure(platform.window, failure.what());
        return 1;
    }
    return 0;
}
