#include <vector>

#include <gtest/gtest.h>

#include <GL/glew.h>

#include "support/LoadedShow.h"

namespace {

struct Sampling {
    GLint wrapS;
    GLint wrapT;
    GLint minFilter;
    GLint magFilter;
    bool operator==(const Sampling&) const = default;
};

Sampling samplingOf(const Texture& texture) {
    glBindTexture(GL_TEXTURE_2D, texture.name());
    Sampling sampling{};
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &sampling.wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &sampling.wrapT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &sampling.minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &sampling.magFilter);
    return sampling;
}

TEST(Startup, EveryTextureIsMadeInItsTurnWithItsSampling) {
    LoadedShow loaded(320, 200);
    const Show& show = loaded.show;
    constexpr GLint kMip = GL_NEAREST_MIPMAP_LINEAR;
    constexpr Sampling kPicture = {GL_REPEAT, GL_REPEAT, kMip, GL_LINEAR};
    const std::vector<std::pair<const Texture*, Sampling>> expected = {
        {&show.windSpeedLabel.texture, {GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR}},
        {&show.scroller.texture, {GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST}},
        {&show.channel, {GL_MIRRORED_REPEAT, GL_MIRRORED_REPEAT, kMip, GL_NEAREST}},
        {&show.noise, {GL_REPEAT, GL_REPEAT, kMip, GL_NEAREST}},
        {&show.can1, kPicture},
        {&show.can2, kPicture},
        {&show.delicacies, kPicture},
        {&show.rovaska, kPicture},
        {&show.logo, kPicture},
        {&show.birch, kPicture},
        {&show.haircut, kPicture},
        {&show.waves, {GL_REPEAT, GL_CLAMP_TO_EDGE, kMip, GL_LINEAR}},
        {&show.sun, kPicture},
        {&show.boat, kPicture},
        {&show.boatTopDown, kPicture},
        {&show.vane, kPicture},
    };
    GLuint previous = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [texture, sampling] = expected[i];
        EXPECT_GT(texture->name(), previous) << "texture " << i << " is made in its turn";
        previous = texture->name();
        EXPECT_TRUE(samplingOf(*texture) == sampling) << "texture " << i;
    }
}

} // namespace
