#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "OptionValues.h"
#include "Transport.h"

struct PreviewOptions {
    bool help = false;
    std::uint32_t from = 0; // the loop's start when only a loop is given
    bool paused = false;
    int width = 1280; // the window's size, also when full screen is left again
    int height = 720;
    bool fullscreen = false;
    std::optional<Loop> loop;
    bool watchData = true; // reload Data/ as its files are written
    bool strip = true;     // the timeline strip below the frame
    bool live = false;     // rebuild and reload the drawing code as its sources are saved
    std::optional<std::string> buildDir; // the tree --live builds in, if not the preview's own

    bool operator==(const PreviewOptions&) const = default;
};

// The arguments after the program name. Throws OptionError.
PreviewOptions parsePreviewOptions(const std::vector<std::string>& args);

std::string previewUsage();
