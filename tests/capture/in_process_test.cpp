#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Options.h"
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

using Args = std::vector<std::string>;

TEST(CaptureOptions, ReadsEachOption) {
    const std::vector<std::pair<Args, Options>> cases = {
        {{"-h"}, {}},
        {{"--at", "1500", "--output=F.PNG"}, {.mode = Mode::Still, .output = "F.PNG", .at = 1500}},
        {{"--frames", "d", "--from=1000", "--to", "2000", "--fps", "30"},
         {.mode = Mode::Frames, .output = "d", .from = 1000, .to = 2000, .fps = 30}},
        {{"--sheet", "S.PNG", "--every", "2.5"},
         {.mode = Mode::Sheet, .output = "S.PNG", .everyMs = 2500}},
        {{"--sheet", "s.png", "--columns=4", "--thumb", "320"},
         {.mode = Mode::Sheet, .output = "s.png", .columns = 4, .thumbWidth = 320}},
        {{"-o", "v.mkv", "--size", "640x360"},
         {.mode = Mode::Video, .output = "v.mkv", .width = 640, .height = 360}},
        {{"-o", "v.mkv", "--crf", "0", "--preset", "slow"},
         {.mode = Mode::Video, .output = "v.mkv", .crf = 0, .preset = "slow"}},
    };
    for (const auto& [args, options] : cases) {
        EXPECT_EQ(parseOptions(args), options) << args[0];
    }
}

TEST(CaptureOptions, RefusesEachMistakeSayingWhy) {
    const std::vector<std::pair<Args, std::string>> cases = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"frame.png"}, "unexpected argument 'frame.png'"},
        {{}, "nothing to write"},
        {{"-o"}, "-o needs a value"},
        {{"--output="}, "-o needs a value"},
        {{"-o", "v.mp4", "--sheet", "s.png"}, "only one of"},
        {{"--sheet", "s.jpg"}, "the contact sheet is a PNG"},
        {{"-o", "f.png"}, "give --at MS"},
        {{"-o", "v.mp4", "--at", "5"}, "--at writes one frame"},
        {{"-o", "f.png", "--at", "5", "--to", "9"}, "--to applies only to a range"},
        {{"--frames", "d", "--every", "5"}, "--every applies only to --sheet"},
        {{"--sheet", "s.png", "--preset", "fast"}, "--preset applies only to a video"},
        {{"-o", "v.mp4", "--size", "640x361"}, "even width and height"},
        {{"--frames", "d", "--from", "900", "--to", "900"}, "must come after --from 900"},
        {{"--sheet", "s.png", "--every", "0"}, "above 0"},
        {{"--sheet", "s.png", "--every", "0.0004"}, "shorter than a millisecond"},
        {{"--sheet", "s.png", "--columns", "101"}, "--columns 101 is too large"},
        {{"--sheet", "s.png", "--thumb", "15"}, "--thumb 15 is too small"},
        {{"-o", "v.mp4", "--crf", "52"}, "--crf 52 is too large"},
        {{"-o", "v.mp4", "--preset", "quick"}, "an x264 preset"},
    };
    for (const auto& [args, reason] : cases) {
        try {
            parseOptions(args);
            ADD_FAILURE() << "taken: " << reason;
        } catch (const OptionError& error) {
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        }
    }
}

} // namespace
