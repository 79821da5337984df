// The ferry from the side and from above, and the wind vane that turns on it.
#include "images.h"

namespace assets {

namespace {

const Colour kHullBlue = hex(0x14285A);
const Colour kWhite = hex(0xF4F6F8);
const Colour kWindow = hex(0x23344E);
const Colour kFunnelBlue = hex(0x1E5AB4);
const Colour kLifeboat = hex(0xFF7A1A);

auto solid(Colour c) {
    return [c](float, float) { return c; };
}

// Soft shadow of everything drawn on `shape`, laid under `target`.
void dropShadow(Canvas& target, const Canvas& shape, float dx, float dy, int blur, float alpha) {
    Mask m = shape.alphaMask().blurred(blur);
    target.fillMask(m, dx, dy, 1.0f, [&](float, float) { return hex(0x000814, alpha); });
}

void composite(Canvas& dst, const Canvas& src) {
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            Colour c = src.get(x, y);
            dst.blend(x, y, c, 1.0f);
        }
}

} // namespace

Image drawBoat(const Font&) {
    // Bow to the right, the direction of travel. Waterline about 84 % down: the waves strip
    // covers the rest.
    const int w = 594, h = 166;
    Canvas ship(w, h);

    // Superstructure first so the hull's sheer line overlaps its foot.
    struct Deck {
        float x0, x1, top, bottom;
    };
    const Deck decks[] = {{52, 532, 62, 92}, {78, 500, 40, 64}, {118, 470, 24, 42}};
    for (const Deck& d : decks) {
        ship.fill(
            d.x0 - 2, d.top - 2, d.x1 + 16, d.bottom + 2,
            [&](float x, float y) {
                // Front of each deck raked back like a ferry's bridge front.
                float rake = (x - (d.x1 - (y - d.top) * -0.6f - 14));
                return std::max(sdf::box(x, y, (d.x0 + d.x1) / 2 + 6, (d.top + d.bottom) / 2,
                                         (d.x1 - d.x0) / 2 + 6, (d.bottom - d.top) / 2, 3),
                                rake);
            },
            [&](float, float y) {
                return mix(kWhite, hex(0xC9D2DC), smoothstep(d.top, d.bottom, y) * 0.6f);
            });
        // Window rows.
        float wy = d.top + (d.bottom - d.top) * 0.45f;
        for (float x = d.x0 + 8; x < d.x1 - 8; x += 9)
            ship.fill(
                x - 2, wy - 5, x + 8, wy + 5,
                [&](float px, float py) { return sdf::box(px, py, x + 3, wy, 3.2f, 3.6f, 1); },
                [&](float, float py) {
                    return mix(hex(0x5F7FA8), kWindow, smoothstep(wy - 4, wy, py));
                });
    }
    // Bridge: a dark band of glass across the top deck's front.
    ship.fill(
        380, 26, 490, 38,
        [](float x, float y) {
            return std::max(sdf::box(x, y, 430, 32, 50, 4, 1), x - (476 - (y - 26) * -0.6f));
        },
        solid(hex(0x0E1A2C)));
    // Mast and radar.
    ship.fill(
        0, 0, w, h, [](float x, float y) { return sdf::segment(x, y, 430, 24, 426, 4, 1.6f); },
        solid(hex(0x8A939E)));
    ship.fill(
        0, 0, w, h, [](float x, float y) { return sdf::box(x, y, 428, 8, 12, 1.6f, 1); },
        solid(hex(0x5A636E)));
    // Lifeboats along the boat deck.
    for (float x : {140.0f, 196.0f, 300.0f, 356.0f})
        ship.fill(
            x - 24, 48, x + 24, 62,
            [&](float px, float py) { return sdf::box(px, py, x, 55, 20, 5, 5); },
            [&](float, float py) {
                return mix(kLifeboat, shade(kLifeboat, 0.7f), smoothstep(51, 60, py));
            });
    // Funnel, raked aft, company blue with a white band and black top.
    std::vector<sdf::Point> funnel = {{150, 42}, {206, 42}, {196, 4}, {152, 4}};
    ship.fill(
        140, 0, 215, 44, [&](float x, float y) { return sdf::polygon(x, y, funnel); },
        [&](float x, float y) {
            Colour c = y < 11 ? hex(0x15181C) : (y > 20 && y < 27 ? kWhite : kFunnelBlue);
            return shade(c, 0.85f + 0.25f * smoothstep(150, 200, x));
        });

    // Hull: sheer rising to the bow, raked stem, transom aft.
    std::vector<sdf::Point> hull = {{14, 88},   {400, 90},  {520, 84}, {588, 74}, {574, 108},
                                    {552, 146}, {530, 160}, {40, 160}, {22, 140}};
    ship.fill(
        0, 60, w, h, [&](float x, float y) { return sdf::polygon(x, y, hull); },
        [&](float x, float y) {
            float sheer = 90 - smoothstep(400, 588, x) * 16;
            if (y > 139) // antifouling red below the waterline
                return mix(hex(0xB02A22), hex(0x701812), smoothstep(139, 160, y));
            if (y < sheer + 4) // white sheer strake
                return kWhite;
            float t = smoothstep(sheer, 139, y);
            return mix(hex(0x2A4C8C), kHullBlue, t);
        });
    // Portholes and a white stripe along the hull.
    for (float x = 60; x < 520; x += 11)
        ship.fill(
            x - 4, 100, x + 4, 110,
            [&](float px, float py) { return sdf::circle(px, py, x, 105, 2.3f); },
            solid(hex(0xA8C4E4)));
    ship.fill(
        0, 112, w, 122,
        [&](float x, float y) {
            return std::max(std::abs(y - 117 + smoothstep(420, 560, x) * 4) - 1.6f,
                            sdf::polygon(x, y, hull) + 4);
        },
        solid(kWhite));
    // Anchor at the bow.
    ship.fill(
        0, 0, w, h, [](float x, float y) { return sdf::circle(x, y, 556, 96, 3); },
        solid(hex(0x0A1020)));
    return cutOut(ship);
}

Image drawBoatTopDown(const Font&) {
    // Bow up, the same company colours as the side view.
    const int w = 236, h = 486;
    const float cx = w / 2.0f;
    std::vector<sdf::Point> hull;
    // Parallel sides, a long curved bow and a squared stern with rounded corners.
    for (int i = 0; i <= 20; ++i) {
        float t = i / 20.0f;
        float y = 20 + t * 150;
        hull.push_back({cx - 96 * std::pow(std::sin(t * kPi / 2), 0.6f), y});
    }
    hull.push_back({cx - 96, 450});
    hull.push_back({cx - 84, 470});
    hull.push_back({cx + 84, 470});
    hull.push_back({cx + 96, 450});
    for (int i = 20; i >= 0; --i) {
        float t = i / 20.0f;
        hull.push_back({cx + 96 * std::pow(std::sin(t * kPi / 2), 0.6f), 20 + t * 150});
    }
    auto hullSdf = [&](float x, float y) { return sdf::polygon(x, y, hull); };

    Canvas shape(w, h);
    shape.fill(hullSdf, solid(kWhite));
    Canvas out(w, h);
    dropShadow(out, shape, 5, 7, 4, 0.45f);

    Canvas ship(w, h);
    // Hull rim and deck.
    ship.fill(hullSdf, solid(kHullBlue));
    ship.fill([&](float x, float y) { return hullSdf(x, y) + 5; },
              [&](float x, float y) {
                  float grain = fbm(x * 0.05f, y * 0.8f, 2, 3);
                  return shade(hex(0x8FA39A), 0.92f + 0.12f * grain);
              });
    // Superstructure roof with a soft shadow on the deck.
    auto superSdf = [&](float x, float y) {
        return std::max(sdf::box(x, y, cx, 300, 78, 160, 10),
                        sdf::ellipse(x, y, cx, 200, 100, 150) - 0); // rounded front
    };
    Canvas roof(w, h);
    roof.fill(superSdf, solid(kWhite));
    dropShadow(ship, roof, 3, 5, 3, 0.4f);
    ship.fill(superSdf, [&](float x, float) {
        float side = std::abs(x - cx) / 78;
        return shade(kWhite, 1.0f - 0.12f * side * side);
    });
    // Bridge wings and windows across the front of the superstructure.
    ship.fill([&](float x, float y) { return sdf::box(x, y, cx, 164, 96, 6, 2); }, solid(kWhite));
    ship.fill([&](float x, float y) { return sdf::box(x, y, cx, 160, 60, 2.2f, 1); },
              solid(hex(0x16243A)));
    // Sun deck: a lighter inset with a blue pool and benches.
    ship.fill([&](float x, float y) { return sdf::box(x, y, cx, 250, 58, 70, 8); },
              solid(hex(0xD6DCE2)));
    ship.fill([&](float x, float y) { return sdf::box(x, y, cx, 236, 26, 30, 10); },
              [&](float x, float y) {
                  float ripple = fbm(x * 0.15f, y * 0.15f, 2, 9);
                  return mix(hex(0x3AB4E6), hex(0x8FE2FA), ripple);
              });
    for (float y = 200; y <= 290; y += 18)
        for (float s : {-1.0f, 1.0f})
            ship.fill(
                [&](float px, float py) { return sdf::box(px, py, cx + s * 45, y, 6, 3, 1.5f); },
                solid(hex(0x8A6A4A)));
    // Funnel from above: an oval casing with its black top.
    ship.fill([&](float x, float y) { return sdf::ellipse(x, y, cx, 380, 28, 22); },
              solid(kFunnelBlue));
    ship.fill([&](float x, float y) { return sdf::ellipse(x, y, cx, 382, 18, 13); },
              solid(hex(0x15181C)));
    // Lifeboats along both sides.
    for (float y = 200; y <= 380; y += 45)
        for (float s : {-1.0f, 1.0f})
            ship.fill(
                [&](float px, float py) { return sdf::box(px, py, cx + s * 86, y, 6, 17, 6); },
                [&](float px, float) {
                    return shade(kLifeboat, 1.0f - 0.3f * std::abs(px - cx - s * 86) / 6);
                });
    // Foredeck: mooring winches and a hatch.
    for (float s : {-1.0f, 1.0f})
        ship.fill([&](float x, float y) { return sdf::circle(x, y, cx + s * 30, 110, 7); },
                  solid(hex(0x3A4048)));
    ship.fill([&](float x, float y) { return sdf::box(x, y, cx, 80, 14, 10, 2); },
              solid(hex(0x56606A)));
    composite(out, ship);
    return cutOut(out);
}

Image drawVane(const Font&) {
    // Long axis vertical, arrowhead at the top; the hub sits at the image centre, which is
    // the point the vane turns about.
    const int w = 180, h = 486;
    const float cx = w / 2.0f, cy = h / 2.0f;
    std::vector<sdf::Point> head = {{cx, 8}, {cx + 40, 96}, {cx, 76}, {cx - 40, 96}};
    std::vector<sdf::Point> tail = {{cx, 372}, {cx + 62, 420}, {cx + 62, 478},
                                    {cx, 440}, {cx - 62, 478}, {cx - 62, 420}};
    auto shaft = [&](float x, float y) { return sdf::segment(x, y, cx, 70, cx, 430, 4.5f); };
    auto headSdf = [&](float x, float y) { return sdf::polygon(x, y, head); };
    auto tailSdf = [&](float x, float y) { return sdf::polygon(x, y, tail); };
    auto hub = [&](float x, float y) { return sdf::circle(x, y, cx, cy, 17); };
    auto all = [&](float x, float y) {
        return std::min({shaft(x, y), headSdf(x, y), tailSdf(x, y), hub(x, y)});
    };

    Canvas shape(w, h);
    shape.fill(all, solid(kWhite));
    Canvas out(w, h);
    // A centred halo rather than an offset shadow: it stays right at every angle.
    dropShadow(out, shape, 0, 0, 3, 0.55f);

    // Gilded metal: bright in the middle of each plate, darker towards its bevelled edge.
    auto gold = [](float d, float x) {
        float bevel = smoothstep(0.0f, -7.0f, d);
        Colour c = mix(hex(0x7A4E10), hex(0xF6CC5A), bevel);
        return mix(c, hex(0xFFF4C8),
                   0.35f * smoothstep(-4, -10, d) * (0.5f + 0.5f * std::sin(x * 0.05f)));
    };
    out.fill(shaft, [&](float x, float y) {
        return mix(hex(0x1C1C22), hex(0x8C8C96), smoothstep(-1, -4, shaft(x, y)));
    });
    out.fill(headSdf, [&](float x, float y) { return gold(headSdf(x, y), x); });
    out.fill(tailSdf, [&](float x, float y) {
        Colour c = gold(tailSdf(x, y), x);
        // Feather cuts across the tail.
        float cut = std::abs(std::fmod(y - 0.7f * std::abs(x - cx) + 200, 14.0f) - 7);
        return shade(c, cut < 1.2f && std::abs(x - cx) > 6 ? 0.55f : 1.0f);
    });
    out.fill(hub, [&](float x, float y) {
        float r = std::hypot(x - cx, y - cy);
        float spot = std::exp(-(std::pow(x - cx + 5, 2.0f) + std::pow(y - cy + 5, 2.0f)) / 40);
        return mix(mix(hex(0xC08A2A), hex(0x5A3A0A), smoothstep(10, 17, r)), hex(0xFFF2C0), spot);
    });
    return cutOut(out);
}

} // namespace assets
