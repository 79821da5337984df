#pragma once

#include <cstdint>

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

// The music starts in the first frame after this many milliseconds.
inline constexpr std::uint32_t kMusicStartMs = 3000;
// The first frame after this many milliseconds is the show's last.
inline constexpr std::uint32_t kShowEndMs = 158188;

inline bool musicDue(std::uint32_t t) {
    return t > kMusicStartMs;
}
inline bool isLastFrame(std::uint32_t t) {
    return t > kShowEndMs;
}
