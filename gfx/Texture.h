#pragma once

#include <GL/glew.h>

// Sole owner of one GL texture name; 0 means it holds none.
class Texture {
public:
    Texture() = default;
    ~Texture() { release(); }
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    GLuint name() const { return name_; }

    // Deletes the held texture, if any; a second release makes no GL call.
    void release();

    // Releases the held texture and generates a fresh name in its place.
    void regenerate();

private:
    GLuint name_ = 0;
};

// Every textured element draws from unit 0.
void bindTexture(const Texture& texture);

// The widest and tallest texture the current GL context accepts, in pixels.
int maxTextureSide();
