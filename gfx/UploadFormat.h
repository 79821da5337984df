#pragma once

#include <GL/glew.h>

// How decoded pixels of a given channel count go to glTexImage2D.
struct UploadFormat {
    GLint internalFormat;
    GLenum format;
    int bytesPerPixel;
};

// Grey files keep their picture as luminance rather than being left without an image.
inline UploadFormat uploadFormatFor(int channels) {
    switch (channels) {
    case 1:
        return {GL_LUMINANCE8, GL_LUMINANCE, 1};
    case 2:
        return {GL_LUMINANCE8_ALPHA8, GL_LUMINANCE_ALPHA, 2};
    case 3:
        return {GL_RGB8, GL_RGB, 3};
    default:
        return {GL_RGBA8, GL_RGBA, 4};
    }
}
