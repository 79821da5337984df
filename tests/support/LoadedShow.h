#pragma once

#include "RenderTarget.h"
#include "ToolPlatform.h"
#include "app/Startup.h"
#include "scenes/Show.h"

// The show as start-up leaves it, from Data/ in the working directory, drawing into an
// offscreen target of the given size. The show goes before the context it lives in.
struct LoadedShow {
    LoadedShow(int width, int height) : target(width, height) {
        target.bind();
        loadShow(platform.font(), {width, height}, show);
    }

    ToolPlatform platform;
    RenderTarget target;
    Show show;
};
