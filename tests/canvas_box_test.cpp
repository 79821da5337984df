#include <gtest/gtest.h>

#include "app/CanvasBox.h"

namespace {

struct Window {
    int width;
    int height;
    double pixelRatio;
};

TEST(CanvasBox, FillsWindowsFrom4By3UpAndBoxesNarrowerOnesAt16By9) {
    const struct {
        Window window;
        CanvasBox box;
    } cases[] = {
        {{1280, 720, 1}, {0, 1280, 720, {1280, 720}}},
        {{640, 360, 2}, {0, 640, 360, {1280, 720}}},
        {{844, 390, 3}, {0, 844, 390, {2532, 1170}}},
        {{480, 360, 1}, {0, 480, 360, {480, 360}}},
        {{479, 360, 1}, {45, 479, 269, {479, 269}}},
        {{390, 844, 1}, {312, 390, 219, {390, 219}}},
        {{390, 844, 3}, {312, 390, 219, {1170, 657}}},
        {{412, 915, 2.625}, {342, 412, 231, {1082, 606}}},
        // A window of no size still gets a buffer, so the screen's aspect stays finite.
        {{0, 0, 1}, {0, 0, 0, {1, 1}}},
    };
    for (const auto& [window, box] : cases) {
        const CanvasBox got = canvasBox(window.width, window.height, window.pixelRatio);
        EXPECT_EQ(got, box) << window.width << "x" << window.height << " at " << window.pixelRatio
                            << ": top " << got.top << ", " << got.width << "x" << got.height
                            << ", buffer " << got.drawable.width << "x" << got.drawable.height;
    }
}

} // namespace
