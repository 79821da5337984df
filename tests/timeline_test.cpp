#include <cstdint>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "app/Timeline.h"

namespace {

// Both ends of every scene's window, each one inclusive, in drawing order where they overlap.
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
                                   {158189, "voyage"},
                                   {0xFFFFFFFF, "voyage"}}) {
        EXPECT_EQ(sceneNamesAt(t), names) << "t = " << t;
    }
}

TEST(Timeline, MusicStartsAfter3000AndTheShowEndsAfter158188) {
    EXPECT_FALSE(musicDue(3000));
    EXPECT_TRUE(musicDue(3001));
    EXPECT_FALSE(isLastFrame(158188));
    EXPECT_TRUE(isLastFrame(158189));
}

} // namespace
