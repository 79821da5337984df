#pragma once

#include <array>
#include <cstdint>

struct Mt19937;

// A permutation of 0..255 that the periodic noise hashes lattice points through.
using PermutationTable = std::array<std::int32_t, 256>;

// Inside-out Fisher-Yates shuffle of 0..255: exactly 255 draws from the generator.
void buildPermutationTable(PermutationTable& table, Mt19937& generator);
