// The automorphisms of a function under permuting and complementing its inputs, against a
// plain count over every such map of up to 4 variables, and the group sizes of well-known
// functions at 5 and 6 variables.

#include "minimizer/symmetry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>
#include <random>

#include "tests/minimizer/function_families.h"

namespace qm_test {
namespace {

bool keepsFunction(const logic::Function& function, const qm::InputMap& map) {
    for (int row = 0; row < (1 << function.width); ++row) {
        const int image = map.row(row);
        if (function.on.test(row) != function.on.test(image) ||
            function.dc.test(row) != function.dc.test(image)) {
            return false;
        }
    }
    return true;
}

// The image of a row under "input bit i goes to bit to[i], then complement `flip`", computed
// without the library's tables.
int mapRow(int row, const std::array<int, logic::kMaxWidth>& to, int width, int flip) {
    int image = 0;
    for (int bit = 0; bit < width; ++bit) {
        if ((row >> bit) & 1) image |= 1 << to[bit];
    }
    return image ^ flip;
}

// How many maps keep the function (and map `fixed` to itself, when given), by trying them all.
int countByTrial(const logic::Function& function, const logic::Cube* fixed) {
    const int width = function.width;
    std::array<int, logic::kMaxWidth> to{};
    std::iota(to.begin(), to.begin() + width, 0);
    int count = 0;
    do {
        for (int flip = 0; flip < (1 << width); ++flip) {
            bool kept = true;
            for (int row = 0; row < (1 << width) && kept; ++row) {
                const int image = mapRow(row, to, width, flip);
                kept = function.on.test(row) == function.on.test(image) &&
                       function.dc.test(row) == function.dc.test(image);
            }
            if (kept && fixed != nullptr) {
                // A product is kept when its set of rows is.
                const logic::RowSet rows = fixed->rows(width);
                rows.forEach(
                    [&](int row) { kept = kept && rows.test(mapRow(row, to, width, flip)); });
            }
            count += kept ? 1 : 0;
        }
    } while (std::next_permutation(to.begin(), to.begin() + width));
    return count;
}

void expectValidMaps(const logic::Function& function, const std::vector<qm::InputMap>& maps) {
    ASSERT_FALSE(maps.empty());
    EXPECT_TRUE(maps.front().isIdentity());
    for (std::size_t i = 0; i < maps.size(); ++i) {
        EXPECT_TRUE(keepsFunction(function, maps[i])) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(maps[i] == maps[j]) << i << " " << j;
    }
}

TEST(Automorphisms, MatchTryingEveryMapOnSmallFunctions) {
    std::mt19937 random(12);
    std::uniform_int_distribution<int> state(0, 5);
    for (int trial = 0; trial < 300; ++trial) {
        logic::Function function;
        function.width = 1 + trial % 4;
        // Mostly symmetric-looking functions: the state of a row from its number of ones,
        // sometimes changed on a few rows.
        std::array<int, 5> byOnes{};
        for (int& s : byOnes) s = state(random);
        for (int row = 0; row < (1 << function.width); ++row) {
            int s = byOnes[std::popcount(static_cast<unsigned>(row))];
            if (trial % 3 == 0 && state(random) == 0) s = state(random);
            if (s <= 1) function.on.set(row);
            if (s == 2) function.dc.set(row);
        }
        SCOPED_TRACE(::testing::Message() << "trial " << trial);
        const auto maps = qm::automorphisms(function);
        expectValidMaps(function, maps);
        EXPECT_EQ(static_cast<int>(maps.size()), countByTrial(function, nullptr));

        // Fixing a product: a row, and a product with a free column.
        const int row = trial % (1 << function.width);
        for (const logic::Cube cube : {logic::Cube{static_cast<std::uint8_t>(row), 0},
                                       logic::Cube{static_cast<std::uint8_t>(row & ~1), 1}}) {
            const auto fixing = qm::automorphismsFixing(function, cube);
            expectValidMaps(function, fixing);
            for (const auto& map : fixing) EXPECT_EQ(map.cube(cube), cube);
            EXPECT_EQ(static_cast<int>(fixing.size()), countByTrial(function, &cube));
        }
    }
}

TEST(Automorphisms, GroupSizesOfKnownFunctions) {
    logic::Function andOr;  // x1 x2 + x3, x1 the most significant column: x1 and x2 may swap
    andOr.width = 3;
    for (int row = 0; row < 8; ++row) {
        if ((row & 6) == 6 || (row & 1) == 1) andOr.on.set(row);
    }
    struct Known {
        const char* name;
        logic::Function function;
        std::size_t size;
    };
    const Known known[] = {
        // Any permutation; complementing every input turns the majority into its complement.
        {"majority of 5", qm_bench::symmetricFunction(5, 0x38, 0), 120},
        // Any permutation, and complementing any even number of inputs.
        {"parity of 5", qm_bench::symmetricFunction(5, 0x2a, 0), 120 * 16},
        {"at least 2 of 6", qm_bench::symmetricFunction(6, 0x7c, 0), 720},
        // Exactly 3 of 6 is kept by complementing every input too.
        {"exactly 3 of 6", qm_bench::symmetricFunction(6, 0x8, 0), 1440},
        {"x1 x2 + x3", andOr, 2},
    };
    for (const Known& k : known) {
        SCOPED_TRACE(k.name);
        const auto maps = qm::automorphisms(k.function);
        expectValidMaps(k.function, maps);
        EXPECT_EQ(maps.size(), k.size);
    }
}

}  // namespace
}  // namespace qm_test
