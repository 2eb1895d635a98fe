#pragma once

// The families of 7- and 8-variable functions that the benchmarks and the exactness tests use:
// the slowest kinds for an exact minimizer.

#include <random>
#include <string>
#include <vector>

#include "logic/function.h"

namespace qm_bench {

struct Family {
    std::string name;
    std::vector<logic::Function> members;
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

// A totally symmetric function: 1 where the number of ones is in `onCounts` (bit k for k ones),
// don't-care where it is in `dontCareCounts`.
logic::Function symmetricFunction(int width, unsigned onCounts, unsigned dontCareCounts);

// Every totally symmetric function of `width` variables that is not constant 0 (one member per
// non-empty set of ones-counts). With `oneDontCare`, each again with one ones-count outside the
// set, the one just below its lowest count (else just above its highest), as don't-cares.
Family symmetricFamily(int width, bool oneDontCare);

// Ones-count bands low..high with the counts just outside them as don't-cares.
Family bandFamily(int width);

// Every family above; the 8-variable symmetric ones only when `withHardest`.
std::vector<Family> allFamilies(int randomMembers, bool withHardest);

// The function with its inputs permuted and some complemented, both drawn from `random`: the
// same minimum cost, a different chart.
logic::Function transformed(const logic::Function& function, std::mt19937& random);

// The families beyond the ones above, 8 variables, seeded: the 8-variable symmetric families and
// the bands with their inputs permuted and some complemented, symmetric functions with random
// sets of don't-care counts, functions symmetric in 6 of their 8 inputs, dense random ones
// (60 to 95 % of the rows on).
std::vector<Family> wideFamilies();

}  // namespace qm_bench
