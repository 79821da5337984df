#pragma once

#include <cstdint>

#include "app/Timeline.h"

// Where a capture's frames fall on the show's clock (frameTime) and in its video: frame i is
// shown at i / fps seconds.

// Frames with from <= t < to.
std::uint64_t framesBefore(std::uint32_t from, std::uint32_t to, int fps);

// Frames from `from` up to and including the show's last frame, as the show plays them.
std::uint64_t framesToShowEnd(std::uint32_t from, int fps);

// How the music lines up with a capture starting at `from`: silence for `delayMs`, then the
// looping track from `trackOffsetMs` (not reduced modulo the track's length; the loop does
// that).
struct MusicPlacement {
    std::uint32_t delayMs;
    std::uint32_t trackOffsetMs;

    bool operator==(const MusicPlacement&) const = default;
};

MusicPlacement musicPlacement(std::uint32_t from);

// Whole-sample count for a stretch of milliseconds or frames at a sample rate.
std::uint64_t samplesForMs(std::uint64_t ms, int sampleRate);
std::uint64_t samplesForFrames(std::uint64_t frames, int fps, int sampleRate);
