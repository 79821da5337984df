#include "Transport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Schedule.h"

namespace {

constexpr std::uint32_t kLoopAroundMs = 10000;

std::uint32_t clampToShow(std::int64_t t) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(t, 0, kShowLastFrameMs));
}

// The last frame of a 60 fps capture from 0 that is drawn at or before t.
std::uint64_t frameAtOrBefore(std::uint32_t t) {
    return framesBefore(0, t + 1, kCaptureFps) - 1;
}

} // namespace

Transport::Transport(std::uint32_t from, bool paused, std::optional<Loop> loop)
    : now_(clampToShow(from)), paused_(paused), loop_(loop) {}

void Transport::advance(std::uint64_t elapsedMs) {
    if (paused_ || elapsedMs == 0) {
        return;
    }
    const std::uint64_t next = now_ + elapsedMs;
    if (loop_ && now_ < loop_->end && next >= loop_->end) {
        jumpTo(loop_->start +
               static_cast<std::uint32_t>((next - loop_->end) % (loop_->end - loop_->start)));
    } else if (next >= kShowLastFrameMs && loop_) {
        jumpTo(loop_->start);
    } else if (next >= kShowLastFrameMs) {
        now_ = kShowLastFrameMs;
        paused_ = true;
    } else {
        now_ = static_cast<std::uint32_t>(next);
    }
}

void Transport::togglePause() {
    paused_ = !paused_;
}

void Transport::seekBy(std::int64_t deltaMs) {
    jumpTo(clampToShow(static_cast<std::int64_t>(now_) + deltaMs));
}

void Transport::seekTo(std::uint32_t t) {
    jumpTo(clampToShow(t));
}

void Transport::step(int direction) {
    if (!paused_) {
        return;
    }
    const std::uint64_t frame = frameAtOrBefore(now_);
    if (direction > 0) {
        jumpTo(clampToShow(frameTime(0, kCaptureFps, frame + 1)));
    } else if (frameTime(0, kCaptureFps, frame) < now_) {
        jumpTo(frameTime(0, kCaptureFps, frame));
    } else if (frame > 0) {
        jumpTo(frameTime(0, kCaptureFps, frame - 1));
    }
}

void Transport::toggleLoop() {
    if (loop_) {
        loop_.reset();
        return;
    }
    const auto start = static_cast<std::uint32_t>(std::clamp<std::int64_t>(
        static_cast<std::int64_t>(now_) - kLoopAroundMs / 2, 0, kShowLastFrameMs - kLoopAroundMs));
    loop_ = Loop{start, start + kLoopAroundMs};
}

void Transport::jumpTo(std::uint32_t t) {
    now_ = t;
    ++jumps_;
}

std::optional<double> musicPosition(std::uint32_t t, double trackSeconds) {
    if (t < kMusicStartMs) {
        return std::nullopt;
    }
    const double seconds = (t - kMusicStartMs) / 1000.0;
    return trackSeconds > 0 ? std::fmod(seconds, trackSeconds) : seconds;
}

std::string previewTitle(const Transport& transport, const std::string& notice) {
    std::string title =
        "Tornuva preview " + showClock(transport.now()) + " " + sceneNamesAt(transport.now());
    if (transport.paused()) {
        title += " paused";
    }
    if (transport.loop()) {
        title +=
            " loop " + showClock(transport.loop()->start) + "-" + showClock(transport.loop()->end);
    }
    if (!notice.empty()) {
        title += " - " + notice;
    }
    return title;
}
