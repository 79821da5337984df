// The still life's sprites: two drink cans, a jar of pickles, the shop sign and the group's
// wordmark.
#include "images.h"

#include <functional>

namespace assets {

namespace {

// A can seen slightly from above: the label wraps round a lit cylinder.
// label(u, v) gives the printed colour at u in [0, 1] across the visible half and v down.
Image drawCan(const std::function<Colour(float u, float v)>& label) {
    const int n = 378;
    const float cx = n / 2.0f, r = 84, top = 42, bottom = 340, lid = 0.2f;
    Canvas c(n, n);
    // Contact shadow on the table.
    c.fill([&](float x, float y) { return sdf::ellipse(x, y, cx + 10, bottom + 6, r + 24, 18); },
           [&](float, float) { return hex(0x000000, 0.35f); }, 14.0f);

    auto lighting = [&](float x, Colour base, float metal) {
        float nx = std::clamp((x - cx) / r, -1.0f, 1.0f);
        float nz = std::sqrt(1 - nx * nx);
        // Key light from the front left, a cool rim from the right.
        float diffuse = std::max(0.0f, -0.45f * nx + 0.89f * nz);
        float specular = std::pow(std::max(0.0f, -0.25f * nx + 0.97f * nz), 60.0f);
        float rim = std::pow(std::max(0.0f, nx), 6.0f);
        Colour col = shade(base, 0.3f + 0.8f * diffuse);
        col = mix(col, hex(0xFFFFFF), (0.55f + 0.3f * metal) * specular);
        return mix(col, hex(0xBFD8FF), 0.35f * rim);
    };
    // Body: from the lid's ellipse down to the rounded bottom ellipse, tapering at the neck.
    auto body = [&](float x, float y) {
        float neck = 1.0f - 0.1f * (1.0f - smoothstep(top, top + 26, y));
        float side = std::abs(x - cx) - r * neck;
        float below =
            y -
            (bottom + lid * r * 0.6f * std::sqrt(std::max(0.0f, 1 - std::pow((x - cx) / r, 2.0f))));
        float above = top - y;
        return std::max({side, below, above});
    };
    c.fill(body, [&](float x, float y) {
        float v = (y - top) / (bottom - top);
        float nx = std::clamp((x - cx) / r, -1.0f, 1.0f);
        float u = std::asin(nx) / kPi + 0.5f;
        bool metalBand = v < 0.09f || v > 0.93f;
        Colour base = metalBand ? hex(0xC4CAD2) : label(u, (v - 0.09f) / 0.84f);
        return lighting(x, base, metalBand ? 1.0f : 0.0f);
    });
    // Lid: rim, recessed top and the ring pull.
    c.fill([&](float x, float y) { return sdf::ellipse(x, y, cx, top, r * 0.9f, r * 0.9f * lid); },
           [&](float x, float) { return lighting(x, hex(0xE2E6EA), 1.0f); });
    c.fill([&](float x,
               float y) { return sdf::ellipse(x, y, cx, top + 1.5f, r * 0.78f, r * 0.78f * lid); },
           [&](float x, float y) {
               return mix(hex(0x8C939C), hex(0xD0D5DB),
                          smoothstep(top - 10, top + 12, y) *
                              (0.6f + 0.4f * (x - cx + r) / (2 * r)));
           });
    c.fill([&](float x,
               float y) { return std::abs(sdf::ellipse(x, y, cx + 8, top + 1, 22, 7)) - 2.0f; },
           [](float, float) { return hex(0xE8EBEE); });
    c.fill([&](float x, float y) { return sdf::circle(x, y, cx - 6, top + 1, 3); },
           [](float, float) { return hex(0x6A717A); });
    return cutOut(c);
}

float stripe(float v, float centre, float halfWidth) {
    return clamp01((halfWidth - std::abs(v - centre)) * 300.0f);
}

} // namespace

Image drawCan1(const Font& font) {
    // Red cola can: a white wave ribbon and the brand name across the front.
    Mask word = font.render("KOLA", 120);
    return drawCan([&](float u, float v) {
        Colour col = mix(hex(0xE0141E), hex(0x9A0A12), v * 0.6f);
        float wave = 0.7f + 0.06f * std::sin(u * 2 * kPi * 1.5f + 0.8f);
        col = mix(col, hex(0xFFFFFF), stripe(v, wave, 0.03f));
        col = mix(col, hex(0xFFD23C), stripe(v, wave + 0.055f, 0.008f));
        // Text box: u in [0.2, 0.8], v in [0.28, 0.5].
        float tu = (u - 0.2f) / 0.6f, tv = (v - 0.24f) / 0.26f;
        if (tu >= 0 && tu <= 1 && tv >= 0 && tv <= 1)
            col = mix(col, hex(0xFFFFFF), word.sample(tu * word.w, tv * word.h));
        return col;
    });
}

Image drawCan2(const Font& font) {
    // Lemon-lime soda: green to teal, yellow slices and bubbles, the name running upwards.
    Mask word = font.render("LIMU", 120);
    return drawCan([&](float u, float v) {
        Colour col = mix(hex(0x7BD63A), hex(0x0E8A78), smoothstep(0.1f, 0.9f, v));
        // Bubbles.
        for (int i = 0; i < 14; ++i) {
            float bu = latticeHash(i, 1, 77), bv = latticeHash(i, 2, 77);
            float br = 0.015f + 0.03f * latticeHash(i, 3, 77);
            float d = std::hypot((u - bu) * 1.6f, v - bv) - br;
            col = mix(col, hex(0xE8FFF0), 0.5f * clamp01(1 - std::abs(d) * 250.0f));
        }
        // Lemon slice.
        float d = std::hypot((u - 0.5f) * 1.6f, v - 0.78f);
        if (d < 0.13f) {
            float a = std::atan2(v - 0.78f, (u - 0.5f) * 1.6f);
            float seg = std::abs(std::fmod(a * 8 / (2 * kPi) + 8.5f, 1.0f) - 0.5f);
            Colour flesh = seg < 0.06f || d < 0.015f ? hex(0xFFF7C8) : hex(0xFFE040);
            col = d > 0.115f ? hex(0xF0C020) : (d > 0.1f ? hex(0xFFF7C8) : flesh);
        }
        // Vertical brand name: text's x runs up the can.
        float tx = (0.62f - v) / 0.5f, ty = (u - 0.36f) / 0.28f;
        if (tx >= 0 && tx <= 1 && ty >= 0 && ty <= 1) {
            float ink = word.sample(tx * word.w, ty * word.h);
            col = mix(col, hex(0x0A3A30), ink * 0.8f);
            col = mix(col, hex(0xFFFFFF), word.sample(tx * word.w + 2, ty * word.h + 2));
        }
        return col;
    });
}

Image drawDelicacies(const Font& font) {
    // A jar of pickles under a chequered cloth cover.
    const int n = 270;
    const float cx = n / 2.0f;
    Canvas c(n, n);
    c.fill([&](float x, float y) { return sdf::ellipse(x, y, cx + 6, 256, 96, 10); },
           [](float, float) { return hex(0x000000, 0.35f); }, 10.0f);
    auto jar = [&](float x, float y) {
        return std::min(sdf::box(x, y, cx, 172, 82, 84, 26), sdf::box(x, y, cx, 90, 62, 14, 4));
    };
    // Brine behind the pickles.
    c.fill([&](float x, float y) { return std::max(jar(x, y) + 4, 96 - y); },
           [&](float x, float y) {
               return mix(hex(0xC8C060), hex(0x7E8A2A),
                          smoothstep(96, 250, y) * 0.7f + 0.2f * std::abs(x - cx) / 80);
           });
    // Pickles: upright capsules with warty skins, front row overlapping the back.
    struct Pickle {
        float x, y0, y1, r, lean;
    };
    const Pickle pickles[] = {{88, 112, 232, 19, -6}, {128, 104, 236, 20, 4},
                              {170, 110, 232, 19, 8}, {196, 124, 236, 16, -4},
                              {70, 150, 244, 17, 5},  {108, 140, 246, 21, -3},
                              {150, 136, 246, 21, 6}, {192, 150, 244, 18, -7}};
    int k = 0;
    for (const Pickle& p : pickles) {
        auto shape = [&](float x, float y) {
            return sdf::segment(x, y, p.x - p.lean, p.y0 + p.r, p.x + p.lean, p.y1 - p.r, p.r);
        };
        std::uint32_t seed = 40 + k++;
        c.fill(
            p.x - 40, p.y0 - 4, p.x + 40, p.y1 + 4,
            [&](float x, float y) { return std::max(shape(x, y), jar(x, y) + 5); },
            [&](float x, float y) {
                float t = (y - p.y0) / (p.y1 - p.y0);
                float axis = p.x - p.lean + 2 * p.lean * t;
                float nx = std::clamp((x - axis) / p.r, -1.0f, 1.0f);
                float light =
                    0.45f + 0.6f * std::max(0.0f, -0.5f * nx + 0.86f * std::sqrt(1 - nx * nx));
                float warts = fbm(x * 0.35f, y * 0.35f, 2, seed);
                Colour col = mix(hex(0x3C5A14), hex(0x6E8C26), warts);
                col = mix(col, hex(0xA8B85A), 0.3f * stripe(nx * 0.5f, 0.1f, 0.06f));
                return shade(col, light);
            });
    }
    // Dill sprigs and peppercorns floating in front.
    for (int i = 0; i < 7; ++i) {
        float x0 = 70 + 130 * latticeHash(i, 0, 5), y0 = 130 + 100 * latticeHash(i, 1, 5);
        float ang = -1.2f + 0.8f * latticeHash(i, 2, 5);
        for (int j = 0; j < 6; ++j) {
            float bx = x0 + std::cos(ang) * 4 * j, by = y0 + std::sin(ang) * 4 * j;
            c.fill(
                bx - 12, by - 12, bx + 12, by + 12,
                [&](float x, float y) {
                    return std::max(
                        sdf::segment(x, y, bx, by, bx + 9 * std::cos(ang + 0.9f * (j % 2 ? 1 : -1)),
                                     by + 9 * std::sin(ang + 0.9f * (j % 2 ? 1 : -1)), 0.8f),
                        jar(x, y) + 5);
                },
                [](float, float) { return hex(0x2E5A1A); });
        }
    }
    for (int i = 0; i < 12; ++i) {
        float px = 70 + 130 * latticeHash(i, 7, 9), py = 150 + 90 * latticeHash(i, 8, 9);
        c.fill([&](float x, float y) { return sdf::circle(x, y, px, py, 3); },
               [&](float x, float y) {
                   return mix(hex(0x3A2414), hex(0x7A5030),
                              smoothstep(3, -1, std::hypot(x - px + 1, y - py + 1)));
               });
    }
    // Label.
    c.fill(
        [&](float x, float y) { return sdf::box(x, y, cx, 196, 70, 26, 4); },
        [&](float, float y) { return mix(hex(0xFFF4D8), hex(0xEAD8B0), smoothstep(170, 222, y)); });
    c.fill([&](float x, float y) { return std::abs(sdf::box(x, y, cx, 196, 64, 20, 3)) - 1.2f; },
           [](float, float) { return hex(0xB0282A); });
    Mask word = font.render("KURKUT", 40);
    float scale = 96.0f / word.w;
    c.fillMask(word, cx - word.w * scale / 2, 196 - word.h * scale / 2, scale,
               [](float, float) { return hex(0x2E5A1A); });
    // Glass: tinted, with bright vertical reflections.
    c.fill(jar, [&](float x, float) {
        float nx = (x - cx) / 82;
        float refl = std::exp(-std::pow((nx + 0.55f) / 0.08f, 2.0f)) +
                     0.5f * std::exp(-std::pow((nx - 0.7f) / 0.05f, 2.0f));
        float edge = std::pow(std::abs(nx), 8.0f);
        return withAlpha(mix(hex(0xDDEEE4), hex(0xFFFFFF), refl),
                         0.12f + 0.6f * refl + 0.35f * edge);
    });
    // Lid cloth: red and white check, flaring over the lid with a scalloped hem and a string.
    auto cloth = [&](float x, float y) {
        float hem = 92 + 4 * std::cos((x - cx) * 0.45f);
        float flare = 70 + (y - 40) * 0.25f;
        return std::max({std::abs(x - cx) - flare, y - hem, sdf::ellipse(x, y, cx, 52, 78, 26)});
    };
    c.fill(cloth, [&](float x, float y) {
        bool a = static_cast<int>(std::floor((x + 200) / 11)) % 2 == 0;
        bool b = static_cast<int>(std::floor((y + 200) / 11)) % 2 == 0;
        Colour col = a && b ? hex(0xC81E22) : (a || b ? hex(0xE8787A) : hex(0xFFF6EE));
        float fold =
            0.82f + 0.18f * std::sin((x - cx) * 0.12f + 0.5f) - 0.15f * smoothstep(60, 20, y);
        return shade(col, fold);
    });
    // String tied round the neck of the cloth.
    c.fill(
        [&](float x, float y) {
            return std::max(std::abs(y - 84 - 0.02f * (x - cx)) - 2.0f, std::abs(x - cx) - 66);
        },
        [](float, float) { return hex(0xE8D8A8); });
    return cutOut(c);
}

Image drawRovaska(const Font& font) {
    // Enamel shop sign: rounded green board, gold double rule, gilded lettering, screws.
    const int w = 543, h = 270;
    Canvas c(w, h);
    c.fill(
        [&](float x, float y) {
            return sdf::box(x, y, w / 2.0f + 4, h / 2.0f + 6, w / 2.0f - 10, h / 2.0f - 10, 22);
        },
        [](float, float) { return hex(0x000000, 0.45f); }, 8.0f);
    c.fill(
        [&](float x, float y) {
            return sdf::box(x, y, w / 2.0f, h / 2.0f, w / 2.0f - 6, h / 2.0f - 6, 22);
        },
        [&](float x, float y) {
            float grain = fbm(x * 0.02f, y * 0.3f, 3, 12);
            Colour col = mix(hex(0x1C6A48), hex(0x0C3A26), smoothstep(0, h, y));
            return shade(col, 0.9f + 0.2f * grain);
        });
    for (float inset : {18.0f, 26.0f})
        c.fill(
            [&](float x, float y) {
                return std::abs(sdf::box(x, y, w / 2.0f, h / 2.0f, w / 2.0f - inset,
                                         h / 2.0f - inset, 14)) -
                       (inset < 20 ? 2.0f : 1.0f);
            },
            [&](float, float y) { return mix(hex(0xFFE8A0), hex(0xB88A2A), smoothstep(0, h, y)); });
    for (float sx : {40.0f, w - 40.0f})
        for (float sy : {40.0f, h - 40.0f}) {
            c.fill([&](float x, float y) { return sdf::circle(x, y, sx, sy, 6); },
                   [&](float x, float y) {
                       return mix(hex(0x9A9080), hex(0xF0E8D8),
                                  smoothstep(6, -4, std::hypot(x - sx + 2, y - sy + 2)));
                   });
            c.fill(
                [&](float x, float y) {
                    return sdf::segment(x, y, sx - 4, sy + 2, sx + 4, sy - 2, 0.8f);
                },
                [](float, float) { return hex(0x4A4438); });
        }
    Mask word = font.render("ROVASKA", 130);
    float scale = std::min(430.0f / word.w, 120.0f / word.h);
    float ox = w / 2.0f - word.w * scale / 2, oy = h / 2.0f - word.h * scale / 2 - 12;
    Mask shadow = word.dilated(2).blurred(2);
    c.fillMask(shadow, ox + 4, oy + 5, scale, [](float, float) { return hex(0x021A10, 0.8f); });
    c.fillMask(word.dilated(2), ox, oy, scale, [](float, float) { return hex(0x6A4A12); });
    c.fillMask(word, ox, oy, scale, [&](float, float y) {
        float t = (y - oy) / (word.h * scale);
        Colour col = mix(hex(0xFFF2B8), hex(0xE0A830), smoothstep(0.3f, 0.6f, t));
        return mix(col, hex(0xFFE07A), smoothstep(0.6f, 1.0f, t));
    });
    // A small ornament: a rule with a diamond under the name.
    float ry = oy + word.h * scale + 22;
    c.fill([&](float x,
               float y) { return std::max(std::abs(y - ry) - 1.5f, std::abs(x - w / 2.0f) - 150); },
           [](float, float) { return hex(0xE8C062); });
    c.fill(
        [&](float x, float y) { return (std::abs(x - w / 2.0f) + std::abs(y - ry)) * 0.7071f - 6; },
        [](float, float) { return hex(0xFFE8A0); });
    return cutOut(c);
}

Image drawLogo(const Font& font) {
    // The group's wordmark: sunset-gradient letters with a dark outline and a soft shadow,
    // legible over both the pale birches and the blue sea.
    const int w = 378, h = 91;
    Canvas c(w, h);
    Mask word = font.render("SELKAVO", 110, 6);
    float scale = std::min((w - 16.0f) / word.w, (h - 12.0f) / word.h);
    float ox = w / 2.0f - word.w * scale / 2, oy = h / 2.0f - word.h * scale / 2 - 1;
    Mask outline = word.dilated(5);
    c.fillMask(outline.blurred(3), ox + 3, oy + 4, scale,
               [](float, float) { return hex(0x000000, 0.55f); });
    c.fillMask(outline, ox, oy, scale, [](float, float) { return hex(0x12061E); });
    c.fillMask(word, ox, oy, scale, [&](float x, float y) {
        float t = (y - oy) / (word.h * scale);
        Colour col = t < 0.5f ? mix(hex(0xFFF3A0), hex(0xFFB02E), t * 2)
                              : mix(hex(0xFF5A3C), hex(0xC0187A), (t - 0.5f) * 2);
        // Horizon line through the letters, the demo-logo classic.
        if (std::abs(t - 0.5f) < 0.025f)
            col = hex(0xFFFFFF);
        return shade(col, 0.92f + 0.08f * std::sin(x * 0.05f));
    });
    return cutOut(c);
}

} // namespace assets
