#include "gfx/ImageTexture.h"

#include "gfx/DecodedImage.h"
#include "gfx/UploadFormat.h"

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
