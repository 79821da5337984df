#include "app/Frame.h"

#include <GL/glew.h>

#include "app/Timeline.h"
#include "scenes/ChannelBanner.h"
#include "scenes/PortraitScene.h"
#include "scenes/Show.h"
#include "scenes/StaticScene.h"
#include "scenes/StillLifeScene.h"
#include "scenes/VoyageScene.h"
#include "scenes/WindVaneScene.h"

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

void drawEndScene(const Show& show, EndScene scene, std::uint32_t t) {
    switch (scene) {
    case EndScene::Portrait:
        PortraitScene(show);
        break;
    case EndScene::WindVane:
        WindVaneScene(show, t);
        break;
    case EndScene::Voyage:
        VoyageScene(show, t);
        break;
    case EndScene::None:
        break;
    }
}

} // namespace

void restoreStartingState() {
    glBlendFunc(GL_ONE, GL_ZERO);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawFrame(Show& show, std::uint32_t t) {
    startFrame(show);
    const SceneSelection scenes = scenesAt(t);
    if (scenes.staticScene) {
        StaticScene(show);
    }
    if (scenes.stillLife) {
        StillLifeScene(show);
    }
    if (scenes.banner) {
        ChannelBanner(show);
    }
    drawEndScene(show, scenes.end, t);
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
