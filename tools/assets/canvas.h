// Small floating-point raster used to draw every picture: premultiplied RGBA pixels, shapes
// given as signed distance functions (negative inside, in pixels) so that every edge is
// anti-aliased by the same rule, and a deterministic generator and value noise.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace assets {

constexpr float kPi = 3.14159265358979f;

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB to a colour.
constexpr Colour hex(std::uint32_t rgb, float a = 1.0f) {
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, a};
}

inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}
inline float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}
inline float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline Colour mix(Colour a, Colour b, float t) {
    return {lerp(a.r, b.r, t), lerp(a.g, b.g, t), lerp(a.b, b.b, t), lerp(a.a, b.a, t)};
}
// Brightness scale that keeps alpha.
inline Colour shade(Colour c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}
inline Colour withAlpha(Colour c, float a) {
    return {c.r, c.g, c.b, a};
}

// splitmix64: tiny, fixed-seed, identical on every platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    float uniform() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

private:
    std::uint64_t state_;
};

// Hash of a lattice point to [0, 1).
float latticeHash(int x, int y, std::uint32_t seed);
// Smooth value noise in [0, 1); with periodX > 0 it repeats every periodX units along x.
float valueNoise(float x, float y, std::uint32_t seed, int periodX = 0);
// Fractal sum of value noise in roughly [0, 1); periodicity along x is kept for every octave.
float fbm(float x, float y, int octaves, std::uint32_t seed, int periodX = 0);

// Signed distances, negative inside. Points and sizes in pixels.
namespace sdf {
inline float circle(float x, float y, float cx, float cy, float r) {
    return std::hypot(x - cx, y - cy) - r;
}
float ellipse(float x, float y, float cx, float cy, float rx, float ry);
// Axis-aligned box with half-extents hw, hh and corner radius r.
float box(float x, float y, float cx, float cy, float hw, float hh, float r = 0);
// Capsule around the segment a-b.
float segment(float x, float y, float ax, float ay, float bx, float by, float r);
struct Point {
    float x, y;
};
float polygon(float x, float y, const std::vector<Point>& pts);
} // namespace sdf

// Single-channel coverage image, used for glyphs, shadows and outlines.
struct Mask {
    int w = 0, h = 0;
    std::vector<float> v;
    Mask() = default;
    Mask(int width, int height) : w(width), h(height), v(static_cast<size_t>(width) * height) {}
    float at(int x, int y) const {
        return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : v[static_cast<size_t>(y) * w + x];
    }
    // Bilinear sample with (0, 0) at the top-left pixel's corner.
    float sample(float x, float y) const;
    // Three box passes approximate a Gaussian of the given radius.
    Mask blurred(int radius) const;
    // Grows the covered area by radius pixels (outline strokes).
    Mask dilated(float radius) const;
};

class Canvas {
public:
    Canvas(int w, int h, Colour fill = {0, 0, 0, 0});
    int width() const { return w_; }
    int height() const { return h_; }

    // Composites c (straight alpha) over the pixel, weighted by coverage.
    void blend(int x, int y, Colour c, float coverage) {
        float a = c.a * coverage;
        if (a <= 0.0f)
            return;
        float* p = &px_[(static_cast<size_t>(y) * w_ + x) * 4];
        float k = 1.0f - a;
        p[0] = c.r * a + p[0] * k;
        p[1] = c.g * a + p[1] * k;
        p[2] = c.b * a + p[2] * k;
        p[3] = a + p[3] * k;
    }
    // Straight-alpha colour of a pixel.
    Colour get(int x, int y) const;

    // Draws the shape sdf(x, y) coloured by paint(x, y) inside the box [x0, x1) x [y0, y1);
    // soft widens the anti-aliased edge (1 = one pixel).
    template <class Sdf, class Paint>
    void fill(float x0, float y0, float x1, float y1, Sdf&& sdf, Paint&& paint, float soft = 1.0f) {
        int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
        int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
        int ix1 = std::min(w_, static_cast<int>(std::ceil(x1)));
        int iy1 = std::min(h_, static_cast<int>(std::ceil(y1)));
        for (int y = iy0; y < iy1; ++y)
            for (int x = ix0; x < ix1; ++x) {
                float fx = x + 0.5f, fy = y + 0.5f;
                float cov = clamp01(0.5f - sdf(fx, fy) / soft);
                if (cov > 0.0f)
                    blend(x, y, paint(fx, fy), cov);
            }
    }
    // Shape filled over the whole canvas.
    template <class Sdf, class Paint> void fill(Sdf&& sdf, Paint&& paint, float soft = 1.0f) {
        fill(0, 0, w_, h_, sdf, paint, soft);
    }
    // Paints every pixel with full coverage.
    template <class Paint> void paint(Paint&& paint) {
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x)
                blend(x, y, paint(x + 0.5f, y + 0.5f), 1.0f);
    }
    // Draws a mask scaled by `scale` with its top-left corner at (ox, oy).
    template <class Paint>
    void fillMask(const Mask& m, float ox, float oy, float scale, Paint&& paint) {
        int ix0 = std::max(0, static_cast<int>(std::floor(ox)));
        int iy0 = std::max(0, static_cast<int>(std::floor(oy)));
        int ix1 = std::min(w_, static_cast<int>(std::ceil(ox + m.w * scale)) + 1);
        int iy1 = std::min(h_, static_cast<int>(std::ceil(oy + m.h * scale)) + 1);
        for (int y = iy0; y < iy1; ++y)
            for (int x = ix0; x < ix1; ++x) {
                float fx = x + 0.5f, fy = y + 0.5f;
                float cov = m.sample((fx - ox) / scale, (fy - oy) / scale);
                if (cov > 0.0f)
                    blend(x, y, paint(fx, fy), cov);
            }
    }
    // A smaller copy, each pixel the average of a 4 x 4 grid of bilinear samples.
    Canvas resampled(int w, int h) const;
    // Alpha of the canvas as a mask (for shadows of everything drawn so far).
    Mask alphaMask() const;

    // 8-bit RGBA, straight alpha. Fully transparent pixels take the colour of the nearest
    // drawn area so that filtering and mipmaps do not pull dark fringes into the edges.
    std::vector<std::uint8_t> rgba8() const;
    // 8-bit RGB of an opaque picture.
    std::vector<std::uint8_t> rgb8() const;

private:
    int w_, h_;
    std::vector<float> px_;
};

} // namespace assets
