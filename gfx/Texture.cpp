#include "gfx/Texture.h"

void Texture::release() {
    if (name_ != 0) {
        glDeleteTextures(1, &name_);
        name_ = 0;
    }
}

void Texture::regenerate() {
    release();
    glGenTextures(1, &name_);
}

void bindTexture(const Texture& texture) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture.name());
}

int maxTextureSide() {
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side;
}
