#pragma once

#include <optional>
#include <vector>

#include "row_set.h"

namespace qm {

// A weighted set-covering problem: choose candidates (columns) whose rows together hold every
// row of `rows`.
struct CoverProblem {
  RowSet rows;                  // the rows that must be covered
  std::vector<RowSet> columns;  // the rows each candidate covers
  std::vector<long> weights;    // each candidate's cost, positive
};

// Exact minimum-weight cover, returned as ascending candidate indices, or nothing when some row
// cannot be covered. Among covers of minimum weight the result is unique: it is the cover that
// holds the lowest index in which two such covers differ. For covers of equal size that is the
// one whose ascending index list comes first.
std::optional<std::vector<int>> solveCover(const CoverProblem& problem);

}  // namespace qm
