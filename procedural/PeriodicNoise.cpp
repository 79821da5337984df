#include "procedural/PeriodicNoise.h"

#include <cmath>

const GradientTable kGradients = {{
    {-1.0f, 1.0f},
    {0.0f, 1.0f},
    {1.0f, 1.0f},
    {-1.0f, 0.0f},
    {1.0f, 0.0f},
    {-1.0f, -1.0f},
    {0.0f, -1.0f},
    {1.0f, -1.0f},
}};

namespace {

const Gradient& gradientAt(const PermutationTable& permutation, std::uint32_t x, std::uint32_t y) {
    const std::uint32_t row = static_cast<std::uint32_t>(permutation[y % 256]);
    const std::uint32_t entry = static_cast<std::uint32_t>(permutation[(x + row) % 256]);
    return kGradients[entry % 8];
}

float fade(float f) {
    const float f3 = (f * f) * f;
    const float f4 = f3 * f;
    const float f5 = f4 * f;
    return (f5 * 6.0f - f4 * 15.0f) + f3 * 10.0f;
}

float mix(float p, float q, float w) {
    return p * (1.0f - w) + q * w;
}

// Negative cell indices wrap as unsigned 32-bit numbers, as the lattice hash expects.
std::uint32_t wrapCell(std::int32_t cell, std::uint32_t offset, std::uint32_t period) {
    return (static_cast<std::uint32_t>(cell) + offset) % period;
}

} // namespace

float periodicNoise(const PermutationTable& permutation, const NoisePoint& point,
                    std::uint32_t period) {
    if (period == 0) {
        return 0.0f;
    }
    const float p = static_cast<float>(period);
    const float sx = std::fmod(p * point.x, p);
    const float sy = std::fmod(p * point.y, p);
    const auto ix = static_cast<std::int32_t>(sx);
    const auto iy = static_cast<std::int32_t>(sy);
    const float fx = sx - static_cast<float>(ix);
    const float fy = sy - static_cast<float>(iy);

    const std::uint32_t x0 = wrapCell(ix, 0, period);
    const std::uint32_t x1 = wrapCell(ix, 1, period);
    const std::uint32_t y0 = wrapCell(iy, 0, period);
    const std::uint32_t y1 = wrapCell(iy, 1, period);

    const Gradient& g00 = gradientAt(permutation, x0, y0);
    const Gradient& g10 = gradientAt(permutation, x1, y0);
    const Gradient& g01 = gradientAt(permutation, x0, y1);
    const Gradient& g11 = gradientAt(permutation, x1, y1);

    const float c00 = g00.x * fx + g00.y * fy;
    const float c10 = g10.x * (fx - 1.0f) + g10.y * fy;
    const float c01 = g01.x * fx + g01.y * (fy - 1.0f);
    const float c11 = g11.x * (fx - 1.0f) + g11.y * (fy - 1.0f);

    const float u = fade(fx);
    const float v = fade(fy);
    return mix(mix(c00, c10, u), mix(c01, c11, u), v);
}
