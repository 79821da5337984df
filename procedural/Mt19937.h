#pragma once

#include <array>
#include <cstdint>

// Mersenne Twister that regenerates one state word per draw, so no draw pays for a
// whole-state twist. Seeded word by word by seedLcg rather than by the reference routine.
struct Mt19937 {
    static constexpr std::uint32_t kStateSize = 624;

    std::array<std::uint32_t, kStateSize> state{};
    std::uint32_t index = 0;
};

// Fills the state with the classic C-library LCG sequence started at 12345.
void seedLcg(Mt19937& generator);

std::uint32_t next(Mt19937& generator);

// The word's low 23 bits as a fraction in [0, 1): exactly (word mod 2^23) / 2^23.
float unitFraction(std::uint32_t word);
