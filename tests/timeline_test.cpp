#include <cstdint>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "app/Timeline.h"

namespace {

// Both ends of every window, inclusive, in drawing order; the music's start; the last frame.
TEST(Timeline, EveryBoundaryIsInclusiveAsScheduled) {
    for (const auto& [t, names] : {std::pair<std::uint32_t, std::string>{0, "static"},
                                   {4999, "static"},
                                   {5000, "black"},
                                   {5001, "banner"},
                                   {5500, "banner"},
                                   {5501, "still life + banner"},
                                   {12999, "still life + banner"},
                                   {13000, "still life"},
                                   {14999, "still life"},
                                   {15000, "black"},
                                   {15001, "portrait"},
                                   {25000, "portrait"},
                                   {25001, "wind vane"},
                                   {35000, "wind vane"},
                                   {35001, "voyage"},
                                   {0xFFFFFFFF, "voyage"}}) {
        EXPECT_EQ(sceneNamesAt(t), names) << "t = " << t;
    }
    EXPECT_EQ(std::pair(musicDue(3000), musicDue(3001)), std::pair(false, true));
    EXPECT_EQ(std::pair(isLastFrame(158188), isLastFrame(158189)), std::pair(false, true));
}

} // namespace
