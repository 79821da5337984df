#include "support/TestShow.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "procedural/Mt19937.h"
#include "procedural/PermutationTable.h"

// Nearest sampling without mipmaps, so every texel shows flat.
void uploadRows(Texture& texture, int width, int height, const std::vector<Rgba>& rows) {
    if (rows.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        throw std::invalid_argument("texel count does not match the texture size");
    }
    texture.regenerate();
    bindTexture(texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rows.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

namespace {

void uploadTextTexture(TextTexture& text, int surfaceWidth, int surfaceHeight,
                       const Quarters& quarters) {
    uploadRows(text.texture, 2, 2, quarterTexels(quarters));
    text.width = surfaceWidth;
    text.height = surfaceHeight;
}

// The stage in use, kept between tests of one size.
std::unique_ptr<Stage>& current() {
    static std::unique_ptr<Stage> stage;
    return stage;
}

} // namespace

void uploadPicture(Texture& texture, int width, int height, const std::vector<Rgba>& topDown) {
    std::vector<Rgba> bottomUp(topDown.size());
    for (int row = 0; row < height; ++row) {
        std::copy_n(topDown.begin() + static_cast<std::ptrdiff_t>(row) * width, width,
                    bottomUp.begin() + static_cast<std::ptrdiff_t>(height - 1 - row) * width);
    }
    uploadRows(texture, width, height, bottomUp);
}

void uploadFlat(Texture& texture, const Rgba& colour) {
    uploadRows(texture, 1, 1, {colour});
}

std::vector<Rgba> quarterTexels(const Quarters& quarters) {
    return {quarters.topLeft, quarters.topRight, quarters.bottomLeft, quarters.bottomRight};
}

void buildTestShow(Show& show, const GlWindow& window) {
    using namespace test_colours;
    uploadTextTexture(show.windSpeedLabel, kLabelSurfaceWidth, kLabelSurfaceHeight, kLabel);
    uploadTextTexture(show.scroller, kScrollerSurfaceWidth, kScrollerSurfaceHeight, kScroller);
    uploadFlat(show.channel, kChannel);
    uploadFlat(show.noise, kNoise);
    uploadFlat(show.can1, kCan1);
    uploadFlat(show.can2, kCan2);
    uploadFlat(show.delicacies, kDelicacies);
    uploadFlat(show.rovaska, kRovaska);
    uploadFlat(show.logo, kLogo);
    uploadFlat(show.birch, kBirch);
    uploadFlat(show.haircut, kHaircut);
    uploadPicture(show.waves, 2, 2, quarterTexels(kWaves));
    // The strip repeats the waves along s only, as start-up sets it.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    uploadFlat(show.sun, kSun);
    uploadFlat(show.boat, kBoat);
    uploadFlat(show.boatTopDown, kBoatTopDown);
    uploadFlat(show.vane, kVane);

    show.screen = window.screen();
    seedLcg(show.staticRng);
    seedLcg(show.shuffleRng);
    buildPermutationTable(show.permutation, show.shuffleRng);
}

void resetToInitialGlState() {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

Stage::Stage(int width, int height) : window_(std::make_unique<GlWindow>(width, height)) {
    window_->useWorldUnits();
    restart();
}

Stage& Stage::at(int width, int height) {
    std::unique_ptr<Stage>& stage = current();
    if (!stage || stage->window().width() != width || stage->window().height() != height) {
        stage.reset();
        stage.reset(new Stage(width, height));
    }
    stage->window().useWorldUnits();
    return *stage;
}

void Stage::close() {
    current().reset();
}

void Stage::restart() {
    show_.reset();
    show_ = std::make_unique<Show>();
    buildTestShow(*show_, *window_);
    resetToInitialGlState();
}
