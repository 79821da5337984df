#pragma once

#include <string>

#include "RgbaImage.h"

// Writes the image as an RGBA PNG; throws std::runtime_error naming the path on failure.
void writePng(const std::string& path, const RgbaImage& image);

// Area-averaged reduction (or enlargement) to the given size: every target pixel is the
// mean of the source area it covers, so thin lines and the static keep their weight.
RgbaImage resize(const RgbaImage& source, int width, int height);

// Fills a rectangle, clipped to the image.
void fill(RgbaImage& image, int x, int y, int width, int height, const std::uint8_t rgba[4]);

// Copies `source` with its top-left corner at (x, y), blending by its alpha; clipped.
void paste(RgbaImage& target, const RgbaImage& source, int x, int y);
