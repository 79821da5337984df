#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "Schedule.h"

namespace {

// Frame i of a capture from `from` at `fps` is drawn at from + floor(i * 1000 / fps).
TEST(CaptureSchedule, FrameTimesFloorTheExactInstant) {
    for (const auto& [from, fps, frame, t] :
         std::vector<std::tuple<std::uint32_t, int, int, int>>{{0, 60, 1, 16},
                                                               {0, 60, 181, 3016},
                                                               {1000, 60, 181, 4016},
                                                               {0, 7, 1, 142},
                                                               {0, 60, 9492, 158200}}) {
        EXPECT_EQ(frameTime(from, fps, frame), t) << from << " at " << fps << " fps, " << frame;
    }
}

TEST(CaptureSchedule, FrameCountsCoverExactlyTheRangeAndTheShowsEnd) {
    for (const auto& [from, to, fps, frames] : std::vector<std::tuple<int, int, int, int>>{
             {2000, 4000, 30, 60}, {0, 17, 60, 2}, {0, 1001, 7, 8}, {500, 500, 60, 0}}) {
        EXPECT_EQ(framesBefore(from, to, fps), frames) << from << " to " << to << " at " << fps;
    }
    // The show's last frame is the first after 158188 ms, and it is drawn.
    for (const auto& [from, fps, frames] : std::vector<std::tuple<int, int, int>>{
             {0, 60, 9493}, {0, 1, 160}, {158188, 60, 2}, {158189, 60, 1}}) {
        EXPECT_EQ(framesToShowEnd(from, fps), frames) << "from " << from << " at " << fps;
    }
}

// The static's generator moves on once for every frame of static a capture from 0 at the
// same rate would have drawn before.
TEST(CaptureSchedule, StaticFramesBeforeCountOnlyEarlierStaticFrames) {
    for (const auto& [from, fps, frames] : std::vector<std::tuple<int, int, int>>{{0, 60, 0},
                                                                                  {16, 60, 1},
                                                                                  {17, 60, 2},
                                                                                  {1000, 30, 30},
                                                                                  {5000, 60, 300},
                                                                                  {100000, 1, 5}}) {
        EXPECT_EQ(staticFramesBefore(from, fps), frames) << "from " << from << " at " << fps;
    }
}

} // namespace
