#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "Options.h"
#include "Schedule.h"
#include "Sheet.h"

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

// The show starts its music in its first frame after 3000 ms: 3001 on a continuous clock.
TEST(CaptureSchedule, MusicStartsAt3001AndLaterCapturesJoinTheTrack) {
    for (const auto& [from, delay, offset] : std::vector<std::tuple<int, int, int>>{
             {0, 3001, 0}, {3000, 1, 0}, {3001, 0, 0}, {10000, 0, 6999}}) {
        const MusicPlacement placement = musicPlacement(from);
        EXPECT_EQ(placement.delayMs, delay) << "from " << from;
        EXPECT_EQ(placement.trackOffsetMs, offset) << "from " << from;
    }
}

TEST(CaptureOptions, AcceptedAndRejectedCommandLines) {
    const Options video = parseOptions(
        {"-o", "show.mp4", "--fps=30", "--size", "640x360", "--from", "2000", "--to", "4000"});
    EXPECT_EQ(video.mode, Mode::Video);
    EXPECT_EQ(std::tuple(video.fps, video.width, video.height, video.from, *video.to),
              std::tuple(30, 640, 360, 2000u, 4000u));
    EXPECT_EQ(parseOptions({"--sheet", "sheet.PNG", "--every", "2.5"}).everyMs, 2500u);
    for (const auto& [args, says] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{}, "nothing to write"},
             {{"--at=", "-o", "f.png"}, "--at needs a value"},
             {{"--at", "158190", "-o", "f.png"}, "too large"},
             {{"-o", "v.mp4", "--size", "1921x1080"}, "even"},
             {{"-o", "v.mp4", "--from", "5000", "--to", "5000"}, "must come after"},
             {{"--frames", "d", "--crf", "20"}, "--crf applies only"}}) {
        try {
            parseOptions(args);
            ADD_FAILURE() << "accepted: " << says;
        } catch (const OptionError& error) {
            EXPECT_NE(std::string(error.what()).find(says), std::string::npos) << error.what();
        }
    }
}

TEST(CaptureSheet, ThumbnailTimesAndLabels) {
    const std::vector<std::uint32_t> whole = sheetTimes(0, kShowLastFrameMs, 5000);
    ASSERT_EQ(whole.size(), 32u);
    EXPECT_EQ(whole.back(), 155000u);
    EXPECT_EQ(sheetTimes(1000, 11001, 5000), (std::vector<std::uint32_t>{1000, 6000, 11000}));
    EXPECT_EQ(timeLabel(2500), "0:02.500  2500 ms");
    EXPECT_EQ(timeLabel(155000), "2:35  155000 ms");
}

} // namespace
