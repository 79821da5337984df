#pragma once

#include <cstdint>
#include <span>
#include <string>

struct Show;

// A scene of the show and the stretch of time it is drawn in.
struct TimelineScene {
    const char* name;
    // The first and last millisecond of its frames, both included.
    std::uint32_t first;
    std::uint32_t last;
    void (*draw)(Show& show, std::uint32_t t);

    bool shownAt(std::uint32_t t) const { return first <= t && t <= last; }
};

// Every scene of the show in drawing order: each draws over those before it, so the banner
// follows the still life that it crosses, though it starts earlier.
std::span<const TimelineScene> showTimeline();

// The names of the scenes drawn at t in drawing order, joined by " + ", or "black".
std::string sceneNamesAt(std::uint32_t t);

// The music starts in the first frame at or after this moment, the first past 3 s.
inline constexpr std::uint32_t kMusicStartMs = 3001;
// The show's last frame is the first at or after this moment.
inline constexpr std::uint32_t kShowLastFrameMs = 158189;

inline bool musicDue(std::uint32_t t) {
    return t >= kMusicStartMs;
}
inline bool isLastFrame(std::uint32_t t) {
    return t >= kShowLastFrameMs;
}

// The show's clock as M:SS.mmm, such as 1:23.456.
std::string showClock(std::uint32_t t);

// Frame i of a run that starts at `from` and draws `fps` frames a second, as a capture does,
// is drawn at t = from + floor(i * 1000 / fps).
std::uint32_t frameTime(std::uint32_t from, int fps, std::uint64_t frame);

// Frames that such a run from 0 draws with the static scene before `from`: the number of
// times the static's generator has moved on by then.
std::uint64_t staticFramesBefore(std::uint32_t from, int fps);
