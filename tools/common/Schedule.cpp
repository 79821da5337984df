#include "Schedule.h"

std::uint32_t frameTime(std::uint32_t from, int fps, std::uint64_t frame) {
    return from + static_cast<std::uint32_t>(frame * 1000 / static_cast<std::uint64_t>(fps));
}

std::uint64_t framesBefore(std::uint32_t from, std::uint32_t to, int fps) {
    if (to <= from) {
        return 0;
    }
    // floor(i * 1000 / fps) < to - from  <=>  i * 1000 < (to - from) * fps
    const std::uint64_t span = static_cast<std::uint64_t>(to - from) * fps;
    return (span + 999) / 1000;
}

std::uint64_t framesToShowEnd(std::uint32_t from, int fps) {
    if (isLastFrame(from)) {
        return 1;
    }
    return framesBefore(from, kShowLastFrameMs, fps) + 1;
}

std::uint64_t staticFramesBefore(std::uint32_t from, int fps) {
    std::uint64_t frames = 0;
    while (true) {
        const std::uint32_t t = frameTime(0, fps, frames);
        if (t >= from || !scenesAt(t).staticScene) {
            return frames;
        }
        ++frames;
    }
}

MusicPlacement musicPlacement(std::uint32_t from) {
    if (from <= kMusicStartsAtMs) {
        return {kMusicStartsAtMs - from, 0};
    }
    return {0, from - kMusicStartsAtMs};
}

std::uint64_t samplesForMs(std::uint64_t ms, int sampleRate) {
    return (ms * static_cast<std::uint64_t>(sampleRate) + 500) / 1000;
}

std::uint64_t samplesForFrames(std::uint64_t frames, int fps, int sampleRate) {
    const std::uint64_t fpsWide = static_cast<std::uint64_t>(fps);
    return (frames * static_cast<std::uint64_t>(sampleRate) + fpsWide / 2) / fpsWide;
}
