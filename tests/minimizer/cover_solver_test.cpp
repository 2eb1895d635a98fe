// The covering solver's tuning changes its time, never its answer; its stats account for the
// work it did.

#include <gtest/gtest.h>

#include "minimizer/cover_solver.h"
#include "minimizer/minimize.h"
#include "minimizer/prime_implicants.h"
#include "tests/minimizer/function_families.h"

namespace {

qm::CoverProblem problemOf(const logic::Function& function) {
    return qm::coverProblemOf(function, qm::primeImplicants(function));
}

// Functions whose search branches, uses orbits and asks the tie-break questions (quick ones:
// the tuning below makes the search far slower).
std::vector<logic::Function> branchingFunctions() {
    std::vector<logic::Function> functions = qm_bench::bandFamily(6).members;
    const auto symmetric = qm_bench::symmetricFamily(6, true).members;
    for (std::size_t i = 0; i < symmetric.size(); i += 5) functions.push_back(symmetric[i]);
    // Partly symmetric: one row of a symmetric function moved off.
    for (std::size_t i = 1; i < symmetric.size(); i += 9) {
        logic::Function function = symmetric[i];
        const int row = function.on.first();
        function.on.reset(row);
        functions.push_back(function);
    }
    return functions;
}

TEST(CoverSolver, TuningChangesNoAnswer) {
    // Every figure far from its default: weak bounds, the exact relaxation deeper, no short
    // tries.
    qm::SolveOptions odd;
    odd.plainSearchNodes = 0;
    odd.rootIterations = 7;
    odd.nodeIterations = 1;
    odd.queryIterations = 3;
    odd.filledCountIterations = 1;
    odd.staleIterations = 2;
    odd.deflection = 0.0;
    odd.minStep = 0.1;
    odd.relaxationDepth = 3;
    odd.quickQueryNodes = 0;
    // Past its work budget the choice follows the work done; this tuning does far more.
    odd.choiceWork = 1L << 40;
    const std::vector<logic::Function> functions = branchingFunctions();
    for (std::size_t i = 0; i < functions.size(); ++i) {
        const qm::CoverProblem problem = problemOf(functions[i]);
        EXPECT_EQ(qm::solveCover(problem), qm::solveCover(problem, qm::Deadline::max(), odd))
            << "function " << i;
    }
}

TEST(CoverSolver, StatsAccountForTheWork) {
    qm::SolveStats all;
    for (const logic::Function& function : branchingFunctions()) {
        const qm::CoverProblem problem = problemOf(function);
        qm::SolveStats stats;
        qm::solveCover(problem, qm::Deadline::max(), {}, &stats);
        EXPECT_LE(stats.tieBreakNodes, stats.nodes);
        EXPECT_LE(stats.tieBreakSearches, stats.tieBreakQuestions);
        EXPECT_GE(stats.minimumMs, 0.0);
        all.nodes += stats.nodes;
        all.tieBreakSearches += stats.tieBreakSearches;
        // Added to what the stats hold, and the same work again: every count doubles.
        qm::SolveStats twice = stats;
        qm::solveCover(problem, qm::Deadline::max(), {}, &twice);
        EXPECT_EQ(twice.nodes, 2 * stats.nodes);
        EXPECT_EQ(twice.lpSolves, 2 * stats.lpSolves);
        EXPECT_EQ(twice.boundIterations, 2 * stats.boundIterations);
        EXPECT_EQ(twice.tieBreakQuestions, 2 * stats.tieBreakQuestions);
    }
    // The functions are chosen to make the search branch and the tie-break search.
    EXPECT_GT(all.nodes, 0);
    EXPECT_GT(all.tieBreakSearches, 0);
}

TEST(CoverSolver, StatsCountTheParts) {
    // Two five-row cycles sharing no candidate (each candidate covers two neighbouring rows).
    qm::CoverProblem problem;
    for (int offset : {0, 8}) {
        for (int i = 0; i < 5; ++i) {
            problem.rows.set(offset + i);
            logic::RowSet rows;
            rows.set(offset + i);
            rows.set(offset + (i + 1) % 5);
            problem.columns.push_back(rows);
            problem.literals.push_back(2);
        }
    }
    qm::SolveStats stats;
    const auto cover = qm::solveCover(problem, qm::Deadline::max(), {}, &stats);
    ASSERT_TRUE(cover);
    EXPECT_EQ(cover->size(), 6U);
    EXPECT_EQ(stats.parts, 2);
}

}  // namespace
