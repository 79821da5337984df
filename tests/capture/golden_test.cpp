#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "CaptureRun.h"
#include "Image.h"
#include "ImageCompare.h"

// Frames at key times compared with the reference pictures in tests/capture/golden/. After a
// deliberate change to the scenes or to Data/, re-render them with
//   tests/capture/update-golden
// and look at the new pictures before committing them.

namespace {

struct GoldenFrame {
    std::uint32_t t;
    const char* what;
};

constexpr GoldenFrame kGoldenFrames[] = {
    {1000, "static"},
    {5000, "black-between-static-and-banner"},
    {5200, "banner-alone"},
    {9000, "still-life-with-banner"},
    {14000, "still-life-alone"},
    {15000, "black-before-portrait"},
    {20000, "portrait"},
    {26000, "wind-vane-turned"},
    {60000, "voyage"},
    {158189, "last-frame"},
};

constexpr char kSize[] = "640x360";
// A channel may be off by this much: rounding in another Mesa build or driver.
constexpr int kThreshold = 24;
// And this share of the pixels beyond it: anti-aliased text and sprite edges. A missing
// sprite, a moved ferry or a different static pattern changes far more.
constexpr double kAllowedShare = 0.002;

std::string fileName(const GoldenFrame& frame) {
    char name[96];
    std::snprintf(name, sizeof name, "%06u-%s.png", frame.t, frame.what);
    return name;
}

class GoldenFrames : public testing::TestWithParam<GoldenFrame> {};

TEST_P(GoldenFrames, MatchTheReference) {
    const GoldenFrame& frame = GetParam();
    const std::string name = fileName(frame);
    const std::string reference = std::string(CAPTURE_GOLDEN_DIR) + "/" + name;
    const bool updating = std::getenv("TORNUVA_UPDATE_GOLDEN") != nullptr;
    const std::string actualPath = updating ? reference : freshOutput("golden-" + name);

    const CaptureRun run =
        runCapture({"--at", std::to_string(frame.t), "--size", kSize, "-o", actualPath});
    ASSERT_EQ(run.status, 0) << run.errors;
    if (updating) {
        std::printf("updated %s\n", reference.c_str());
        return;
    }

    ASSERT_TRUE(std::filesystem::exists(reference))
        << reference << " is missing; make it with tests/capture/update-golden";
    const RgbaImage expected = loadPng(reference);
    const RgbaImage actual = loadPng(actualPath);
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    const ImageDifference difference = compareImages(expected, actual, kThreshold);
    const auto allowed = static_cast<std::size_t>(kAllowedShare * expected.width * expected.height);
    if (difference.differing > allowed) {
        const std::string diffPath =
            freshOutput("golden-" + name.substr(0, name.size() - 4) + "-diff.png");
        writePng(diffPath, differenceImage(expected, actual, kThreshold));
        ADD_FAILURE() << name << ": " << difference.differing << " pixels differ by more than "
                      << kThreshold << " (allowed " << allowed << "); rendered " << actualPath
                      << ", differences in red in " << diffPath;
    }
}

std::string testName(const testing::TestParamInfo<GoldenFrame>& param) {
    std::string name = fileName(param.param);
    name.resize(name.size() - 4);
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(KeyTimes, GoldenFrames, testing::ValuesIn(kGoldenFrames), testName);

// A frame from another time must not pass for the reference: the tolerance is tight enough
// to tell neighbouring moments of the voyage apart.
TEST(GoldenTolerance, TellsNearbyMomentsApart) {
    const std::string path = freshOutput("golden-voyage-later.png");
    const CaptureRun run = runCapture({"--at", "61000", "--size", kSize, "-o", path});
    ASSERT_EQ(run.status, 0) << run.errors;
    const RgbaImage reference =
        loadPng(std::string(CAPTURE_GOLDEN_DIR) + "/" + fileName(kGoldenFrames[8]));
    const ImageDifference difference = compareImages(reference, loadPng(path), kThreshold);
    EXPECT_GT(difference.differing,
              static_cast<std::size_t>(kAllowedShare * reference.width * reference.height));
}

} // namespace
