#include "app/Timeline.h"

#include <cstdio>
#include <limits>

#include "scenes/ChannelBanner.h"
#include "scenes/PortraitScene.h"
#include "scenes/StaticScene.h"
#include "scenes/StillLifeScene.h"
#include "scenes/VoyageScene.h"
#include "scenes/WindVaneScene.h"

namespace {

constexpr std::uint32_t kStaticLastMs = 4999;
// The voyage runs on until the show's last frame, whenever that frame falls.
constexpr std::uint32_t kUntilTheEnd = std::numeric_limits<std::uint32_t>::max();

constexpr TimelineScene kTimeline[] = {
    {"static", 0, kStaticLastMs, [](Show& show, std::uint32_t) { StaticScene(show); }},
    {"still life", 5501, 14999, [](Show& show, std::uint32_t) { StillLifeScene(show); }},
    {"banner", 5001, 12999, [](Show& show, std::uint32_t) { ChannelBanner(show); }},
    {"portrait", 15001, 25000, [](Show& show, std::uint32_t) { PortraitScene(show); }},
    {"wind vane", 25001, kVoyageStartMs,
     [](Show& show, std::uint32_t t) { WindVaneScene(show, t); }},
    {"voyage", kVoyageStartMs + 1, kUntilTheEnd,
     [](Show& show, std::uint32_t t) { VoyageScene(show, t); }},
};

} // namespace

std::span<const TimelineScene> showTimeline() {
    return kTimeline;
}

std::string sceneNamesAt(std::uint32_t t) {
    std::string names;
    for (const TimelineScene& scene : kTimeline) {
        if (scene.shownAt(t)) {
            names += names.empty() ? scene.name : std::string(" + ") + scene.name;
        }
    }
    return names.empty() ? "black" : names;
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
        if (t >= from || t > kStaticLastMs) {
            return frames;
        }
        ++frames;
    }
}
