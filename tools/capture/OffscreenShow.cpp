#include "OffscreenShow.h"

#include "TextImage.h"
#include "app/Frame.h"
#include "app/Startup.h"

OffscreenShow::OffscreenShow(int width, int height)
    : target_(width, height), show_(std::make_unique<Show>()) {
    target_.bind();
    loadShow(platform_.font(), DrawableSize{width, height}, *show_);
}

void OffscreenShow::renderAlone(std::uint32_t t, int fps, RgbaImage& frame) {
    drawMomentAlone(*show_, t, fps);
    target_.read(frame);
}

void OffscreenShow::render(std::uint32_t t, RgbaImage& frame) {
    drawFrame(*show_, t);
    target_.read(frame);
}

RgbaImage OffscreenShow::renderLabel(const std::string& text, int points) {
    return renderTextImage(platform_.fontAt(points), text.c_str(), {255, 255, 255, 255});
}
