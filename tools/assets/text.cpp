#include "text.h"

#include <stb_truetype.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace assets {

Font::Font(const std::string& path) : info_(new stbtt_fontinfo) {
    std::ifstream in(path, std::ios::binary);
    data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    auto* info = static_cast<stbtt_fontinfo*>(info_);
    if (data_.empty() || !stbtt_InitFont(info, data_.data(), 0)) {
        delete info;
        throw std::runtime_error("cannot read font " + path);
    }
}

Font::~Font() {
    delete static_cast<stbtt_fontinfo*>(info_);
}

Mask Font::render(std::string_view text, float emPixels, int pad) const {
    auto* info = static_cast<stbtt_fontinfo*>(info_);
    float scale = stbtt_ScaleForMappingEmToPixels(info, emPixels);
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(info, &ascent, &descent, &gap);
    float baseline = ascent * scale;

    // First pass: line width; second: glyphs into a scratch mask.
    float width = 0;
    for (char ch : text) {
        int adv = 0, lsb = 0;
        stbtt_GetCodepointHMetrics(info, static_cast<unsigned char>(ch), &adv, &lsb);
        width += adv * scale;
    }
    int lineH = static_cast<int>(std::ceil((ascent - descent) * scale)) + 2;
    Mask line(static_cast<int>(std::ceil(width)) + 4, lineH);
    float penX = 2;
    for (char ch : text) {
        int cp = static_cast<unsigned char>(ch);
        int adv = 0, lsb = 0;
        stbtt_GetCodepointHMetrics(info, cp, &adv, &lsb);
        float shiftX = penX - std::floor(penX);
        int x0, y0, x1, y1;
        stbtt_GetCodepointBitmapBoxSubpixel(info, cp, scale, scale, shiftX, 0, &x0, &y0, &x1, &y1);
        int gw = x1 - x0, gh = y1 - y0;
        if (gw > 0 && gh > 0) {
            std::vector<unsigned char> glyph(static_cast<size_t>(gw) * gh);
            stbtt_MakeCodepointBitmapSubpixel(info, glyph.data(), gw, gh, gw, scale, scale, shiftX,
                                              0, cp);
            int gx = static_cast<int>(std::floor(penX)) + x0;
            int gy = static_cast<int>(std::lround(baseline)) + y0 + 1;
            for (int y = 0; y < gh; ++y)
                for (int x = 0; x < gw; ++x) {
                    int tx = gx + x, ty = gy + y;
                    if (tx < 0 || ty < 0 || tx >= line.w || ty >= line.h)
                        continue;
                    float& dst = line.v[static_cast<size_t>(ty) * line.w + tx];
                    dst = std::min(1.0f, dst + glyph[static_cast<size_t>(y) * gw + x] / 255.0f);
                }
        }
        penX += adv * scale;
    }

    // Crop to the ink.
    int minX = INT_MAX, minY = INT_MAX, maxX = -1, maxY = -1;
    for (int y = 0; y < line.h; ++y)
        for (int x = 0; x < line.w; ++x)
            if (line.at(x, y) > 0) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    if (maxX < 0)
        return Mask(2 * pad, 2 * pad);
    Mask out(maxX - minX + 1 + 2 * pad, maxY - minY + 1 + 2 * pad);
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x)
            out.v[static_cast<size_t>(y - minY + pad) * out.w + (x - minX + pad)] = line.at(x, y);
    return out;
}

} // namespace assets
