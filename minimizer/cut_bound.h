#pragma once

#include <vector>

#include "logic/row_set.h"
#include "minimizer/cover_solver.h"

namespace qm {

// A covering relaxation strengthened by Gomory mixed-integer cuts.
struct CutBound {
    double bound = 0.0;  // proven: every cover weighs at least this much
    double plain = 0.0;  // the relaxation's optimum before any cut
    int cuts = 0;        // cuts added
    long pivots = 0;     // simplex pivots, for the caller's count of work
};

// A lower bound on the number of candidates any cover of `open` by the candidates' rows `reach`
// takes (each a subset of `open`): the linear-programming relaxation with the bounds x <= 1,
// solved by the dual simplex method from the slack basis, then rounds of cuts read off its
// optimal tableau, each round solved again from where the last ended, until the bound passes
// `goal`, the cuts stop lifting it, or a budget of pivots and tableau updates is spent. Where the
// relaxation alone leaves a gap of a fraction of a candidate, the cuts often close it (CBC
// closes such gaps with the same cuts).
//
// Every cut is a Gomory mixed-integer cut: the mixed-integer rounding of a tableau row, an
// equation over the candidates and the constraints' surpluses, all whole and at least 0. The row
// is formed anew from the constraints with its multipliers rounded to multiples of 2^-40, its
// rounding done in 128-bit whole numbers, and the cut scaled down by a power of two with its
// coefficients floored, so each cut holds for every cover whatever the floating-point error:
// rounding only makes a cut weaker. The bound is computed from the final duals scaled back into
// feasibility, so floating-point error can only lower it. Throws TooHard when `deadline` passes
// or `cancelled` is set.
CutBound countBoundWithCuts(const logic::RowSet& open, const std::vector<logic::RowSet>& reach,
                            double goal, Deadline deadline, const CancelFlag* cancelled = nullptr);

// The same for any whole weights of at least 0 (each candidate's literals, say), optionally with
// exactly `count` candidates taken (-1: any number): a lower bound on the weight of every cover
// of that count.
CutBound boundWithCuts(const logic::RowSet& open, const std::vector<logic::RowSet>& reach,
                       const std::vector<int>& weights, int count, double goal, Deadline deadline,
                       const CancelFlag* cancelled = nullptr);

}  // namespace qm
