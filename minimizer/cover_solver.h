#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "logic/function.h"
#include "logic/row_set.h"

namespace qm {

// A set-covering problem: choose candidates (columns) whose rows together hold every row of
// `rows`. A cover costs its number of candidates first, then the sum of their `literals`.
struct CoverProblem {
    logic::RowSet rows;                  // the rows that must be covered
    std::vector<logic::RowSet> columns;  // the rows each candidate covers
    std::vector<int> literals;           // each candidate's secondary cost, not negative
    // When the candidates are products of a function's inputs: the function and each candidate's
    // product, so that the search can skip branches that a symmetry of the function maps onto
    // branches it explores anyway. Without them the search uses no symmetry.
    logic::Function function;
    std::vector<logic::Cube> cubes;
};

using Deadline = std::chrono::steady_clock::time_point;

// Thrown when the search for a minimum passes its deadline. It carries the cheapest cover found
// so far (ascending candidate indices; empty when none was found) and the number of candidates
// every cover was proven to need, so that a caller may still answer, with that caveat.
class TooHard : public std::runtime_error {
public:
    explicit TooHard(const std::string& what, std::vector<int> bestCover = {}, int lowerBound = 0)
        : std::runtime_error(what), bestCover_(std::move(bestCover)), lowerBound_(lowerBound) {}
    const std::vector<int>& bestCover() const { return bestCover_; }
    int lowerBound() const { return lowerBound_; }

private:
    std::vector<int> bestCover_;
    int lowerBound_ = 0;
};

struct SolveOptions {
    // Search steps the plain branch and bound gets before the relaxation, the bound-first search
    // and the symmetry pruning take over (0: those from the start, as tests of them want).
    long plainSearchNodes = 500;
};

// An exact minimum-cost cover, returned as ascending candidate indices, or nothing when some
// row cannot be covered. Among covers of minimum cost the result is the one whose ascending
// index list comes first. Throws TooHard once `deadline` has passed.
std::optional<std::vector<int>> solveCover(const CoverProblem& problem,
                                           Deadline deadline = Deadline::max(),
                                           const SolveOptions& options = {});

}  // namespace qm
