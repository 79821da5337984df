#include <array>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include <GL/glew.h>

#include "app/Frame.h"
#include "procedural/Mt19937.h"
#include "scenes/ChannelBanner.h"
#include "scenes/PortraitScene.h"
#include "scenes/StaticScene.h"
#include "scenes/StillLifeScene.h"
#include "scenes/VoyageScene.h"
#include "scenes/WindVaneScene.h"
#include "support/TestShow.h"

namespace {

using Matrix = std::array<float, 16>;
using ColourF = std::array<float, 4>;

struct Size {
    int width;
    int height;
};
constexpr std::array<Size, 2> kSizes = {{{1280, 720}, {1024, 768}}};

// Column-major, as GL reports it: translation by (x, y, 0), then scale (s, s, 1).
Matrix placement(float x, float y, float s) {
    return {s, 0, 0, 0, 0, s, 0, 0, 0, 0, 1, 0, x, y, 0, 1};
}
Matrix flip(float sx, float sy) {
    return {sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}
const Matrix kIdentity = flip(1.0f, 1.0f);

Matrix logoPlacement(const Screen& s) {
    return placement(s.aspect - 1.3f, -0.45f, 0.35f);
}
Matrix bannerPlacement(const Screen& s) {
    return placement(0.266f - s.halfWidth, 0.42000002f, 0.08f);
}
Matrix scrollerPlacement(const Screen& s, std::uint32_t t) {
    return placement(s.halfWidth - (static_cast<float>(t) - 35000.0f) / 2000.0f, -0.3f, 0.19f);
}

constexpr ColourF kWhiteF = {1.0f, 1.0f, 1.0f, 1.0f};

// The GL state the scenes hand on to each other.
struct GlState {
    bool blend;
    GLint blendSrc;
    GLint blendDst;
    GLuint texture;
    ColourF colour;
    bool texturing;
    Matrix modelview;
};

GlState readState() {
    GlState state{};
    state.blend = glIsEnabled(GL_BLEND) == GL_TRUE;
    glGetIntegerv(GL_BLEND_SRC_RGB, &state.blendSrc);
    glGetIntegerv(GL_BLEND_DST_RGB, &state.blendDst);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(GL_TEXTURE0);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glActiveTexture(static_cast<GLenum>(active));
    state.texture = static_cast<GLuint>(bound);
    glGetFloatv(GL_CURRENT_COLOR, state.colour.data());
    state.texturing = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
    glGetFloatv(GL_MODELVIEW_MATRIX, state.modelview.data());
    return state;
}

std::string blendName(GLint factor) {
    switch (factor) {
    case GL_ONE:
        return "ONE";
    case GL_ZERO:
        return "ZERO";
    case GL_SRC_ALPHA:
        return "SRC_ALPHA";
    case GL_ONE_MINUS_SRC_ALPHA:
        return "ONE_MINUS_SRC_ALPHA";
    default:
        return std::to_string(factor);
    }
}

template <std::size_t N> std::string list(const std::array<float, N>& values) {
    std::ostringstream text;
    text.precision(9);
    for (const float value : values) {
        text << value << " ";
    }
    return text.str();
}

// Exact comparison: the placements are single-precision values GL keeps unchanged.
void expectState(const GlState& got, const GlState& want, const Show& show,
                 const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(got.blend, want.blend) << "GL_BLEND";
    EXPECT_EQ(blendName(got.blendSrc), blendName(want.blendSrc)) << "blend source factor";
    EXPECT_EQ(blendName(got.blendDst), blendName(want.blendDst)) << "blend destination factor";
    auto textureName = [&show](GLuint name) {
        const std::array<std::pair<const char*, GLuint>, 16> names = {{
            {"label", show.windSpeedLabel.texture.name()},
            {"scroller", show.scroller.texture.name()},
            {"channel", show.channel.name()},
            {"noise", show.noise.name()},
            {"can1", show.can1.name()},
            {"can2", show.can2.name()},
            {"delicacies", show.delicacies.name()},
            {"rovaska", show.rovaska.name()},
            {"logo", show.logo.name()},
            {"birch", show.birch.name()},
            {"haircut", show.haircut.name()},
            {"waves", show.waves.name()},
            {"sun", show.sun.name()},
            {"boat", show.boat.name()},
            {"boatTopDown", show.boatTopDown.name()},
            {"vane", show.vane.name()},
        }};
        for (const auto& [label, texture] : names) {
            if (texture == name) {
                return std::string(label);
            }
        }
        return "texture " + std::to_string(name);
    };
    EXPECT_EQ(textureName(got.texture), textureName(want.texture)) << "bound texture";
    EXPECT_TRUE(got.colour == want.colour)
        << "current colour " << list(got.colour) << "instead of " << list(want.colour);
    EXPECT_EQ(got.texturing, want.texturing) << "GL_TEXTURE_2D";
    EXPECT_TRUE(got.modelview == want.modelview)
        << "modelview " << list(got.modelview) << "instead of " << list(want.modelview);
}

// What the voyage leaves at t: blending off under the alpha blend function, white, and the
// scroller bound in its placement.
GlState leftByVoyage(const Show& show, std::uint32_t t) {
    return GlState{
        false,   GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA,           show.scroller.texture.name(),
        kWhiteF, true,         scrollerPlacement(show.screen, t)};
}

// What the banner leaves: blending off, the blend function and colour it met untouched.
GlState leftByBanner(const Show& show, GLint src, GLint dst, const ColourF& colour) {
    return GlState{
        false, src, dst, show.channel.name(), colour, true, bannerPlacement(show.screen)};
}

class SceneState : public ::testing::Test {
protected:
    static void TearDownTestSuite() { Stage::close(); }
};

// What a scene finds when the frame prologue has run, with everything the prologue does not
// set holding values that no scene sets: what a scene leaves unchanged is told apart from
// what it sets.
constexpr GLenum kEntrySrc = GL_ONE;
constexpr GLenum kEntryDst = GL_ONE;
constexpr ColourF kEntryColour = {0.25f, 0.5f, 0.75f, 0.5f};

void enterAfterPrologue(const Show& show) {
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    bindTexture(show.channel);
    glBlendFunc(kEntrySrc, kEntryDst);
    glColor4f(kEntryColour[0], kEntryColour[1], kEntryColour[2], kEntryColour[3]);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.3f, 0.2f, 0.0f);
    glScalef(3.0f, 3.0f, 1.0f);
}

TEST_F(SceneState, EachSceneLeavesTheStateItHandsOn) {
    struct Case {
        const char* scene;
        std::function<void(Show&)> draw;
        std::function<GlState(const Show&)> expected;
    };
    constexpr GLint kSrc = GL_SRC_ALPHA;
    constexpr GLint kDst = GL_ONE_MINUS_SRC_ALPHA;
    const std::array<Case, 8> cases = {{
        // Freshly seeded, the first frame of static is upright left to right, flipped
        // vertically; the second the other way round.
        {"static, first frame", [](Show& show) { StaticScene(show); },
         [](const Show& show) {
             return GlState{true,         kEntrySrc, kEntryDst,        show.noise.name(),
                            kEntryColour, true,      flip(1.0f, -1.0f)};
         }},
        {"static, second frame",
         [](Show& show) {
             StaticScene(show);
             StaticScene(show);
         },
         [](const Show& show) {
             return GlState{true,         kEntrySrc, kEntryDst,        show.noise.name(),
                            kEntryColour, true,      flip(-1.0f, 1.0f)};
         }},
        {"still life", [](Show& show) { StillLifeScene(show); },
         [](const Show& show) {
             return GlState{false,
                            kSrc,
                            kDst,
                            show.logo.name(),
                            kEntryColour,
                            true,
                            logoPlacement(show.screen)};
         }},
        {"banner", [](Show& show) { ChannelBanner(show); },
         [](const Show& show) { return leftByBanner(show, kEntrySrc, kEntryDst, kEntryColour); }},
        {"portrait", [](Show& show) { PortraitScene(show); },
         [](const Show& show) {
             return GlState{true,         kEntrySrc, kEntryDst, show.haircut.name(),
                            kEntryColour, true,      kIdentity};
         }},
        {"wind vane", [](Show& show) { WindVaneScene(show, 30000); },
         [](const Show& show) {
             return GlState{
                 true, kSrc, kDst, show.logo.name(), kWhiteF, true, logoPlacement(show.screen)};
         }},
        {"voyage, first frame", [](Show& show) { VoyageScene(show, 35001); },
         [](const Show& show) { return leftByVoyage(show, 35001); }},
        {"voyage at 37000", [](Show& show) { VoyageScene(show, 37000); },
         [](const Show& show) { return leftByVoyage(show, 37000); }},
    }};
    for (const Size size : kSizes) {
        Stage& stage = Stage::at(size.width, size.height);
        for (const Case& c : cases) {
            stage.restart();
            Show& show = stage.show();
            enterAfterPrologue(show);
            c.draw(show);
            expectState(readState(), c.expected(show), show,
                        std::string(c.scene) + " at " + std::to_string(size.width) + " x " +
                            std::to_string(size.height));
        }
    }
}

// Whole frames from a fresh context: what one frame leaves is what the next one meets.
TEST_F(SceneState, FramesCarryStateAlongTheTimeline) {
    struct Case {
        std::uint32_t t;
        std::function<GlState(const Show&)> expected;
    };
    constexpr GLint kSrc = GL_SRC_ALPHA;
    constexpr GLint kDst = GL_ONE_MINUS_SRC_ALPHA;
    // In the order the frames are drawn.
    const std::array<Case, 12> frames = {{
        {0,
         [](const Show& show) {
             return GlState{true,    GL_ONE, GL_ZERO,          show.noise.name(),
                            kWhiteF, true,   flip(1.0f, -1.0f)};
         }},
        {16,
         [](const Show& show) {
             return GlState{true,    GL_ONE, GL_ZERO,          show.noise.name(),
                            kWhiteF, true,   flip(-1.0f, 1.0f)};
         }},
        // Nothing draws: the prologue's switches and binding, the last static flip.
        {5000,
         [](const Show& show) {
             return GlState{true,    GL_ONE, GL_ZERO,          show.channel.name(),
                            kWhiteF, true,   flip(-1.0f, 1.0f)};
         }},
        // No scene has set a blend function yet.
        {5001, [](const Show& show) { return leftByBanner(show, GL_ONE, GL_ZERO, kWhiteF); }},
        {5500, [](const Show& show) { return leftByBanner(show, GL_ONE, GL_ZERO, kWhiteF); }},
        {5501, [](const Show& show) { return leftByBanner(show, kSrc, kDst, kWhiteF); }},
        {13000,
         [](const Show& show) {
             return GlState{
                 false, kSrc, kDst, show.logo.name(), kWhiteF, true, logoPlacement(show.screen)};
         }},
        {15000,
         [](const Show& show) {
             return GlState{
                 true, kSrc, kDst, show.channel.name(), kWhiteF, true, logoPlacement(show.screen)};
         }},
        {15001,
         [](const Show& show) {
             return GlState{true, kSrc, kDst, show.haircut.name(), kWhiteF, true, kIdentity};
         }},
        {25001,
         [](const Show& show) {
             return GlState{
                 true, kSrc, kDst, show.logo.name(), kWhiteF, true, logoPlacement(show.screen)};
         }},
        {35001, [](const Show& show) { return leftByVoyage(show, 35001); }},
        {60000, [](const Show& show) { return leftByVoyage(show, 60000); }},
    }};
    for (const Size size : kSizes) {
        Stage& stage = Stage::at(size.width, size.height);
        stage.restart();
        Show& show = stage.show();
        for (const Case& frame : frames) {
            drawFrame(show, frame.t);
            expectState(readState(), frame.expected(show), show,
                        "frame at " + std::to_string(frame.t) + " ms, " +
                            std::to_string(size.width) + " x " + std::to_string(size.height));
        }
    }
}

// The scroller's first frame starts half a thousandth of a unit inside the right edge.
TEST_F(SceneState, ScrollerStartsJustInsideTheRightEdge) {
    for (const Size size : kSizes) {
        Stage& stage = Stage::at(size.width, size.height);
        stage.restart();
        drawFrame(stage.show(), 35001);
        const GlState state = readState();
        EXPECT_EQ(state.modelview[12], stage.show().screen.halfWidth - 0.0005f);
    }
}

bool sameGenerator(const Mt19937& a, const Mt19937& b) {
    return a.index == b.index && a.state == b.state;
}

// The static takes exactly four words per frame it draws, the next four in sequence, and
// no frame without static touches the generator.
TEST_F(SceneState, StaticDrawsFourWordsPerFrameAndNoneOtherwise) {
    Stage& stage = Stage::at(1280, 720);
    stage.restart();
    Show& show = stage.show();
    const std::array<std::uint32_t, 12> frames = {0,     16,    4999,  5000,  5001,  5501,
                                                  13000, 15000, 15001, 25001, 35001, 158189};
    for (const std::uint32_t t : frames) {
        Mt19937 expected = show.staticRng;
        if (t <= 4999) {
            for (int word = 0; word < 4; ++word) {
                next(expected);
            }
        }
        drawFrame(show, t);
        EXPECT_TRUE(sameGenerator(show.staticRng, expected)) << "frame at " << t << " ms";
    }
    EXPECT_EQ(show.staticRng.index, 12u);
    // The shuffle's generator is a different one, untouched by the frames.
    Mt19937 shuffled;
    seedLcg(shuffled);
    for (int word = 0; word < 255; ++word) {
        next(shuffled);
    }
    EXPECT_TRUE(sameGenerator(show.shuffleRng, shuffled));
}

} // namespace
