#pragma once

// The families of 8-variable functions that the benchmarks time: the slowest kinds for an exact
// minimizer.

#include <string>
#include <vector>

#include "minimizer/cube.h"

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
// prime implicants. With `dontCareEdges` the rows just outside the band are don't-cares: the
// hardest covering problems met here (large symmetric cyclic cores).
Family manyPrimesFamily(bool dontCareEdges);

// Functions without any essential prime, so that the whole cover problem is one cyclic core.
Family cyclicFamily(int members, unsigned seed);

// Every family above; the symmetric ones with don't-care edges only when `withHardest`.
std::vector<Family> allFamilies(int randomMembers, bool withHardest);

}  // namespace qm_bench
