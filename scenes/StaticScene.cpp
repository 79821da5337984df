#include "scenes/StaticScene.h"

#include <GL/glew.h>

#include "gfx/Quads.h"
#include "scenes/Show.h"

namespace {

float signFromLowestBit(std::uint32_t word) {
    return static_cast<float>(2 * (word & 1u)) - 1.0f;
}

} // namespace

StaticFrame drawStaticFrame(Mt19937& staticRng) {
    StaticFrame frame{};
    frame.signX = signFromLowestBit(next(staticRng));
    frame.signY = signFromLowestBit(next(staticRng));
    frame.offsetU = unitFraction(next(staticRng));
    frame.offsetV = unitFraction(next(staticRng));
    return frame;
}

void StaticScene(Show& show) {
    bindTexture(show.noise);
    glLoadIdentity();
    const StaticFrame frame = drawStaticFrame(show.staticRng);
    glScalef(frame.signX, frame.signY, 1.0f);

    // Two repetitions of the noise tile per world unit, shifted by the frame's offset.
    const float aspect = show.screen.aspect;
    const float halfWidth = show.screen.halfWidth;
    const float left = frame.offsetU;
    const float right = (aspect + aspect) + frame.offsetU;
    const float bottom = frame.offsetV;
    const float top = frame.offsetV + 2.0f;
    glBegin(GL_QUADS);
    texturedCorners({-halfWidth, 0.5f, halfWidth, -0.5f}, {left, top, right, bottom});
    glEnd();
}
