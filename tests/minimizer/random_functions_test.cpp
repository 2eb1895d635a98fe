// Seeded random functions of 4 to 8 variables against an independent plain search, plus
// validity, primality and irredundancy of every result.

#include <gtest/gtest.h>

#include "tests/minimizer/run_minimizer.h"

namespace qm_test {
namespace {

struct RandomCase {
    int width;
    int functions;
    std::vector<double> densities;  // share of on rows, taken in turn
    long nodeLimit;                 // the reference search gives up beyond this
};

class RandomFunctions : public ::testing::TestWithParam<RandomCase> {};

TEST_P(RandomFunctions, MatchReferenceSearch) {
    const RandomCase param = GetParam();
    std::mt19937 random(1234U + static_cast<unsigned>(param.width));
    const double dontCares[] = {0.0, 0.2, 0.5};
    const std::size_t kinds = param.densities.size();
    int compared = 0;
    for (int n = 0; n < param.functions; ++n) {
        const double on = param.densities[n % kinds];
        const double dc = dontCares[(n / kinds) % 3];
        const TruthTable table = randomTable(param.width, on, dc, random);
        const auto result = minimizeCodes(table);
        ASSERT_EQ(coverFault(table, result), "") << "function " << n;
        const auto reference = referenceMinimum(table, param.nodeLimit);
        if (!reference) continue;
        ++compared;
        ASSERT_EQ(result, *reference) << "function " << n;
    }
    // The comparison must not silently shrink to nothing.
    EXPECT_GE(compared, param.functions / 3);
}

// The plain search finishes on every density up to 6 variables; beyond that only on sparse
// functions, so those are the ones drawn there.
const std::vector<double> kAllDensities{0.1, 0.3, 0.5, 0.7, 0.9};
const std::vector<double> kSparse{0.03, 0.06, 0.1, 0.15};

INSTANTIATE_TEST_SUITE_P(Widths, RandomFunctions,
                         ::testing::Values(RandomCase{4, 300, kAllDensities, 100000},
                                           RandomCase{5, 150, kAllDensities, 100000},
                                           RandomCase{6, 60, kAllDensities, 100000},
                                           RandomCase{7, 40, kSparse, 100000},
                                           RandomCase{8, 24, kSparse, 100000}),
                         [](const auto& info) {
                             return "width" + std::to_string(info.param.width);
                         });

}  // namespace
}  // namespace qm_test
