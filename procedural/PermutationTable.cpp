#include "procedural/PermutationTable.h"

#include "procedural/Mt19937.h"

void buildPermutationTable(PermutationTable& table, Mt19937& generator) {
    table[0] = 0;
    for (std::uint32_t i = 1; i < table.size(); ++i) {
        const std::uint32_t j = next(generator) % (i + 1);
        table[i] = table[j];
        table[j] = static_cast<std::int32_t>(i);
    }
}
