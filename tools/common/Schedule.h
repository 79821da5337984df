#pragma once

#include <cstdint>

#include "app/Timeline.h"

// Where a capture's frames fall on the show's clock. Frame i of a capture that starts at
// `from` and runs at `fps` frames per second is drawn at t = from + floor(i * 1000 / fps) and
// shown at i / fps seconds of the video.

// The show's last frame is the first at or after this time.
inline constexpr std::uint32_t kShowLastFrameMs = kShowEndMs + 1;
// The show starts its music in the first frame after 3000 ms; on a continuous clock that is
// the moment 3001 ms.
inline constexpr std::uint32_t kMusicStartsAtMs = kMusicStartMs + 1;

std::uint32_t frameTime(std::uint32_t from, int fps, std::uint64_t frame);

// Frames with from <= t < to.
std::uint64_t framesBefore(std::uint32_t from, std::uint32_t to, int fps);

// Frames from `from` up to and including the show's last frame, as the show plays them.
std::uint64_t framesToShowEnd(std::uint32_t from, int fps);

// Frames that a capture of the whole show at `fps` draws with the static scene before
// `from`: the number of times the static's generator has moved on by then.
std::uint64_t staticFramesBefore(std::uint32_t from, int fps);

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
