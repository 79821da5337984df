#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>

#include <gtest/gtest.h>

#include "procedural/Mt19937.h"
#include "procedural/PeriodicNoise.h"
#include "procedural/PermutationTable.h"

namespace {

Mt19937 seeded() {
    Mt19937 generator;
    seedLcg(generator);
    return generator;
}

PermutationTable identityTable() {
    PermutationTable table{};
    std::iota(table.begin(), table.end(), 0);
    return table;
}

PermutationTable showTable() {
    Mt19937 generator = seeded();
    PermutationTable table{};
    buildPermutationTable(table, generator);
    return table;
}

TEST(Mt19937, SeedingFillsTheLcgSequenceWordByWord) {
    const Mt19937 generator = seeded();
    EXPECT_EQ(generator.state[0], 3554416254u);
    EXPECT_EQ(generator.state[1], 2802067423u);
    EXPECT_EQ(generator.state[2], 3596950572u);
    EXPECT_EQ(generator.state[623], 4035701833u);
    EXPECT_EQ(generator.index, 0u);
}

TEST(Mt19937, DrawsContinueWithoutASeamAcrossTheStateWrap) {
    // Draw number (1-based) and the value it must give.
    const std::array<std::pair<int, std::uint32_t>, 9> expected = {{
        {1, 1922291555u},
        {2, 862420468u},
        {3, 468418256u},
        {4, 3575455214u},
        {5, 823678244u},
        {624, 1117436405u},
        {625, 3617137631u},
        {626, 2576163062u},
        {1000, 3394332105u},
    }};
    Mt19937 generator = seeded();
    int drawn = 0;
    for (const auto& [draw, value] : expected) {
        std::uint32_t last = 0;
        while (drawn < draw) {
            last = next(generator);
            ++drawn;
        }
        EXPECT_EQ(last, value) << "draw " << draw;
    }
    EXPECT_EQ(generator.index, 1000u % 624u);
}

TEST(Mt19937, EquallySeededGeneratorsAreIndependentObjects) {
    Mt19937 a = seeded();
    Mt19937 b = seeded();
    next(a);
    EXPECT_EQ(next(b), 1922291555u);
    EXPECT_EQ(next(a), 862420468u);
}

TEST(UnitFraction, UsesOnlyTheLow23Bits) {
    const std::array<std::pair<std::uint32_t, float>, 6> cases = {{
        {0x00400000u, 0.5f},
        {0xFF800000u | 0x400000u, 0.5f},
        {0x00000000u, 0.0f},
        {0xFF800000u, 0.0f},
        {0x007FFFFFu, 1.0f - 0x1p-23f},
        {468418256u, 0.83980751f},
    }};
    for (const auto& [word, fraction] : cases) {
        EXPECT_FLOAT_EQ(unitFraction(word), fraction) << std::hex << word;
        EXPECT_EQ(unitFraction(word), static_cast<float>(word & 0x7FFFFFu) * 0x1p-23f);
    }
}

TEST(PermutationTable, ShuffleDrawsTheExpectedPositions) {
    Mt19937 generator = seeded();
    const std::array<std::uint32_t, 8> expectedJ = {1, 1, 0, 4, 2, 6, 6, 1};
    for (std::uint32_t i = 1; i <= expectedJ.size(); ++i) {
        EXPECT_EQ(next(generator) % (i + 1), expectedJ[i - 1]) << "i = " << i;
    }
}

TEST(PermutationTable, FinishedTableMatchesTheShowsTable) {
    Mt19937 generator = seeded();
    PermutationTable table{};
    buildPermutationTable(table, generator);

    const std::array<std::int32_t, 16> head = {3,  189, 96,  90,  213, 255, 238, 18,
                                               29, 91,  100, 192, 52,  174, 55,  178};
    const std::array<std::int32_t, 16> tail = {131, 212, 16,  44, 68,  2,  233, 25,
                                               24,  218, 221, 10, 183, 66, 145, 180};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), table.begin()));
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), table.begin() + 240));
    EXPECT_EQ(table[163], 0);
    EXPECT_EQ(table[128], 141);

    PermutationTable sorted = table;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, identityTable());

    // Exactly 255 draws: the static generator's 256th draw is the shuffle's next one.
    Mt19937 reference = seeded();
    for (int i = 0; i < 255; ++i) {
        next(reference);
    }
    EXPECT_EQ(next(generator), next(reference));
}

TEST(PeriodicNoise, IdentityPermutationValues) {
    const PermutationTable table = identityTable();
    struct Case {
        NoisePoint point;
        float expected;
    };
    const std::array<Case, 2> cases = {{
        {{0.03125f, 0.0f}, -0.25f},
        {{0.03125f, 0.03125f}, -0.25f},
    }};
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(periodicNoise(table, c.point, 16), c.expected)
            << c.point.x << ", " << c.point.y;
    }
}

TEST(PeriodicNoise, LatticePointsGiveExactlyZero) {
    const PermutationTable table = showTable();
    const std::array<std::pair<float, float>, 5> cells = {{
        {0.0f, 0.0f},
        {11.0f, 0.0f},
        {15.0f, 15.0f},
        {3.0f, 7.0f},
        {990.0f, 1170.0f},
    }};
    for (const std::uint32_t period : {1u, 16u, 128u}) {
        const float p = static_cast<float>(period);
        for (const auto& [column, row] : cells) {
            const NoisePoint point = {column / p, row / p};
            EXPECT_EQ(periodicNoise(table, point, period), 0.0f)
                << point.x << ", " << point.y << " period " << period;
        }
    }
}

TEST(PeriodicNoise, TilesWithPeriodOneAndWrapsItsLastColumn) {
    const PermutationTable table = showTable();
    for (const float x : {0.01f, 0.2f, 0.37f, 0.61f, 0.83f}) {
        for (const float y : {0.0f, 0.13f, 0.71f}) {
            const float value = periodicNoise(table, {x, y}, 16);
            EXPECT_NEAR(periodicNoise(table, {x + 1.0f, y}, 16), value, 1e-5f);
            EXPECT_NEAR(periodicNoise(table, {x, y + 1.0f}, 16), value, 1e-5f);
            EXPECT_LE(std::fabs(value), 1.0f);
        }
    }
    // Column 15's right-hand corners are column 0's: the value closes onto x = 0.
    EXPECT_NEAR(periodicNoise(table, {0.99999f, 0.3f}, 16), periodicNoise(table, {0.0f, 0.3f}, 16),
                1e-3f);
}

TEST(PeriodicNoise, NegativeCoordinatesWrapTheCellIndexUnsigned) {
    const PermutationTable table = showTable();
    // With a power-of-two period the unsigned wrap equals the mathematical remainder, so a
    // negative lattice point lands on the same gradients and still gives exactly 0.
    EXPECT_EQ(periodicNoise(table, {-0.25f, -0.5f}, 16), 0.0f);
    const float value = periodicNoise(table, {-0.01f, 0.0f}, 16);
    EXPECT_TRUE(std::isfinite(value));
}

TEST(PeriodicNoise, PeriodZeroIsFlat) {
    const PermutationTable table = showTable();
    for (const NoisePoint point : {NoisePoint{0.3f, 0.7f}, NoisePoint{-2.5f, 9.0f}}) {
        EXPECT_EQ(periodicNoise(table, point, 0), 0.0f);
    }
}

} // namespace
