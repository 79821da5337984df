#include "app/Timeline.h"

#include <cstdio>

#include "scenes/VoyageScene.h"

namespace {

// The first and last millisecond of a scene's frames.
struct Window {
    std::uint32_t first;
    std::uint32_t last;

    bool holds(std::uint32_t t) const { return first <= t && t <= last; }
};

constexpr Window kStatic = {0, 4999};
constexpr Window kBanner = {5001, 12999};
constexpr Window kStillLife = {5501, 14999};
constexpr Window kPortrait = {15001, 25000};
constexpr Window kWindVane = {25001, kVoyageStartMs};

EndScene endSceneAt(std::uint32_t t) {
    if (kPortrait.holds(t)) {
        return EndScene::Portrait;
    }
    if (kWindVane.holds(t)) {
        return EndScene::WindVane;
    }
    if (t > kVoyageStartMs) {
        return EndScene::Voyage;
    }
    return EndScene::None;
}

} // namespace

SceneSelection scenesAt(std::uint32_t t) {
    SceneSelection selection;
    selection.staticScene = kStatic.holds(t);
    selection.stillLife = kStillLife.holds(t);
    selection.banner = kBanner.holds(t);
    selection.end = endSceneAt(t);
    return selection;
}

std::string showClock(std::uint32_t t) {
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u.%03u", t / 60000, t / 1000 % 60, t % 1000);
    return text;
}

std::uint32_t frameTime(std::uint32_t from, int fps, std::uint64_t frame) {
    return from + static_cast<std::uint32_t>(frame * 1000 / static_cast<std::uint64_t>(fps));
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
