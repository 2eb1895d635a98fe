// Probing the relaxation may only skip a search that finds nothing: the answers stay those of the
// search alone, and the costs those of trying every subset.

#include <gtest/gtest.h>

#include <random>

#include "minimizer/cover_node.h"
#include "minimizer/cover_solver.h"

namespace {

// Dense charts of 18 rows: each candidate covers a random third of them.
qm::CoverProblem randomChart(std::mt19937& random) {
    constexpr int kRows = 18, kColumns = 14;
    qm::CoverProblem problem;
    for (int row = 0; row < kRows; ++row) problem.rows.set(row);
    std::uniform_int_distribution<int> third(0, 2), literals(1, 6);
    for (int c = 0; c < kColumns; ++c) {
        logic::RowSet column;
        for (int row = 0; row < kRows; ++row) {
            if (third(random) == 0) column.set(row);
        }
        problem.columns.push_back(column);
        problem.literals.push_back(literals(random));
    }
    for (int row = 0; row < kRows; ++row) problem.columns[row % kColumns].set(row);
    return problem;
}

qm::covering::Cost cheapestBySubsets(const qm::CoverProblem& problem) {
    const int n = static_cast<int>(problem.columns.size());
    qm::covering::Cost best{n + 1, 0};
    for (unsigned subset = 0; subset < (1u << n); ++subset) {
        logic::RowSet covered;
        qm::covering::Cost cost;
        for (int c = 0; c < n; ++c) {
            if ((subset >> c & 1u) == 0) continue;
            covered |= problem.columns[c];
            cost.count += 1;
            cost.literals += problem.literals[c];
        }
        if (problem.rows.subsetOf(covered) && cost < best) best = cost;
    }
    return best;
}

qm::covering::Cost costOf(const qm::CoverProblem& problem, const std::vector<int>& cover) {
    qm::covering::Cost cost;
    for (int c : cover) {
        cost.count += 1;
        cost.literals += problem.literals[c];
    }
    return cost;
}

TEST(CoverProbing, KeepsEveryAnswer) {
    // No short plain search first, so that the probing is reached on small charts too.
    qm::SolveOptions on;
    on.plainSearchNodes = 0;
    on.probeAfterWork = 0;
    qm::SolveOptions off = on;
    off.probing = false;
    qm::SolveStats stats;
    std::mt19937 random(22);
    for (int i = 0; i < 300; ++i) {
        const qm::CoverProblem problem = randomChart(random);
        const auto probed = qm::solveCover(problem, qm::Deadline::max(), on, &stats);
        ASSERT_TRUE(probed.has_value()) << "chart " << i;
        EXPECT_EQ(probed, qm::solveCover(problem, qm::Deadline::max(), off)) << "chart " << i;
        EXPECT_EQ(costOf(problem, *probed), cheapestBySubsets(problem)) << "chart " << i;
    }
    // Otherwise the charts above never met the probing.
    EXPECT_GT(stats.probesClosed, 0);
    EXPECT_GT(stats.literalProbesClosed, 0);
}

}  // namespace
