#include <cstdint>
#include <utility>

#include <gtest/gtest.h>

#include "app/Timeline.h"

namespace {

constexpr SceneSelection kNothing{};
constexpr SceneSelection kStatic{true, false, false, EndScene::None};
constexpr SceneSelection kBanner{false, false, true, EndScene::None};
constexpr SceneSelection kStillLifeAndBanner{false, true, true, EndScene::None};
constexpr SceneSelection kStillLife{false, true, false, EndScene::None};
constexpr SceneSelection kPortrait{false, false, false, EndScene::Portrait};
constexpr SceneSelection kWindVane{false, false, false, EndScene::WindVane};
constexpr SceneSelection kVoyage{false, false, false, EndScene::Voyage};

// Both ends of every scene's stretch, each one inclusive.
TEST(Timeline, EveryBoundaryIsInclusiveAsScheduled) {
    for (const auto& [t, scenes] : {std::pair{0u, kStatic},
                                    {4999u, kStatic},
                                    {5000u, kNothing},
                                    {5001u, kBanner},
                                    {5500u, kBanner},
                                    {5501u, kStillLifeAndBanner},
                                    {12999u, kStillLifeAndBanner},
                                    {13000u, kStillLife},
                                    {14999u, kStillLife},
                                    {15000u, kNothing},
                                    {15001u, kPortrait},
                                    {25000u, kPortrait},
                                    {25001u, kWindVane},
                                    {35000u, kWindVane},
                                    {35001u, kVoyage},
                                    {158189u, kVoyage},
                                    {0xFFFFFFFFu, kVoyage}}) {
        EXPECT_EQ(scenesAt(t), scenes) << "t = " << t;
    }
}

TEST(Timeline, MusicStartsAfter3000AndTheShowEndsAfter158188) {
    EXPECT_FALSE(musicDue(3000));
    EXPECT_TRUE(musicDue(3001));
    EXPECT_FALSE(isLastFrame(158188));
    EXPECT_TRUE(isLastFrame(158189));
}

} // namespace
