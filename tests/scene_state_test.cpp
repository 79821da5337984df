#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include <GL/glew.h>

#include "app/Frame.h"
#include "scenes/ChannelBanner.h"
#include "support/LoadedShow.h"

// The GL state each frame hands on to the next: a switch left on or a colour left behind
// changes a later scene, not its own, so it is checked after every change of scene.

namespace {

using Matrix = std::array<float, 16>;

enum class Bound { Noise, Channel, Logo, Haircut, Scroller };
// The scroller's two entries: its first frame, half a thousandth inside the right edge, and
// a frame one unit further on.
enum class Placed { FlippedVertically, Identity, Banner, Logo, ScrollerStart, ScrollerLater };

// Column-major, as GL reports it: translation by (x, y, 0), then scale (sx, sy, 1).
Matrix placement(float x, float y, float sx, float sy) {
    return {sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, 1, 0, x, y, 0, 1};
}

Matrix matrixFor(Placed placed, const Screen& s) {
    switch (placed) {
    case Placed::FlippedVertically:
        return placement(0, 0, 1, -1);
    case Placed::Identity:
        return placement(0, 0, 1, 1);
    case Placed::Banner:
        return placement(0.266f - s.halfWidth, 0.42000002f, 0.08f, 0.08f);
    case Placed::Logo:
        return placement(s.aspect - 1.3f, -0.45f, 0.35f, 0.35f);
    case Placed::ScrollerStart:
        return placement(s.halfWidth - 0.0005f, -0.3f, 0.19f, 0.19f);
    case Placed::ScrollerLater:
        return placement(s.halfWidth - 1.0f, -0.3f, 0.19f, 0.19f);
    }
    return {};
}

GLuint nameOf(Bound bound, const Show& show) {
    const Texture* textures[] = {&show.noise, &show.channel, &show.logo, &show.haircut,
                                 &show.scroller.texture};
    return textures[static_cast<int>(bound)]->name();
}

struct Frame {
    std::uint32_t t;
    bool blend;
    GLint blendSrc;
    GLint blendDst;
    Bound bound;
    Placed placed;
};

constexpr GLint kSrc = GL_SRC_ALPHA;
constexpr GLint kDst = GL_ONE_MINUS_SRC_ALPHA;

// In the order the show draws them, from the state start-up leaves. Until the still life
// sets one, no scene has set a blend function; at 5000 and 15000 nothing draws.
constexpr Frame kFrames[] = {
    {16, true, GL_ONE, GL_ZERO, Bound::Noise, Placed::FlippedVertically},
    {5000, true, GL_ONE, GL_ZERO, Bound::Channel, Placed::FlippedVertically},
    {5001, false, GL_ONE, GL_ZERO, Bound::Channel, Placed::Banner},
    {5501, false, kSrc, kDst, Bound::Channel, Placed::Banner},
    {13000, false, kSrc, kDst, Bound::Logo, Placed::Logo},
    {15000, true, kSrc, kDst, Bound::Channel, Placed::Logo},
    {15001, true, kSrc, kDst, Bound::Haircut, Placed::Identity},
    {25001, true, kSrc, kDst, Bound::Logo, Placed::Logo},
    {35001, false, kSrc, kDst, Bound::Scroller, Placed::ScrollerStart},
    {37000, false, kSrc, kDst, Bound::Scroller, Placed::ScrollerLater},
};

class SceneState : public testing::TestWithParam<std::array<int, 2>> {};

// Exact comparisons: the placements are single-precision values GL keeps unchanged.
TEST_P(SceneState, FramesCarryStateAlongTheTimeline) {
    LoadedShow loaded(GetParam()[0], GetParam()[1]);
    for (const Frame& frame : kFrames) {
        drawFrame(loaded.show, frame.t);
        SCOPED_TRACE("frame at " + std::to_string(frame.t));
        EXPECT_EQ(glIsEnabled(GL_BLEND), frame.blend);
        GLint src = 0, dst = 0, texture = 0, active = 0;
        glGetIntegerv(GL_BLEND_SRC_RGB, &src);
        glGetIntegerv(GL_BLEND_DST_RGB, &dst);
        EXPECT_EQ(std::pair(src, dst), std::pair(frame.blendSrc, frame.blendDst));
        glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
        EXPECT_EQ(active, GL_TEXTURE0);
        EXPECT_EQ(GLuint(texture), nameOf(frame.bound, loaded.show)) << "bound texture";
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        std::array<float, 4> colour{};
        glGetFloatv(GL_CURRENT_COLOR, colour.data());
        EXPECT_EQ(colour, (std::array<float, 4>{1, 1, 1, 1})) << "current colour";
        Matrix modelview{};
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
        EXPECT_EQ(modelview, matrixFor(frame.placed, loaded.show.screen)) << "modelview";
    }
}

// The banner blends by its picture's alpha over what lies below, whatever switch it meets:
// drawn with half the alpha over the black of a frame without scenes, it comes out darker.
TEST(ChannelBanner, BlendsOverWhatLiesBelow) {
    LoadedShow loaded(480, 270);
    RgbaImage frames[2] = {RgbaImage(480, 270), RgbaImage(480, 270)};
    for (const int half : {0, 1}) {
        drawFrame(loaded.show, 5000);
        glDisable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1, 1, 1, half ? 0.5f : 1.0f);
        ChannelBanner(loaded.show);
        loaded.target.read(frames[half]);
    }
    EXPECT_NE(frames[0].pixels, frames[1].pixels);
}

INSTANTIATE_TEST_SUITE_P(Screens, SceneState,
                         testing::Values(std::array{1280, 720}, std::array{1024, 768}));

} // namespace
