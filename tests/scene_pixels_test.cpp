#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <GL/glew.h>
#include <stb_image_write.h>

#include "app/Frame.h"
#include "gfx/ImageTexture.h"
#include "scenes/Show.h"
#include "support/TestShow.h"

namespace {

using namespace test_colours;

struct Size {
    int width;
    int height;
};

std::string sizeName(const GlWindow& window) {
    return std::to_string(window.width()) + " x " + std::to_string(window.height());
}

Quarters flat(const Rgba& colour) {
    return {colour, colour, colour, colour};
}

// A rectangle in world units.
struct Rect {
    float left;
    float right;
    float bottom;
    float top;
};

// A probe this far from an edge reads a pixel whose centre lies on the probe's side of it.
float nudge(const GlWindow& window) {
    return 0.75f / static_cast<float>(window.height());
}

bool onScreen(const GlWindow& window, float x, float y) {
    const float halfWidth = window.screen().halfWidth;
    return x > -halfWidth && x < halfWidth && y > -0.5f && y < 0.5f;
}

std::string at(float x, float y) {
    char text[64];
    std::snprintf(text, sizeof text, "(%.5f, %.5f)", static_cast<double>(x),
                  static_cast<double>(y));
    return text;
}

// The rectangle shows the quarters of its picture right up to each edge (a quarter of the way
// and three quarters of the way along it), and something else just outside: `outside` where
// given. Probes are kept on the screen, so a rectangle cut off by an edge shows up to it.
void expectRect(const GlWindow& window, const Rect& rect, const Quarters& picture,
                std::optional<Rgba> outside, const std::string& what) {
    SCOPED_TRACE(what + " at " + sizeName(window));
    const float n = nudge(window);
    const float halfWidth = window.screen().halfWidth;
    const auto clampX = [&](float x) { return std::clamp(x, -halfWidth + n, halfWidth - n); };
    const auto clampY = [&](float y) { return std::clamp(y, -0.5f + n, 0.5f - n); };
    const float midX = (rect.left + rect.right) / 2;
    const float midY = (rect.bottom + rect.top) / 2;
    const auto expected = [&](float x, float y) {
        if (y >= midY) {
            return x < midX ? picture.topLeft : picture.topRight;
        }
        return x < midX ? picture.bottomLeft : picture.bottomRight;
    };
    const auto inside = [&](float x, float y) {
        const float px = clampX(x);
        const float py = clampY(y);
        EXPECT_EQ(describe(window.pixelAtWorld(px, py)), describe(expected(px, py)))
            << "inside at " << at(px, py);
    };
    const auto beyond = [&](float x, float y) {
        if (!onScreen(window, x, y)) {
            return;
        }
        const Rgba got = window.pixelAtWorld(x, y);
        if (outside) {
            EXPECT_EQ(describe(got), describe(*outside)) << "outside at " << at(x, y);
        } else {
            EXPECT_NE(describe(got), describe(expected(clampX(x), clampY(y))))
                << "outside at " << at(x, y);
        }
    };
    for (const float f : {0.25f, 0.75f}) {
        const float x = rect.left + f * (rect.right - rect.left);
        const float y = rect.bottom + f * (rect.top - rect.bottom);
        inside(x, midY + (y - midY) / 2);
        inside(midX + (x - midX) / 2, y);
        inside(rect.left + n, y);
        inside(rect.right - n, y);
        inside(x, rect.bottom + n);
        inside(x, rect.top - n);
        beyond(rect.left - n, y);
        beyond(rect.right + n, y);
        beyond(x, rect.bottom - n);
        beyond(x, rect.top + n);
    }
}

void expectAt(const GlWindow& window, float x, float y, const Rgba& colour,
              const std::string& what) {
    EXPECT_EQ(describe(window.pixelAtWorld(x, y)), describe(colour))
        << what << " at " << at(x, y) << ", " << sizeName(window);
}

void expectCorners(const GlWindow& window, const Rgba& colour, const std::string& what) {
    const int right = window.width() - 1;
    const int bottom = window.height() - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
        EXPECT_EQ(describe(window.pixel(x, y)), describe(colour))
            << what << ": corner pixel " << x << ", " << y << " at " << sizeName(window);
    }
}

// With TORNUVA_FRAME_DIR=<dir> set, the frame is kept there as a PNG, to look at.
void keepFrame(const GlWindow& window, const std::string& name) {
    if (const char* dir = std::getenv("TORNUVA_FRAME_DIR")) {
        window.savePng(std::string(dir) + "/" + name + "-" + std::to_string(window.width()) + "x" +
                       std::to_string(window.height()) + ".png");
    }
}

class ScenePixels : public ::testing::Test {
protected:
    static void TearDownTestSuite() { Stage::close(); }

    // A fresh show, GL as a new context has it, and one frame at t.
    static Stage& frameAt(Size size, std::uint32_t t) {
        Stage& stage = Stage::at(size.width, size.height);
        stage.restart();
        drawFrame(stage.show(), t);
        return stage;
    }
};

// Which textures (or flat colours) show in a frame, by the colours they were given.
std::set<std::string> namesShown(const GlWindow& window) {
    std::map<Rgba, std::string> names = {
        {kBlack, "black"},
        {kChannel, "channel"},
        {kNoise, "noise"},
        {kCan1, "can1"},
        {kCan2, "can2"},
        {kDelicacies, "delicacies"},
        {kRovaska, "rovaska"},
        {kLogo, "logo"},
        {kBirch, "birch"},
        {kHaircut, "haircut"},
        {kSun, "sun"},
        {kBoat, "boat"},
        {kBoatTopDown, "boatTopDown"},
        {kVane, "vane"},
        {kSea, "sea"},
        {kLand, "land"},
        {kSky, "sky"},
    };
    for (const auto& [quarters, name] :
         {std::pair{kWaves, "waves"}, {kLabel, "label"}, {kScroller, "scroller"}}) {
        for (const Rgba& colour : quarterTexels(quarters)) {
            names[colour] = name;
        }
    }
    std::set<std::string> shown;
    const std::vector<std::uint8_t> rgba = window.pixels();
    std::optional<Rgba> previous;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        const Rgba colour = {rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
        if (colour == previous) {
            continue; // runs of one colour are the rule
        }
        previous = colour;
        const auto name = names.find(colour);
        shown.insert(name != names.end() ? name->second : "unknown " + describe(colour));
    }
    return shown;
}

TEST_F(ScenePixels, TimelineBoundaryFramesShowTheirScenesOnly) {
    const std::set<std::string> stillLife = {"birch",   "can1",       "can2",
                                             "rovaska", "delicacies", "logo"};
    std::set<std::string> withBanner = stillLife;
    withBanner.insert("channel");
    const std::set<std::string> windVane = {"sea", "boatTopDown", "vane", "label", "logo"};
    // The ferry is still off the left edge; the scroller starts less than half a pixel
    // inside the right one.
    const std::set<std::string> voyage = {"sky", "land", "sea", "waves", "sun"};
    const std::set<std::string> black = {"black"};
    const std::set<std::string> banner = {"black", "channel"};
    struct Case {
        std::uint32_t t;
        std::set<std::string> shown;
    };
    const std::array<Case, 15> frames = {{
        {4999, {"noise"}},
        {5000, black},
        {5001, banner},
        {5500, banner},
        {5501, withBanner},
        {12999, withBanner},
        {13000, stillLife},
        {14999, stillLife},
        {15000, black},
        {15001, {"haircut"}},
        {25000, {"haircut"}},
        {25001, windVane},
        {35000, windVane},
        {35001, voyage},
        // The last frame: the ferry has passed the right edge, the greeting long gone.
        {158189, voyage},
    }};
    Stage& stage = Stage::at(1280, 720);
    stage.restart();
    for (const Case& frame : frames) {
        drawFrame(stage.show(), frame.t);
        EXPECT_EQ(namesShown(stage.window()), frame.shown) << "frame at " << frame.t << " ms";
        keepFrame(stage.window(), "timeline-" + std::to_string(frame.t));
    }
}

// One frame of static: mirroring signs and texture offset.
struct Static {
    float signX;
    float signY;
    float u;
    float v;
};

// A noise picture of sixteen different texels, so that neither a mirroring nor a shift can
// pass for another.
Rgba noiseTexel(int column, int row) {
    return {static_cast<std::uint8_t>(32 + 64 * column), static_cast<std::uint8_t>(32 + 64 * row),
            160, 255};
}

// The texel under a screen point: the quad is mirrored about the centre, and its texture
// coordinates advance by 2 per world unit on both axes from (u, v) at its bottom-left corner.
// Empty near a border between texels.
std::optional<Rgba> staticTexelAt(const GlWindow& window, const Static& frame, float x, float y) {
    const double halfWidth = window.screen().halfWidth;
    const double s = frame.u + 2.0 * (frame.signX * x + halfWidth);
    const double t = frame.v + 2.0 * (frame.signY * y + 0.5);
    const double margin = 8.0 / window.height(); // one pixel, in texels
    if (std::fabs(4 * s - std::round(4 * s)) < margin ||
        std::fabs(4 * t - std::round(4 * t)) < margin) {
        return std::nullopt;
    }
    const auto wrap = [](double texels) {
        return static_cast<int>(std::floor(texels) - 4 * std::floor(texels / 4));
    };
    return noiseTexel(wrap(4 * s), wrap(4 * t));
}

TEST_F(ScenePixels, StaticFramesMirrorAndShiftTheNoise) {
    // The first two frames after seeding.
    const std::array<std::pair<std::uint32_t, Static>, 2> frames = {{
        {0, {1.0f, -1.0f, 0.83980751f, 0.22747588f}},
        {16, {-1.0f, 1.0f, 0.25681949f, 0.62346613f}},
    }};
    for (const Size size : {Size{1280, 720}, Size{1024, 768}}) {
        Stage& stage = Stage::at(size.width, size.height);
        stage.restart();
        std::vector<Rgba> texels;
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                texels.push_back(noiseTexel(column, row));
            }
        }
        uploadRows(stage.show().noise, 4, 4, texels);
        const GlWindow& window = stage.window();
        const float halfWidth = window.screen().halfWidth;
        const float n = nudge(window);
        for (const auto& [t, frame] : frames) {
            drawFrame(stage.show(), t);
            keepFrame(window, "static-" + std::to_string(t));
            int probed = 0;
            for (int i = 0; i <= 40; ++i) {
                for (int j = 0; j <= 24; ++j) {
                    // Edge to edge: the mirrored quad still covers exactly the screen.
                    const float x = -halfWidth + n + (2 * (halfWidth - n)) * i / 40.0f;
                    const float y = -0.5f + n + (1.0f - 2 * n) * j / 24.0f;
                    const std::optional<Rgba> expected = staticTexelAt(window, frame, x, y);
                    if (!expected) {
                        continue;
                    }
                    ++probed;
                    expectAt(window, x, y, *expected, "static at " + std::to_string(t) + " ms");
                }
            }
            EXPECT_GT(probed, 500);
        }
    }
}

// The still life's five sprites, where they are placed on a screen.
std::vector<std::pair<std::string, Rect>> stillLifeSprites(const Screen& s) {
    return {
        {"can1", {-0.425f, -0.075f, -0.3f, 0.05f}},
        {"can2", {0.075f, 0.425f, -0.3f, 0.05f}},
        {"rovaska", {-s.halfWidth, -s.halfWidth + 0.5025f, 0.15f, 0.4f}},
        {"delicacies", {s.aspect - 1.2f, s.aspect - 0.95f, 0.15f, 0.4f}},
        {"logo", {s.aspect - 1.3f, s.aspect - 0.95f, -0.45f, -0.366f}},
    };
}

bool nearlySixteenByNine(float aspect) {
    return std::fabs(aspect - 16.0f / 9.0f) < 0.01f;
}

Rect backgroundRect(float aspect) {
    if (nearlySixteenByNine(aspect)) {
        return {-0.8885f, 0.8885f, -0.5f, 0.5f};
    }
    return {-0.5f, 0.5f, -0.28125f, 0.28125f};
}

// 2560 x 1080 pushes the delicacies and the logo past the right edge.
constexpr std::array<Size, 4> kStillLifeSizes = {
    {{1280, 720}, {1024, 768}, {1280, 800}, {2560, 1080}}};

TEST_F(ScenePixels, StillLifeSpritesLandWhereTheyArePlaced) {
    const std::map<std::string, Rgba> colours = {{"can1", kCan1},
                                                 {"can2", kCan2},
                                                 {"rovaska", kRovaska},
                                                 {"delicacies", kDelicacies},
                                                 {"logo", kLogo}};
    for (const Size size : kStillLifeSizes) {
        // Sprites drawn with no cover at all leave the background on its own.
        Stage& stage = Stage::at(size.width, size.height);
        stage.restart();
        Show& show = stage.show();
        for (Texture* sprite :
             {&show.can1, &show.can2, &show.rovaska, &show.delicacies, &show.logo}) {
            uploadFlat(*sprite, {255, 255, 255, 0});
        }
        drawFrame(show, 13000);
        const GlWindow& window = stage.window();
        const Screen screen = window.screen();
        const bool letterboxed = !nearlySixteenByNine(screen.aspect);
        expectRect(window, backgroundRect(screen.aspect), flat(kBirch),
                   letterboxed ? std::optional<Rgba>(kBlack) : std::nullopt, "background");
        if (letterboxed) {
            expectCorners(window, kBlack, "letterbox");
        } else {
            expectCorners(window, kBirch, "background");
        }

        stage.restart();
        drawFrame(stage.show(), 13000);
        keepFrame(window, "still-life");
        for (const auto& [name, rect] : stillLifeSprites(screen)) {
            expectRect(window, rect, flat(colours.at(name)), std::nullopt, name);
        }
    }
}

// Half transparent, to tell blending from replacing.
constexpr Rgba kSeeThroughChannel = {255, 0, 255, 128};

Rgba over(const Rgba& top, const Rgba& below) {
    Rgba mixed{};
    const float alpha = static_cast<float>(top[3]) / 255.0f;
    for (int i = 0; i < 3; ++i) {
        mixed[i] = static_cast<std::uint8_t>(
            std::lround(alpha * top[i] + (1.0f - alpha) * static_cast<float>(below[i])));
    }
    mixed[3] = 255;
    return mixed;
}

bool nearlyEqualRgb(const Rgba& a, const Rgba& b) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(int(a[i]) - int(b[i])) > 1) {
            return false;
        }
    }
    return true;
}

Rect bannerRect(const Screen& s) {
    return {-s.halfWidth + 0.0532f, -s.halfWidth + 0.4788f, 0.38f, 0.46f};
}

TEST_F(ScenePixels, BannerStripSitsInTheTopLeftCorner) {
    for (const Size size : {Size{1280, 720}, Size{1024, 768}, Size{2560, 1080}}) {
        const GlWindow& window = frameAt(size, 5001).window();
        expectRect(window, bannerRect(window.screen()), flat(kChannel), kBlack, "banner");
    }
}

// Before the still life first sets a blend function the banner's texels replace what is
// below them, alpha and all; from then on they are blended by their alpha.
TEST_F(ScenePixels, BannerReplacesUntilTheStillLifeSetsBlending) {
    constexpr Rgba kOpaqueChannel = {255, 0, 255, 255};
    for (const Size size : {Size{1280, 720}, Size{1024, 768}}) {
        Stage& stage = Stage::at(size.width, size.height);
        stage.restart();
        uploadFlat(stage.show().channel, kSeeThroughChannel);
        // Above the shop sign the banner lies on the birches, or on black where the
        // background is letterboxed.
        const Rgba backdrop = nearlySixteenByNine(stage.show().screen.aspect) ? kBirch : kBlack;
        struct Case {
            std::uint32_t t;
            float y;
            Rgba expected;
            const char* what;
        };
        const std::array<Case, 5> cases = {{
            {5001, 0.42f, kOpaqueChannel, "alone on black, alpha ignored"},
            {5500, 0.39f, kOpaqueChannel, "alone on black, alpha ignored"},
            {5501, 0.42f, over(kSeeThroughChannel, backdrop), "over the background"},
            {5501, 0.39f, over(kSeeThroughChannel, kRovaska), "over the shop sign"},
            {12999, 0.45f, over(kSeeThroughChannel, backdrop), "over the background"},
        }};
        for (const Case& c : cases) {
            drawFrame(stage.show(), c.t);
            const float x = -stage.show().screen.halfWidth + 0.3f;
            const Rgba got = stage.window().pixelAtWorld(x, c.y);
            EXPECT_TRUE(nearlyEqualRgb(got, c.expected))
                << c.what << " at " << c.t << " ms: " << describe(got) << " instead of "
                << describe(c.expected) << ", " << sizeName(stage.window());
        }
    }
}

TEST_F(ScenePixels, PortraitFillsA16By9ScreenAndIsLetterboxedOtherwise) {
    for (const Size size : {Size{1280, 720}, Size{1280, 800}, Size{1024, 768}}) {
        const GlWindow& window = frameAt(size, 20000).window();
        keepFrame(window, "portrait");
        const float aspect = window.screen().aspect;
        if (nearlySixteenByNine(aspect)) {
            // Less than half a pixel stays uncovered at each side.
            expectCorners(window, kHaircut, "portrait");
        } else {
            expectRect(window, {-0.5f, 0.5f, -0.28125f, 0.28125f}, flat(kHaircut), kBlack,
                       "portrait");
            expectCorners(window, kBlack, "letterbox");
        }
    }
}

TEST_F(ScenePixels, WindVaneSceneSitsOnASeaCoveringTheScreen) {
    // The label's surface is 12 times as wide as tall: 1.0 x 1/12 units around (0, 0.2).
    const Rect label = {-0.5f, 0.5f, 0.2f - 0.5f / 12.0f, 0.2f + 0.5f / 12.0f};
    struct Point {
        std::uint32_t t;
        float x;
        float y;
        Rgba expected;
        const char* what;
    };
    // The ferry is turned 15 degrees counter-clockwise about (0, -0.125): its upper end
    // leans left. At 28000 ms the vane has swung about 102 degrees, lying nearly flat.
    const std::array<Point, 7> points = {{
        {30000, -0.1f, 0.05f, kBoatTopDown, "ferry's upper end, leaning left"},
        {30000, 0.1f, 0.05f, kSea, "right of the ferry's upper end"},
        {30000, 0.1f, -0.3f, kBoatTopDown, "ferry's lower end, leaning right"},
        {30000, 0.0f, 0.08f, kVane, "unturned vane's upper end"},
        {30000, -0.195f, -0.1676f, kSea, "beside the unturned vane"},
        {28000, -0.195f, -0.1676f, kVane, "swung vane"},
        {28000, 0.0f, 0.08f, kBoatTopDown, "ferry where the vane stood"},
    }};
    for (const Size size : {Size{1280, 720}, Size{1024, 768}}) {
        Stage& stage = frameAt(size, 30000);
        const GlWindow& window = stage.window();
        const Screen screen = window.screen();
        expectCorners(window, kSea, "sea");
        // Unturned at 30000 ms: the vane's long side is vertical.
        expectRect(window, {-0.083475f, 0.083475f, -0.35f, 0.1f}, flat(kVane), std::nullopt,
                   "vane");
        expectRect(window, label, kLabel, kSea, "label");
        expectRect(window, {screen.aspect - 1.3f, screen.aspect - 0.95f, -0.45f, -0.366f},
                   flat(kLogo), kSea, "logo");
        keepFrame(window, "wind-vane-30000");
        for (const Point& p : points) {
            drawFrame(stage.show(), p.t);
            expectAt(window, p.x, p.y, p.expected,
                     std::string(p.what) + " at " + std::to_string(p.t) + " ms");
        }
    }
}

// The waves picture repeats once per world unit along the strip and slides left by one unit
// every 20000 ms, upright: its top half along the strip's top.
Rgba wavesAt(const Screen& screen, std::uint32_t t, float x, bool upperHalf) {
    const double s = static_cast<double>(t) / 20000.0 + (x + screen.halfWidth);
    const bool leftHalf = s - std::floor(s) < 0.5;
    if (upperHalf) {
        return leftHalf ? kWaves.topLeft : kWaves.topRight;
    }
    return leftHalf ? kWaves.bottomLeft : kWaves.bottomRight;
}

TEST_F(ScenePixels, VoyageBandsSunAndWavesLandInTheirPlaces) {
    for (const Size size : {Size{1280, 720}, Size{1024, 768}}) {
        Stage& stage = frameAt(size, 35001);
        const GlWindow& window = stage.window();
        const Screen screen = window.screen();
        const float hw = screen.halfWidth;
        const float sunBottom = std::sin(35001.0f / 1000.0f) / 60.0f + 0.25f;
        const Rect sun = {screen.aspect - 1.2f, screen.aspect - 1.0f, sunBottom, sunBottom + 0.2f};
        expectRect(window, sun, flat(kSun), kSky, "sun");
        expectRect(window, {-hw, hw, -0.07f, 0.2f}, flat(kLand), std::nullopt, "land");
        expectRect(window, {-hw, hw, -0.5f, -0.1f}, flat(kSea), std::nullopt, "sea");
        // The band borders, from one side of the screen to the other.
        const float n = nudge(window);
        for (const float x : {-hw + n, -hw / 3, hw / 3, hw - n}) {
            expectAt(window, x, 0.5f - n, kSky, "sky at the top");
            expectAt(window, x, 0.2f + n, kSky, "sky above the horizon");
            expectAt(window, x, 0.2f - n, kLand, "land below the horizon");
            expectAt(window, x, -0.1f - n, kSea, "sea below the shore");
        }

        // The waves strip between land and sea, sliding with the clock.
        for (const std::uint32_t t : {35001u, 40000u, 45000u, 52500u}) {
            drawFrame(stage.show(), t);
            const float pixel = 1.0f / static_cast<float>(window.height());
            for (int i = 0; i < 64; ++i) {
                const float x = -hw + (static_cast<float>(i) + 0.5f) * screen.aspect / 64.0f;
                const double s = static_cast<double>(t) / 20000.0 + (x + hw);
                const double toBorder = std::fabs(2.0 * s - std::round(2.0 * s)) / 2.0;
                if (toBorder < 2.0 * pixel) {
                    continue; // too close to a seam between the picture's halves
                }
                expectAt(window, x, -0.07f - n, wavesAt(screen, t, x, true),
                         "top of the waves at " + std::to_string(t) + " ms");
                expectAt(window, x, -0.1f + n, wavesAt(screen, t, x, false),
                         "bottom of the waves at " + std::to_string(t) + " ms");
                if (x > -hw + 0.4f) { // clear of the ferry
                    expectAt(window, x, -0.07f + n, kLand, "land above the waves");
                }
            }
        }
    }
}

// At 80000 ms the ferry has come 0.9 units from its start 0.3 units left of the screen.
TEST_F(ScenePixels, VoyageFerryIsTiltedSlightlyAndSitsInTheWaves) {
    for (const Size size : {Size{1280, 720}, Size{1024, 768}}) {
        Stage& stage = frameAt(size, 80000);
        const GlWindow& window = stage.window();
        keepFrame(window, "voyage-80000");
        const Screen screen = window.screen();
        const float centreX = 0.6f - screen.halfWidth;
        struct Point {
            float dx;
            float y;
            Rgba expected;
            const char* what;
        };
        // 0.55 x 0.154 units around (centreX, -0.019), its right end raised by 1.57 degrees.
        const std::array<Point, 7> points = {{
            {0.0f, 0.0f, kBoat, "centre"},
            {-0.26f, -0.019f, kBoat, "left end"},
            {0.26f, -0.019f, kBoat, "right end"},
            {0.0f, 0.068f, kLand, "above the hull: no quarter turn"},
            {0.26f, 0.062f, kBoat, "raised right end"},
            {-0.26f, 0.054f, kLand, "lowered left end"},
            {0.29f, -0.019f, kLand, "beyond the right end"},
        }};
        for (const Point& p : points) {
            expectAt(window, centreX + p.dx, p.y, p.expected, p.what);
        }
        // The waves cover the bottom of the hull.
        const float x = centreX + 0.05f;
        expectAt(window, x, -0.095f, wavesAt(screen, 80000, x, false), "waves over the hull");
    }
}

// The text's quarters tell its top from its bottom: text textures keep their top row first.
TEST_F(ScenePixels, ScrollerIsUprightAndRunsRightToLeft) {
    // At 37600 ms the left end is 1.3 units left of the right edge; the text is 0.19 units
    // tall around y -0.3 and 0.19 x 6 units long.
    for (const Size size : {Size{1280, 720}, Size{1024, 768}}) {
        const GlWindow& window = frameAt(size, 37600).window();
        keepFrame(window, "voyage-37600");
        const float left = window.screen().halfWidth - 1.3f;
        expectRect(window, {left, left + 0.19f * 6.0f, -0.395f, -0.205f}, kScroller, std::nullopt,
                   "scroller");
    }
}

// Under a magnifier around the spot: projection alone narrowed to a few thousandths of a unit.
TEST_F(ScenePixels, ScrollerStartsHalfAThousandthInsideTheRightEdge) {
    Stage& stage = Stage::at(1280, 720);
    stage.restart();
    const Screen screen = stage.show().screen;
    const double centreX = screen.halfWidth - 0.0005;
    const double centreY = -0.25;
    const double halfSpan = 0.002; // 1280 pixels over 0.004 units
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(centreX - halfSpan, centreX + halfSpan, centreY - halfSpan, centreY + halfSpan, -1.0,
            1.0);
    glMatrixMode(GL_MODELVIEW);
    drawFrame(stage.show(), 35001);
    const auto column = [&](double x) {
        return static_cast<int>((x - (centreX - halfSpan)) / (2 * halfSpan) * 1280);
    };
    const int row = 360;
    const double pixel = 2 * halfSpan / 1280;
    EXPECT_EQ(describe(stage.window().pixel(column(centreX - 3 * pixel), row)), describe(kSea));
    EXPECT_EQ(describe(stage.window().pixel(column(centreX + 3 * pixel), row)),
              describe(kScroller.topLeft));
    stage.window().useWorldUnits();
}

// A picture with a distinct top-left quarter, through the image loader's own path.
TEST_F(ScenePixels, ImageTexturesShowUprightAndUnmirrored) {
    const Quarters picture = {
        {200, 40, 40, 255}, {40, 200, 40, 255}, {40, 40, 200, 255}, {200, 200, 40, 255}};
    constexpr int kSide = 8;
    std::vector<Rgba> rows(kSide * kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool top = y < kSide / 2;
            const bool left = x < kSide / 2;
            rows[static_cast<std::size_t>(y * kSide + x)] =
                top ? (left ? picture.topLeft : picture.topRight)
                    : (left ? picture.bottomLeft : picture.bottomRight);
        }
    }
    const std::filesystem::path path =
        std::filesystem::path(::testing::TempDir()) / "tornuva_quarters.png";
    ASSERT_NE(stbi_write_png(path.c_str(), kSide, kSide, 4, rows.data(), kSide * 4), 0);

    Stage& stage = Stage::at(1280, 720);
    stage.restart();
    Show& show = stage.show();
    for (Texture* texture :
         {&show.can1, &show.can2, &show.rovaska, &show.delicacies, &show.logo, &show.haircut}) {
        loadImageTexture(path.c_str(), *texture);
        // Sharp quarters, so a probe next to an edge reads no blend with the opposite one.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    std::filesystem::remove(path);

    drawFrame(show, 13000);
    keepFrame(stage.window(), "pictures-still-life");
    for (const auto& [name, rect] : stillLifeSprites(show.screen)) {
        expectRect(stage.window(), rect, picture, std::nullopt, name);
    }
    drawFrame(show, 20000);
    expectRect(stage.window(), backgroundRect(show.screen.aspect), picture, std::nullopt,
               "portrait");
}

} // namespace
