#pragma once

#include <vector>

#include "logic/row_set.h"
#include "minimizer/cover_solver.h"

namespace qm {

// The linear-programming relaxation of a covering problem: minimise the sum of weight times x
// over candidates with 0 <= x, every open row covered at least once in sum.
struct CoveringLp {
    double bound = 0.0;     // a proven lower bound on every cover's weight (rounding included)
    std::vector<double> x;  // the relaxation's solution, one value per candidate
    std::vector<double> u;  // the row prices (dual solution), indexed by row number
};

// Solves the relaxation of covering `open` with the candidates' rows `reach` (each a subset of
// `open`; weights positive) by the simplex method on its dual, a packing problem whose slack basis
// is feasible. The bound is computed from the dual solution scaled back into feasibility, so
// floating-point error can only lower it. Throws TooHard when `deadline` passes or `cancelled` is
// set.
CoveringLp solveCoveringLp(const logic::RowSet& open, const std::vector<logic::RowSet>& reach,
                           const std::vector<double>& weights, Deadline deadline,
                           const CancelFlag* cancelled = nullptr);

}  // namespace qm
