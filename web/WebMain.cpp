// The show in a web page. The browser owns the main loop, so the page is a small state
// machine run once per animation frame: a start screen, the show started by a click, a tap or
// a key, or one moment held (index.html#at=MS). Every frame is drawn by the desktop show's own
// code.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include <emscripten.h>
#include <emscripten/html5.h>

#include "app/Frame.h"
#include "app/FrameLoop.h"
#include "app/Startup.h"
#include "app/Timeline.h"
#include "scenes/Show.h"
#include "web/CanvasBox.h"

namespace {

// The still life with the group's wordmark, behind the start screen's line.
constexpr std::uint32_t kStartScreenMs = 13000;

// The page sizes the canvas itself, so the requested size is only a first guess. Sound
// opens at the viewer's first start: a browser lets it begin only after a gesture. An ES 3.0
// context is what gives WebGL 2, which draws textures of any size with mipmaps and repeats.
constexpr PlatformRequest kPagePlatform = {{"Selkavo Tornuva", 1280, 720, 0, false}, false, true};

enum class Mode { Start, Playing, Held };

struct Page {
    Platform platform;
    Show show;
    CanvasBox canvas{};
    Mode mode = Mode::Start;
    std::uint32_t heldMs = kStartScreenMs; // the moment on screen while not playing
    bool redrawDue = true;
    bool titleDue = false;
    std::uint32_t startTicks = 0;
    bool musicStarted = false;
    bool audioOpen = false;
};

Page& page() {
    static Page thePage;
    return thePage;
}

// The page's styles follow the mode (the start line, the hidden cursor).
void tellPage(const char* mode) {
    EM_ASM({ document.body.dataset.mode = UTF8ToString($0); }, mode);
}

void setTitle(const std::string& title) {
    EM_ASM({ document.title = UTF8ToString($0); }, title.c_str());
}

// The page tells the viewer and prints it to the console, where it explains the failed start.
void showFailure(const std::string& message) {
    EM_ASM({ fail(UTF8ToString($0)); }, message.c_str());
}

// The moment the page's address names, as in index.html#at=30000: the page passes its
// address's fragment as the program's one argument.
std::optional<std::uint32_t> heldMoment(int argc, char** argv) {
    constexpr std::string_view kPrefix = "#at=";
    const std::string_view fragment = argc > 1 ? argv[1] : "";
    if (!fragment.starts_with(kPrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = fragment.substr(kPrefix.size());
    std::uint32_t ms = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), ms);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return std::min(ms, kShowLastFrameMs);
}

// The canvas's place for the current window and pixel ratio.
CanvasBox currentCanvasBox() {
    const int width = EM_ASM_INT({ return window.innerWidth; });
    const int height = EM_ASM_INT({ return window.innerHeight; });
    return canvasBox(width, height, emscripten_get_device_pixel_ratio());
}

void placeCanvas(const CanvasBox& box) {
    // clang-format off
    EM_ASM({
        const style = Module.canvas.style;
        style.top = $0 + 'px';
        style.width = $1 + 'px';
        style.height = $2 + 'px';
    }, box.top, box.width, box.height);
    // clang-format on
    emscripten_set_canvas_element_size("#canvas", box.drawable.width, box.drawable.height);
}

// Moves and resizes the canvas when the window or the pixel ratio changed; true if it did.
bool followWindow(Page& page) {
    const CanvasBox box = currentCanvasBox();
    if (box == page.canvas) {
        return false;
    }
    page.canvas = box;
    placeCanvas(box);
    fitToDrawable(box.drawable, page.show);
    return true;
}

void openMusic(Page& page) {
    if (page.audioOpen) {
        return;
    }
    std::puts("The music plays through SDL's ScriptProcessorNode: the browser may call that "
              "deprecated, and it still plays.");
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    openAudioDevice();
    page.platform.music = Mix_LoadMUS(kMusicPath);
    page.audioOpen = true;
}

void startShow(Page& page) {
    openMusic(page);
    restoreStartingState();
    setStaticFramesDrawn(page.show, 0);
    page.musicStarted = false;
    page.startTicks = SDL_GetTicks();
    page.mode = Mode::Playing;
    tellPage("playing");
}

void backToStartScreen(Page& page) {
    Mix_HaltMusic();
    emscripten_exit_fullscreen();
    page.mode = Mode::Start;
    page.heldMs = kStartScreenMs;
    page.redrawDue = true;
    setTitle(kPagePlatform.window.title);
    tellPage("start");
}

void holdOn(Page& page) {
    if (page.titleDue) {
        // The frame drawn in the turn before is on the page by now.
        setTitle(std::string(kPagePlatform.window.title) + " " + showClock(page.heldMs));
        page.titleDue = false;
    }
    if (followWindow(page) || page.redrawDue) {
        drawMomentAlone(page.show, page.heldMs);
        page.redrawDue = false;
        page.titleDue = page.mode == Mode::Held;
    }
    // The page itself starts the show (tornuva_start_show): nothing queued here is for later.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void playOn(Page& page) {
    followWindow(page);
    const std::uint32_t t = SDL_GetTicks() - page.startTicks;
    if (!playFrame(page.platform, page.show, t, page.musicStarted)) {
        backToStartScreen(page);
    }
}

void turn() {
    Page& page = ::page();
    if (page.mode == Mode::Playing) {
        playOn(page);
    } else {
        holdOn(page);
    }
}

void openPage(Page& page) {
    openPlatform(page.platform, kPagePlatform);
    // The first turn sizes the drawing buffer and fits the show to it again.
    loadShow(page.platform.font, currentCanvasBox().drawable, page.show);
}

} // namespace

// The page calls this when the viewer clicks, taps or presses a key on the start screen,
// while that gesture still lets the sound begin.
extern "C" EMSCRIPTEN_KEEPALIVE void tornuva_start_show() {
    if (page().mode == Mode::Start) {
        startShow(page());
    }
}

// The page calls this when the viewer leaves full screen (Escape there goes to the browser).
extern "C" EMSCRIPTEN_KEEPALIVE void tornuva_leave_show() {
    if (page().mode == Mode::Playing) {
        backToStartScreen(page());
    }
}

int main(int argc, char** argv) {
    Page& page = ::page();
    try {
        openPage(page);
    } catch (const std::exception& failure) {
        showFailure(failure.what());
        return 1;
    }
    if (const std::optional<std::uint32_t> held = heldMoment(argc, argv)) {
        page.mode = Mode::Held;
        page.heldMs = *held;
        tellPage("held");
    } else {
        tellPage("start");
    }
    emscripten_set_main_loop(turn, 0, false);
    return 0;
}
