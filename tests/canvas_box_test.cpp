#include <array>
#include <tuple>

#include <gtest/gtest.h>

#include "web/CanvasBox.h"

namespace {

TEST(CanvasBox, FillsWindowsFrom4By3UpAndBoxesNarrowerOnesAt16By9) {
    // A window and its pixel ratio; the canvas's top, width and height in it, and its buffer's
    // size. A window of no size still gets a buffer, so the screen's aspect stays finite.
    const std::tuple<int, int, double, std::array<int, 5>> cases[] = {
        {844, 390, 3, {0, 844, 390, 2532, 1170}},      {480, 360, 1, {0, 480, 360, 480, 360}},
        {479, 360, 1, {45, 479, 269, 479, 269}},       {390, 844, 3, {312, 390, 219, 1170, 657}},
        {412, 915, 2.625, {342, 412, 231, 1082, 606}}, {0, 0, 1, {0, 0, 0, 1, 1}}};
    for (const auto& [width, height, ratio, expected] : cases) {
        const CanvasBox b = canvasBox(width, height, ratio);
        const std::array got = {b.top, b.width, b.height, b.drawable.width, b.drawable.height};
        EXPECT_EQ(got, expected) << width << "x" << height << " at " << ratio;
    }
}

} // namespace
