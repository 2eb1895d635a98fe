#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <vector>

#include "minimizer/row_set.h"

namespace qm {

// A set-covering problem: choose candidates (columns) whose rows together hold every row of
// `rows`. A cover costs its number of candidates first, then the sum of their `literals`.
struct CoverProblem {
    RowSet rows;                  // the rows that must be covered
    std::vector<RowSet> columns;  // the rows each candidate covers
    std::vector<int> literals;    // each candidate's secondary cost, not negative
};

using Deadline = std::chrono::steady_clock::time_point;

// Thrown when the search for a minimum passes its deadline: no answer is better than one that
// is not proven minimal.
class TooHard : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An exact minimum-cost cover, returned as ascending candidate indices, or nothing when some
// row cannot be covered. Among covers of minimum cost the result is the one whose ascending
// index list comes first. Throws TooHard once `deadline` has passed.
std::optional<std::vector<int>> solveCover(const CoverProblem& problem,
                                           Deadline deadline = Deadline::max());

}  // namespace qm
