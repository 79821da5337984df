#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>

#include <gtest/gtest.h>

#include "procedural/Mt19937.h"
#include "procedural/PeriodicNoise.h"
#include "procedural/PermutationTable.h"

// The wind vane's noise and its permutation table, value by value; the golden frames show
// the generator's draws in the static.

namespace {

Mt19937 seeded() {
    Mt19937 generator;
    seedLcg(generator);
    return generator;
}

PermutationTable showTable() {
    Mt19937 generator = seeded();
    PermutationTable table{};
    buildPermutationTable(table, generator);
    return table;
}

TEST(PermutationTable, ShuffledInExactly255DrawsIntoTheShowsTable) {
    Mt19937 generator = seeded();
    PermutationTable table{};
    buildPermutationTable(table, generator);
    const std::array<std::int32_t, 8> head = {3, 189, 96, 90, 213, 255, 238, 18};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), table.begin()));
    EXPECT_EQ(table[128], 141);
    EXPECT_EQ(table[163], 0);
    EXPECT_EQ(table[255], 180);
    PermutationTable sorted = table;
    std::sort(sorted.begin(), sorted.end());
    PermutationTable identity{};
    std::iota(identity.begin(), identity.end(), 0);
    EXPECT_EQ(sorted, identity);
    EXPECT_EQ(generator.index, 255u);
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
