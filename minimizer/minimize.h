#pragma once

#include <vector>

#include "minimizer/cover_solver.h"
#include "minimizer/cube.h"

namespace qm {

// An exact minimum sum of products of the function: fewest products first, then fewest
// literals. Among covers of equal cost the result is the one whose sorted list of codes comes
// first in the output order, so it never depends on the machine. Returned in the output order;
// empty when the on-set is empty. Throws TooHard once `deadline` has passed.
std::vector<Cube> minimize(const Function& function, Deadline deadline = Deadline::max());

}  // namespace qm
