#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CaptureRun.h"
#include "ImageCompare.h"

namespace {

RgbaImage capture(const std::vector<std::string>& args, const std::string& png) {
    const CaptureRun run = runCapture(args);
    EXPECT_EQ(run.status, 0) << run.errors;
    return loadPng(png);
}

// The program writes the frames the golden test renders in-process, within its tolerance.
TEST(CaptureProgram, FramesMatchTheReferencePictures) {
    for (const auto& [t, name] : {std::pair{1000u, "480x270-001000-static.png"},
                                  std::pair{26000u, "480x270-026000-wind-vane-turned.png"}}) {
        const std::string out = freshOutput(name);
        const RgbaImage frame =
            capture({"--at", std::to_string(t), "--size", "480x270", "-o", out}, out);
        const RgbaImage reference = loadPng(std::string(CAPTURE_GOLDEN_DIR) + "/" + name);
        EXPECT_LE(compareImages(reference, frame, 24).differing, 480u * 270u / 500u) << name;
    }
}

// A capture that starts late first moves the static on as a capture from 0 would have, so the
// same instant looks the same whichever way it was reached.
TEST(CaptureProgram, StaticMatchesWhereverTheCaptureStarts) {
    const std::string all = freshOutput("static-from-0");
    const std::string late = freshOutput("static-from-950");
    const RgbaImage fromZero =
        capture({"--frames", all, "--to", "1017", "--size", "160x90"}, all + "/000060.png");
    const RgbaImage fromLate =
        capture({"--frames", late, "--from", "950", "--to", "1017", "--size", "160x90"},
                late + "/000003.png");
    EXPECT_EQ(compareImages(fromZero, fromLate, 0).differing, 0u);
}

TEST(CaptureProgram, FailuresExitNonZeroWithAReason) {
    const std::string emptyBin = freshOutput("empty-bin");
    std::filesystem::create_directories(emptyBin);
    const std::string failingBin = freshOutput("failing-bin"); // its ffmpeg fails at once
    std::filesystem::create_directories(failingBin);
    std::ofstream(failingBin + "/ffmpeg") << "#!/bin/sh\nexit 3\n";
    std::filesystem::permissions(failingBin + "/ffmpeg", std::filesystem::perms::owner_all);
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> environment;
        int status;
        std::string says;
    };
    for (const Case& c : std::vector<Case>{
             {{"--bogus"}, {}, 2, "unknown option"},
             {{"--at", "1000", "-o", "/nonexistent-folder/frame.png"}, {}, 1, "does not exist"},
             {{"--frames", "/proc/frames"}, {}, 1, "Cannot create"},
             {{"-o", freshOutput("no-ffmpeg.mp4"), "--to", "100"},
              {"PATH=" + emptyBin},
              1,
              "ffmpeg is not on the PATH"},
             {{"-o", freshOutput("failed.mp4"), "--to", "100"},
              {"PATH=" + failingBin + ":/usr/bin:/bin"},
              1,
              "exit status 3"}}) {
        const CaptureRun run = runCapture(c.args, c.environment);
        EXPECT_EQ(run.status, c.status) << c.args[0] << ": " << run.errors;
        EXPECT_NE(run.errors.find(c.says), std::string::npos) << run.errors;
        EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1) << "one line: " << run.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(CAPTURE_TEST_OUTPUT "/no-ffmpeg.mp4"));
}

} // namespace
