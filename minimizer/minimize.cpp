#include "minimizer/minimize.h"

#include <algorithm>

#include "minimizer/canonical_form.h"
#include "minimizer/cover_solver.h"
#include "minimizer/prime_implicants.h"
#include "minimizer/symmetric_minima.h"

namespace qm {

using logic::Cube;
using logic::Function;

CoverProblem coverProblemOf(const Function& function, const std::vector<Cube>& primes) {
    CoverProblem problem;
    problem.rows = function.on;
    problem.function = function;
    problem.cubes = primes;
    for (const Cube& prime : primes) {
        problem.columns.push_back(prime.rows(function.width));
        problem.literals.push_back(prime.literals(function.width));
    }
    return problem;
}

namespace {

// With `useKnown`, a minimum known in advance for an equivalent function saves the search its
// proof (knownMinimumUpToComplement); the tie-break still chooses among the minima.
CoverProblem coverProblemOf(const Function& function, const std::vector<Cube>& primes,
                            bool useKnown) {
    CoverProblem problem = qm::coverProblemOf(function, primes);
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

// Search nodes the function as given gets before its minimum is proven on the canonical form
// instead: most functions are settled well within them, and for those the answer and the work
// stay exactly what a single search gives.
constexpr long kDirectNodes = 2000;

bool stopped(Deadline deadline, const SolveOptions& options) {
    return std::chrono::steady_clock::now() >= deadline ||
           (options.cancelled != nullptr && options.cancelled->load());
}

// A minimum cover of the function as indices into `primes`, found on the function's canonical
// form, where the proof's work is the same for every function of the class; nothing when the
// function has no canonical form within its bound. A TooHard is passed on with its cover mapped
// back.
std::optional<std::vector<int>> canonicalMinimum(const Function& function,
                                                 const std::vector<Cube>& primes, Deadline deadline,
                                                 SolveOptions options, SolveStats* stats) {
    const auto form = canonicalForm(function);
    if (!form || form->toCanonical.isIdentity()) return std::nullopt;
    const std::vector<Cube> formPrimes = primeImplicants(form->function);
    const InputTransform back = form->toCanonical.inverse();
    // The function's own primes, as the form's map back to them.
    const auto mapped = [&](const std::vector<int>& chosen) {
        std::vector<int> indices;
        for (int index : chosen) {
            const Cube cube = back.cube(formPrimes[static_cast<std::size_t>(index)]);
            const auto at = std::find(primes.begin(), primes.end(), cube);
            // Maps of the inputs take primes to primes; should one not be found, nothing is
            // trusted and the function is searched as it comes.
            if (at == primes.end()) return std::vector<int>{};
            indices.push_back(static_cast<int>(at - primes.begin()));
        }
        std::sort(indices.begin(), indices.end());
        return indices;
    };
    // Any minimum cover will do: the function's own tie-break chooses the written one. So the
    // choice skipped here is not one cut short.
    options.choiceWork = 0;
    const long cutShort = stats != nullptr ? stats->choiceCutShort : 0;
    try {
        const auto chosen =
            solveCover(coverProblemOf(form->function, formPrimes, false), deadline, options, stats);
        if (stats != nullptr) stats->choiceCutShort = cutShort;
        if (!chosen) return std::nullopt;
        auto known = mapped(*chosen);
        if (known.empty()) return std::nullopt;
        return known;
    } catch (const TooHard& tooHard) {
        throw TooHard(tooHard.what(), mapped(tooHard.bestCover()), tooHard.lowerBound(),
                      tooHard.literalBound(), tooHard.costProven());
    }
}

// The solve of the function's cover problem. A function not settled within kDirectNodes gets its
// minimum cost from the canonical form and is solved again knowing it, so that only the choice
// among equal minima, with its fixed work budget, depends on how its inputs are arranged.
std::optional<std::vector<int>> solveFunction(const Function& function,
                                              const std::vector<Cube>& primes, Deadline deadline,
                                              const SolveOptions& options, SolveStats* stats,
                                              bool useKnown) {
    CoverProblem problem = coverProblemOf(function, primes, useKnown);
    // A caller's own node limit, and a minimum known already, keep the single search.
    if (!useKnown || !problem.knownMinimum.empty() || options.nodeLimit >= 0) {
        return solveCover(problem, deadline, options, stats);
    }
    SolveOptions direct = options;
    direct.nodeLimit = kDirectNodes;
    try {
        return solveCover(problem, deadline, direct, stats);
    } catch (const TooHard& tooHard) {
        if (stopped(deadline, options)) throw;
        // Stopped in the choice: the minimum is proven already.
        if (tooHard.costProven()) problem.knownMinimum = tooHard.bestCover();
    }
    if (problem.knownMinimum.empty()) {
        if (auto known = canonicalMinimum(function, primes, deadline, options, stats)) {
            problem.knownMinimum = std::move(*known);
        }
    }
    return solveCover(problem, deadline, options, stats);
}

std::vector<Cube> search(const Function& function, Deadline deadline, SolveOptions options,
                         SolveStats* stats, bool useKnown) {
    // Every minimum cover is made of primes: a non-prime product grows into a prime with fewer
    // literals.
    const std::vector<Cube> primes = primeImplicants(function);
    // Primes come in the output order, so the solver's index tie-break is the order of codes.
    const auto chosen = solveFunction(function, primes, deadline, options, stats, useKnown);
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
        const auto chosen = solveFunction(function, primes, deadline, options, nullptr, true);
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
