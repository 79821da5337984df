#include <array>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <GL/glew.h>

#include "support/LoadedShow.h"
#include "support/Process.h"

namespace {

// Wrap s, wrap t, minifying and magnifying filter.
using Sampling = std::array<GLint, 4>;

Sampling samplingOf(const Texture& texture) {
    glBindTexture(GL_TEXTURE_2D, texture.name());
    Sampling sampling{};
    for (int i = 0; const GLenum name : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T,
                                         GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) {
        glGetTexParameteriv(GL_TEXTURE_2D, name, &sampling[i++]);
    }
    return sampling;
}

TEST(Startup, EveryTextureHasANameOfItsOwnAndItsSampling) {
    LoadedShow loaded(320, 200);
    const Show& show = loaded.show;
    constexpr GLint kMip = GL_NEAREST_MIPMAP_LINEAR;
    std::vector<std::pair<const Texture*, Sampling>> expected = {
        {&show.windSpeedLabel.texture, {GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR}},
        {&show.scroller.texture, {GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST}},
        {&show.channel, {GL_MIRRORED_REPEAT, GL_MIRRORED_REPEAT, kMip, GL_NEAREST}},
        {&show.noise, {GL_REPEAT, GL_REPEAT, kMip, GL_NEAREST}},
        {&show.waves, {GL_REPEAT, GL_CLAMP_TO_EDGE, kMip, GL_LINEAR}},
    };
    for (const Texture* picture :
         {&show.can1, &show.can2, &show.delicacies, &show.rovaska, &show.logo, &show.birch,
          &show.haircut, &show.sun, &show.boat, &show.boatTopDown, &show.vane}) {
        expected.emplace_back(picture, Sampling{GL_REPEAT, GL_REPEAT, kMip, GL_LINEAR});
    }
    std::set<GLuint> names;
    for (const auto& [texture, sampling] : expected) {
        SCOPED_TRACE("texture " + std::to_string(names.size()));
        EXPECT_TRUE(names.insert(texture->name()).second && texture->name() != 0);
        EXPECT_EQ(samplingOf(*texture), sampling);
    }
}

// Start-up's texture calls in order, as (what, value): glBindTexture and glTexParameteri are
// wrapped at link time, and the loader's unit selection is swapped for a recording one below.
using Call = std::pair<GLenum, GLint>;
std::vector<Call> calls;
PFNGLACTIVETEXTUREPROC realActiveTexture = nullptr;

TEST(Startup, SamplingFollowsEachLoadOnUnit0WithItsTextureBound) {
    const std::map<std::string, std::vector<Call>> settings = {
        {"Data/channel.png",
         {{GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT},
          {GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT},
          {GL_TEXTURE_MAG_FILTER, GL_NEAREST}}},
        {"Data/noise.png", {{GL_TEXTURE_MAG_FILTER, GL_NEAREST}}},
        {"Data/waves.png", {{GL_TEXTURE_WRAP_S, GL_REPEAT}, {GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE}}},
    };
    ToolPlatform platform;
    RenderTarget target(320, 200);
    target.bind();
    Show show;
    realActiveTexture = std::exchange(__glewActiveTexture, [](GLenum unit) {
        calls.emplace_back(GL_ACTIVE_TEXTURE, unit);
        realActiveTexture(unit);
    });
    loadShow(platform.font(), {320, 200}, show);
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

// A window manager sizes the window it has just mapped, here to fill the screen: the size
// start-up reads is the one it gave, and the frame loop still finds the window's events queued.
TEST(Startup, ReadsTheDrawableOnceTheWindowManagerHasSizedTheWindow) {
    const VirtualDisplay display(640, 360);
    setenv("DISPLAY", display.name().c_str(), 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    Platform platform;
    platform.window = SDL_CreateWindow("settling", 0, 0, 320, 200, 0);
    const auto [width, height] = settledDrawableSize(platform);
    EXPECT_EQ(std::pair(width, height), std::pair(640, 360));
    EXPECT_TRUE(SDL_HasEvent(SDL_WINDOWEVENT));
    SDL_Quit();
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
