#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL_ttf.h>

#include "app/Startup.h"
#include "scenes/Show.h"
#include "support/GlWindow.h"
#include "support/TestData.h"

namespace {

// Start-up runs from the directory holding Data/, as the show does.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<GlWindow>(320, 200);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(data_.root());
        ASSERT_EQ(TTF_Init(), 0);
        font_ = TTF_OpenFont("Data/VeraMoBd.ttf", 45);
        ASSERT_NE(font_, nullptr);
    }
    void TearDown() override {
        TTF_CloseFont(font_);
        std::filesystem::current_path(previous_);
    }

    static GLint parameterOf(const Texture& texture, GLenum name) {
        glBindTexture(GL_TEXTURE_2D, texture.name());
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        return value;
    }

    static GLint integer(GLenum name) {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return value;
    }

    TestDataDir data_;
    std::filesystem::path previous_;
    std::unique_ptr<GlWindow> window_;
    TTF_Font* font_ = nullptr;
};

struct Sampling {
    const char* what;
    const Texture& (*texture)(const Show&);
    GLint wrapS;
    GLint wrapT;
    GLint minFilter;
    GLint magFilter;
};

TEST_F(StartupTest, EveryTextureGetsItsSampling) {
    Show show;
    loadShow(font_, {320, 200}, show);

    constexpr GLint kMipmapped = GL_NEAREST_MIPMAP_LINEAR;
    const std::array<Sampling, 16> expected = {{
        {"label", [](const Show& s) -> const Texture& { return s.windSpeedLabel.texture; },
         GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR},
        {"scroller", [](const Show& s) -> const Texture& { return s.scroller.texture; }, GL_REPEAT,
         GL_REPEAT, GL_NEAREST, GL_NEAREST},
        {"channel", [](const Show& s) -> const Texture& { return s.channel; }, GL_MIRRORED_REPEAT,
         GL_MIRRORED_REPEAT, kMipmapped, GL_NEAREST},
        {"noise", [](const Show& s) -> const Texture& { return s.noise; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_NEAREST},
        {"can1", [](const Show& s) -> const Texture& { return s.can1; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_LINEAR},
        {"can2", [](const Show& s) -> const Texture& { return s.can2; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_LINEAR},
        {"delicacies", [](const Show& s) -> const Texture& { return s.delicacies; }, GL_REPEAT,
         GL_REPEAT, kMipmapped, GL_LINEAR},
        {"rovaska", [](const Show& s) -> const Texture& { return s.rovaska; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_LINEAR},
        {"logo", [](const Show& s) -> const Texture& { return s.logo; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_LINEAR},
        {"birch", [](const Show& s) -> const Texture& { return s.birch; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_LINEAR},
        {"haircut", [](const Show& s) -> const Texture& { return s.haircut; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_LINEAR},
        {"waves", [](const Show& s) -> const Texture& { return s.waves; }, GL_REPEAT,
         GL_CLAMP_TO_EDGE, kMipmapped, GL_LINEAR},
        {"sun", [](const Show& s) -> const Texture& { return s.sun; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_LINEAR},
        {"boat", [](const Show& s) -> const Texture& { return s.boat; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_LINEAR},
        {"boat-topdown", [](const Show& s) -> const Texture& { return s.boatTopDown; }, GL_REPEAT,
         GL_REPEAT, kMipmapped, GL_LINEAR},
        {"vane", [](const Show& s) -> const Texture& { return s.vane; }, GL_REPEAT, GL_REPEAT,
         kMipmapped, GL_LINEAR},
    }};
    GLuint previousName = 0;
    for (const Sampling& row : expected) {
        const Texture& texture = row.texture(show);
        EXPECT_GT(texture.name(), previousName) << row.what << " is created in its turn";
        previousName = texture.name();
        EXPECT_EQ(parameterOf(texture, GL_TEXTURE_WRAP_S), row.wrapS) << row.what;
        EXPECT_EQ(parameterOf(texture, GL_TEXTURE_WRAP_T), row.wrapT) << row.what;
        EXPECT_EQ(parameterOf(texture, GL_TEXTURE_MIN_FILTER), row.minFilter) << row.what;
        EXPECT_EQ(parameterOf(texture, GL_TEXTURE_MAG_FILTER), row.magFilter) << row.what;
    }
}

TEST_F(StartupTest, LeavesPixelStoreScreenGeneratorsAndProjectionReady) {
    Show show;
    loadShow(font_, {320, 200}, show);

    EXPECT_EQ(integer(GL_UNPACK_ROW_LENGTH), 0);
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 1);
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 320, 200}));
    EXPECT_FLOAT_EQ(show.screen.aspect, 1.6f);
    EXPECT_FLOAT_EQ(show.screen.halfWidth, 0.8f);

    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_PROJECTION);
    std::array<GLfloat, 16> projection{};
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    EXPECT_FLOAT_EQ(projection[0], 2.0f / 1.6f);
    EXPECT_FLOAT_EQ(projection[5], 2.0f);
    EXPECT_FLOAT_EQ(projection[10], -1.0f);
    EXPECT_FLOAT_EQ(projection[12], 0.0f);
    EXPECT_FLOAT_EQ(projection[13], 0.0f);

    // The static generator is untouched; the shuffle drew exactly 255 words.
    EXPECT_EQ(show.staticRng.index, 0u);
    EXPECT_EQ(show.staticRng.state[0], 3554416254u);
    EXPECT_EQ(show.shuffleRng.index, 255u);
    EXPECT_EQ(show.permutation[0], 3);
    EXPECT_EQ(show.permutation[255], 180);
    EXPECT_GT(show.windSpeedLabel.width, show.windSpeedLabel.height);
    EXPECT_GT(show.scroller.width, 500 * show.scroller.height / 3);
}

TEST_F(StartupTest, AFailedImageStopsStartUpAndItsPredecessorsAreReleased) {
    std::filesystem::remove(data_.data("noise.png"));
    std::vector<GLuint> made;
    {
        Show show;
        try {
            loadShow(font_, {320, 200}, show);
            ADD_FAILURE() << "start-up went on without noise.png";
        } catch (const std::runtime_error& failure) {
            EXPECT_STREQ(failure.what(), "Unable to decode image file: Data/noise.png\n");
        }
        made = {show.windSpeedLabel.texture.name(), show.scroller.texture.name(),
                show.channel.name()};
        EXPECT_EQ(show.noise.name(), 0u);
        EXPECT_EQ(show.can1.name(), 0u);
        EXPECT_EQ(show.vane.name(), 0u);
        for (const GLuint name : made) {
            EXPECT_TRUE(glIsTexture(name));
        }
    }
    for (const GLuint name : made) {
        EXPECT_FALSE(glIsTexture(name)) << name << " released with the show";
    }
}

// Start-up's texture calls in order, as (what, value): glBindTexture and glTexParameteri are
// wrapped at link time, and the loader's unit selection is swapped for a recording one below.
using Call = std::pair<GLenum, GLint>;
std::vector<Call> calls;
PFNGLACTIVETEXTUREPROC realActiveTexture = nullptr;

TEST_F(StartupTest, SamplingFollowsEachLoadOnUnit0WithItsTextureBound) {
    const std::map<std::string, std::vector<Call>> settings = {
        {"Data/channel.png",
         {{GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT},
          {GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT},
          {GL_TEXTURE_MAG_FILTER, GL_NEAREST}}},
        {"Data/noise.png", {{GL_TEXTURE_MAG_FILTER, GL_NEAREST}}},
        {"Data/waves.png", {{GL_TEXTURE_WRAP_S, GL_REPEAT}, {GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE}}},
    };
    Show show;
    realActiveTexture = std::exchange(__glewActiveTexture, [](GLenum unit) {
        calls.emplace_back(GL_ACTIVE_TEXTURE, unit);
        realActiveTexture(unit);
    });
    loadShow(font_, {320, 200}, show);
    __glewActiveTexture = realActiveTexture;

    // The images come last, each loaded on unit 0; its settings follow with a bind of their own.
    std::vector<Call> expected;
    for (const ShowImage& image : showImages()) {
        const Call bind(GL_TEXTURE_BINDING_2D, (show.*image.texture).name());
        expected.insert(expected.end(), {{GL_ACTIVE_TEXTURE, GL_TEXTURE0}, bind});
        if (const auto row = settings.find(image.path); row != settings.end()) {
            expected.insert(expected.end(), {{GL_ACTIVE_TEXTURE, GL_TEXTURE0}, bind});
            expected.insert(expected.end(), row->second.begin(), row->second.end());
        }
    }
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(std::vector(calls.end() - std::ssize(expected), calls.end()), expected);
}

} // namespace

extern "C" {
void __real_glBindTexture(GLenum target, GLuint texture);
void __real_glTexParameteri(GLenum target, GLenum name, GLint value);

void __wrap_glBindTexture(GLenum target, GLuint texture) {
    calls.emplace_back(GL_TEXTURE_BINDING_2D, texture);
    __real_glBindTexture(target, texture);
}

void __wrap_glTexParameteri(GLenum target, GLenum name, GLint value) {
    calls.emplace_back(name, value);
    __real_glTexParameteri(target, name, value);
}
}
