#pragma once

#include <memory>
#include <string>
#include <vector>

#include <GL/glew.h>

#include "scenes/Show.h"
#include "support/GlWindow.h"

// Texels a test knows by heart, sampled nearest so that every probe reads one texel exactly.

// Image-like textures keep the picture's bottom row first (picture top at t = 1), as the
// image loader stores them; `topDown` lists the picture's rows from the top.
void uploadPicture(Texture& texture, int width, int height, const std::vector<Rgba>& topDown);
// Rows exactly as given, the first at t = 0: how text textures keep their top row first.
void uploadRows(Texture& texture, int width, int height, const std::vector<Rgba>& rows);
void uploadFlat(Texture& texture, const Rgba& colour);

// A picture split into four flat quarters, to tell up from down and left from right.
struct Quarters {
    Rgba topLeft;
    Rgba topRight;
    Rgba bottomLeft;
    Rgba bottomRight;
};
std::vector<Rgba> quarterTexels(const Quarters& quarters); // 2 x 2, rows from the top

// The colour every texture of the test show is filled with; none of them is black, white or
// one of the flat colours the scenes paint themselves.
namespace test_colours {
inline constexpr Rgba kChannel = {255, 0, 255, 255};
inline constexpr Rgba kNoise = {128, 128, 128, 255};
inline constexpr Rgba kCan1 = {255, 0, 0, 255};
inline constexpr Rgba kCan2 = {0, 255, 0, 255};
inline constexpr Rgba kDelicacies = {255, 255, 0, 255};
inline constexpr Rgba kRovaska = {0, 255, 255, 255};
inline constexpr Rgba kLogo = {255, 128, 0, 255};
inline constexpr Rgba kBirch = {128, 64, 0, 255};
inline constexpr Rgba kHaircut = {192, 192, 255, 255};
inline constexpr Rgba kSun = {255, 255, 128, 255};
inline constexpr Rgba kBoat = {128, 0, 0, 255};
inline constexpr Rgba kBoatTopDown = {0, 0, 128, 255};
inline constexpr Rgba kVane = {128, 0, 255, 255};
inline constexpr Quarters kWaves = {
    {0, 128, 128, 255}, {0, 160, 96, 255}, {0, 96, 160, 255}, {32, 128, 128, 255}};
inline constexpr Quarters kLabel = {
    {64, 64, 64, 255}, {96, 64, 64, 255}, {64, 96, 64, 255}, {64, 64, 96, 255}};
inline constexpr Quarters kScroller = {
    {224, 224, 224, 255}, {224, 192, 224, 255}, {192, 224, 224, 255}, {224, 224, 192, 255}};

// What the scenes paint without a texture.
inline constexpr Rgba kBlack = {0, 0, 0, 255};
inline constexpr Rgba kSea = {74, 104, 173, 255};
inline constexpr Rgba kLand = {0, 96, 15, 255};
inline constexpr Rgba kSky = {0, 0, 255, 255};
} // namespace test_colours

// Pixel sizes of the text surfaces behind the two text textures: the label is 12 times as
// wide as it is tall, the scroller 6 times, short enough to fit on a 4:3 screen whole.
inline constexpr int kLabelSurfaceWidth = 600;
inline constexpr int kLabelSurfaceHeight = 50;
inline constexpr int kScrollerSurfaceWidth = 240;
inline constexpr int kScrollerSurfaceHeight = 40;

// Fills every texture of the show with the colours above, seeds both generators and builds
// the permutation table, for the screen of the given window.
void buildTestShow(Show& show, const GlWindow& window);

// Back to the state a fresh context starts from: white, blend function (ONE, ZERO), identity
// modelview, blending and texturing off, unit 0 active with nothing bound.
void resetToInitialGlState();

// One hidden window at a time, with a test show built in its context. Asking for another size
// closes the current window first, so the context in use is always the one the show lives in.
class Stage {
public:
    static Stage& at(int width, int height);
    static void close();

    GlWindow& window() { return *window_; }
    Show& show() { return *show_; }
    // A fresh test show and GL's initial state, as if the program had just started.
    void restart();

private:
    Stage(int width, int height);

    std::unique_ptr<GlWindow> window_;
    std::unique_ptr<Show> show_;
};
