#pragma once

#include <vector>

#include "logic/function.h"

namespace qm {

// Every prime implicant of the function (over on-set and don't-cares) that covers at least one
// on-set row, in the output order.
std::vector<logic::Cube> primeImplicants(const logic::Function& function);

}  // namespace qm
