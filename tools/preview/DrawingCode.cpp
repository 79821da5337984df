#include "DrawingCode.h"

#include "Schedule.h"
#include "Transport.h"
#include "app/Frame.h"
#include "scenes/Show.h"

namespace {

void drawMoment(Show& show, std::uint32_t t) {
    restoreStartingState();
    setStaticFramesDrawn(show, staticFramesBefore(t, kCaptureFps));
    drawFrame(show, t);
}

} // namespace

extern "C" __attribute__((visibility("default"))) DrawingCode tornuvaDrawingCode() {
    return {sizeof(Show), drawMoment};
}
