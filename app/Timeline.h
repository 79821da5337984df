#pragma once

#include <cstdint>
#include <string>

// At most one of these closes each frame.
enum class EndScene { None, Portrait, WindVane, Voyage };

// Which scenes draw in the frame at t milliseconds, in drawing order.
struct SceneSelection {
    bool staticScene = false;
    bool stillLife = false;
    bool banner = false;
    EndScene end = EndScene::None;

    bool operator==(const SceneSelection&) const = default;
};

SceneSelection scenesAt(std::uint32_t t);

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
