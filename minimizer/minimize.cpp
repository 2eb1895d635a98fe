#include "minimizer/minimize.h"

#include "minimizer/cover_solver.h"
#include "minimizer/prime_implicants.h"

namespace qm {

std::vector<Cube> minimize(const Function& function, Deadline deadline) {
    // Every minimum cover is made of primes: a non-prime product grows into a prime with fewer
    // literals.
    const std::vector<Cube> primes = primeImplicants(function);
    CoverProblem problem;
    problem.rows = function.on;
    for (const Cube& prime : primes) {
        problem.columns.push_back(prime.rows(function.width));
        problem.literals.push_back(prime.literals(function.width));
    }
    // Primes come in the output order, so the solver's index tie-break is the order of codes.
    const auto chosen = solveCover(problem, deadline);
    std::vector<Cube> cover;
    if (chosen) {
        for (int index : *chosen) cover.push_back(primes[static_cast<std::size_t>(index)]);
    }
    return cover;
}

}  // namespace qm
