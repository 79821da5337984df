#include "Schedule.h"

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

MusicPlacement musicPlacement(std::uint32_t from) {
    if (from <= kMusicStartMs) {
        return {kMusicStartMs - from, 0};
    }
    return {0, from - kMusicStartMs};
}

std::uint64_t samplesForMs(std::uint64_t ms, int sampleRate) {
    return (ms * static_cast<std::uint64_t>(sampleRate) + 500) / 1000;
}

std::uint64_t samplesForFrames(std::uint64_t frames, int fps, int sampleRate) {
    const std::uint64_t fpsWide = static_cast<std::uint64_t>(fps);
    return (frames * static_cast<std::uint64_t>(sampleRate) + fpsWide / 2) / fpsWide;
}
