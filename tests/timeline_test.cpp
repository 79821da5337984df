#include <array>
#include <cstdint>

#include <gtest/gtest.h>

#include "app/Timeline.h"

namespace {

struct Window {
    std::uint32_t t;
    SceneSelection scenes;
};

constexpr SceneSelection kNothing{};
constexpr SceneSelection kStatic{true, false, false, EndScene::None};
constexpr SceneSelection kBannerAlone{false, false, true, EndScene::None};
constexpr SceneSelection kStillLifeWithBanner{false, true, true, EndScene::None};
constexpr SceneSelection kStillLifeAlone{false, true, false, EndScene::None};
constexpr SceneSelection kPortrait{false, false, false, EndScene::Portrait};
constexpr SceneSelection kWindVane{false, false, false, EndScene::WindVane};
constexpr SceneSelection kVoyage{false, false, false, EndScene::Voyage};

TEST(Timeline, EveryBoundaryIsInclusiveAsScheduled) {
    const std::array<Window, 22> frames = {{
        {0, kStatic},
        {4999, kStatic},
        {5000, kNothing},
        {5001, kBannerAlone},
        {5500, kBannerAlone},
        {5501, kStillLifeWithBanner},
        {12999, kStillLifeWithBanner},
        {13000, kStillLifeAlone},
        {14999, kStillLifeAlone},
        {15000, kNothing},
        {15001, kPortrait},
        {25000, kPortrait},
        {25001, kWindVane},
        {30000, kWindVane},
        {35000, kWindVane},
        {35001, kVoyage},
        {158188, kVoyage},
        {158189, kVoyage},
        {600000, kVoyage},
        {0xFFFFFFFFu, kVoyage},
        {3000, kStatic},
        {20000, kPortrait},
    }};
    for (const Window& frame : frames) {
        const SceneSelection got = scenesAt(frame.t);
        EXPECT_EQ(got, frame.scenes) << "t = " << frame.t;
    }
}

TEST(Timeline, MusicStartsAfter3000AndTheShowEndsAfter158188) {
    EXPECT_FALSE(musicDue(3000));
    EXPECT_TRUE(musicDue(3001));
    EXPECT_FALSE(isLastFrame(158188));
    EXPECT_TRUE(isLastFrame(158189));
}

} // namespace
