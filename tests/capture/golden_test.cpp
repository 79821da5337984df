#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "CaptureRun.h"
#include "Image.h"
#include "ImageCompare.h"
#include "OffscreenShow.h"
#include "app/Frame.h"

// The show's frames at key moments on a wide and a 4:3 screen, rendered as the capture
// program renders them and compared with the reference pictures in tests/capture/golden/.
// After a deliberate change to the scenes or to Data/, re-render them with
//   tests/capture/update-golden
// and look at the new pictures before committing them.

namespace {

struct Moment {
    std::uint32_t t;
    const char* what;
};

// Each scene, each combination of scenes, and the first frame after each change of scene.
constexpr Moment kMoments[] = {
    {1000, "static"},
    {2500, "static-later"},
    {4999, "last-static"},
    {5001, "banner-alone"},
    {5501, "still-life-under-banner"},
    {13000, "still-life-alone"},
    {15001, "portrait"},
    {25001, "wind-vane-first"},
    {26000, "wind-vane-turned"},
    {35001, "voyage-first"},
    {60000, "voyage"},
    {120000, "voyage-late"},
    {158189, "last-frame"},
};

struct Shape {
    int width;
    int height;
};

constexpr Shape kShapes[] = {{480, 270}, {360, 270}};

// A channel may be off by this much: rounding in another Mesa build or driver.
constexpr int kThreshold = 24;
// And this share of the pixels beyond it: anti-aliased text and sprite edges. A missing
// sprite, a moved ferry or a different static pattern changes far more.
constexpr double kAllowedShare = 0.002;

std::string fileName(const Shape& shape, const Moment& moment) {
    char name[96];
    std::snprintf(name, sizeof name, "%dx%d-%06u-%s.png", shape.width, shape.height, moment.t,
                  moment.what);
    return name;
}

class GoldenFrames : public testing::TestWithParam<Shape> {};

TEST_P(GoldenFrames, MatchTheReference) {
    const Shape shape = GetParam();
    const bool updating = std::getenv("TORNUVA_UPDATE_GOLDEN") != nullptr;
    OffscreenShow show(shape.width, shape.height);
    RgbaImage actual(shape.width, shape.height);
    for (const Moment& moment : kMoments) {
        const std::string name = fileName(shape, moment);
        const std::string reference = std::string(CAPTURE_GOLDEN_DIR) + "/" + name;
        show.renderAlone(moment.t, kCaptureFps, actual);
        if (updating) {
            writePng(reference, actual);
            std::printf("updated %s\n", reference.c_str());
            continue;
        }
        ASSERT_TRUE(std::filesystem::exists(reference))
            << reference << " is missing; make it with tests/capture/update-golden";
        const RgbaImage expected = loadPng(reference);
        const ImageDifference difference = compareImages(expected, actual, kThreshold);
        const auto allowed = static_cast<std::size_t>(kAllowedShare * shape.width * shape.height);
        if (difference.differing > allowed) {
            const std::string actualPath = freshOutput("golden-" + name);
            writePng(actualPath, actual);
            ADD_FAILURE() << name << ": " << difference.differing << " pixels differ by more than "
                          << kThreshold << " (allowed " << allowed << "); rendered " << actualPath;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, GoldenFrames, testing::ValuesIn(kShapes),
                         [](const testing::TestParamInfo<Shape>& shape) {
                             return std::to_string(shape.param.width) + "x" +
                                    std::to_string(shape.param.height);
                         });

} // namespace
