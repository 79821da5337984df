#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "DrawingCode.h"
#include "LiveCode.h"
#include "Music.h"
#include "PreviewOptions.h"
#include "RenderTarget.h"
#include "Strip.h"
#include "ToolPlatform.h"
#include "Transport.h"
#include "WriteFollower.h"
#include "scenes/Show.h"

// The preview's window and its loop: the show's frames at the transport's moment, the keys
// that move it, the music that follows it, saving and reloading.
class Preview {
public:
    // The platform must be open; the show is loaded from Data/ at once. Throws
    // std::runtime_error with the show's own message when that load fails. Saved frames go
    // into saveFolder. With live code, frames are drawn by its builds as they come.
    Preview(ToolPlatform& platform, const PreviewOptions& options, std::filesystem::path saveFolder,
            std::unique_ptr<LiveCode> live);
    Preview(const Preview&) = delete;
    Preview& operator=(const Preview&) = delete;

    // Runs until Escape or a quit request.
    void run();

private:
    void waitWhilePaused();
    bool followData();
    bool followCode();
    void handleEvents();
    void handleKey(const SDL_KeyboardEvent& key);
    void handlePointer(const SDL_Event& event);
    int stripRows() const;
    DrawableSize frameSize() const;
    void fitToWindow();
    void toggleFullscreen();
    void toggleStrip();
    void drawAndShow();
    void save(std::uint32_t t);
    void reload();
    void notify(const std::string& notice);
    void updateTitle();
    void reportSwap();

    // A build drawn for the first time in the next frame: what it is and when it loaded.
    struct LiveSwap {
        std::string message;
        LiveTimes times;
        std::chrono::steady_clock::time_point loaded;
    };

    ToolPlatform& platform_;
    SDL_Window* window_;
    std::filesystem::path saveFolder_;
    DrawableSize drawable_; // the frame's, the window's less the strip's rows
    // The frame is drawn here, as the capture draws it, and copied to the window: what is on
    // screen is then the very frame a capture of the same size writes.
    std::unique_ptr<RenderTarget> target_;
    std::unique_ptr<Show> show_;
    Strip strip_;
    bool stripShown_;
    bool scrubbing_ = false; // the pointer went down in the strip and has not come up yet
    Transport transport_;
    MusicFollower music_;
    std::optional<WriteFollower> dataFollower_; // none with --no-watch
    DrawingCode code_ = tornuvaDrawingCode();
    std::unique_ptr<LiveCode> live_; // none without --live
    std::string buildError_;         // the last build's, until one succeeds
    std::optional<LiveSwap> swapDue_;
    bool running_ = true;
    bool saveRequested_ = false;
    std::string notice_;
    std::uint64_t noticeEnds_ = 0;
    std::string title_;
};
