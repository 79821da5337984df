#pragma once

#include <cstddef>
#include <memory>

// One image file decoded to 8 bits per channel with the file's own channel count (1 grey,
// 2 grey and alpha, 3 RGB, 4 RGBA), rows bottom first as GL's texture upload wants them.
// Needs no GL context.
struct DecodedImage {
    struct Free {
        void operator()(unsigned char* pixels) const;
    };
    std::unique_ptr<unsigned char, Free> pixels;
    int width = 0;
    int height = 0;
    int channels = 0;

    std::size_t rowBytes() const { return static_cast<std::size_t>(width) * channels; }
    std::size_t byteCount() const { return rowBytes() * static_cast<std::size_t>(height); }
};

// Decodes the file and puts its rows bottom first. Throws std::runtime_error
// "Unable to decode image file: <path>\n" when the file is missing or holds no decodable
// image, and a message naming the file and the limit when either side is larger than
// maxSide; the header is checked before any pixel is decoded.
DecodedImage decodeImageFile(const char* path, int maxSide);

// The two steps of decodeImageFile, for timing them apart: the decode leaves the rows top
// first, as the file holds them, and the flip puts them bottom first in place.
DecodedImage decodeImageRows(const char* path, int maxSide);
void flipRows(DecodedImage& image);

// The same for file contents already in memory; path only names them in messages.
DecodedImage decodeImageBytes(const unsigned char* bytes, std::size_t size, const char* path,
                              int maxSide);
