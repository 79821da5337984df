#include "canvas.h"

namespace assets {

float latticeHash(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u ^ static_cast<std::uint32_t>(x) * 0x85EBCA77u ^
                      static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}

float valueNoise(float x, float y, std::uint32_t seed, int periodX) {
    float fx = std::floor(x), fy = std::floor(y);
    int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    int x1 = x0 + 1;
    if (periodX > 0) {
        x0 = ((x0 % periodX) + periodX) % periodX;
        x1 = ((x1 % periodX) + periodX) % periodX;
    }
    float a = lerp(latticeHash(x0, y0, seed), latticeHash(x1, y0, seed), tx);
    float b = lerp(latticeHash(x0, y0 + 1, seed), latticeHash(x1, y0 + 1, seed), tx);
    return lerp(a, b, ty);
}

float fbm(float x, float y, int octaves, std::uint32_t seed, int periodX) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * valueNoise(x, y, seed + 101u * i, periodX);
        norm += amp;
        x *= 2;
        y *= 2;
        periodX *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}

namespace sdf {

float ellipse(float x, float y, float cx, float cy, float rx, float ry) {
    // First-order distance estimate: exact on the axes, close enough for 1-pixel edges.
    float px = (x - cx) / rx, py = (y - cy) / ry;
    float k0 = std::hypot(px, py);
    float k1 = std::hypot(px / rx, py / ry);
    if (k1 < 1e-6f)
        return -std::min(rx, ry);
    return k0 * (k0 - 1.0f) / k1;
}

float box(float x, float y, float cx, float cy, float hw, float hh, float r) {
    float qx = std::abs(x - cx) - hw + r, qy = std::abs(y - cy) - hh + r;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

float segment(float x, float y, float ax, float ay, float bx, float by, float r) {
    float pax = x - ax, pay = y - ay, bax = bx - ax, bay = by - ay;
    float len2 = bax * bax + bay * bay;
    float h = len2 > 0 ? clamp01((pax * bax + pay * bay) / len2) : 0.0f;
    return std::hypot(pax - bax * h, pay - bay * h) - r;
}

float polygon(float x, float y, const std::vector<Point>& v) {
    size_t n = v.size();
    float d = (x - v[0].x) * (x - v[0].x) + (y - v[0].y) * (y - v[0].y);
    float s = 1.0f;
    for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
        float wx = x - v[i].x, wy = y - v[i].y;
        float h = clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
        float bx = wx - ex * h, by = wy - ey * h;
        d = std::min(d, bx * bx + by * by);
        bool c1 = y >= v[i].y, c2 = y<v[j].y, c3 = ex * wy> ey * wx;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
            s = -s;
    }
    return s * std::sqrt(d);
}

} // namespace sdf

float Mask::sample(float x, float y) const {
    x -= 0.5f;
    y -= 0.5f;
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    float a = lerp(at(ix, iy), at(ix + 1, iy), tx);
    float b = lerp(at(ix, iy + 1), at(ix + 1, iy + 1), tx);
    return lerp(a, b, ty);
}

Mask Mask::blurred(int radius) const {
    Mask a = *this, b(w, h);
    if (radius <= 0)
        return a;
    float inv = 1.0f / (2 * radius + 1);
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                float s = 0;
                for (int k = -radius; k <= radius; ++k)
                    s += a.at(x + k, y);
                b.v[static_cast<size_t>(y) * w + x] = s * inv;
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                float s = 0;
                for (int k = -radius; k <= radius; ++k)
                    s += b.at(x, y + k);
                a.v[static_cast<size_t>(y) * w + x] = s * inv;
            }
    }
    return a;
}

Mask Mask::dilated(float radius) const {
    Mask out(w, h);
    int r = static_cast<int>(std::ceil(radius));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float m = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    // Partial weight on the disc's rim keeps the outline's edge smooth.
                    float edge = clamp01(radius + 0.5f - std::hypot(float(dx), float(dy)));
                    m = std::max(m, at(x + dx, y + dy) * edge);
                }
            out.v[static_cast<size_t>(y) * w + x] = m;
        }
    return out;
}

Canvas::Canvas(int w, int h, Colour fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * h * 4) {
    for (size_t i = 0; i < px_.size(); i += 4) {
        px_[i] = fill.r * fill.a;
        px_[i + 1] = fill.g * fill.a;
        px_[i + 2] = fill.b * fill.a;
        px_[i + 3] = fill.a;
    }
}

Colour Canvas::get(int x, int y) const {
    const float* p = &px_[(static_cast<size_t>(y) * w_ + x) * 4];
    if (p[3] <= 0)
        return {0, 0, 0, 0};
    return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

Canvas Canvas::resampled(int w, int h) const {
    Canvas out(w, h);
    float sx = float(w_) / w, sy = float(h_) / h;
    auto tap = [&](int x, int y, int c) {
        x = std::clamp(x, 0, w_ - 1);
        y = std::clamp(y, 0, h_ - 1);
        return px_[(static_cast<size_t>(y) * w_ + x) * 4 + c];
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 4; ++c) {
                float sum = 0;
                for (int j = 0; j < 4; ++j)
                    for (int i = 0; i < 4; ++i) {
                        float fx = (x + (i + 0.5f) / 4) * sx - 0.5f;
                        float fy = (y + (j + 0.5f) / 4) * sy - 0.5f;
                        int ix = static_cast<int>(std::floor(fx)),
                            iy = static_cast<int>(std::floor(fy));
                        float tx = fx - ix, ty = fy - iy;
                        sum += lerp(lerp(tap(ix, iy, c), tap(ix + 1, iy, c), tx),
                                    lerp(tap(ix, iy + 1, c), tap(ix + 1, iy + 1, c), tx), ty);
                    }
                out.px_[(static_cast<size_t>(y) * w + x) * 4 + c] = sum / 16;
            }
    return out;
}

Mask Canvas::alphaMask() const {
    Mask m(w_, h_);
    for (size_t i = 0; i < m.v.size(); ++i)
        m.v[i] = px_[i * 4 + 3];
    return m;
}

namespace {
std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(clamp01(v) * 255.0f + 0.5f);
}
} // namespace

std::vector<std::uint8_t> Canvas::rgba8() const {
    // Pyramid of premultiplied sums: a transparent pixel takes the average colour of the
    // smallest enclosing block that holds anything drawn.
    struct Level {
        int w, h;
        std::vector<float> v;
    };
    std::vector<Level> levels{{w_, h_, px_}};
    while (levels.back().w > 1 || levels.back().h > 1) {
        const Level& src = levels.back();
        Level dst{(src.w + 1) / 2, (src.h + 1) / 2, {}};
        dst.v.assign(static_cast<size_t>(dst.w) * dst.h * 4, 0.0f);
        for (int y = 0; y < src.h; ++y)
            for (int x = 0; x < src.w; ++x)
                for (int c = 0; c < 4; ++c)
                    dst.v[(static_cast<size_t>(y / 2) * dst.w + x / 2) * 4 + c] +=
                        src.v[(static_cast<size_t>(y) * src.w + x) * 4 + c];
        levels.push_back(std::move(dst));
    }
    std::vector<std::uint8_t> out(static_cast<size_t>(w_) * h_ * 4);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            size_t i = static_cast<size_t>(y) * w_ + x;
            const float* p = &px_[i * 4];
            std::uint8_t* o = &out[i * 4];
            o[3] = toByte(p[3]);
            if (o[3] > 0) {
                for (int c = 0; c < 3; ++c)
                    o[c] = toByte(p[c] / p[3]);
                continue;
            }
            for (size_t l = 1; l < levels.size(); ++l) {
                const Level& lv = levels[l];
                const float* q = &lv.v[(static_cast<size_t>(y >> l) * lv.w + (x >> l)) * 4];
                if (q[3] > 1e-4f) {
                    for (int c = 0; c < 3; ++c)
                        o[c] = toByte(q[c] / q[3]);
                    break;
                }
            }
        }
    return out;
}

std::vector<std::uint8_t> Canvas::rgb8() const {
    std::vector<std::uint8_t> out(static_cast<size_t>(w_) * h_ * 3);
    for (size_t i = 0; i < static_cast<size_t>(w_) * h_; ++i)
        for (int c = 0; c < 3; ++c)
            out[i * 3 + c] = toByte(px_[i * 4 + c]);
    return out;
}

} // namespace assets
