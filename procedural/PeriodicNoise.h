#pragma once

#include <array>
#include <cstdint>

#include "procedural/PermutationTable.h"

struct NoisePoint {
    float x;
    float y;
};

struct Gradient {
    float x;
    float y;
};

// The eight neighbour directions of a lattice point, row by row from the top; not normalised.
using GradientTable = std::array<Gradient, 8>;
extern const GradientTable kGradients;

// Tileable 2-D gradient noise with a quintic fade: the value repeats with period 1 on both
// axes, and one unit square holds period x period lattice cells. Exactly 0 on lattice points.
// Pure and allocation-free. A period of 0 has no lattice at all and yields 0.
float periodicNoise(const PermutationTable& permutation, const NoisePoint& point,
                    std::uint32_t period);
