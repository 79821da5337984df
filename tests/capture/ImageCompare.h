#pragma once

#include <cstddef>
#include <string>

#include "RgbaImage.h"

// Throws std::runtime_error when the file cannot be read as an image.
RgbaImage loadPng(const std::string& path);

struct ImageDifference {
    std::size_t differing = 0; // pixels with a colour channel off by more than the threshold
    int largest = 0;           // the largest channel difference anywhere
};

// Compares red, green and blue; the sizes must match.
ImageDifference compareImages(const RgbaImage& expected, const RgbaImage& actual, int threshold);
