#pragma once

#include <GL/glew.h>

#include "RgbaImage.h"

// A framebuffer object with one RGBA colour renderbuffer, for drawing at a size of our own
// choosing whatever the window or display. Needs a current context with its extensions
// loaded; throws std::runtime_error when the size is beyond the implementation or the
// framebuffer cannot be completed.
class RenderTarget {
public:
    RenderTarget(int width, int height);
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // Directs drawing and reading to this target.
    void bind() const;

    // The finished frame, top row first. Alpha is set to 255: the screen shows no alpha, and
    // what the blending leaves in the alpha channel is not part of the picture.
    void read(RgbaImage& image) const;

    // Copies the frame pixel for pixel into the window's framebuffer, which must be of the
    // same size; drawing stays directed to this target.
    void copyToWindow() const;

private:
    int width_;
    int height_;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    mutable RgbaImage bottomUp_;
};
