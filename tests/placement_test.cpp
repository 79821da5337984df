#include <array>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "gfx/Quads.h"
#include "gfx/ScreenSpace.h"
#include "procedural/Mt19937.h"
#include "procedural/PermutationTable.h"
#include "scenes/StaticScene.h"
#include "scenes/Texts.h"
#include "scenes/VoyageScene.h"
#include "scenes/WindVaneScene.h"

namespace {

TEST(ScreenSpace, AspectAndHalfWidthFollowTheDrawable) {
    const std::array<std::array<float, 4>, 3> cases = {{
        {1920, 1080, 1.7777778f, 0.8888889f},
        {1024, 768, 1.3333334f, 0.6666667f},
        {1920, 1200, 1.6f, 0.8f},
    }};
    for (const auto& [width, height, aspect, halfWidth] : cases) {
        const Screen screen = screenForDrawable(static_cast<int>(width), static_cast<int>(height));
        EXPECT_FLOAT_EQ(screen.aspect, aspect);
        EXPECT_FLOAT_EQ(screen.halfWidth, halfWidth);
    }
}

TEST(FitBackground, ChoosesTheWideQuadOnlyNear16By9) {
    struct Case {
        float aspect;
        bool wide;
    };
    const std::array<Case, 6> cases = {{
        {1280.0f / 720.0f, true},
        {1920.0f / 1080.0f, true},
        {1.78f, true},
        {1.7878f, false},
        {1.6f, false},
        {1024.0f / 768.0f, false},
    }};
    for (const Case& c : cases) {
        const HalfExtents extents = backgroundHalfExtents(c.aspect);
        EXPECT_EQ(extents.halfWidth, c.wide ? 0.8885f : 0.5f) << c.aspect;
        EXPECT_EQ(extents.halfHeight, c.wide ? 0.5f : 0.28125f) << c.aspect;
    }
}

TEST(StaticScene, FirstTwoFramesMirrorAndShiftAsSeeded) {
    Mt19937 staticRng;
    seedLcg(staticRng);
    const std::array<StaticFrame, 2> expected = {{
        {1.0f, -1.0f, 0.83980751f, 0.22747588f},
        {-1.0f, 1.0f, 0.25681949f, 0.62346613f},
    }};
    for (const StaticFrame& want : expected) {
        const StaticFrame got = drawStaticFrame(staticRng);
        EXPECT_EQ(got.signX, want.signX);
        EXPECT_EQ(got.signY, want.signY);
        EXPECT_FLOAT_EQ(got.offsetU, want.offsetU);
        EXPECT_FLOAT_EQ(got.offsetV, want.offsetV);
    }
    EXPECT_EQ(staticRng.index, 8u);
}

TEST(WindVane, AngleFollowsTheNoiseAndRestsOnLatticePoints) {
    Mt19937 shuffleRng;
    seedLcg(shuffleRng);
    PermutationTable table{};
    buildPermutationTable(table, shuffleRng);
    struct Case {
        std::uint32_t t;
        float degrees;
    };
    const std::array<Case, 6> cases = {{
        {26000, -137.1417f},
        {28000, 102.2976f},
        {27500, 0.0f},
        {30000, 0.0f},
        {32500, 0.0f},
        {35000, 0.0f},
    }};
    for (const Case& c : cases) {
        EXPECT_NEAR(vaneAngle(table, c.t), c.degrees, 1e-3f) << "t = " << c.t;
    }
    // On lattice points the table plays no part.
    PermutationTable reversed{};
    for (int i = 0; i < 256; ++i) {
        reversed[static_cast<std::size_t>(i)] = 255 - i;
    }
    for (const std::uint32_t t : {27500u, 30000u, 32500u, 35000u}) {
        EXPECT_EQ(vaneAngle(reversed, t), 0.0f) << "t = " << t;
    }
}

TEST(Voyage, MovingPartsFollowTheClock) {
    const Screen wide = screenForDrawable(1920, 1080);
    EXPECT_FLOAT_EQ(ferryCentreX(wide, 35001), -wide.halfWidth - 0.29998f);
    EXPECT_FLOAT_EQ(ferryCentreX(wide, 45000), -wide.halfWidth - 0.3f + 0.2f);
    EXPECT_FLOAT_EQ(scrollerLeftX(wide, 35001), wide.halfWidth - 0.0005f);
    EXPECT_FLOAT_EQ(scrollerLeftX(wide, 37000), wide.halfWidth - 1.0f);
    for (const std::uint32_t t : {40000u, 60000u, 80000u, 140000u}) {
        EXPECT_EQ(wavesOffset(t), static_cast<float>(t / 20000)) << "t = " << t;
    }
    for (std::uint32_t t = 35001; t < 158189; t += 997) {
        EXPECT_GE(sunBottomY(t), 0.25f - 1.0f / 60.0f - 1e-6f);
        EXPECT_LE(sunBottomY(t), 0.25f + 1.0f / 60.0f + 1e-6f);
    }
}

TEST(Texts, ScrollerLineHasTheGreetingsShape) {
    const std::string text = kScrollerText;
    EXPECT_EQ(text.size(), 586u);
    std::size_t characters = 0;
    std::size_t umlauts = 0;
    std::string runs; // the length of every run of blanks, as digits of a kind
    std::size_t blanks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ') {
            ++blanks;
        } else if (blanks > 0) {
            runs += std::to_string(blanks) + ",";
            blanks = 0;
        }
        if (text.compare(i, 2, "\xC3\x84") == 0) {
            ++umlauts;
            ++characters;
            ++i;
            continue;
        }
        ++characters;
        const bool allowed = (c >= 'A' && c <= 'Z') || c == '0' || c == '2' || c == '3' ||
                             c == ' ' || c == '!' || c == ',' || c == '.' || c == '?';
        EXPECT_TRUE(allowed) << "character '" << c << "' at " << i;
    }
    EXPECT_EQ(characters, 584u);
    EXPECT_EQ(umlauts, 2u);
    EXPECT_TRUE(text.front() >= 'A' && text.front() <= 'Z');
    EXPECT_EQ(text.back(), '.');
    for (const char digit : {'0', '2', '3'}) {
        EXPECT_NE(text.find(digit), std::string::npos) << digit;
    }

    std::string longRuns;
    for (std::size_t at = 0, comma; (comma = runs.find(',', at)) != std::string::npos;
         at = comma + 1) {
        const std::string run = runs.substr(at, comma - at);
        if (run != "1") {
            longRuns += run + " ";
        }
    }
    EXPECT_EQ(longRuns, "10 10 10 10 4 4 ");
}

} // namespace
