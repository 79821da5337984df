#include "app/Timeline.h"

namespace {

bool within(std::uint32_t t, std::uint32_t first, std::uint32_t last) {
    return first <= t && t <= last;
}

EndScene endSceneAt(std::uint32_t t) {
    if (within(t, 15001, 25000)) {
        return EndScene::Portrait;
    }
    if (within(t, 25001, 35000)) {
        return EndScene::WindVane;
    }
    if (t >= 35001) {
        return EndScene::Voyage;
    }
    return EndScene::None;
}

} // namespace

SceneSelection scenesAt(std::uint32_t t) {
    SceneSelection selection;
    selection.staticScene = t <= 4999;
    selection.stillLife = within(t, 5501, 14999);
    selection.banner = within(t, 5001, 12999);
    selection.end = endSceneAt(t);
    return selection;
}
