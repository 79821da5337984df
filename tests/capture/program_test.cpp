#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CaptureRun.h"
#include "ImageCompare.h"
#include "app/Frame.h"
#include "app/Startup.h"
#include "scenes/Show.h"
#include "support/GlWindow.h"

namespace {

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RgbaImage captureFrame(std::uint32_t t, const std::string& size, const std::string& name) {
    const std::string path = freshOutput(name);
    const CaptureRun run = runCapture({"--at", std::to_string(t), "--size", size, "-o", path});
    EXPECT_EQ(run.status, 0) << run.errors;
    return loadPng(path);
}

// The static is the one thing drawn from state that lasts between frames; the rest is a
// function of t. Either way two runs give the same file.
TEST(CaptureProgram, TheSameFrameTwiceGivesIdenticalBytes) {
    for (const std::uint32_t t : {1000u, 60000u}) {
        std::vector<std::string> bytes;
        for (int run = 0; run < 2; ++run) {
            const std::string path = freshOutput("twice-" + std::to_string(run) + ".png");
            const CaptureRun result =
                runCapture({"--at", std::to_string(t), "--size", "320x180", "-o", path});
            ASSERT_EQ(result.status, 0) << result.errors;
            bytes.push_back(fileBytes(path));
        }
        EXPECT_FALSE(bytes[0].empty());
        EXPECT_TRUE(bytes[0] == bytes[1]) << "t = " << t;
    }
}

// The frame the scene code draws into a window of the same size, started up as the show is.
RgbaImage sceneFrame(int width, int height, std::uint32_t t) {
    GlWindow window(width, height);
    EXPECT_EQ(TTF_Init(), 0);
    TTF_Font* font = openShowFont(kFontPoints);
    RgbaImage image(width, height);
    {
        Show show;
        loadShow(font, DrawableSize{width, height}, show);
        drawFrame(show, t);
        image.pixels = window.pixels();
    }
    TTF_CloseFont(font);
    TTF_Quit();
    return image;
}

// At 27500, 30000 and 32500 ms both noise samples sit on lattice points: the vane is drawn
// unrotated, so those frames are identical and a time in between is not.
TEST(CaptureProgram, VaneAt30000IsUnrotatedAndMatchesTheSceneCode) {
    const RgbaImage captured = captureFrame(30000, "1280x720", "vane-30000.png");
    const RgbaImage drawn = sceneFrame(1280, 720, 30000);
    const ImageDifference fromScene = compareImages(drawn, captured, 2);
    EXPECT_EQ(fromScene.differing, 0u) << "largest difference " << fromScene.largest;

    for (const std::uint32_t t : {27500u, 32500u}) {
        const RgbaImage other = captureFrame(t, "1280x720", "vane-" + std::to_string(t) + ".png");
        EXPECT_EQ(compareImages(captured, other, 0).differing, 0u) << "t = " << t;
    }
    const RgbaImage turned = captureFrame(26000, "1280x720", "vane-26000.png");
    EXPECT_GT(compareImages(captured, turned, 16).differing, 1000u);
}

// A capture that starts late first moves the static on as a capture from 0 would have, so the
// same instant looks the same whichever way it was reached.
TEST(CaptureProgram, StaticMatchesWhereverTheCaptureStarts) {
    const std::string all = freshOutput("static-from-0");
    const CaptureRun fromZero = runCapture({"--frames", all, "--to", "1017", "--size", "160x90"});
    ASSERT_EQ(fromZero.status, 0) << fromZero.errors;
    const RgbaImage at1000 = loadPng(all + "/000060.png");
    EXPECT_GT(compareImages(loadPng(all + "/000059.png"), at1000, 16).differing, 1000u)
        << "consecutive frames of static should differ";

    const std::string late = freshOutput("static-from-950");
    const CaptureRun fromLate =
        runCapture({"--frames", late, "--from", "950", "--to", "1017", "--size", "160x90"});
    ASSERT_EQ(fromLate.status, 0) << fromLate.errors;
    EXPECT_EQ(compareImages(at1000, loadPng(late + "/000003.png"), 0).differing, 0u);

    EXPECT_EQ(
        compareImages(at1000, captureFrame(1000, "160x90", "static-at-1000.png"), 0).differing, 0u);
}

TEST(CaptureProgram, FailuresExitNonZeroWithAReason) {
    const std::string emptyBin = freshOutput("empty-bin");
    std::filesystem::create_directories(emptyBin);
    const std::string folderNamedPng = freshOutput("folder.png");
    std::filesystem::create_directories(folderNamedPng);
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> environment;
        int status;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"--fps", "sixty", "-o", "x.mp4"}, {}, 2, "whole number"},
        {{"--bogus"}, {}, 2, "unknown option"},
        {{"--at", "1000", "-o", "/nonexistent-folder/frame.png"}, {}, 1, "does not exist"},
        {{"--at", "1000", "-o", folderNamedPng}, {}, 1, "is a directory"},
        {{"--sheet", "/proc/sheet.png"}, {}, 1, "Cannot write"},
        {{"--frames", "/proc/frames"}, {}, 1, "Cannot create"},
        {{"-o", freshOutput("no-ffmpeg.mp4"), "--to", "100"},
         {"PATH=" + emptyBin},
         1,
         "ffmpeg is not on the PATH"},
    };
    for (const Case& c : cases) {
        const CaptureRun run = runCapture(c.args, c.environment);
        EXPECT_EQ(run.status, c.status) << c.args[0] << " " << c.args[1] << ": " << run.errors;
        EXPECT_NE(run.errors.find(c.says), std::string::npos) << run.errors;
        EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1) << "one line: " << run.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(CAPTURE_TEST_OUTPUT "/no-ffmpeg.mp4"));
}

} // namespace
