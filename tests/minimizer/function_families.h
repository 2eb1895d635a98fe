#pragma once

// The families of 8-variable functions that the benchmarks time: the slowest kinds for an exact
// minimizer.

#include <string>
#include <vector>

#include "cube.h"

namespace qm_bench {

struct Family {
    std::string name;
    std::vector<qm::Function> members;
};

// Parity of every subset of 2 to 8 of the variables, and the complements.
Family parityFamily();

// Random functions with the given share of on rows (percent); with `dontCarePercent` of the
// remaining rows don't-care.
Family randomFamily(int onPercent, int dontCarePercent, int members, unsigned seed);

// Symmetric functions (1 exactly where the number of ones lies in a band), which have the most
// prime implicants, with and without don't-cares at the band's edges.
Family manyPrimesFamily();

// Functions without any essential prime, so that the whole cover problem is one cyclic core.
Family cyclicFamily(int members, unsigned seed);

std::vector<Family> allFamilies(int randomMembers);

}  // namespace qm_bench
