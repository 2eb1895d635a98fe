// The covering relaxation on random problems: its bound never exceeds the cheapest cover (found
// by trying every subset on small problems), and it is the relaxation's true optimum, shown by
// its primal solution covering every row at the same weight (duality).

#include "minimizer/covering_lp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace qm_test {
namespace {

struct Problem {
    logic::RowSet open;
    std::vector<logic::RowSet> reach;
    std::vector<double> weights;
};

// Rows 0..rows-1 (scattered over the 256 row numbers), each candidate holding each row with
// probability `density`, and every row in some candidate.
Problem randomProblem(std::mt19937& random, int rows, int candidates, double density,
                      bool unitWeights) {
    Problem problem;
    std::uniform_int_distribution<int> weight(1, 4);
    std::bernoulli_distribution holds(density);
    for (int k = 0; k < candidates; ++k) {
        logic::RowSet set;
        for (int r = 0; r < rows; ++r) {
            if (holds(random)) set.set(r * 7 % 256);
        }
        problem.reach.push_back(set);
        problem.weights.push_back(unitWeights ? 1.0 : weight(random));
    }
    for (int r = 0; r < rows; ++r) {
        const int row = r * 7 % 256;
        problem.open.set(row);
        problem.reach[random() % candidates].set(row);
    }
    return problem;
}

void expectOptimal(const Problem& problem, const qm::CoveringLp& lp) {
    double primal = 0.0;
    for (std::size_t k = 0; k < problem.reach.size(); ++k) {
        ASSERT_GE(lp.x[k], 0.0);
        primal += problem.weights[k] * lp.x[k];
    }
    problem.open.forEach([&](int row) {
        double sum = 0.0;
        for (std::size_t k = 0; k < problem.reach.size(); ++k) {
            if (problem.reach[k].test(row)) sum += lp.x[k];
        }
        EXPECT_GE(sum, 1.0 - 1e-6) << "row " << row;
    });
    EXPECT_LE(lp.bound, primal + 1e-6);
    EXPECT_NEAR(lp.bound, primal, 1e-4 * primal);
}

TEST(CoveringLp, BoundIsTheRelaxationsOptimumAndBelowEveryCover) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 300; ++trial) {
        const int rows = 1 + trial % 12;
        const int candidates = 1 + trial % 13;
        const Problem problem = randomProblem(random, rows, candidates, 0.3, trial % 2 == 0);
        const qm::CoveringLp lp =
            qm::solveCoveringLp(problem.open, problem.reach, problem.weights, qm::Deadline::max());
        expectOptimal(problem, lp);
        double cheapest = std::numeric_limits<double>::infinity();
        for (unsigned subset = 0; subset < (1U << candidates); ++subset) {
            logic::RowSet covered;
            double weight = 0.0;
            for (int k = 0; k < candidates; ++k) {
                if ((subset >> k) & 1U) {
                    covered |= problem.reach[k];
                    weight += problem.weights[k];
                }
            }
            if (problem.open.subsetOf(covered)) cheapest = std::min(cheapest, weight);
        }
        EXPECT_LE(lp.bound, cheapest + 1e-9) << "trial " << trial;
    }
}

// Problems of the size the minimizer meets (hundreds of candidates, degenerate), where the
// pricing rule and its fallback against cycling do most of the work.
TEST(CoveringLp, LargeDegenerateProblemsReachTheOptimum) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 12; ++trial) {
        const Problem problem = randomProblem(random, 60 + 16 * trial, 150 + 30 * trial,
                                              trial % 3 == 0 ? 0.02 : 0.05, trial % 2 == 0);
        expectOptimal(problem, qm::solveCoveringLp(problem.open, problem.reach, problem.weights,
                                                   qm::Deadline::max()));
    }
}

}  // namespace
}  // namespace qm_test
