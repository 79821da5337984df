#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "OptionValues.h"

enum class Mode {
    Help,   // --help
    Still,  // --at MS -o FILE.png
    Video,  // -o FILE.mp4
    Frames, // --frames DIR
    Sheet,  // --sheet FILE.png
};

struct Options {
    Mode mode = Mode::Help;
    std::string output; // a file, or the directory for --frames
    std::uint32_t at = 0;
    std::uint32_t from = 0;
    std::optional<std::uint32_t> to; // none: through the show's last frame
    int fps = 60;
    int width = 1920;
    int height = 1080;
    std::uint32_t everyMs = 5000;
    int columns = 8;
    int thumbWidth = 240;
    int crf = 18;
    std::string preset = "medium";

    bool operator==(const Options&) const = default;
};

// The arguments after the program name. Throws OptionError.
Options parseOptions(const std::vector<std::string>& args);

std::string usageText();
