// Every function of 1 to 3 variables with every don't-care pattern, against exhaustive search.

#include <gtest/gtest.h>

#include "tests/minimizer/run_minimizer.h"

namespace qm_test {
namespace {

class EveryFunction : public ::testing::TestWithParam<int> {};

TEST_P(EveryFunction, MatchesExhaustiveSearchExactly) {
    const int width = GetParam();
    for (int n = 0; n < functionCount(width); ++n) {
        const TruthTable table = nthFunction(width, n);
        const auto result = minimizeCodes(table);
        ASSERT_EQ(coverFault(table, result), "") << "function " << n;
        // Same codes, so also the same count, literals and tie-break.
        ASSERT_EQ(result, bruteForceMinimum(table)) << "function " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, EveryFunction, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace qm_test
