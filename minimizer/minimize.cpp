#include "minimizer/minimize.h"

#include <algorithm>

#include "minimizer/cover_solver.h"
#include "minimizer/prime_implicants.h"
#include "minimizer/symmetric_minima.h"

namespace qm {

using logic::Cube;
using logic::Function;

namespace {

// With `useKnown`, a minimum known in advance for an equivalent function saves the search its
// proof (knownMinimumUpToComplement); the tie-break still chooses among the minima.
CoverProblem coverProblemOf(const Function& function, const std::vector<Cube>& primes,
                            bool useKnown) {
    CoverProblem problem;
    problem.rows = function.on;
    problem.function = function;
    problem.cubes = primes;
    for (const Cube& prime : primes) {
        problem.columns.push_back(prime.rows(function.width));
        problem.literals.push_back(prime.literals(function.width));
    }
    if (!useKnown) return problem;
    if (auto known = knownMinimumUpToComplement(function)) {
        for (const Cube& cube : known->cover) {
            const auto at = std::find(primes.begin(), primes.end(), cube);
            if (at == primes.end()) {
                problem.knownMinimum.clear();  // not made of primes: not trusted
                break;
            }
            problem.knownMinimum.push_back(static_cast<int>(at - primes.begin()));
        }
    }
    return problem;
}

std::vector<Cube> cubesOf(const std::vector<Cube>& primes, const std::vector<int>& chosen) {
    std::vector<Cube> cover;
    for (int index : chosen) cover.push_back(primes[static_cast<std::size_t>(index)]);
    return cover;
}

std::vector<Cube> search(const Function& function, Deadline deadline, SolveOptions options,
                         SolveStats* stats, bool useKnown) {
    // Every minimum cover is made of primes: a non-prime product grows into a prime with fewer
    // literals.
    const std::vector<Cube> primes = primeImplicants(function);
    // Primes come in the output order, so the solver's index tie-break is the order of codes.
    const auto chosen =
        solveCover(coverProblemOf(function, primes, useKnown), deadline, options, stats);
    return chosen ? cubesOf(primes, *chosen) : std::vector<Cube>{};
}

SolveOptions cancelledBy(const CancelFlag* cancelled) {
    SolveOptions options;
    options.cancelled = cancelled;
    return options;
}

}  // namespace

std::vector<Cube> minimize(const Function& function, Deadline deadline, const CancelFlag* cancelled,
                           SolveStats* stats) {
    if (auto known = knownMinimum(function)) return *known;
    return search(function, deadline, cancelledBy(cancelled), stats, true);
}

std::vector<Cube> searchMinimum(const Function& function, Deadline deadline,
                                const CancelFlag* cancelled, SolveStats* stats) {
    return search(function, deadline, cancelledBy(cancelled), stats, false);
}

std::vector<Cube> searchMinimum(const Function& function, Deadline deadline,
                                const SolveOptions& options, SolveStats* stats) {
    return search(function, deadline, options, stats, false);
}

BestCover minimizeWithin(const Function& function, Deadline deadline, const SolveOptions& options) {
    if (auto known = knownMinimum(function)) {
        return {*known, true, static_cast<int>(known->size())};
    }
    const std::vector<Cube> primes = primeImplicants(function);
    BestCover result;
    try {
        const auto chosen = solveCover(coverProblemOf(function, primes, true), deadline, options);
        if (chosen) result.cover = cubesOf(primes, *chosen);
        result.lowerBound = static_cast<int>(result.cover.size());
        for (const Cube& cube : result.cover) result.literalBound += cube.literals(function.width);
    } catch (const TooHard& tooHard) {
        // Indices ascend, so the cubes stay in the output order.
        result.cover = cubesOf(primes, tooHard.bestCover());
        result.proven = false;
        result.lowerBound = tooHard.lowerBound();
        result.countProven = tooHard.countProven();
        result.literalBound = tooHard.literalBound();
        int literals = 0;
        for (const Cube& cube : result.cover) literals += cube.literals(function.width);
        // A cover that reaches the literal bound is of minimum cost too.
        result.costProven =
            result.countProven && (tooHard.costProven() || literals <= result.literalBound);
    }
    return result;
}

}  // namespace qm
