// The relaxation with cuts may never rise above the fewest candidates a cover takes, nor, with
// weights and the count fixed, above the lightest cover of that count, both found here by trying
// every subset; and it must close some of the gaps the relaxation leaves, or the cuts would be
// doing nothing.

#include "minimizer/cut_bound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

struct Chart {
    logic::RowSet open;
    std::vector<logic::RowSet> reach;
};

// Rows covered by random pairs of candidates and some triples, as in the cyclic cores of prime
// charts, where the relaxation's gaps are (with pairs alone, a vertex-cover problem).
Chart randomChart(std::mt19937& random, int rows, int columns) {
    Chart chart;
    chart.reach.resize(static_cast<std::size_t>(columns));
    std::uniform_int_distribution<int> pick(0, columns - 1), size(2, 5);
    for (int row = 0; row < rows; ++row) {
        chart.open.set(row);
        for (int k = size(random) < 5 ? 2 : 3; k > 0; --k) chart.reach[pick(random)].set(row);
    }
    return chart;
}

// The fewest candidates of a cover, and the least weight of a cover of that many.
std::pair<int, int> cheapestBySubsets(const Chart& chart, const std::vector<int>& weights) {
    const int n = static_cast<int>(chart.reach.size());
    std::pair<int, int> best{n + 1, 0};
    for (unsigned subset = 0; subset < (1u << n); ++subset) {
        const int count = std::popcount(subset);
        if (count > best.first) continue;
        logic::RowSet covered;
        int weight = 0;
        for (int c = 0; c < n; ++c) {
            if (subset >> c & 1u) {
                covered |= chart.reach[c];
                weight += weights[c];
            }
        }
        if (chart.open.subsetOf(covered)) best = std::min(best, std::pair{count, weight});
    }
    return best;
}

TEST(CutBound, NeverAboveTheFewestAndClosesGaps) {
    std::mt19937 random(2212);
    std::uniform_int_distribution<int> literals(1, 6);
    int gaps = 0, closed = 0, weightGaps = 0, weightsClosed = 0;
    for (int i = 0; i < 300; ++i) {
        const Chart chart = randomChart(random, 16 + i % 16, 10 + i % 7);
        bool coverable = true;
        logic::RowSet all;
        for (const logic::RowSet& rows : chart.reach) all |= rows;
        coverable = chart.open.subsetOf(all);
        if (!coverable) continue;
        std::vector<int> weights;
        for (std::size_t c = 0; c < chart.reach.size(); ++c) weights.push_back(literals(random));
        const auto [fewest, lightest] = cheapestBySubsets(chart, weights);
        // No early stop: every round the cuts get.
        const qm::CutBound cut =
            qm::countBoundWithCuts(chart.open, chart.reach, 1e9, qm::Deadline::max());
        ASSERT_LE(cut.bound, fewest + 1e-6) << "chart " << i;
        EXPECT_LE(cut.plain, cut.bound + 1e-6) << "chart " << i;
        if (std::ceil(cut.plain - 1e-6) < fewest) {
            ++gaps;
            closed += std::ceil(cut.bound - 1e-6) == fewest;
        }
        const qm::CutBound weighed =
            qm::boundWithCuts(chart.open, chart.reach, weights, fewest, 1e9, qm::Deadline::max());
        ASSERT_LE(weighed.bound, lightest + 1e-6) << "chart " << i;
        if (std::ceil(weighed.plain - 1e-6) < lightest) {
            ++weightGaps;
            weightsClosed += std::ceil(weighed.bound - 1e-6) == lightest;
        }
    }
    EXPECT_GT(gaps, 20);
    EXPECT_GT(closed, gaps / 4) << closed << " of " << gaps << " gaps closed";
    EXPECT_GT(weightGaps, 20);
    EXPECT_GT(weightsClosed, weightGaps / 4) << weightsClosed << " of " << weightGaps;
}

}  // namespace
