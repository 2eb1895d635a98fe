#pragma once

#include <vector>

#include "logic/function.h"
#include "minimizer/cover_solver.h"

namespace qm {

// An exact minimum sum of products of the function: fewest products first, then fewest
// literals. Among covers of equal cost the result is the one whose sorted list of codes comes
// first in the output order, so it never depends on the machine. Returned in the output order;
// empty when the on-set is empty. Throws TooHard once `deadline` has passed or `cancelled` is set.
// A function that complementing some inputs turns into one with a cover known in advance is
// searched knowing its minimum cost. `stats`, when given, receives what the covering search did.
std::vector<logic::Cube> minimize(const logic::Function& function,
                                  Deadline deadline = Deadline::max(),
                                  const CancelFlag* cancelled = nullptr,
                                  SolveStats* stats = nullptr);

// The same minimum found by the search alone, never taken from the covers worked out in advance
// for the slowest symmetric functions (knownMinimum): it is how they are worked out and checked.
// `stats`, when given, receives what the covering search did.
std::vector<logic::Cube> searchMinimum(const logic::Function& function,
                                       Deadline deadline = Deadline::max(),
                                       const CancelFlag* cancelled = nullptr,
                                       SolveStats* stats = nullptr);
// The same with the search's tuning: the table of covers known in advance is made with an
// unlimited SolveOptions::choiceWork, so that it holds the first minimum covers.
std::vector<logic::Cube> searchMinimum(const logic::Function& function, Deadline deadline,
                                       const SolveOptions& options, SolveStats* stats = nullptr);

// The covering problem of the function over its primes (in the output order): the rows to
// cover are the ones, each prime a column with its rows and literals.
CoverProblem coverProblemOf(const logic::Function& function,
                            const std::vector<logic::Cube>& primes);

// The answer when time runs short: the minimum as above when it is proven by the deadline,
// otherwise the cheapest cover found (prime, valid, in the output order) and how many products
// every cover was proven to need, and how far the proof got.
struct BestCover {
    std::vector<logic::Cube> cover;
    bool proven = true;  // the documented minimum
    int lowerBound = 0;  // products every cover needs; the cover's size when proven
    // Short of that: the cover has the fewest products, and a cover of that many needs at
    // least `literalBound` literals; or it is a minimum (fewest products and literals), not
    // proven the documented one among equal minima.
    bool countProven = true;
    int literalBound = 0;
    bool costProven = true;
};
BestCover minimizeWithin(const logic::Function& function, Deadline deadline,
                         const SolveOptions& options = {});

}  // namespace qm
