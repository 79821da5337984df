#include "RenderTarget.h"

#include <algorithm>
#include <stdexcept>
#include <string>

RenderTarget::RenderTarget(int width, int height) : width_(width), height_(height) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (width <= 0 || height <= 0 || width > largest || height > largest) {
        throw std::runtime_error("Unable to render at " + std::to_string(width) + "x" +
                                 std::to_string(height) + ": this OpenGL allows at most " +
                                 std::to_string(largest) + " pixels a side");
    }
    glGenFramebuffers(1, &framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(1, &colour_);
        glDeleteFramebuffers(1, &framebuffer_);
        throw std::runtime_error("Unable to set up an offscreen framebuffer (status " +
                                 std::to_string(status) + ")");
    }
}

RenderTarget::~RenderTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &colour_);
    glDeleteFramebuffers(1, &framebuffer_);
}

void RenderTarget::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
}

void RenderTarget::copyToWindow() const {
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
}

void RenderTarget::read(RgbaImage& image) const {
    if (bottomUp_.width != width_ || bottomUp_.height != height_) {
        bottomUp_ = RgbaImage(width_, height_);
    }
    if (image.width != width_ || image.height != height_) {
        image = RgbaImage(width_, height_);
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp_.pixels.data());
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    for (int row = 0; row < height_; ++row) {
        const std::uint8_t* from = bottomUp_.at(0, height_ - 1 - row);
        std::uint8_t* to = image.at(0, row);
        std::copy_n(from, rowBytes, to);
        for (std::size_t alpha = 3; alpha < rowBytes; alpha += 4) {
            to[alpha] = 255;
        }
    }
}
