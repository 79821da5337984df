#pragma once

#include "gfx/Texture.h"

struct DecodedImage;

// Decodes a PNG or JPEG and uploads it bottom row first (picture top at t = 1) with a full
// mipmap chain, leaving it bound on unit 0. Throws std::runtime_error
// "Unable to decode image file: <path>\n" before creating a texture when the file cannot be
// decoded, and a message naming the file and the limit when the picture is larger than the
// GL implementation's largest texture.
void loadImageTexture(const char* path, Texture& texture);

// The loader's GL steps, for timing them apart. The upload makes a fresh texture in place of
// the one held, binds it on unit 0 and specifies level 0 from the bottom-first rows; the
// mipmap build fills the chain of the texture bound on unit 0.
void uploadImage(const DecodedImage& image, Texture& texture);
void buildMipmaps();
