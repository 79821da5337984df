#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <GL/glew.h>

#include "ToolPlatform.h"
#include "app/Frame.h"
#include "gfx/ImageTexture.h"
#include "gfx/TextTexture.h"
#include "scenes/Texts.h"
#include "support/LoadedShow.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> storedLevel0(GLenum format, std::size_t bytes) {
    std::vector<std::uint8_t> pixels(bytes);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

class Textures : public testing::Test {
protected:
    ToolPlatform platform_;
    TestDataDir data_;
};

// Rows of 3 to 12 bytes, so most are not a multiple of 4, and an even row count, so that
// every row moves; each byte different, so that any shear or swap shows.
TEST_F(Textures, ImagesKeepEveryChannelCountWithRowsBottomFirst) {
    struct Case {
        int channels;
        GLenum format;
        GLint internalFormat;
    };
    constexpr std::array<Case, 4> kCases = {{{1, GL_LUMINANCE, GL_LUMINANCE8},
                                             {2, GL_LUMINANCE_ALPHA, GL_LUMINANCE8_ALPHA8},
                                             {3, GL_RGB, GL_RGB8},
                                             {4, GL_RGBA, GL_RGBA8}}};
    constexpr int kWidth = 3;
    constexpr int kHeight = 4;
    for (const Case& c : kCases) {
        const std::size_t rowBytes = kWidth * c.channels;
        std::vector<std::uint8_t> topDown(rowBytes * kHeight);
        for (std::size_t i = 0; i < topDown.size(); ++i) {
            topDown[i] = static_cast<std::uint8_t>(40 + i * 3);
        }
        const fs::path file = data_.data("rows.png");
        writeImage(file, kWidth, kHeight, c.channels, topDown.data());
        Texture texture;
        loadImageTexture(file.c_str(), texture);

        std::vector<std::uint8_t> bottomUp;
        for (int row = kHeight - 1; row >= 0; --row) {
            const auto start = topDown.begin() + static_cast<std::ptrdiff_t>(row * rowBytes);
            bottomUp.insert(bottomUp.end(), start, start + static_cast<std::ptrdiff_t>(rowBytes));
        }
        GLint internalFormat = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internalFormat);
        EXPECT_EQ(internalFormat, c.internalFormat) << c.channels << " channels";
        EXPECT_EQ(storedLevel0(c.format, topDown.size()), bottomUp) << c.channels << " channels";
        GLint mipmapWidth = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &mipmapWidth);
        EXPECT_EQ(mipmapWidth, 1) << c.channels << " channels: mipmaps built";
    }
}

// A picture wider than the GL implementation holds would show as a blank quad.
TEST_F(Textures, APictureBeyondTheGlLimitIsRefusedBeforeAnyTexture) {
    const int limit = maxTextureSide();
    const fs::path file = data_.data("too-wide.png");
    writeFlatImage(file, limit + 1, 1, 3, {9, 9, 9, 255});
    Texture texture;
    try {
        loadImageTexture(file.c_str(), texture);
        ADD_FAILURE() << "loaded";
    } catch (const std::runtime_error& failure) {
        EXPECT_EQ(std::string(failure.what()),
                  "Image file too large: " + file.string() + " is " + std::to_string(limit + 1) +
                      " x 1 pixels, the largest texture side here is " + std::to_string(limit));
    }
    EXPECT_EQ(texture.name(), 0u);
}

// Surface rows may carry padding after the pixels; it must not reach the texture.
TEST_F(Textures, TextRowsWithPaddingUploadWithoutIt) {
    constexpr int kWidth = 3;
    constexpr int kHeight = 2;
    constexpr int kPitch = 20;
    std::vector<std::uint32_t> pixels(kPitch / 4 * kHeight, 0xDEADBEEFu);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            pixels[y * kPitch / 4 + x] = 0xFF000000u | static_cast<std::uint32_t>(y * 16 + x);
        }
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kWidth, kHeight, 32,
                                                              kPitch, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(surface, nullptr);
    Texture texture;
    makeTextTexture(*surface, texture, GL_NEAREST);
    // Little-endian ARGB read as RGBA: the blue byte carries the pixel's index.
    const std::vector<std::uint8_t> stored = storedLevel0(GL_RGBA, kWidth * kHeight * 4);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        EXPECT_EQ(stored[i * 4], i / kWidth * 16 + i % kWidth) << "pixel " << i;
    }
    SDL_FreeSurface(surface);
}

// Where the GL implementation takes no texture as wide as the scroller's line, the line is
// kept in pieces, and the voyage must look exactly as with one texture, up to the line's end.
TEST(TextPieces, APieceWiseLineLooksExactlyLikeOneTexture) {
    LoadedShow loaded(640, 360);
    const TextSurfacePtr line =
        renderText(loaded.platform.font(), kScrollerText, {255, 255, 255, 255});
    const auto frame = [&](int maxWidth, std::uint32_t t) {
        makeTextTexture(*line, loaded.show.scroller, GL_NEAREST, maxWidth);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        RgbaImage image(640, 360);
        drawFrame(loaded.show, t);
        loaded.target.read(image);
        return image.pixels;
    };
    for (const std::uint32_t t : {35500u, 77777u, 150000u}) {
        const auto whole = frame(line->w, t);
        EXPECT_EQ(loaded.show.scroller.morePieces.size(), 0u);
        for (const int maxWidth : {997, 64}) {
            EXPECT_TRUE(frame(maxWidth, t) == whole) << "t " << t << ", pieces of " << maxWidth;
            EXPECT_EQ(loaded.show.scroller.morePieces.size(), (line->w - 1) / maxWidth);
        }
    }
}

} // namespace
