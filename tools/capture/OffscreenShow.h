#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "RenderTarget.h"
#include "RgbaImage.h"
#include "ToolPlatform.h"
#include "scenes/Show.h"

// The show, started up exactly as for the screen but drawing into an offscreen target of a
// chosen size, one frame at a time at whatever t it is given. Run from the project root: it
// reads Data/ like the show. Throws std::runtime_error when start-up fails.
class OffscreenShow {
public:
    OffscreenShow(int width, int height);

    // Draws t as a capture from 0 at `fps` draws it, whatever was drawn before, and reads it
    // back: the first frame of a run, or a moment alone.
    void renderAlone(std::uint32_t t, int fps, RgbaImage& frame);

    // Draws the frame at t after the ones before it and reads it back; the static's generator
    // moves on as in the show.
    void render(std::uint32_t t, RgbaImage& frame);

    // A line of white text in the show's font at the given size, for labels.
    RgbaImage renderLabel(const std::string& text, int points);

private:
    ToolPlatform platform_;
    RenderTarget target_;
    // Owns GL textures, so it goes before the context does.
    std::unique_ptr<Show> show_;
};
