#include "procedural/Mt19937.h"

#include <bit>

void seedLcg(Mt19937& generator) {
    std::uint32_t x = 12345;
    for (std::uint32_t& word : generator.state) {
        x = x * 1103515245u + 12345u;
        word = x;
    }
    generator.index = 0;
}

std::uint32_t next(Mt19937& generator) {
    constexpr std::uint32_t kShift = 397;
    auto& state = generator.state;
    const std::uint32_t i = generator.index;
    const std::uint32_t following = state[(i + 1) % Mt19937::kStateSize];

    const std::uint32_t y = (state[i] & 0x80000000u) | (following & 0x7FFFFFFFu);
    std::uint32_t z = state[(i + kShift) % Mt19937::kStateSize] ^ (y >> 1);
    if (y & 1u) {
        z ^= 0x9908B0DFu;
    }
    state[i] = z;

    z ^= z >> 11;
    z ^= (z << 7) & 0x9D2C5680u;
    z ^= (z << 15) & 0xEFC60000u;
    z ^= z >> 18;

    generator.index = (i + 1) % Mt19937::kStateSize;
    return z;
}

float unitFraction(std::uint32_t word) {
    const float oneToTwo = std::bit_cast<float>((word & 0x7FFFFFu) | 0x3F800000u);
    return oneToTwo - 1.0f;
}
