// Lettering from the show's TrueType face, rasterised into coverage masks.
#pragma once

#include "canvas.h"

#include <string>
#include <string_view>
#include <vector>

namespace assets {

class Font {
public:
    // Reads the whole font file; throws std::runtime_error if it is missing or not a font.
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // One line of text at the given em size in pixels, cropped to its ink plus `pad` pixels on
    // every side.
    Mask render(std::string_view text, float emPixels, int pad = 2) const;

private:
    std::vector<unsigned char> data_;
    void* info_; // stbtt_fontinfo, kept out of this header
};

} // namespace assets
