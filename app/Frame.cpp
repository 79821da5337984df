#include "app/Frame.h"

#include <GL/glew.h>

#include "app/Timeline.h"
#include "scenes/Show.h"
#include "scenes/StaticScene.h"

namespace {

// The few switches every frame starts from; all other state carries over between scenes.
void startFrame(const Show& show) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    bindTexture(show.channel);
    glMatrixMode(GL_MODELVIEW);
}

} // namespace

void restoreStartingState() {
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawFrame(Show& show, std::uint32_t t) {
    startFrame(show);
    for (const TimelineScene& scene : showTimeline()) {
        if (scene.shownAt(t)) {
            scene.draw(show, t);
        }
    }
}

void setStaticFramesDrawn(Show& show, std::uint64_t frames) {
    seedLcg(show.staticRng);
    for (std::uint64_t frame = 0; frame < frames; ++frame) {
        drawStaticFrame(show.staticRng);
    }
}

void drawMomentAlone(Show& show, std::uint32_t t, int fps) {
    restoreStartingState();
    setStaticFramesDrawn(show, staticFramesBefore(t, fps));
    drawFrame(show, t);
}
