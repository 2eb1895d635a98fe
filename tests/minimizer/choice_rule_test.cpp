// The choice among equal minima: the first in index order while the tie-break's work lasts,
// past it a rule that depends on the problem alone, never on the deadline.

#include <gtest/gtest.h>

#include <bit>
#include <chrono>

#include "minimizer/cover_solver.h"
#include "minimizer/minimize.h"
#include "minimizer/prime_implicants.h"
#include "tests/minimizer/function_families.h"

namespace {

// Ones-counts 3, 4, 5 and 7 of 7 inputs with count 2 don't-care, inputs permuted and some
// complemented: its orientation makes the first minimum cover expensive to choose.
logic::Function hardToChoose() {
    const logic::Function symmetric = qm_bench::symmetricFunction(7, 0b10111000U, 0b100U);
    const int to[7] = {6, 0, 4, 3, 2, 5, 1};
    const unsigned flip = 0b1100000U;
    logic::Function function;
    function.width = 7;
    for (int row = 0; row < 128; ++row) {
        unsigned image = 0;
        for (int bit = 0; bit < 7; ++bit)
            image |= ((static_cast<unsigned>(row) >> bit) & 1U) << to[bit];
        image ^= flip;
        if (symmetric.on.test(row)) function.on.set(static_cast<int>(image));
        if (symmetric.dc.test(row)) function.dc.set(static_cast<int>(image));
    }
    return function;
}

qm::CoverProblem problemOf(const logic::Function& function) {
    return qm::coverProblemOf(function, qm::primeImplicants(function));
}

std::pair<int, int> costOf(const qm::CoverProblem& problem, const std::vector<int>& cover) {
    int literals = 0;
    logic::RowSet covered;
    for (int column : cover) {
        literals += problem.literals[static_cast<std::size_t>(column)];
        covered |= problem.columns[static_cast<std::size_t>(column)];
    }
    EXPECT_TRUE(problem.rows.subsetOf(covered));
    return {static_cast<int>(cover.size()), literals};
}

// Every budget gives a minimum cover, the same on a repeated run and under a deadline; a budget
// that covers the whole tie-break's work gives exactly the first minimum cover.
TEST(ChoiceRule, MinimumWithinAnyBudgetAndFirstWithinEnough) {
    const qm::CoverProblem problem = problemOf(hardToChoose());
    qm::SolveOptions unlimited;
    unlimited.choiceWork = 1L << 40;
    qm::SolveStats full;
    const std::vector<int> first = *qm::solveCover(problem, qm::Deadline::max(), unlimited, &full);
    ASSERT_EQ(full.choiceCutShort, 0);
    const long needed = full.tieBreakWork;
    ASSERT_GT(needed, 1000);  // else the budgets below test nothing

    bool sawOther = false;
    for (long budget : {0L, needed / 10, needed / 2, needed - 1, needed}) {
        qm::SolveOptions options;
        options.choiceWork = budget;
        qm::SolveStats stats;
        const auto chosen = qm::solveCover(problem, qm::Deadline::max(), options, &stats);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(costOf(problem, *chosen), costOf(problem, first)) << budget;
        // The work is checked between steps, so a budget just short of it may still do.
        if (budget <= needed / 2) {
            EXPECT_EQ(stats.choiceCutShort, 1) << budget;
        }
        if (budget >= needed) {
            EXPECT_EQ(stats.choiceCutShort, 0);
            EXPECT_EQ(*chosen, first);
        }
        sawOther = sawOther || *chosen != first;
        const auto later = std::chrono::steady_clock::now() + std::chrono::hours(1);
        EXPECT_EQ(qm::solveCover(problem, later, options), chosen) << budget;
    }
    EXPECT_TRUE(sawOther);  // the rule is not the first cover by luck
}

}  // namespace
