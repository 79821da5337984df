#include "web/CanvasBox.h"

#include <algorithm>
#include <cmath>

namespace {

int devicePixels(int css, double pixelRatio) {
    return std::max(1, static_cast<int>(std::lround(css * pixelRatio)));
}

} // namespace

CanvasBox canvasBox(int windowWidth, int windowHeight, double pixelRatio) {
    const bool narrowerThan4By3 = windowWidth * 3 < windowHeight * 4;
    const int height = narrowerThan4By3 ? windowWidth * 9 / 16 : windowHeight;
    return {(windowHeight - height) / 2,
            windowWidth,
            height,
            {devicePixels(windowWidth, pixelRatio), devicePixels(height, pixelRatio)}};
}
