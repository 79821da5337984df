// The show's pictures. Each is drawn procedurally at the size it needs on a 1920 x 1080
// screen, in the proportions its quad stretches it to.
#pragma once

#include "canvas.h"
#include "text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

struct Image {
    int width = 0, height = 0, channels = 0;
    std::vector<std::uint8_t> pixels; // rows top first, tightly packed
};

// Cut-out sprites keep alpha; opaque pictures are stored as RGB.
Image cutOut(const Canvas& c);
Image opaque(const Canvas& c);

struct ImageAsset {
    std::string file; // name inside the output directory; ".jpg" means JPEG
    Image (*draw)(const Font&);
};

// Every picture, in the order the show loads them.
const std::vector<ImageAsset>& imageAssets();

// Drawing routines, grouped by where they appear.
Image drawChannel(const Font&);
Image drawNoise(const Font&);
Image drawWaves(const Font&);
Image drawSun(const Font&);
Image drawBoat(const Font&);
Image drawBoatTopDown(const Font&);
Image drawVane(const Font&);
Image drawCan1(const Font&);
Image drawCan2(const Font&);
Image drawDelicacies(const Font&);
Image drawRovaska(const Font&);
Image drawLogo(const Font&);
Image drawBirch(const Font&);
Image drawHaircut(const Font&);

} // namespace assets
