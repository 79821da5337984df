#include <array>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include <GL/glew.h>

#include "app/Frame.h"
#include "support/LoadedShow.h"

// The GL state each scene hands on to the next: what one leaves is what the next one meets,
// so a switch left on or a colour left behind changes a later scene, not its own.

namespace {

using Matrix = std::array<float, 16>;
using ColourF = std::array<float, 4>;

// Column-major, as GL reports it: translation by (x, y, 0), then scale (s, s, 1).
Matrix placement(float x, float y, float s) {
    return {s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1, 0, x, y, 0, 1};
}
Matrix flip(float sx, float sy) {
    return {sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}
const Matrix kIdentity = flip(1.0f, 1.0f);
Matrix logo(const Screen& s) {
    return placement(s.aspect - 1.3f, -0.45f, 0.35f);
}
Matrix banner(const Screen& s) {
    return placement(0.266f - s.halfWidth, 0.42000002f, 0.08f);
}
// The scroller's left end, `travelled` units in from just inside the right edge.
Matrix scroller(const Screen& s, float travelled) {
    return placement(s.halfWidth - travelled, -0.3f, 0.19f);
}

constexpr ColourF kWhite = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLint kSrc = GL_SRC_ALPHA;
constexpr GLint kDst = GL_ONE_MINUS_SRC_ALPHA;

struct GlState {
    bool blend;
    GLint blendSrc;
    GLint blendDst;
    GLuint texture;
    ColourF colour;
    bool texturing;
    Matrix modelview;
    bool operator==(const GlState&) const = default;
};

GlState readState() {
    GlState state{};
    state.blend = glIsEnabled(GL_BLEND);
    glGetIntegerv(GL_BLEND_SRC_RGB, &state.blendSrc);
    glGetIntegerv(GL_BLEND_DST_RGB, &state.blendDst);
    GLint bound = 0;
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    state.texture = static_cast<GLuint>(bound);
    glGetFloatv(GL_CURRENT_COLOR, state.colour.data());
    state.texturing = glIsEnabled(GL_TEXTURE_2D);
    glGetFloatv(GL_MODELVIEW_MATRIX, state.modelview.data());
    return state;
}

std::string describe(const GlState& s) {
    std::ostringstream text;
    text << "blend " << s.blend << " func " << s.blendSrc << "," << s.blendDst << " texture "
         << s.texture << " texturing " << s.texturing << " colour";
    for (const float c : s.colour) {
        text << " " << c;
    }
    text << " modelview";
    for (const float m : s.modelview) {
        text << " " << m;
    }
    return text.str();
}

struct FrameCase {
    std::uint32_t t;
    std::function<GlState(const Show&)> leaves;
};

// Whole frames in the order the show draws them, from the state start-up leaves.
const FrameCase kFrames[] = {
    {16,
     [](const Show& s) {
         return GlState{true, GL_ONE, GL_ZERO, s.noise.name(), kWhite, true, flip(1, -1)};
     }},
    // Nothing draws: the prologue's switches and binding, the last static's flip.
    {5000,
     [](const Show& s) {
         return GlState{true, GL_ONE, GL_ZERO, s.channel.name(), kWhite, true, flip(1, -1)};
     }},
    // No scene has set a blend function yet.
    {5001,
     [](const Show& s) {
         return GlState{false, GL_ONE, GL_ZERO, s.channel.name(), kWhite, true, banner(s.screen)};
     }},
    {5501,
     [](const Show& s) {
         return GlState{false, kSrc, kDst, s.channel.name(), kWhite, true, banner(s.screen)};
     }},
    {13000,
     [](const Show& s) {
         return GlState{false, kSrc, kDst, s.logo.name(), kWhite, true, logo(s.screen)};
     }},
    {15000,
     [](const Show& s) {
         return GlState{true, kSrc, kDst, s.channel.name(), kWhite, true, logo(s.screen)};
     }},
    {15001,
     [](const Show& s) {
         return GlState{true, kSrc, kDst, s.haircut.name(), kWhite, true, kIdentity};
     }},
    {25001,
     [](const Show& s) {
         return GlState{true, kSrc, kDst, s.logo.name(), kWhite, true, logo(s.screen)};
     }},
    {35001,
     [](const Show& s) {
         return GlState{false,
                        kSrc,
                        kDst,
                        s.scroller.texture.name(),
                        kWhite,
                        true,
                        scroller(s.screen, 0.0005f)};
     }},
};

class SceneState : public testing::TestWithParam<std::array<int, 2>> {};

TEST_P(SceneState, FramesCarryStateAlongTheTimeline) {
    LoadedShow loaded(GetParam()[0], GetParam()[1]);
    for (const FrameCase& frame : kFrames) {
        drawFrame(loaded.show, frame.t);
        const GlState got = readState();
        const GlState want = frame.leaves(loaded.show);
        EXPECT_TRUE(got == want) << "frame at " << frame.t << "\n got  " << describe(got)
                                 << "\n want " << describe(want);
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, SceneState,
                         testing::Values(std::array{1280, 720}, std::array{1024, 768}));

} // namespace
