#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CaptureRun.h"
#include "ImageCompare.h"

namespace {

RgbaImage captureFrame(std::uint32_t t, const std::string& size, const std::string& name) {
    const std::string path = freshOutput(name);
    const CaptureRun run = runCapture({"--at", std::to_string(t), "--size", size, "-o", path});
    EXPECT_EQ(run.status, 0) << run.errors;
    return loadPng(path);
}

// The program writes the frames the golden test renders in-process, within its tolerance.
TEST(CaptureProgram, FramesMatchTheReferencePictures) {
    for (const auto& [t, name] : {std::pair{1000u, "480x270-001000-static.png"},
                                  std::pair{30000u, "480x270-030000-wind-vane-turned.png"}}) {
        const RgbaImage reference = loadPng(std::string(CAPTURE_GOLDEN_DIR) + "/" + name);
        const ImageDifference difference =
            compareImages(reference, captureFrame(t, "480x270", name), 24);
        EXPECT_LE(difference.differing, 480u * 270u / 500u) << name;
    }
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
