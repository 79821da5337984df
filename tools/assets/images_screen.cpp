// Pictures that make up the screen furniture: the channel ident, the static, the waterline
// strip and the sun.
#include "images.h"

#include <array>

namespace assets {

namespace {

// Pixel-art glyphs, one string per row, '#' for ink.
struct Glyph {
    char ch;
    std::array<const char*, 7> rows;
};

constexpr Glyph kLarge[] = {
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
};

constexpr Glyph kSmall[] = {
    {'T', {"###", ".#.", ".#.", ".#.", ".#."}}, {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {':', {".", "#", ".", "#", "."}},
};

template <size_t N>
int drawPixelText(Canvas& c, const Glyph (&font)[N], const char* text, int x, int y, Colour ink) {
    for (const char* p = text; *p; ++p) {
        if (*p == ' ') {
            x += 3;
            continue;
        }
        for (const Glyph& g : font) {
            if (g.ch != *p)
                continue;
            int w = 0;
            for (int row = 0; row < 7 && g.rows[row]; ++row) {
                const char* r = g.rows[row];
                for (int col = 0; r[col]; ++col) {
                    if (r[col] == '#')
                        c.blend(x + col, y + row, ink, 1.0f);
                    w = std::max(w, col + 1);
                }
            }
            x += w + 1;
        }
    }
    return x;
}

// Rounds a gradient to a few levels with an ordered dither, the look of an 8-bit palette.
float dither(float v, int x, int y, float levels) {
    static constexpr float bayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    float t = (bayer[y & 3][x & 3] + 0.5f) / 16.0f;
    return std::floor(v * levels + t) / levels;
}

} // namespace

Image drawChannel(const Font&) {
    // Small on purpose: the banner magnifies it with hard pixel edges.
    const int w = 112, h = 21;
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float t = dither(1.0f - float(y) / (h - 1), x, y, 5.0f);
            Colour bg = mix(hex(0x0A1440), hex(0x2A4AB0), t);
            if (y == 1)
                bg = hex(0x6F8FE8);
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                bg = hex(0xC8D4F4);
            c.blend(x, y, bg, 1.0f);
        }
    // Corner pixels cut away, transparent black so the strip also looks right unblended.
    Canvas cut(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool corner = (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
            if (!corner)
                cut.blend(x, y, c.get(x, y), 1.0f);
        }

    // Logo block: colour bars over a dark plate with "TV".
    const Colour bars[] = {hex(0xF8F8F8), hex(0xF8E038), hex(0x38E0E8),
                           hex(0x38D048), hex(0xE040D8), hex(0xE83838)};
    for (int y = 3; y <= 10; ++y)
        for (int x = 3; x <= 20; ++x)
            cut.blend(x, y, shade(bars[(x - 3) / 3], y == 3 ? 1.0f : 0.92f), 1.0f);
    for (int y = 11; y <= 17; ++y)
        for (int x = 3; x <= 20; ++x)
            cut.blend(x, y, hex(0x101018), 1.0f);
    drawPixelText(cut, kSmall, "TV", 8, 12, hex(0xF8F8F8));

    // Station name with a one-pixel drop shadow.
    drawPixelText(cut, kLarge, "TORNUVA", 26, 5, hex(0x050A20));
    drawPixelText(cut, kLarge, "TORNUVA", 25, 4, hex(0xFFFFFF));
    // Rainbow underline, dithered.
    for (int x = 25; x < 66; ++x) {
        float hue = float(x - 25) / 41.0f;
        Colour col = hue < 0.5f ? mix(hex(0xF83830), hex(0xF8E038), dither(hue * 2, x, 0, 3))
                                : mix(hex(0xF8E038), hex(0x38D0F0), dither(hue * 2 - 1, x, 0, 3));
        cut.blend(x, 13, col, 1.0f);
        cut.blend(x, 14, shade(col, 0.7f), 1.0f);
    }
    // Clock with an "on air" dot.
    for (int y = 8; y <= 10; ++y)
        for (int x = 80; x <= 82; ++x)
            cut.blend(x, y, (x == 80 && y == 8) ? hex(0xFFB0B0) : hex(0xE02020), 1.0f);
    drawPixelText(cut, kSmall, "20:15", 87, 8, hex(0x050A20));
    drawPixelText(cut, kSmall, "20:15", 86, 7, hex(0xF8E038));
    return cutOut(cut);
}

Image drawNoise(const Font&) {
    // Not a power of two, like the photographs, which share its format: Mesa's llvmpipe
    // compiles its mipmap code once per format and power-of-two shape, some 100 ms of
    // start-up each time.
    const int n = 120;
    Rng rng(0x5EED0001);
    std::vector<float> white(n * n);
    for (float& v : white)
        v = rng.uniform();
    std::vector<float> rowLevel(n);
    for (float& v : rowLevel)
        v = rng.range(-0.07f, 0.07f);
    Canvas c(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            // A little horizontal smear, as an analogue line scan gives.
            float v = 0.65f * white[y * n + x] + 0.35f * white[y * n + (x + n - 1) % n];
            v = (v - 0.5f) * 2.1f + 0.5f + rowLevel[y];
            v += 0.08f * std::exp(-std::pow((y - 70) / 5.0f, 2.0f)); // faint rolling bar
            float g = clamp01(v);
            c.blend(x, y, {g, g, g, 1}, 1.0f);
        }
    return opaque(c);
}

Image drawWaves(const Font&) {
    // One world unit wide per copy; every term repeats a whole number of times across the
    // width so that copies join without a seam.
    // Neither side a power of two, like the other pictures with alpha: see drawNoise.
    const int w = 1100, h = 33;
    const Colour sea = {0.29058823f, 0.40666667f, 0.67764705f, 1}; // the flat sea below it
    Canvas c(w, h);
    auto crest = [](float phase, float sharp) {
        return std::pow(0.5f + 0.5f * std::cos(phase), sharp);
    };
    auto layer = [&](float surfaceBase, float height, int cycles, float shift, std::uint32_t seed,
                     Colour deep, Colour light) {
        for (int x = 0; x < w; ++x) {
            float u = float(x) / w;
            float ph = 2 * kPi * (cycles * u + shift) + 0.8f * std::sin(2 * kPi * (3 * u + shift));
            float wobble = fbm(u * 24, 0.5f, 3, seed, 24);
            float top = surfaceBase - height * crest(ph, 2.2f) * (0.7f + 0.6f * wobble) -
                        1.5f * std::sin(2 * kPi * (5 * u + 2 * shift));
            for (int y = 0; y < h; ++y) {
                float fy = y + 0.5f;
                float cov = clamp01(fy - top + 0.5f);
                if (cov <= 0)
                    continue;
                float depth = fy - top;
                float streak = fbm(u * 80, fy * 0.35f, 3, seed + 7, 80);
                Colour col = mix(light, deep, smoothstep(1.0f, 14.0f, depth));
                col = shade(col, 0.93f + 0.14f * streak);
                float foam = (1.0f - smoothstep(0.8f, 3.0f + 2.5f * streak, depth)) *
                             (0.4f + 0.6f * crest(ph, 1.0f));
                col = mix(col, hex(0xF2F8FF), clamp01(foam));
                // The lowest rows become the flat sea colour exactly.
                col = mix(col, sea, smoothstep(h - 9.0f, h - 3.0f, fy));
                c.blend(x, y, col, cov);
            }
        }
    };
    layer(13, 9, 29, 0.37f, 11, hex(0x506EB4), hex(0x9DB8E8));
    layer(21, 11, 19, 0.0f, 23, sea, hex(0x86A6E0));
    return cutOut(c);
}

Image drawSun(const Font&) {
    const int n = 216;
    const float cx = n / 2.0f, radius = 58.0f;
    Canvas c(n, n);
    // Glow: fades to nothing before the square's edge so no border shows.
    c.paint([&](float x, float y) {
        float r = std::hypot(x - cx, y - cx);
        float angle = std::atan2(y - cx, x - cx);
        float out = std::max(0.0f, r - radius);
        float rays = 1.0f + 0.18f * std::cos(12 * angle) + 0.1f * std::cos(7 * angle + 1.3f);
        float a = (0.6f * std::exp(-out / 10.0f) + 0.3f * std::exp(-out / 32.0f) * rays) *
                  (1.0f - smoothstep(cx - 26, cx - 2, r));
        return withAlpha(mix(hex(0xFFE08A), hex(0xFF9A30), smoothstep(0, 50, out)), clamp01(a));
    });
    c.fill([&](float x, float y) { return sdf::circle(x, y, cx, cx, radius); },
           [&](float x, float y) {
               float r = std::hypot(x - cx, y - cx) / radius;
               // Limb darkening and a warm rim; a faint offset highlight gives volume.
               Colour col = mix(hex(0xFFFBE8), hex(0xFFC23A), std::pow(r, 2.2f));
               float spot =
                   std::exp(-(std::pow(x - cx + 16, 2.0f) + std::pow(y - cx + 18, 2.0f)) / 900.0f);
               return mix(col, hex(0xFFFFFF), 0.5f * spot);
           });
    return cutOut(c);
}

} // namespace assets
