// The two full-screen "photographs": a soft birch wood and a portrait with a mohawk.
#include "images.h"

namespace assets {

namespace {

// Film grain and a gentle vignette, the finish that makes a drawing read as a photograph.
void photoFinish(Canvas& c, float vignette, float grain, std::uint32_t seed) {
    const float cx = c.width() / 2.0f, cy = c.height() / 2.0f;
    Canvas out(c.width(), c.height());
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            float dx = (x - cx) / cx, dy = (y - cy) / cy;
            float k = 1.0f - vignette * (dx * dx + dy * dy) * 0.5f;
            float g = (latticeHash(x, y, seed) - 0.5f) * grain;
            Colour col = shade(c.get(x, y), k);
            out.blend(x, y, {col.r + g, col.g + g, col.b + g, 1}, 1.0f);
        }
    c = out;
}

struct Trunk {
    float x, width, lean, soft, haze;
    std::uint32_t seed;
};

void drawTrunk(Canvas& c, const Trunk& t, Colour haze) {
    const float h = static_cast<float>(c.height());
    auto centre = [&](float y) {
        return t.x + t.lean * (y - h) + 0.012f * t.width * std::sin(y / 140.0f + t.seed);
    };
    auto half = [&](float y) { return t.width * (0.5f + 0.12f * y / h); };
    c.fill(
        t.x - t.width * 2 - std::abs(t.lean) * h - 20, 0,
        t.x + t.width * 2 + std::abs(t.lean) * h + 20, h,
        [&](float x, float y) { return std::abs(x - centre(y)) - half(y); },
        [&](float x, float y) {
            float u = std::clamp((x - centre(y)) / half(y), -1.0f, 1.0f);
            float nz = std::sqrt(1 - u * u);
            float light = 0.72f + 0.32f * std::max(0.0f, -0.55f * u + 0.83f * nz);
            Colour bark = shade(hex(0xEEEDE6), light);
            // Lenticels: short dark horizontal dashes; larger black patches nearer the ground.
            float dash = valueNoise(u * 2.5f + t.seed * 7, y / (0.05f * t.width + 3), t.seed) *
                         valueNoise(u * 1.2f, y / (0.25f * t.width + 10), t.seed + 1);
            float patch = fbm(u * 1.5f + t.seed, y / (0.6f * t.width + 20), 3, t.seed + 2);
            float ground = smoothstep(h * 0.3f, h, y);
            float dark = std::max(smoothstep(0.42f, 0.5f, dash),
                                  smoothstep(0.64f - 0.12f * ground, 0.7f - 0.12f * ground, patch));
            bark = mix(bark, hex(0x3E3833), dark * 0.8f);
            // Fine vertical texture and a touch of warm peel.
            bark = shade(bark, 0.95f + 0.08f * valueNoise(u * 30, y / 3, t.seed + 3));
            bark = mix(bark, hex(0xD8B89A),
                       0.25f * smoothstep(0.7f, 0.8f, valueNoise(u * 4, y / 25, t.seed + 4)));
            return mix(bark, haze, t.haze);
        },
        t.soft);
}

} // namespace

Image drawBirch(const Font&) {
    const int w = 1920, h = 1080;
    Canvas c(w, h);
    const Colour haze = hex(0xC9CEC0);
    // Soft out-of-focus foliage over a pale sky, grass below.
    c.paint([&](float x, float y) {
        float f = fbm(x / 260.0f, y / 260.0f, 4, 1);
        float g = fbm(x / 90.0f, y / 90.0f, 3, 2);
        Colour sky = mix(hex(0xDCE2DA), hex(0xB8C4A4), smoothstep(0, h * 0.7f, y));
        Colour leaves = mix(hex(0x9AAA74), hex(0xC8C48A), g);
        Colour col = mix(sky, leaves, smoothstep(0.45f, 0.7f, f) * 0.8f);
        float groundLine = h * 0.8f + 30 * std::sin(x / 300.0f);
        Colour grass = mix(hex(0x8E9A60), hex(0xB0AE78), fbm(x / 40.0f, y / 12.0f, 3, 3));
        return mix(col, grass, smoothstep(groundLine - 40, groundLine + 40, y));
    });
    // Three depths of trunks: hazy and soft far away, crisp and wide in front.
    Rng rng(0xB12C4);
    std::vector<Trunk> trunks;
    for (int i = 0; i < 22; ++i)
        trunks.push_back({rng.range(0, w), rng.range(12, 26), rng.range(-0.02f, 0.02f), 6, 0.55f,
                          static_cast<std::uint32_t>(100 + i)});
    for (int i = 0; i < 8; ++i)
        trunks.push_back({rng.range(0, w), rng.range(34, 56), rng.range(-0.03f, 0.03f), 2.5f, 0.3f,
                          static_cast<std::uint32_t>(200 + i)});
    const float nearX[] = {230, 760, 1330, 1750};
    for (int i = 0; i < 4; ++i)
        trunks.push_back({nearX[i] + rng.range(-40, 40), rng.range(80, 130),
                          rng.range(-0.04f, 0.04f), 1.2f, 0.08f,
                          static_cast<std::uint32_t>(300 + i)});
    for (const Trunk& t : trunks)
        drawTrunk(c, t, haze);
    // Low contrast: pull everything towards a light, warm mid-grey.
    Canvas flat(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            flat.blend(x, y, mix(c.get(x, y), hex(0xBFC0B0), 0.3f), 1.0f);
    // Drawn at screen size, stored smaller: a soft background loses nothing, and start-up
    // decodes fewer pixels.
    Canvas small = flat.resampled(1280, 720);
    photoFinish(small, 0.25f, 0.04f, 7);
    return opaque(small);
}

Image drawHaircut(const Font&) {
    const int w = 1920, h = 1080;
    const float cx = 960, cy = 585, rx = 158, ry = 205;
    Canvas c(w, h);
    // Studio backdrop: a teal paper sweep lit from behind the head.
    c.paint([&](float x, float y) {
        float r = std::hypot((x - cx) / 900.0f, (y - 520) / 620.0f);
        Colour col = mix(hex(0x3E8C94), hex(0x0C2630), smoothstep(0.05f, 1.1f, r));
        return shade(col, 0.95f + 0.1f * fbm(x / 300.0f, y / 300.0f, 3, 5));
    });

    const Colour skin = hex(0xE2A888), skinShadow = hex(0x8A5048);
    auto skinAt = [&](float nx, float ny) {
        float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
        float lambert = std::max(0.0f, -0.5f * nx - 0.35f * ny + 0.79f * nz);
        Colour col = mix(skinShadow, skin, 0.25f + 0.8f * lambert);
        return mix(col, hex(0xFFE6D6), 0.35f * std::pow(lambert, 12.0f));
    };

    // Neck, shaded under the jaw; it widens into the trapezius under the collar.
    c.fill(
        [&](float x, float y) {
            return sdf::polygon(x, y,
                                {{cx - 70, 690}, {cx + 70, 690}, {cx + 110, 900}, {cx - 110, 900}});
        },
        [&](float x, float y) {
            Colour col = skinAt((x - cx) / 120, 0.2f);
            return mix(col, skinShadow, 0.75f * (1 - smoothstep(730, 830, y)));
        });
    // Jacket: black leather, sloping shoulders, a white T-shirt in the opening.
    auto shoulderTop = [&](float x) {
        float dx = std::abs(x - cx);
        return 862 + 0.00032f * dx * dx + 190 * smoothstep(440, 660, dx);
    };
    c.fill([&](float x, float y) { return (shoulderTop(x) - y) * 0.8f; },
           [&](float x, float y) {
               float nx = (x - cx) / 560;
               float sheen = std::exp(-std::pow((y - shoulderTop(x) - 28) / 22.0f, 2.0f)) *
                             (0.35f + 0.65f * std::max(0.0f, -nx));
               return mix(hex(0x121216), hex(0x7A7E88), 0.6f * sheen);
           });
    c.fill(
        [&](float x, float y) {
            return std::max(sdf::polygon(x, y, {{860, 860}, {1060, 860}, {960, 1080}}), 860 - y);
        },
        [&](float, float y) {
            return mix(hex(0xE8E8E4), hex(0xA8A8A4), smoothstep(860, 1080, y));
        });
    // Lapels.
    for (float s : {-1.0f, 1.0f})
        c.fill(
            [&](float x, float y) {
                return sdf::polygon(x, y,
                                    {{cx + s * 150, 870},
                                     {cx + s * 96, 862},
                                     {cx + s * 14, 1080},
                                     {cx + s * 190, 1080}});
            },
            [&](float x, float) { return shade(hex(0x1C1C22), 1.0f + 0.4f * s * (x - cx) / 200); });
    // Ears with silver rings.
    for (float s : {-1.0f, 1.0f}) {
        float ex = cx + s * (rx - 4);
        c.fill([&](float x, float y) { return sdf::ellipse(x, y, ex, 600, 30, 52); },
               [&](float x, float y) {
                   float d = sdf::ellipse(x, y, ex + s * 4, 600, 16, 34);
                   return shade(skinAt(s * 0.7f, 0.0f), d < 0 ? 0.75f : 1.0f);
               });
        for (float ringY : {640.0f, 656.0f})
            c.fill(
                [&](float x, float y) {
                    return std::abs(sdf::circle(x, y, ex + s * 16, ringY, 9)) - 1.8f;
                },
                [&](float x, float y) {
                    return mix(hex(0x8A8E96), hex(0xF4F6FA),
                               smoothstep(ringY + 6, ringY - 8, y + 0.3f * (x - ex)));
                });
    }

    // Head: an egg narrowing to the jaw.
    auto headWidth = [&](float y) { return rx * (1 - 0.28f * smoothstep(cy, cy + ry, y)); };
    auto head = [&](float x, float y) { return sdf::ellipse(x, y, cx, cy, headWidth(y), ry); };
    auto hairline = [&](float x) { return 440 + 0.0046f * (x - cx) * (x - cx); };
    c.fill(head, [&](float x, float y) {
        float nx = (x - cx) / headWidth(y), ny = (y - cy) / ry;
        Colour col = skinAt(nx, ny);
        // Shaved sides: skin darkened by stubble above the hairline.
        float stubble = smoothstep(hairline(x) + 6, hairline(x) - 6, y);
        float dots = latticeHash(static_cast<int>(x / 2), static_cast<int>(y / 2), 31);
        col = mix(col, mix(hex(0x4A3A40), hex(0x7A6060), dots), stubble * 0.7f);
        // Cheek blush.
        for (float s : {-1.0f, 1.0f})
            col = mix(col, hex(0xE07A78),
                      0.2f * std::exp(-(std::pow(x - cx - s * 85, 2.0f) + std::pow(y - 650, 2.0f)) /
                                      1800));
        return col;
    });

    // Face features.
    for (float s : {-1.0f, 1.0f}) {
        float ex = cx + s * 62, ey = 590;
        // Smoky shadow round the eyes.
        c.fill([&](float x, float y) { return sdf::ellipse(x, y, ex, ey - 6, 48, 28); },
               [](float, float) { return hex(0x5A2A50, 0.35f); }, 16.0f);
        auto eye = [&](float x, float y) { return sdf::ellipse(x, y, ex, ey, 30, 12.5f); };
        c.fill(eye, [](float, float) { return hex(0xF2ECE6); });
        c.fill([&](float x,
                   float y) { return std::max(sdf::circle(x, y, ex - 3, ey, 11.5f), eye(x, y)); },
               [&](float x, float y) {
                   float r = std::hypot(x - ex + 3, y - ey);
                   return mix(hex(0x6A9A70), hex(0x1E3A2A), smoothstep(5, 11.5f, r));
               });
        c.fill(
            [&](float x, float y) { return std::max(sdf::circle(x, y, ex - 3, ey, 5), eye(x, y)); },
            [](float, float) { return hex(0x080808); });
        c.fill([&](float x, float y) { return sdf::circle(x, y, ex - 7, ey - 4, 2.5f); },
               [](float, float) { return hex(0xFFFFFF); });
        // Upper lid line with a winged tip.
        c.fill(
            [&](float x, float y) {
                return std::min(
                    std::max(std::abs(eye(x, y)) - 2.2f, y - ey + 2),
                    sdf::segment(x, y, ex + s * 28, ey - 3, ex + s * 40, ey - 10, 1.6f));
            },
            [](float, float) { return hex(0x140A10); });
        // Strong brows.
        c.fill(
            [&](float x, float y) {
                float bx0 = ex - s * 34, bx1 = ex + s * 40;
                float t = clamp01((x - bx0) / (bx1 - bx0));
                float by = 548 - 12 * std::sin(t * kPi * 0.9f) + 6 * t;
                return std::max(std::abs(y - by) - (7 - 3 * t),
                                (std::abs(x - (bx0 + bx1) / 2) - 38));
            },
            [](float, float) { return hex(0x2A1A1E); });
    }
    // Nose: shading on the shadow side, a highlight on the bridge, nostrils.
    c.fill([&](float x, float y) { return sdf::segment(x, y, cx + 16, 600, cx + 22, 668, 5); },
           [&](float, float) { return withAlpha(skinShadow, 0.35f); }, 12.0f);
    c.fill([&](float x, float y) { return sdf::segment(x, y, cx - 6, 610, cx - 4, 662, 2); },
           [](float, float) { return hex(0xFFE8DA, 0.18f); }, 8.0f);
    c.fill([&](float x, float y) { return sdf::ellipse(x, y, cx, 682, 30, 8); },
           [&](float, float) { return withAlpha(skinShadow, 0.45f); }, 6.0f);
    for (float s : {-1.0f, 1.0f})
        c.fill([&](float x, float y) { return sdf::ellipse(x, y, cx + s * 13, 678, 7, 3.5f); },
               [](float, float) { return hex(0x4A2420, 0.8f); }, 1.5f);
    // Mouth.
    auto upper = [&](float x, float y) {
        float dip = 4 * std::exp(-std::pow((x - cx) / 10, 2.0f));
        return std::max(sdf::ellipse(x, y, cx, 738, 48, 12), 738 - y - 12 + dip);
    };
    c.fill(upper, [](float, float) { return hex(0xA84A52); });
    c.fill([&](float x, float y) { return sdf::ellipse(x, y, cx, 742, 42, 14); },
           [&](float x, float y) {
               float hl =
                   std::exp(-(std::pow(x - cx + 8, 2.0f) / 200 + std::pow(y - 746, 2.0f) / 12));
               return mix(mix(hex(0xC05A62), hex(0x8A3040), smoothstep(740, 756, y)), hex(0xF4B4B4),
                          0.6f * hl);
           });
    c.fill(
        [&](float x, float y) {
            return std::max(std::abs(y - 739 + 0.0006f * std::pow(x - cx, 2.0f)) - 1.3f,
                            std::abs(x - cx) - 44);
        },
        [](float, float) { return hex(0x4A1A22); });
    c.fill([&](float x, float y) { return sdf::ellipse(x, y, cx, 770, 26, 8); },
           [&](float, float) { return withAlpha(skinShadow, 0.3f); }, 8.0f);

    // Mohawk: a fan of stiff spikes, magenta at the roots to yellow at the tips.
    struct Spike {
        float baseX, angle, length, width;
    };
    std::vector<Spike> spikes;
    Rng rng(0x0AC0);
    for (int i = 0; i < 11; ++i) {
        float t = i / 10.0f - 0.5f;
        spikes.push_back({cx + t * 110, t * 1.1f + rng.range(-0.05f, 0.05f),
                          rng.range(240, 300) * (1 - 0.45f * std::abs(t)), rng.range(34, 44)});
    }
    // Outer spikes first so the central ones overlap them.
    std::vector<size_t> order;
    for (size_t i = 0; i < spikes.size(); ++i)
        order.push_back(i);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return std::abs(spikes[a].angle) > std::abs(spikes[b].angle);
    });
    for (size_t idx : order) {
        const Spike& s = spikes[idx];
        float by = hairline(s.baseX) - 30;
        float dx = std::sin(s.angle), dy = -std::cos(s.angle);
        float tx = s.baseX + dx * s.length, ty = by + dy * s.length;
        std::vector<sdf::Point> poly;
        // Slightly convex sides down to a sharp tip.
        for (int k = 0; k <= 8; ++k) {
            float t = k / 8.0f;
            float half = s.width * (1 - t) * (1 - 0.3f * t) * 0.5f;
            poly.push_back(
                {s.baseX + dx * s.length * t - dy * half, by + dy * s.length * t + dx * half});
        }
        for (int k = 8; k >= 0; --k) {
            float t = k / 8.0f;
            float half = s.width * (1 - t) * (1 - 0.3f * t) * 0.5f;
            poly.push_back(
                {s.baseX + dx * s.length * t + dy * half, by + dy * s.length * t - dx * half});
        }
        // Roots buried in the scalp.
        poly.push_back({s.baseX - 40, by + 60});
        poly.push_back({s.baseX + 40, by + 60});
        c.fill(
            std::min(tx, s.baseX) - 60, std::min(ty, by) - 10, std::max(tx, s.baseX) + 60, by + 70,
            [&](float x, float y) {
                return std::max(sdf::polygon(x, y, poly), y - hairline(x) + 4);
            },
            [&](float x, float y) {
                float along = clamp01(((x - s.baseX) * dx + (y - by) * dy) / s.length);
                float across = (x - s.baseX) * -dy + (y - by) * dx;
                float strands =
                    valueNoise(across * 0.45f, along * 6, static_cast<std::uint32_t>(idx) + 60);
                Colour col = along < 0.55f
                                 ? mix(hex(0x9A0A5A), hex(0xFF2A9A), along / 0.55f)
                                 : mix(hex(0xFF2A9A), hex(0xFFE23A), (along - 0.55f) / 0.45f);
                float side = clamp01(0.5f + across / (s.width * (1 - along) + 1));
                return shade(col, (0.65f + 0.45f * side) * (0.8f + 0.35f * strands));
            });
    }
    // Stored at the birch's size: full screen it is magnified either way, and start-up
    // decodes and uploads fewer pixels.
    Canvas small = c.resampled(1280, 720);
    photoFinish(small, 0.5f, 0.05f, 9);
    return opaque(small);
}

} // namespace assets
