#pragma once

#include <vector>

#include "minimizer/cube.h"

namespace qm {

// Every prime implicant of the function (over on-set and don't-cares) that covers at least one
// on-set row, in the output order.
std::vector<Cube> primeImplicants(const Function& function);

}  // namespace qm
