// Probing the relaxation, or its cuts, may only skip a search that finds nothing, and a minimum
// known in advance only the search for one: the answers stay those of the search alone, and the
// costs those of trying every subset.

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
    // No short plain search first, so that the shortcuts are reached on small charts too.
    qm::SolveOptions probing;
    probing.plainSearchNodes = 0;
    probing.probeAfterWork = 0;
    probing.cuts = false;
    qm::SolveOptions cuts = probing;
    cuts.cuts = true;
    qm::SolveOptions neither = probing;
    neither.probing = false;
    qm::SolveStats byProbing, byCuts;
    std::mt19937 random(22);
    for (int i = 0; i < 300; ++i) {
        const qm::CoverProblem problem = randomChart(random);
        const auto probed = qm::solveCover(problem, qm::Deadline::max(), probing, &byProbing);
        ASSERT_TRUE(probed.has_value()) << "chart " << i;
        EXPECT_EQ(probed, qm::solveCover(problem, qm::Deadline::max(), neither)) << "chart " << i;
        EXPECT_EQ(probed, qm::solveCover(problem, qm::Deadline::max(), cuts, &byCuts))
            << "chart " << i;
        EXPECT_EQ(costOf(problem, *probed), cheapestBySubsets(problem)) << "chart " << i;
    }
    // Otherwise the charts above never met the shortcuts.
    EXPECT_GT(byProbing.probesClosed, 0);
    EXPECT_GT(byProbing.literalProbesClosed, 0);
    EXPECT_GT(byCuts.cutsClosed, 0);
}

// The chart with its first three candidates replaced by others' copies short of one row, at the
// same literals: dominated, yet in some minimum covers.
qm::CoverProblem withDominatedCandidates(qm::CoverProblem problem, std::mt19937& random) {
    for (int c = 0; c < 3; ++c) {
        logic::RowSet rows = problem.columns[c + 3];
        std::vector<int> held;
        rows.forEach([&](int row) { held.push_back(row); });
        rows.reset(held[random() % held.size()]);
        problem.columns[c] = rows;
        problem.literals[c] = problem.literals[c + 3];
    }
    logic::RowSet covered;
    for (const logic::RowSet& column : problem.columns) covered |= column;
    problem.columns.back() |= problem.rows - covered;
    return problem;
}

// Every minimum cover, handed in as known in advance, gives the search's own answer; with no
// work for the choice, the rule past the budget (which chooses by the cover known) still gives a
// minimum cover.
TEST(CoverProbing, AnyKnownMinimumGivesTheSameAnswer) {
    qm::SolveOptions knownServes;  // no search for a cover of the known cost
    knownServes.probeAfterWork = -1;
    qm::SolveOptions byRule = knownServes;
    byRule.choiceWork = 0;
    qm::SolveOptions byRuleAfterSearch;
    byRuleAfterSearch.choiceWork = 0;
    std::mt19937 random(23);
    for (int i = 0; i < 200; ++i) {
        qm::CoverProblem problem = withDominatedCandidates(randomChart(random), random);
        const auto answer = qm::solveCover(problem);
        ASSERT_TRUE(answer.has_value());
        const qm::covering::Cost minimum = costOf(problem, *answer);
        const int n = static_cast<int>(problem.columns.size());
        for (unsigned subset = 0; subset < (1u << n); ++subset) {
            std::vector<int> cover;
            logic::RowSet covered;
            for (int c = 0; c < n; ++c) {
                if (subset >> c & 1u) {
                    cover.push_back(c);
                    covered |= problem.columns[c];
                }
            }
            if (!problem.rows.subsetOf(covered) || costOf(problem, cover) != minimum) continue;
            problem.knownMinimum = cover;
            EXPECT_EQ(qm::solveCover(problem, qm::Deadline::max(), knownServes), answer)
                << "chart " << i << ", subset " << subset;
            for (const qm::SolveOptions& options : {byRule, byRuleAfterSearch}) {
                const auto chosen = qm::solveCover(problem, qm::Deadline::max(), options);
                ASSERT_TRUE(chosen.has_value());
                logic::RowSet chosenCovers;
                for (int c : *chosen) chosenCovers |= problem.columns[c];
                EXPECT_TRUE(problem.rows.subsetOf(chosenCovers)) << "chart " << i;
                EXPECT_EQ(costOf(problem, *chosen), minimum) << "chart " << i;
            }
        }
    }
}

}  // namespace
