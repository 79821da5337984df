#pragma once

#include <GL/glew.h>

// How decoded pixels of a given channel count go to glTexImage2D.
struct UploadFormat {
    GLint internalFormat;
    GLenum format;
    int bytesPerPixel;
};

// WebGL knows luminance only by its unsized names; the desktop asks for 8 bits outright.
#ifdef __EMSCRIPTEN__
inline constexpr GLint kLuminance8 = GL_LUMINANCE;
inline constexpr GLint kLuminance8Alpha8 = GL_LUMINANCE_ALPHA;
#else
inline constexpr GLint kLuminance8 = GL_LUMINANCE8;
inline constexpr GLint kLuminance8Alpha8 = GL_LUMINANCE8_ALPHA8;
#endif

// Grey files keep their picture as luminance rather than being left without an image.
inline UploadFormat uploadFormatFor(int channels) {
    switch (channels) {
    case 1:
        return {kLuminance8, GL_LUMINANCE, 1};
    case 2:
        return {kLuminance8Alpha8, GL_LUMINANCE_ALPHA, 2};
    case 3:
        return {GL_RGB8, GL_RGB, 3};
    default:
        return {GL_RGBA8, GL_RGBA, 4};
    }
}
