#include "Preview.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <utility>

#include "Image.h"
#include "RenderTarget.h"
#include "app/Frame.h"

namespace {

// How often a paused preview looks at its window when nothing happens, and at the files it
// follows.
constexpr Uint32 kIdleRedrawMs = 250;
constexpr Uint32 kWatchLookMs = 20;
constexpr std::uint64_t kNoticeMs = 4000;

std::string framePath(std::uint32_t t) {
    char name[32];
    std::snprintf(name, sizeof name, "tornuva-%06u.png", t);
    return name;
}

// The files of Data/ that the show reads; editors' and generators' own files beside them
// are no reason to reload.
bool isShowFile(const std::string& name) {
    const auto named = [&name](const char* path) {
        return std::filesystem::path(path).filename() == name;
    };
    const std::span<const ShowImage> images = showImages();
    return named(kFontPath) || named(kMusicPath) ||
           std::any_of(images.begin(), images.end(),
                       [&named](const ShowImage& image) { return named(image.path); });
}

// The strip's names are this size, in the show's font.
constexpr int kStripFontPoints = 12;

WriteFollower followShowFiles() {
    std::vector<std::unique_ptr<FolderWatch>> watches;
    watches.push_back(watchFolder(std::filesystem::path(kFontPath).parent_path()));
    return WriteFollower(std::move(watches), isShowFile);
}

} // namespace

Preview::Preview(ToolPlatform& platform, const PreviewOptions& options,
                 std::filesystem::path saveFolder, std::unique_ptr<LiveCode> live)
    : platform_(platform), window_(platform.platform().window), saveFolder_(std::move(saveFolder)),
      show_(std::make_unique<Show>()), strip_(platform.fontAt(kStripFontPoints)),
      stripShown_(options.strip), transport_(options.from, options.paused, options.loop),
      music_(platform.platform().music), live_(std::move(live)) {
    drawable_ = frameSize();
    target_ = std::make_unique<RenderTarget>(drawable_.width, drawable_.height);
    target_->bind();
    loadShow(platform.font(), drawable_, *show_);
    strip_.loadMusic(kMusicPath);
    if (options.watchData) {
        dataFollower_.emplace(followShowFiles());
    }
}

void Preview::run() {
    std::uint64_t last = SDL_GetTicks64();
    while (running_) {
        if (transport_.paused()) {
            waitWhilePaused();
        }
        // The time that passed counts with the state it passed in, before the keys change it.
        const std::uint64_t ticks = SDL_GetTicks64();
        transport_.advance(ticks - last);
        last = ticks;
        handleEvents();
        followData();
        followCode();
        if (!scrubbing_) {
            music_.follow(transport_);
        }
        drawAndShow();
    }
}

// Until a key, a reload, a build's end or the idle redraw, whichever is first.
void Preview::waitWhilePaused() {
    const std::uint64_t redrawAt = SDL_GetTicks64() + kIdleRedrawMs;
    while (SDL_GetTicks64() < redrawAt && SDL_WaitEventTimeout(nullptr, kWatchLookMs) == 0) {
        if (followData() || followCode()) {
            return;
        }
    }
}

// Swaps in the drawing code of a build that succeeded, between two frames: the show, its
// textures, the transport and the music stay as they are. True when a build ended.
bool Preview::followCode() {
    if (!live_) {
        return false;
    }
    const bool wasBuilding = live_->building();
    const std::optional<LiveChange> change = live_->takeChange(SDL_GetTicks64());
    if (!change) {
        if (live_->building() && !wasBuilding) {
            notify("building");
        }
        return false;
    }
    if (change->code) {
        code_ = *change->code;
    }
    buildError_ = change->code ? "" : change->message;
    notify(change->message);
    if (change->times) {
        swapDue_ = LiveSwap{change->message, *change->times, std::chrono::steady_clock::now()};
    }
    return true;
}

// How long the build just shown took from its save to the screen, step by step.
void Preview::reportSwap() {
    const auto ms = [](std::chrono::duration<double> span) {
        return static_cast<long>(std::lround(span.count() * 1000));
    };
    const LiveTimes& times = swapDue_->times;
    const auto swap = std::chrono::steady_clock::now() - swapDue_->loaded;
    const auto total = times.wait + times.compile + times.link + times.load + swap;
    std::fprintf(stderr,
                 "tornuva-preview: %s on screen %ld ms after the save (wait %ld, compile %ld, "
                 "link %ld, load %ld, swap %ld)\n",
                 swapDue_->message.c_str(), ms(total), ms(times.wait), ms(times.compile),
                 ms(times.link), ms(times.load), ms(swap));
    swapDue_.reset();
}

// Reloads once the files of Data/ have been written; true when it did.
bool Preview::followData() {
    if (!dataFollower_ || !dataFollower_->burstEnded(SDL_GetTicks64())) {
        return false;
    }
    reload();
    return true;
}

void Preview::handleEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            running_ = false;
        } else if (event.type == SDL_KEYDOWN) {
            handleKey(event.key);
        } else {
            handlePointer(event);
        }
    }
}

// A press in the strip moves to the moment under the pointer, and so does every move while the
// button is held: the picture follows at once, the music once the button comes up.
void Preview::handlePointer(const SDL_Event& event) {
    const bool press = event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT;
    if (press && stripShown_ && event.button.y >= drawable_.height) {
        scrubbing_ = true;
    }
    if (!scrubbing_) {
        return;
    }
    if (press || event.type == SDL_MOUSEMOTION) {
        const int x = press ? event.button.x : event.motion.x;
        transport_.seekTo(momentAtColumn(x, drawable_.width));
    } else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
        scrubbing_ = false;
    }
}

void Preview::handleKey(const SDL_KeyboardEvent& key) {
    const std::int64_t seekMs = (key.keysym.mod & KMOD_SHIFT) != 0 ? 10000 : 1000;
    switch (key.keysym.sym) {
    case SDLK_LEFT:
        transport_.seekBy(-seekMs);
        return;
    case SDLK_RIGHT:
        transport_.seekBy(seekMs);
        return;
    case SDLK_COMMA:
        transport_.step(-1);
        return;
    case SDLK_PERIOD:
        transport_.step(1);
        return;
    default:
        break;
    }
    // The rest happen once per press, however long the key is held.
    if (key.repeat) {
        return;
    }
    switch (key.keysym.sym) {
    case SDLK_ESCAPE:
        running_ = false;
        break;
    case SDLK_SPACE:
        transport_.togglePause();
        break;
    case SDLK_HOME:
        transport_.seekTo(0);
        break;
    case SDLK_l:
        transport_.toggleLoop();
        break;
    case SDLK_f:
        toggleFullscreen();
        break;
    case SDLK_s:
        saveRequested_ = true;
        break;
    case SDLK_t:
        toggleStrip();
        break;
    case SDLK_r:
        reload();
        break;
    default:
        break;
    }
}

void Preview::toggleFullscreen() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

int Preview::stripRows() const {
    return stripShown_ ? Strip::kHeight : 0;
}

// The frame keeps its size: a window grows by the strip and shrinks without it, while full
// screen the frame takes what the strip leaves.
void Preview::toggleStrip() {
    stripShown_ = !stripShown_;
    scrubbing_ = false;
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0) {
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(window_, &width, &height);
        SDL_SetWindowSize(window_, width, height + (stripShown_ ? 1 : -1) * Strip::kHeight);
    }
}

// The window's drawable less the strip's rows.
DrawableSize Preview::frameSize() const {
    DrawableSize size = drawableSize(platform_.platform());
    size.height = std::max(1, size.height - stripRows());
    return size;
}

void Preview::fitToWindow() {
    const DrawableSize drawable = frameSize();
    if (drawable.width != drawable_.width || drawable.height != drawable_.height) {
        drawable_ = drawable;
        target_.reset(); // it unbinds itself as it goes, so it goes before the new one comes
        target_ = std::make_unique<RenderTarget>(drawable_.width, drawable_.height);
        target_->bind();
        fitToDrawable(drawable_, *show_);
    }
}

void Preview::drawAndShow() {
    fitToWindow();
    const std::uint32_t t = transport_.now();
    code_.drawMomentAlone(*show_, t, kCaptureFps);
    if (saveRequested_) {
        saveRequested_ = false;
        save(t);
    }
    // The frame above the strip, pixel for pixel; the strip below it.
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, drawable_.width, drawable_.height, 0, stripRows(), drawable_.width,
                      stripRows() + drawable_.height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    if (stripShown_) {
        strip_.draw(drawable_.width, transport_);
    }
    target_->bind();
    SDL_GL_SwapWindow(window_);
    if (swapDue_) {
        glFinish();
        reportSwap();
    }
    // After the swap, so that what the title says is on screen.
    updateTitle();
}

void Preview::save(std::uint32_t t) {
    const std::string name = framePath(t);
    const std::string path = (saveFolder_ / name).string();
    RgbaImage frame;
    target_->read(frame);
    try {
        writePng(path, frame);
    } catch (const std::runtime_error& failure) {
        std::fprintf(stderr, "tornuva-preview: %s\n", failure.what());
        notify(failure.what());
        return;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    notify("saved " + name);
}

// Everything is loaded afresh beside what is on screen, and swapped in only when all of it
// loaded: a broken file leaves the preview as it was.
void Preview::reload() {
    auto fresh = std::make_unique<Show>();
    std::unique_ptr<TTF_Font, void (*)(TTF_Font*)> font(nullptr, TTF_CloseFont);
    try {
        font.reset(openShowFont(kFontPoints));
        loadShow(font.get(), drawable_, *fresh);
    } catch (const std::runtime_error& failure) {
        // The show's own words, as it would report them; the title has room for one line.
        const std::string message = failure.what();
        std::fprintf(stderr, "%s\n", message.c_str());
        notify(message.substr(0, message.find('\n')));
        return;
    }
    show_ = std::move(fresh);
    // A missing or broken track means silence, as at start-up.
    Mix_Music* music = Mix_LoadMUS(kMusicPath);
    music_.replace(music);
    platform_.replace(font.release(), music);
    strip_.loadMusic(kMusicPath);
    notify("reloaded Data/");
}

void Preview::notify(const std::string& notice) {
    notice_ = notice;
    noticeEnds_ = SDL_GetTicks64() + kNoticeMs;
}

void Preview::updateTitle() {
    if (!notice_.empty() && SDL_GetTicks64() >= noticeEnds_) {
        notice_.clear();
    }
    const std::string title = previewTitle(transport_, notice_.empty() ? buildError_ : notice_);
    if (title != title_) {
        SDL_SetWindowTitle(window_, title.c_str());
        title_ = title;
    }
}
