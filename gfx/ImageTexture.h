#pragma once

#include "gfx/Texture.h"

// Decodes a PNG or JPEG and uploads it bottom row first (picture top at t = 1) with a full
// mipmap chain, leaving it bound on unit 0. Throws std::runtime_error
// "Unable to decode image file: <path>\n" before touching GL when the file cannot be decoded.
void loadImageTexture(const char* path, Texture& texture);
