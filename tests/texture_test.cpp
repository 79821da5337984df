#include <array>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL_ttf.h>

#include "gfx/ImageTexture.h"
#include "gfx/TextTexture.h"
#include "scenes/Texts.h"
#include "support/GlWindow.h"
#include "support/TestData.h"

namespace {

class TextureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_ = new GlWindow(64, 64); }
    static void TearDownTestSuite() {
        delete window_;
        window_ = nullptr;
    }
    void SetUp() override { glPixelStorei(GL_UNPACK_ROW_LENGTH, 0); }

    std::string path(const std::string& name) const { return data_.data(name).string(); }

    static GLint levelParameter(GLint level, GLenum parameter) {
        GLint value = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, parameter, &value);
        return value;
    }

    static GLint parameter(GLenum name) {
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        return value;
    }

    static std::vector<std::uint8_t> level0(GLenum format, int bytes) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(bytes));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    static GlWindow* window_;
    TestDataDir data_;
};

GlWindow* TextureTest::window_ = nullptr;

TEST_F(TextureTest, ImageRowsAreStoredBottomUp) {
    // Rows P (top) and Q (bottom), 9 bytes each: not a multiple of 4.
    const std::array<std::uint8_t, 18> rows = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                               11, 12, 13, 14, 15, 16, 17, 18, 19};
    writeImage(data_.data("rows.png"), 3, 2, 3, rows.data());
    Texture texture;
    loadImageTexture(path("rows.png").c_str(), texture);

    const std::vector<std::uint8_t> stored = level0(GL_RGB, 18);
    const std::vector<std::uint8_t> expected = {11, 12, 13, 14, 15, 16, 17, 18, 19,
                                                1,  2,  3,  4,  5,  6,  7,  8,  9};
    EXPECT_EQ(stored, expected);
    GLint unpackAlignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    EXPECT_EQ(unpackAlignment, 1);
}

TEST_F(TextureTest, EveryChannelCountShowsItsPicture) {
    struct Case {
        const char* file;
        int channels;
        GLint internalFormat;
    };
    const std::array<Case, 5> cases = {{
        {"rgba.png", 4, GL_RGBA8},
        {"rgb.png", 3, GL_RGB8},
        {"colour.jpg", 3, GL_RGB8},
        {"grey.png", 1, GL_LUMINANCE8},
        {"grey-alpha.png", 2, GL_LUMINANCE8_ALPHA8},
    }};
    // Grey 200 with alpha 100 wherever the file has alpha.
    const std::array<std::uint8_t, 4> colour = {200, 200, 200, 100};
    const std::array<std::uint8_t, 4> greyAlpha = {200, 100, 0, 0};
    for (const Case& c : cases) {
        writeFlatImage(data_.data(c.file), 4, 2, c.channels, c.channels == 2 ? greyAlpha : colour);
        Texture texture;
        loadImageTexture(path(c.file).c_str(), texture);

        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), texture.name()) << c.file;
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), c.internalFormat) << c.file;
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 4) << c.file;
        EXPECT_EQ(levelParameter(2, GL_TEXTURE_WIDTH), 1) << c.file << ": mipmaps built";

        const std::vector<std::uint8_t> texel = level0(GL_RGBA, 4 * 2 * 4);
        EXPECT_NEAR(texel[0], 200, 2) << c.file;
        const bool hasAlpha = c.channels % 2 == 0;
        EXPECT_EQ(texel[3], hasAlpha ? 100 : 255) << c.file;
    }
}

TEST_F(TextureTest, UndecodableFilesFailBeforeAnyGlWork) {
    std::ofstream(data_.data("empty.png"));
    std::ofstream(data_.data("text.png")) << "not a picture\n";
    for (const char* name : {"missing.png", "empty.png", "text.png"}) {
        const std::string file = path(name);
        GLuint before = 0;
        glGenTextures(1, &before);

        Texture texture;
        try {
            loadImageTexture(file.c_str(), texture);
            ADD_FAILURE() << name << " loaded";
        } catch (const std::runtime_error& failure) {
            EXPECT_EQ(std::string(failure.what()), "Unable to decode image file: " + file + "\n");
        }
        EXPECT_EQ(texture.name(), 0u) << name;

        GLuint after = 0;
        glGenTextures(1, &after);
        EXPECT_EQ(after, before + 1) << name << ": no texture name was generated in between";
        glDeleteTextures(1, &before);
        glDeleteTextures(1, &after);
    }
}

TEST_F(TextureTest, ATextureHoldsOneNameAndReleasesItOnce) {
    writeFlatImage(data_.data("a.png"), 2, 2, 4, {1, 2, 3, 4});
    Texture texture;
    loadImageTexture(path("a.png").c_str(), texture);
    const GLuint first = texture.name();
    ASSERT_NE(first, 0u);

    loadImageTexture(path("a.png").c_str(), texture);
    const GLuint second = texture.name();
    ASSERT_NE(second, 0u);
    if (second != first) {
        EXPECT_FALSE(glIsTexture(first)) << "the earlier texture was deleted";
    }

    texture.release();
    EXPECT_EQ(texture.name(), 0u);
    EXPECT_FALSE(glIsTexture(second));
    texture.release();
    EXPECT_EQ(texture.name(), 0u);
}

TEST_F(TextureTest, TextRowsWithPaddingUploadAligned) {
    constexpr int kWidth = 3;
    constexpr int kHeight = 2;
    constexpr int kPitch = 20; // two pixels of padding after every row
    std::vector<std::uint32_t> pixels(kPitch / 4 * kHeight, 0xDEADBEEFu);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            pixels[static_cast<std::size_t>(y * kPitch / 4 + x)] =
                0xFF000000u | static_cast<std::uint32_t>(y * 16 + x);
        }
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kWidth, kHeight, 32,
                                                              kPitch, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(surface, nullptr);

    for (const GLint filter : {GL_LINEAR, GL_NEAREST}) {
        Texture texture;
        makeTextTexture(*surface, texture, filter);
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), kWidth);
        EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 0) << "no mipmaps";
        EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), filter);
        EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), filter);
        GLint rowLength = 0;
        glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
        EXPECT_EQ(rowLength, kPitch / 4);

        // Little-endian ARGB is the bytes B, G, R, A, read as R, G, B, A: the blue byte
        // carries the pixel's index, and no padding byte (0xEF) appears.
        const std::vector<std::uint8_t> stored = level0(GL_RGBA, kWidth * kHeight * 4);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::size_t at = static_cast<std::size_t>((y * kWidth + x) * 4);
                EXPECT_EQ(stored[at], y * 16 + x) << x << ", " << y;
                EXPECT_EQ(stored[at + 3], 255);
            }
        }
    }
    SDL_FreeSurface(surface);
}

TEST_F(TextureTest, RenderedTextsKeepTheirColourAndCarryInkInAlpha) {
    ASSERT_EQ(TTF_Init(), 0);
    TTF_Font* font = TTF_OpenFont(kSystemFont.c_str(), 45);
    ASSERT_NE(font, nullptr);
    struct Case {
        const char* text;
        SDL_Color colour;
        GLint filter;
    };
    const std::array<Case, 2> cases = {{
        {kWindSpeedLabel, {0, 0, 0, 255}, GL_LINEAR},
        {kScrollerText, {255, 255, 255, 255}, GL_NEAREST},
    }};
    for (const Case& c : cases) {
        TextTexture text;
        makeTextTexture(font, c.text, c.colour, c.filter, text);
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), text.width);
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), text.height);
        const std::vector<std::uint8_t> stored = level0(GL_RGBA, text.width * text.height * 4);
        bool transparent = false;
        bool opaque = false;
        for (std::size_t at = 0; at < stored.size(); at += 4) {
            ASSERT_EQ(stored[at], c.colour.r);
            ASSERT_EQ(stored[at + 1], c.colour.g);
            ASSERT_EQ(stored[at + 2], c.colour.b);
            transparent |= stored[at + 3] == 0;
            opaque |= stored[at + 3] == 255;
        }
        EXPECT_TRUE(transparent && opaque) << c.text;
    }
    // A monospaced line of 584 characters at 45 points: about 27 pixels each.
    TextTexture scroller;
    makeTextTexture(font, kScrollerText, {255, 255, 255, 255}, GL_NEAREST, scroller);
    EXPECT_NEAR(scroller.width / 584.0, 27.0, 1.0);
    TTF_CloseFont(font);
}

TEST_F(TextureTest, TextThatCannotBeRenderedIsReported) {
    ASSERT_EQ(TTF_Init(), 0);
    TTF_Font* font = TTF_OpenFont(kSystemFont.c_str(), 45);
    ASSERT_NE(font, nullptr);
    TextTexture text;
    try {
        makeTextTexture(font, "", {0, 0, 0, 255}, GL_LINEAR, text);
        ADD_FAILURE() << "an empty line rendered";
    } catch (const std::runtime_error& failure) {
        EXPECT_NE(std::string(failure.what()).find("Unable to render text"), std::string::npos);
    }
    EXPECT_EQ(text.texture.name(), 0u);
    TTF_CloseFont(font);
}

} // namespace
