#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Image.h"
#include "Options.h"
#include "Schedule.h"
#include "Sheet.h"

namespace {

TEST(CaptureSchedule, FrameTimesFloorTheExactInstant) {
    struct Case {
        std::uint32_t from;
        int fps;
        std::uint64_t frame;
        std::uint32_t t;
    };
    for (const Case& c : std::vector<Case>{{0, 60, 0, 0},
                                           {0, 60, 1, 16},
                                           {0, 60, 3, 50},
                                           {0, 60, 180, 3000},
                                           {0, 60, 181, 3016},
                                           {1000, 60, 181, 4016},
                                           {0, 30, 59, 1966},
                                           {0, 7, 1, 142},
                                           {0, 60, 9492, 158200}}) {
        EXPECT_EQ(frameTime(c.from, c.fps, c.frame), c.t)
            << "from " << c.from << " at " << c.fps << " fps, frame " << c.frame;
    }
}

TEST(CaptureSchedule, FrameCountsCoverExactlyTheRange) {
    struct Case {
        std::uint32_t from;
        std::uint32_t to;
        int fps;
        std::uint64_t frames;
    };
    for (const Case& c : std::vector<Case>{{0, 2000, 30, 60},
                                           {2000, 4000, 30, 60},
                                           {0, 1, 60, 1},
                                           {0, 17, 60, 2},
                                           {0, 1000, 7, 7},
                                           {0, 1001, 7, 8},
                                           {500, 500, 60, 0},
                                           {0, 158189, 60, 9492}}) {
        const std::uint64_t frames = framesBefore(c.from, c.to, c.fps);
        EXPECT_EQ(frames, c.frames) << c.from << " to " << c.to << " at " << c.fps << " fps";
        // Every counted frame lies before `to`, and the next one would not.
        if (frames > 0) {
            EXPECT_LT(frameTime(c.from, c.fps, frames - 1), c.to);
        }
        EXPECT_GE(frameTime(c.from, c.fps, frames), c.to);
    }
}

// The show's last frame is the first after 158188 ms, and it is drawn.
TEST(CaptureSchedule, AWholeShowEndsWithItsFirstFrameAfterTheEnd) {
    struct Case {
        std::uint32_t from;
        int fps;
        std::uint64_t frames;
        std::uint32_t lastT;
    };
    for (const Case& c : std::vector<Case>{{0, 60, 9493, 158200},
                                           {0, 1, 160, 159000},
                                           {158188, 60, 2, 158204},
                                           {158189, 60, 1, 158189}}) {
        const std::uint64_t frames = framesToShowEnd(c.from, c.fps);
        EXPECT_EQ(frames, c.frames) << "from " << c.from << " at " << c.fps << " fps";
        EXPECT_EQ(frameTime(c.from, c.fps, frames - 1), c.lastT);
        if (frames > 1) {
            EXPECT_FALSE(isLastFrame(frameTime(c.from, c.fps, frames - 2)));
        }
    }
}

// The static's generator has moved on once for every frame of static a capture from 0 at the
// same rate would have drawn before.
TEST(CaptureSchedule, StaticFramesBeforeCountOnlyEarlierStaticFrames) {
    struct Case {
        std::uint32_t from;
        int fps;
        std::uint64_t frames;
    };
    for (const Case& c : std::vector<Case>{{0, 60, 0},
                                           {1, 60, 1},
                                           {16, 60, 1},
                                           {17, 60, 2},
                                           {1000, 60, 60},
                                           {1000, 30, 30},
                                           {4999, 60, 300},
                                           {5000, 60, 300},
                                           {100000, 60, 300},
                                           {100000, 1, 5},
                                           {5000, 1000, 5000}}) {
        EXPECT_EQ(staticFramesBefore(c.from, c.fps), c.frames)
            << "from " << c.from << " at " << c.fps << " fps";
    }
}

TEST(CaptureSchedule, MusicStartsAt3001AndLaterCapturesJoinTheTrack) {
    struct Case {
        std::uint32_t from;
        MusicPlacement placement;
    };
    for (const Case& c : std::vector<Case>{{0, {3001, 0}},
                                           {2000, {1001, 0}},
                                           {3000, {1, 0}},
                                           {3001, {0, 0}},
                                           {10000, {0, 6999}},
                                           {158189, {0, 155188}}}) {
        const MusicPlacement placement = musicPlacement(c.from);
        EXPECT_EQ(placement.delayMs, c.placement.delayMs) << "from " << c.from;
        EXPECT_EQ(placement.trackOffsetMs, c.placement.trackOffsetMs) << "from " << c.from;
    }
}

TEST(CaptureOptions, AcceptedCommandLines) {
    const Options still = parseOptions({"--at", "30000", "-o", "frame.png"});
    EXPECT_EQ(still.mode, Mode::Still);
    EXPECT_EQ(still.at, 30000u);
    EXPECT_EQ(std::pair(still.width, still.height), std::pair(1920, 1080));

    const Options video = parseOptions(
        {"-o", "show.mp4", "--fps=30", "--size", "640x360", "--from", "2000", "--to", "4000"});
    EXPECT_EQ(video.mode, Mode::Video);
    EXPECT_EQ(video.fps, 30);
    EXPECT_EQ(std::pair(video.width, video.height), std::pair(640, 360));
    EXPECT_EQ(std::pair(video.from, *video.to), std::pair(2000u, 4000u));

    const Options sheet = parseOptions({"--sheet", "sheet.PNG", "--every", "2.5"});
    EXPECT_EQ(sheet.mode, Mode::Sheet);
    EXPECT_EQ(sheet.everyMs, 2500u);
    EXPECT_FALSE(sheet.to.has_value());

    EXPECT_EQ(parseOptions({"--frames", "out"}).mode, Mode::Frames);
    EXPECT_EQ(parseOptions({"-o", "x.mp4", "-h"}).mode, Mode::Help);
}

TEST(CaptureOptions, RejectedCommandLinesSayWhy) {
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{}, "nothing to write"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--at"}, "--at needs a value"},
        {{"--at=", "-o", "f.png"}, "--at needs a value"},
        {{"-o", "f.png"}, "--at"},
        {{"--at", "1000", "-o", "f.mp4"}, ".png"},
        {{"--at", "-5", "-o", "f.png"}, "whole number"},
        {{"--at", "1e3", "-o", "f.png"}, "whole number"},
        {{"--at", "158190", "-o", "f.png"}, "too large"},
        {{"--at", "1000", "--from", "0", "-o", "f.png"}, "--from applies only"},
        {{"-o", "v.mp4", "--frames", "dir"}, "only one of"},
        {{"-o", "v.mp4", "--size", "1920"}, "WIDTHxHEIGHT"},
        {{"-o", "v.mp4", "--size", "1921x1080"}, "even"},
        {{"-o", "v.mp4", "--size", "8x8"}, "too small"},
        {{"-o", "v.mp4", "--fps", "0"}, "too small"},
        {{"-o", "v.mp4", "--from", "5000", "--to", "5000"}, "must come after"},
        {{"-o", "v.mp4", "--preset", "quick"}, "x264 preset"},
        {{"-o", "v.mp4", "--crf", "52"}, "too large"},
        {{"-o", "v.mp4", "--every", "5"}, "--every applies only"},
        {{"--frames", "d", "--crf", "20"}, "--crf applies only"},
        {{"--sheet", "sheet.jpg"}, ".png"},
        {{"--sheet", "s.png", "--every", "0"}, "above 0"},
        {{"--sheet", "s.png", "--every", "abc"}, "above 0"},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& arg : c.args) {
            joined += arg + " ";
        }
        try {
            parseOptions(c.args);
            ADD_FAILURE() << "accepted: " << joined;
        } catch (const OptionError& error) {
            EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos)
                << joined << "-> " << error.what();
        }
    }
}

TEST(CaptureOptions, HelpNamesEveryOption) {
    const std::string help = usageText();
    for (const char* option :
         {"--at", "-o", "--output", "--frames", "--sheet", "--from", "--to", "--fps", "--size",
          "--every", "--columns", "--thumb", "--crf", "--preset", "--help"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

TEST(CaptureSheet, ThumbnailTimesAndLabels) {
    const std::vector<std::uint32_t> whole = sheetTimes(0, kShowLastFrameMs, 5000);
    ASSERT_EQ(whole.size(), 32u);
    EXPECT_EQ(whole.front(), 0u);
    EXPECT_EQ(whole.back(), 155000u);
    EXPECT_EQ(sheetTimes(1000, 11000, 5000), (std::vector<std::uint32_t>{1000, 6000}));
    EXPECT_EQ(sheetTimes(1000, 11001, 5000), (std::vector<std::uint32_t>{1000, 6000, 11000}));

    struct Case {
        std::uint32_t ms;
        const char* label;
    };
    for (const Case& c : std::vector<Case>{{0, "0:00  0 ms"},
                                           {155000, "2:35  155000 ms"},
                                           {2500, "0:02.500  2500 ms"},
                                           {61005, "1:01.005  61005 ms"}}) {
        EXPECT_EQ(timeLabel(c.ms), c.label);
    }
}

// Every thumbnail and label lies inside the sheet, and no two cells overlap.
TEST(CaptureSheet, CellsFitTheSheetWithoutOverlapping) {
    struct Case {
        std::size_t count;
        int columns;
        int thumbWidth;
        int frameWidth;
        int frameHeight;
        int labelHeight;
        int expectColumns;
        int expectRows;
    };
    for (const Case& c : std::vector<Case>{{32, 8, 240, 1920, 1080, 18, 8, 4},
                                           {3, 8, 240, 1920, 1080, 18, 3, 1},
                                           {9, 4, 100, 1024, 768, 12, 4, 3},
                                           {1, 1, 16, 16, 16, 30, 1, 1}}) {
        const SheetLayout layout = layoutSheet(c.count, c.columns, c.thumbWidth, c.frameWidth,
                                               c.frameHeight, c.labelHeight);
        EXPECT_EQ(layout.columns, c.expectColumns);
        EXPECT_EQ(layout.rows, c.expectRows);
        EXPECT_EQ(layout.thumbHeight,
                  (c.thumbWidth * c.frameHeight + c.frameWidth / 2) / c.frameWidth);
        for (std::size_t i = 0; i < c.count; ++i) {
            EXPECT_GE(layout.thumbX(i), 0);
            EXPECT_LE(layout.thumbX(i) + layout.thumbWidth, layout.width);
            EXPECT_GE(layout.labelY(i), layout.thumbY(i) + layout.thumbHeight);
            EXPECT_LE(layout.labelY(i) + layout.labelHeight, layout.height);
            for (std::size_t j = i + 1; j < c.count; ++j) {
                const bool apartX = layout.thumbX(j) >= layout.thumbX(i) + layout.thumbWidth ||
                                    layout.thumbX(i) >= layout.thumbX(j) + layout.thumbWidth;
                const bool apartY = layout.thumbY(j) >= layout.labelY(i) + layout.labelHeight ||
                                    layout.thumbY(i) >= layout.labelY(j) + layout.labelHeight;
                EXPECT_TRUE(apartX || apartY) << "cells " << i << " and " << j;
            }
        }
    }
}

RgbaImage filled(int width, int height, std::uint8_t grey) {
    RgbaImage image(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        image.pixels[i] = i % 4 == 3 ? 255 : grey;
    }
    return image;
}

// Area averaging keeps a flat picture flat at any ratio and splits edges by covered area.
TEST(CaptureImage, ResizeAveragesTheCoveredArea) {
    for (const auto& [w, h] : {std::pair{3, 2}, std::pair{240, 135}, std::pair{7, 5}}) {
        const RgbaImage small = resize(filled(1920, 1080, 200), w, h);
        for (std::size_t i = 0; i < small.pixels.size(); ++i) {
            ASSERT_EQ(small.pixels[i], i % 4 == 3 ? 255 : 200) << w << "x" << h << " byte " << i;
        }
    }
    RgbaImage halves = filled(4, 1, 0);
    for (int x = 2; x < 4; ++x) {
        halves.at(x, 0)[0] = 255;
    }
    const RgbaImage two = resize(halves, 2, 1);
    EXPECT_EQ(two.at(0, 0)[0], 0);
    EXPECT_EQ(two.at(1, 0)[0], 255);
    const RgbaImage three = resize(halves, 3, 1);
    EXPECT_EQ(three.at(0, 0)[0], 0);
    EXPECT_NEAR(three.at(1, 0)[0], 127.5, 0.5);
    EXPECT_EQ(three.at(2, 0)[0], 255);
}

} // namespace
