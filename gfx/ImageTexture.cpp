#include "gfx/ImageTexture.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <stdexcept>

#include <stb_image.h>

namespace {

struct StbiFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

struct DecodedImage {
    std::unique_ptr<stbi_uc, StbiFree> pixels;
    int width = 0;
    int height = 0;
    int channels = 0;
};

DecodedImage decode(const char* path) {
    DecodedImage image;
    image.pixels.reset(stbi_load(path, &image.width, &image.height, &image.channels, 0));
    if (!image.pixels) {
        std::ostringstream message;
        message << "Unable to decode image file: " << path << "\n";
        throw std::runtime_error(message.str());
    }
    return image;
}

// GL wants the bottom row first; swapping rows in place needs no second buffer.
void flipRows(DecodedImage& image) {
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * image.channels;
    stbi_uc* top = image.pixels.get();
    stbi_uc* bottom = top + rowBytes * (image.height - 1);
    for (; top < bottom; top += rowBytes, bottom -= rowBytes) {
        std::swap_ranges(top, top + rowBytes, bottom);
    }
}

struct UploadFormat {
    GLint internalFormat;
    GLenum format;
};

// Grey files keep their picture as luminance rather than being left without an image.
UploadFormat uploadFormatFor(int channels) {
    switch (channels) {
    case 1:
        return {GL_LUMINANCE8, GL_LUMINANCE};
    case 2:
        return {GL_LUMINANCE8_ALPHA8, GL_LUMINANCE_ALPHA};
    case 3:
        return {GL_RGB8, GL_RGB};
    default:
        return {GL_RGBA8, GL_RGBA};
    }
}

} // namespace

void loadImageTexture(const char* path, Texture& texture) {
    DecodedImage image = decode(path);
    flipRows(image);

    texture.regenerate();
    bindTexture(texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const UploadFormat upload = uploadFormatFor(image.channels);
    glTexImage2D(GL_TEXTURE_2D, 0, upload.internalFormat, image.width, image.height, 0,
                 upload.format, GL_UNSIGNED_BYTE, image.pixels.get());
    image.pixels.reset();
    glGenerateMipmap(GL_TEXTURE_2D);
}
