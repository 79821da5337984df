#include "gfx/DecodedImage.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include <stb_image.h>

void DecodedImage::Free::operator()(unsigned char* decoded) const {
    stbi_image_free(decoded);
}

namespace {

[[noreturn]] void failToDecode(const char* path) {
    std::ostringstream message;
    message << "Unable to decode image file: " << path;
    throw std::runtime_error(message.str());
}

// A picture the GL implementation cannot hold would otherwise show as a blank quad.
void checkSize(const char* path, int width, int height, int maxSide) {
    if (width > maxSide || height > maxSide) {
        std::ostringstream message;
        message << "Image file too large: " << path << " is " << width << " x " << height
                << " pixels, the largest texture side here is " << maxSide;
        throw std::runtime_error(message.str());
    }
}

// Reads as the decoder does: zero past the end.
struct ByteReader {
    const unsigned char* bytes;
    std::size_t size;
    std::size_t at;

    int next() { return at < size ? bytes[at++] : (++at, 0); }
    int next16() {
        const int high = next();
        return (high << 8) | next();
    }
};

// The decoder builds each JPEG Huffman table into room for 256 codes without checking the
// code counts, so a table announcing more writes past it. Every table the decoder could
// read starts with the marker bytes FF C4; walk each one as the decoder would and refuse
// the file when any table holds more than 256 codes.
bool jpegTablesFit(const unsigned char* bytes, std::size_t size) {
    // The decoder takes the file for a JPEG when it opens with FF, any more FF fill bytes, D8.
    std::size_t start = 0;
    while (start < size && bytes[start] == 0xFF) {
        ++start;
    }
    if (start == 0 || start == size || bytes[start] != 0xD8) {
        return true;
    }
    for (std::size_t marker = 0; marker + 1 < size; ++marker) {
        if (bytes[marker] != 0xFF || bytes[marker + 1] != 0xC4) {
            continue;
        }
        ByteReader reader{bytes, size, marker + 2};
        int remaining = reader.next16() - 2;
        while (remaining > 0 && reader.at <= size) {
            reader.next(); // table class and slot
            int codes = 0;
            for (int length = 0; length < 16; ++length) {
                codes += reader.next();
            }
            if (codes > 256) {
                return false;
            }
            reader.at += static_cast<std::size_t>(codes);
            remaining -= 17 + codes;
        }
    }
    return true;
}

DecodedImage checked(const char* path, DecodedImage image, int maxSide) {
    if (!image.pixels) {
        failToDecode(path);
    }
    checkSize(path, image.width, image.height, maxSide);
    return image;
}

DecodedImage decodeRowsFromMemory(const unsigned char* bytes, std::size_t size, const char* path,
                                  int maxSide) {
    // The decoder counts its input in int.
    if (size > static_cast<std::size_t>(INT_MAX)) {
        failToDecode(path);
    }
    if (!jpegTablesFit(bytes, size)) {
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
    return checked(path, std::move(image), maxSide);
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
    // Only a regular file: a pipe or a device could keep the show waiting for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        failToDecode(path);
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > static_cast<std::uintmax_t>(INT_MAX)) {
        failToDecode(path);
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        failToDecode(path);
    }
    return decodeRowsFromMemory(bytes.data(), bytes.size(), path, maxSide);
}

DecodedImage decodeImageBytes(const unsigned char* bytes, std::size_t size, const char* path,
                              int maxSide) {
    DecodedImage image = decodeRowsFromMemory(bytes, size, path, maxSide);
    flipRows(image);
    return image;
}
