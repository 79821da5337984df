#include "ImageCompare.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include <stb_image.h>

RgbaImage loadPng(const std::string& path) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (!pixels) {
        throw std::runtime_error("cannot read " + path + ": " + stbi_failure_reason());
    }
    RgbaImage image(width, height);
    std::copy_n(pixels, image.pixels.size(), image.pixels.begin());
    stbi_image_free(pixels);
    return image;
}

namespace {

int pixelDifference(const std::uint8_t* a, const std::uint8_t* b) {
    int largest = 0;
    for (int c = 0; c < 3; ++c) {
        largest = std::max(largest, std::abs(int(a[c]) - int(b[c])));
    }
    return largest;
}

} // namespace

ImageDifference compareImages(const RgbaImage& expected, const RgbaImage& actual, int threshold) {
    if (expected.width != actual.width || expected.height != actual.height) {
        throw std::runtime_error("the images differ in size");
    }
    ImageDifference difference;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const int off = pixelDifference(expected.at(x, y), actual.at(x, y));
            difference.largest = std::max(difference.largest, off);
            difference.differing += off > threshold ? 1 : 0;
        }
    }
    return difference;
}
