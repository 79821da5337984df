#pragma once

#include "app/Startup.h"

// Where the web page's canvas sits in the browser window, in CSS pixels, and the size of its
// drawing buffer in device pixels.
struct CanvasBox {
    int top;
    int width;
    int height;
    DrawableSize drawable;

    bool operator==(const CanvasBox&) const = default;
};

// A window at least 4:3 wide is filled. A narrower one (a phone held upright) gets the largest
// 16:9 box that fits, centred, so that no scene leaves the screen; black shows around it.
CanvasBox canvasBox(int windowWidth, int windowHeight, double pixelRatio);
