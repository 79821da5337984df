#include "gfx/ImageTexture.h"

#include "gfx/DecodedImage.h"

namespace {

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

void uploadImage(const DecodedImage& image, Texture& texture) {
    texture.regenerate();
    bindTexture(texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const UploadFormat upload = uploadFormatFor(image.channels);
    glTexImage2D(GL_TEXTURE_2D, 0, upload.internalFormat, image.width, image.height, 0,
                 upload.format, GL_UNSIGNED_BYTE, image.pixels.get());
}

void buildMipmaps() {
    glGenerateMipmap(GL_TEXTURE_2D);
}

void loadImageTexture(const char* path, Texture& texture) {
    DecodedImage image = decodeImageFile(path, maxTextureSide());
    uploadImage(image, texture);
    // The pixels go before the mipmaps are built, so both are never held at once.
    image.pixels.reset();
    buildMipmaps();
}
