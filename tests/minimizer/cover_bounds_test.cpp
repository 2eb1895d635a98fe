// The covering bounds against brute force on small random charts: a bound never exceeds the
// true optimum, and the search that uses it still finds the documented minimum cover.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

#include "minimizer/cover_bounds.h"
#include "minimizer/cover_solver.h"

namespace {

// Rows 0..rows-1, every row on some candidate, literals of 1 to 8 as products have.
qm::CoverProblem randomChart(std::mt19937& random, int rows, int columns) {
    qm::CoverProblem problem;
    for (int row = 0; row < rows; ++row) problem.rows.set(row);
    std::bernoulli_distribution on(0.35);
    std::uniform_int_distribution<int> literals(1, qm::covering::kMaxLiterals);
    for (int c = 0; c < columns; ++c) {
        logic::RowSet column;
        for (int row = 0; row < rows; ++row) {
            if (on(random)) column.set(row);
        }
        if (column.empty()) column.set(c % rows);
        problem.columns.push_back(column);
        problem.literals.push_back(literals(random));
    }
    for (int row = 0; row < rows; ++row) problem.columns[row % columns].set(row);
    return problem;
}

constexpr int kNone = std::numeric_limits<int>::max();

// The fewest literals of a cover of exactly k candidates, for every k (kNone: no such cover),
// and the documented minimum: the least cost, then the first ascending index list.
struct BruteForce {
    std::vector<int> fewestLiterals;
    std::vector<int> minimum;
};

BruteForce bruteForce(const qm::CoverProblem& problem) {
    const int columns = static_cast<int>(problem.columns.size());
    BruteForce result;
    result.fewestLiterals.assign(columns + 1, kNone);
    std::pair<int, int> best{kNone, kNone};
    for (unsigned mask = 0; mask < (1u << columns); ++mask) {
        logic::RowSet covered;
        std::vector<int> cover;
        int literals = 0;
        for (int c = 0; c < columns; ++c) {
            if (!(mask >> c & 1)) continue;
            covered |= problem.columns[c];
            cover.push_back(c);
            literals += problem.literals[c];
        }
        if (!problem.rows.subsetOf(covered)) continue;
        const int count = static_cast<int>(cover.size());
        result.fewestLiterals[count] = std::min(result.fewestLiterals[count], literals);
        const std::pair<int, int> cost{count, literals};
        if (cost < best || (cost == best && cover < result.minimum)) {
            best = cost;
            result.minimum = cover;
        }
    }
    return result;
}

// The coupled bound never exceeds the fewest literals of a cover of the count it is coupled
// with; the search that uses it still finds the documented minimum; stopped on the way, what it
// says is proven holds.
TEST(CoverBounds, LiteralsCoupledWithTheCountAgainstBruteForce) {
    std::mt19937 random(7);
    qm::SolveOptions options;
    options.plainSearchNodes = 0;  // straight to the relaxation and the bound-first search
    int shifted = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const qm::CoverProblem problem = randomChart(random, 6 + trial % 7, 8 + trial % 6);
        const BruteForce truth = bruteForce(problem);
        qm::SolveStats stats;
        qm::covering::Bounds bounds(problem, options, qm::Deadline::max(), stats);
        qm::covering::Node root;
        root.open = problem.rows;
        for (std::size_t c = 0; c < problem.columns.size(); ++c) {
            root.active.push_back(static_cast<int>(c));
        }
        for (int count = 1; count <= static_cast<int>(problem.columns.size()); ++count) {
            if (truth.fewestLiterals[count] == kNone) continue;
            qm::CoveringLp lp;
            const int shift = bounds.countShift(root, problem.columns, count, lp);
            shifted += shift != 0;
            EXPECT_LE(bounds.roundUp(lp.bound - static_cast<double>(shift) * count),
                      truth.fewestLiterals[count])
                << "trial " << trial << ", count " << count << ", shift " << shift;
        }
        EXPECT_EQ(qm::solveCover(problem, qm::Deadline::max(), options), truth.minimum)
            << "trial " << trial;
        const int count = static_cast<int>(truth.minimum.size());
        for (long nodes = 0; nodes < 12; ++nodes) {
            qm::SolveOptions stopped = options;
            stopped.nodeLimit = nodes;
            try {
                qm::solveCover(problem, qm::Deadline::max(), stopped);
            } catch (const qm::TooHard& tooHard) {
                EXPECT_LE(tooHard.lowerBound(), count);
                if (tooHard.countProven()) {
                    EXPECT_LE(tooHard.literalBound(), truth.fewestLiterals[count])
                        << "trial " << trial << ", stopped after " << nodes;
                }
            }
        }
    }
    EXPECT_GT(shifted, 0);  // the shift was tried, not always left at 0
}

}  // namespace
