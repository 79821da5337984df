#include "support/GlWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include <GL/glew.h>
#include <stb_image_write.h>

namespace {

// Only X11 gives the GLX context the extension loader needs. Left to choose, SDL falls back
// to another driver when the X connection fails, and the failure then shows up much later as
// a loader error; on a busy machine that connection now and then fails once, so it is tried
// again a few times before the test gives up.
bool startVideo() {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    constexpr int kAttempts = 3;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            return true;
        }
        std::fprintf(stderr, "SDL video, attempt %d: %s\n", attempt, SDL_GetError());
        SDL_Delay(250);
    }
    return false;
}

// Video stays up for the whole test process: shutting it down between windows leaves the
// next context's extension loader without a GLX display now and then.
void keepVideoUp() {
    static const bool started = startVideo();
    if (!started) {
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    }
}

} // namespace

GlWindow::GlWindow(int width, int height) : width_(width), height_(height) {
    keepVideoUp();
    window_ = SDL_CreateWindow("test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                               height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window_) {
        throw std::runtime_error(std::string("window: ") + SDL_GetError());
    }
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        throw std::runtime_error(std::string("context: ") + SDL_GetError());
    }
    if (const GLenum status = glewInit(); status != GLEW_OK) {
        throw std::runtime_error(std::string("glewInit failed: ") +
                                 reinterpret_cast<const char*>(glewGetErrorString(status)) +
                                 ", current context " +
                                 (SDL_GL_GetCurrentContext() ? "set" : "none"));
    }
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

GlWindow::~GlWindow() {
    SDL_GL_DeleteContext(context_);
    SDL_DestroyWindow(window_);
}

void GlWindow::useWorldUnits() const {
    setViewport(width_, height_);
    setProjection(screen());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

Rgba GlWindow::pixel(int x, int y) const {
    Rgba colour{};
    glFinish();
    glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, colour.data());
    return colour;
}

Rgba GlWindow::pixelAtWorld(float x, float y) const {
    const Screen s = screen();
    const int px = static_cast<int>(std::floor((x + s.halfWidth) / s.aspect * width_));
    const int py = static_cast<int>(std::floor((0.5f - y) * height_));
    return pixel(px, py);
}

std::vector<std::uint8_t> GlWindow::pixels() const {
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    std::vector<std::uint8_t> bottomUp(rowBytes * height_);
    glFinish();
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> topDown(bottomUp.size());
    for (int row = 0; row < height_; ++row) {
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(rowBytes * row), rowBytes,
                    topDown.begin() + static_cast<std::ptrdiff_t>(rowBytes * (height_ - 1 - row)));
    }
    return topDown;
}

void GlWindow::savePng(const std::string& path) const {
    const std::vector<std::uint8_t> rgba = pixels();
    stbi_write_png(path.c_str(), width_, height_, 4, rgba.data(), width_ * 4);
}

std::string describe(const Rgba& colour) {
    std::ostringstream text;
    text << "(" << int(colour[0]) << ", " << int(colour[1]) << ", " << int(colour[2]) << ", "
         << int(colour[3]) << ")";
    return text.str();
}
