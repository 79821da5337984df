#include "Preview.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "Image.h"
#include "Schedule.h"
#include "app/Frame.h"
#include "gfx/RenderTarget.h"

namespace {

// How often a paused preview looks at its window when nothing happens.
constexpr Uint32 kIdleRedrawMs = 250;
constexpr std::uint64_t kNoticeMs = 4000;

std::string framePath(std::uint32_t t) {
    char name[32];
    std::snprintf(name, sizeof name, "tornuva-%06u.png", t);
    return name;
}

} // namespace

Preview::Preview(Platform& platform, const PreviewOptions& options,
                 std::filesystem::path saveFolder)
    : platform_(platform), saveFolder_(std::move(saveFolder)), drawable_(drawableSize(platform)),
      target_(std::make_unique<RenderTarget>(drawable_.width, drawable_.height)),
      show_(std::make_unique<Show>()), transport_(options.from, options.paused, options.loop),
      music_(platform.music) {
    target_->bind();
    loadShow(platform.font, drawable_, *show_);
}

void Preview::run() {
    std::uint64_t last = SDL_GetTicks64();
    while (running_) {
        if (transport_.paused()) {
            SDL_WaitEventTimeout(nullptr, kIdleRedrawMs);
        }
        // The time that passed counts with the state it passed in, before the keys change it.
        const std::uint64_t ticks = SDL_GetTicks64();
        transport_.advance(ticks - last);
        last = ticks;
        handleEvents();
        music_.follow(transport_);
        drawAndShow();
    }
}

void Preview::handleEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            running_ = false;
        } else if (event.type == SDL_KEYDOWN) {
            handleKey(event.key);
        }
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
    case SDLK_r:
        reload();
        break;
    default:
        break;
    }
}

void Preview::toggleFullscreen() {
    const bool full = (SDL_GetWindowFlags(platform_.window) & SDL_WINDOW_FULLSCREEN) != 0;
    SDL_SetWindowFullscreen(platform_.window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void Preview::fitToWindow() {
    const DrawableSize drawable = drawableSize(platform_);
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
    drawMomentAlone(*show_, t);
    if (saveRequested_) {
        saveRequested_ = false;
        save(t);
    }
    target_->copyToWindow();
    SDL_GL_SwapWindow(platform_.window);
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
    TTF_Font* font = nullptr;
    try {
        font = openShowFont(kFontPoints);
        loadShow(font, drawable_, *fresh);
    } catch (const std::runtime_error& failure) {
        if (font) {
            TTF_CloseFont(font);
        }
        // The show's own words, as it would report them; the title has room for one line.
        const std::string message = failure.what();
        std::fputs(message.c_str(), stderr);
        if (message.empty() || message.back() != '\n') {
            std::fputc('\n', stderr);
        }
        notify(message.substr(0, message.find('\n')));
        return;
    }
    show_ = std::move(fresh);
    TTF_CloseFont(platform_.font);
    platform_.font = font;
    // A missing or broken track means silence, as at start-up.
    Mix_Music* music = Mix_LoadMUS(kMusicPath);
    music_.replace(music);
    if (platform_.music) {
        Mix_FreeMusic(platform_.music);
    }
    platform_.music = music;
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
    const std::string title = previewTitle(transport_, notice_);
    if (title != title_) {
        SDL_SetWindowTitle(platform_.window, title.c_str());
        title_ = title;
    }
}
