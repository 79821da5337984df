#pragma once

#include <cstdint>

#include "procedural/PermutationTable.h"

struct Show;

// The vane's angle in degrees at time t: a slow swing of up to +-360 degrees and a fast
// tremble of up to +-0.5 degrees, both read from the noise along a lattice row.
float vaneAngle(const PermutationTable& permutation, std::uint32_t t);

// The ferry from above on the open sea, its wind vane, the wind-speed label and the logo.
void WindVaneScene(const Show& show, std::uint32_t t);
