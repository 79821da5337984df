#include <cstdint>
#include <numeric>

#include <gtest/gtest.h>

#include "procedural/Mt19937.h"
#include "procedural/PeriodicNoise.h"
#include "procedural/PermutationTable.h"

// The wind vane's noise, value by value; the golden frames show the generator's draws.

namespace {

PermutationTable showTable() {
    Mt19937 generator;
    seedLcg(generator);
    PermutationTable table{};
    buildPermutationTable(table, generator);
    return table;
}

TEST(PeriodicNoise, KnownValuesLatticeZerosTilingAndNegativeCells) {
    const PermutationTable table = showTable();
    PermutationTable identity{};
    std::iota(identity.begin(), identity.end(), 0);
    EXPECT_FLOAT_EQ(periodicNoise(identity, {0.03125f, 0.03125f}, 16), -0.25f);
    EXPECT_FLOAT_EQ(periodicNoise(table, {0.37f, 0.71f}, 16), 0.085274592f);
    // Cells left of zero wrap as unsigned numbers, as the lattice hash expects.
    EXPECT_FLOAT_EQ(periodicNoise(table, {-0.1f, 0.3f}, 16), 4.41294003f);
    for (const std::uint32_t period : {1u, 16u, 128u}) {
        const float p = static_cast<float>(period);
        EXPECT_EQ(periodicNoise(table, {3.0f / p, 7.0f / p}, period), 0.0f);
        EXPECT_EQ(periodicNoise(table, {990.0f / p, 1170.0f / p}, period), 0.0f);
    }
    for (const float x : {0.01f, 0.37f, 0.83f}) {
        const float value = periodicNoise(table, {x, 0.13f}, 16);
        EXPECT_NEAR(periodicNoise(table, {x + 1.0f, 0.13f}, 16), value, 1e-5f);
        EXPECT_NEAR(periodicNoise(table, {x, 1.13f}, 16), value, 1e-5f);
    }
    EXPECT_EQ(periodicNoise(table, {0.3f, 0.7f}, 0), 0.0f);
}

} // namespace
