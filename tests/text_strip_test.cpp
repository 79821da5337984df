#include <array>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL_ttf.h>

#include "app/Frame.h"
#include "gfx/TextTexture.h"
#include "scenes/Texts.h"
#include "support/TestData.h"
#include "support/TestShow.h"

namespace {

class TextStripTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(TTF_Init(), 0);
        font_ = TTF_OpenFont(kSystemFont.c_str(), 45);
        ASSERT_NE(font_, nullptr);
    }
    static void TearDownTestSuite() {
        Stage::close();
        TTF_CloseFont(font_);
    }

    // The voyage frame at t with the show's real scroller line, kept in pieces no wider than
    // maxWidth pixels.
    static std::vector<std::uint8_t> voyageFrame(const TextSurface& line, int maxWidth,
                                                 std::uint32_t t, std::size_t& pieces) {
        Stage& stage = Stage::at(kWidth, kHeight);
        stage.restart();
        Show& show = stage.show();
        makeTextTexture(line, show.scroller, GL_NEAREST, maxWidth);
        pieces = show.scroller.morePieces.size() + 1;
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        resetToInitialGlState();
        drawFrame(show, t);
        return stage.window().pixels();
    }

    static constexpr int kWidth = 640;
    static constexpr int kHeight = 360;
    static TTF_Font* font_;
};

TTF_Font* TextStripTest::font_ = nullptr;

// Where the GL implementation takes no texture as wide as the line, the line is kept in
// pieces; the frame must look exactly as with one texture.
TEST_F(TextStripTest, APieceWiseLineLooksExactlyLikeOneTexture) {
    const TextSurfacePtr line = renderText(font_, kScrollerText, {255, 255, 255, 255});
    struct Case {
        int maxWidth;
        std::size_t pieces;
    };
    const int width = line->w;
    const std::array<Case, 3> cases = {{
        {4096, static_cast<std::size_t>((width + 4095) / 4096)},
        {997, static_cast<std::size_t>((width + 996) / 997)},
        {64, static_cast<std::size_t>((width + 63) / 64)},
    }};
    for (const std::uint32_t t : {35500u, 41000u, 77777u, 120000u}) {
        std::size_t pieces = 0;
        const std::vector<std::uint8_t> whole = voyageFrame(*line, width, t, pieces);
        ASSERT_EQ(pieces, 1u);
        for (const Case& c : cases) {
            const std::vector<std::uint8_t> split = voyageFrame(*line, c.maxWidth, t, pieces);
            EXPECT_EQ(pieces, c.pieces);
            std::size_t differing = 0;
            for (std::size_t i = 0; i < whole.size(); ++i) {
                differing += whole[i] != split[i];
            }
            EXPECT_EQ(differing, 0u) << "t " << t << ", pieces of " << c.maxWidth;
        }
    }
}

// The comparison above means something only if the line shows in those frames.
TEST_F(TextStripTest, TheLineShowsInTheComparedFrames) {
    const TextSurfacePtr line = renderText(font_, kScrollerText, {255, 255, 255, 255});
    for (const std::uint32_t t : {35500u, 41000u, 77777u, 120000u}) {
        std::size_t pieces = 0;
        const std::vector<std::uint8_t> frame = voyageFrame(*line, 64, t, pieces);
        // The line's band runs from y -0.395 to -0.205: rows 73 % to 89 % down the screen.
        int white = 0;
        for (int y = kHeight * 73 / 100; y < kHeight * 89 / 100; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::size_t at = static_cast<std::size_t>((y * kWidth + x) * 4);
                white += frame[at] == 255 && frame[at + 1] == 255 && frame[at + 2] == 255;
            }
        }
        EXPECT_GT(white, 50) << "t " << t;
    }
}

} // namespace
