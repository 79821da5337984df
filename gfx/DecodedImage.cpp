#include "gfx/DecodedImage.h"

#include <algorithm>
#include <climits>
#include <sstream>
#include <stdexcept>
#include <utility>

#include <stb_image.h>

void DecodedImage::Free::operator()(unsigned char* pixels) const {
    stbi_image_free(pixels);
}

namespace {

[[noreturn]] void failToDecode(const char* path) {
    std::ostringstream message;
    message << "Unable to decode image file: " << path << "\n";
    throw std::runtime_error(message.str());
}

// A picture the GL implementation cannot hold would otherwise show as a blank quad.
void checkSize(const char* path, int width, int height, int maxSide) {
    if (width > maxSide || height > maxSide) {
        std::ostringstream message;
        message << "Image file too large: " << path << " is " << width << " x " << height
                << " pixels, the largest texture side here is " << maxSide << "\n";
        throw std::runtime_error(message.str());
    }
}

DecodedImage checked(const char* path, DecodedImage image, int maxSide) {
    if (!image.pixels) {
        failToDecode(path);
    }
    checkSize(path, image.width, image.height, maxSide);
    return image;
}

} // namespace

// GL wants the bottom row first; swapping rows in place needs no second buffer.
void flipRows(DecodedImage& image) {
    const std::size_t rowBytes = image.rowBytes();
    unsigned char* top = image.pixels.get();
    unsigned char* bottom = top + rowBytes * static_cast<std::size_t>(image.height - 1);
    for (; top < bottom; top += rowBytes, bottom -= rowBytes) {
        std::swap_ranges(top, top + rowBytes, bottom);
    }
}

DecodedImage decodeImageFile(const char* path, int maxSide) {
    DecodedImage image = decodeImageRows(path, maxSide);
    flipRows(image);
    return image;
}

DecodedImage decodeImageRows(const char* path, int maxSide) {
    DecodedImage image;
    int width = 0;
    int height = 0;
    if (stbi_info(path, &width, &height, &image.channels)) {
        checkSize(path, width, height, maxSide);
    }
    image.pixels.reset(stbi_load(path, &image.width, &image.height, &image.channels, 0));
    return checked(path, std::move(image), maxSide);
}

DecodedImage decodeImageBytes(const unsigned char* bytes, std::size_t size, const char* path,
                              int maxSide) {
    // The decoder counts its input in int.
    if (size > static_cast<std::size_t>(INT_MAX)) {
        failToDecode(path);
    }
    const int length = static_cast<int>(size);
    DecodedImage image;
    int width = 0;
    int height = 0;
    if (stbi_info_from_memory(bytes, length, &width, &height, &image.channels)) {
        checkSize(path, width, height, maxSide);
    }
    image.pixels.reset(
        stbi_load_from_memory(bytes, length, &image.width, &image.height, &image.channels, 0));
    image = checked(path, std::move(image), maxSide);
    flipRows(image);
    return image;
}
