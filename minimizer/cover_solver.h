#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "logic/function.h"
#include "logic/row_set.h"

namespace qm {

// A set-covering problem: choose candidates (columns) whose rows together hold every row of
// `rows`. A cover costs its number of candidates first, then the sum of their `literals`.
struct CoverProblem {
    logic::RowSet rows;                  // the rows that must be covered
    std::vector<logic::RowSet> columns;  // the rows each candidate covers
    std::vector<int> literals;           // each candidate's secondary cost, not negative
    // When the candidates are products of a function's inputs: the function and each candidate's
    // product, so that the search can skip branches that a symmetry of the function maps onto
    // branches it explores anyway. Without them the search uses no symmetry.
    logic::Function function;
    std::vector<logic::Cube> cubes;
    // A cover of minimum cost known in advance (candidate indices; empty when none is): the
    // search then only finds a cover of that cost among the candidates its reductions keep, and
    // goes on to the tie-break without proving the minimum again.
    std::vector<int> knownMinimum;
};

using Deadline = std::chrono::steady_clock::time_point;
// Set from another thread when the answer is no longer wanted: a search polls it where it checks
// its deadline and gives up as at the deadline.
using CancelFlag = std::atomic<bool>;

// Thrown when the search for a minimum passes its deadline. It carries the cheapest cover found
// so far (ascending candidate indices; empty when none was found), the number of candidates
// every cover was proven to need and, so that a caller may still answer with the right caveat,
// how far the proof got: the count is proven when the cover reaches the bound; then
// `literalBound` is what a cover of that count was proven to cost in literals, and
// `costProven` says the cover is of minimum cost and only the choice among equal minima was
// unfinished.
class TooHard : public std::runtime_error {
public:
    explicit TooHard(const std::string& what, std::vector<int> bestCover = {}, int lowerBound = 0,
                     int literalBound = 0, bool costProven = false)
        : std::runtime_error(what),
          bestCover_(std::move(bestCover)),
          lowerBound_(lowerBound),
          literalBound_(literalBound),
          costProven_(costProven) {}
    const std::vector<int>& bestCover() const { return bestCover_; }
    int lowerBound() const { return lowerBound_; }
    bool countProven() const {
        return !bestCover_.empty() && static_cast<int>(bestCover_.size()) == lowerBound_;
    }
    int literalBound() const { return literalBound_; }
    bool costProven() const { return costProven_; }

private:
    std::vector<int> bestCover_;
    int lowerBound_ = 0;
    int literalBound_ = 0;
    bool costProven_ = false;
};

// The search's tuning: every figure it was tuned with, and why. The defaults are what Qm.exe
// uses. The minimum cost never depends on them, only the time does; the choice among equal
// minima does only past `choiceWork` (below). The deadline never changes an answer given.
struct SolveOptions {
    // Search steps the plain branch and bound gets before the relaxation, the bound-first search
    // and the symmetry pruning take over (0: those from the start, as tests of them want).
    // Random-like charts are settled fastest by the plain search, dense ones never are.
    long plainSearchNodes = 500;
    // Subgradient steps of the Lagrangian bound at the root of a minimum search: its multipliers
    // are handed down the whole tree, so they are worth converging.
    int rootIterations = 300;
    // Steps below the root: the parent's multipliers are a warm start, a few steps mostly do.
    int nodeIterations = 30;
    // Steps for a tie-break question's node: between the two, it starts one search each.
    int queryIterations = 60;
    // Steps of the count bound once the proven count fills the room and the literal bound does
    // the real work: it only has to show that a node needs one candidate more.
    int filledCountIterations = 2;
    // Subgradient steps without progress before the step is halved.
    int staleIterations = 8;
    // Share of the last subgradient step in the next: damps rows taking turns at being over-
    // and under-covered.
    double deflection = 0.5;
    // The subgradient search stops once its step falls below this (it no longer moves).
    double minStep = 1e-3;
    // Guards the floating-point bounds against rounding: a bound of 3.0000001 still means 3.
    double slack = 1e-6;
    // Levels of a minimum search that the exact relaxation bounds too: below them its cost
    // outweighs what it prunes beyond the Lagrangian bound.
    int relaxationDepth = 1;
    // Search steps of a tie-break question's first, cheap try: most answers are yes and found
    // at once; a no needs a proof, which the relaxation usually gives.
    long quickQueryNodes = 64;
    // Work the tie-break may do in all (SolveStats::work; 100,000 is 0.2 to 1 s on a loaded
    // 2-core machine, and few charts need more). Within it the cover is the first
    // minimum cover in index order; past it each candidate left is taken only when the best
    // minimum cover known holds it, as it is or with one candidate traded for it. Counted in
    // steps, not time, so that the answer is the same on any machine and under any deadline.
    long choiceWork = 100000;
    // Set from another thread to call the search off, as the deadline does (none: only the
    // deadline stops it).
    const CancelFlag* cancelled = nullptr;
    // Search nodes after which the search stops as at the deadline (-1: no such limit), so that
    // tests can stop it at a point of their choice, whatever the machine's speed.
    long nodeLimit = -1;
    // One product short of the best cover, a search for a cover with that product fewer that
    // passes probeAfterWork gives way to probing every candidate in and out on the relaxation,
    // within probeWork (see cover_solver.cpp); so does the search for one literal fewer, and the
    // search for a cover of a minimum known in advance gives way to that cover itself (a
    // negative probeAfterWork: straight away, as tests of those shortcuts want).
    bool probing = true;
    // Before the probing, the count relaxation with cuts (cut_bound.h), as CBC's root does.
    bool cuts = true;
    long probeAfterWork = 200000;
    long probeWork = 3000000;
};

// What one solve did, collected on the way (counters and a clock read per phase, nothing that
// costs time) for benchmarks and tuning. Parts of a problem solved on their own add up.
struct SolveStats {
    long nodes = 0;                // search nodes settled, both phases
    long lpSolves = 0;             // exact linear-programming relaxations solved
    long boundCalls = 0;           // Lagrangian bounds computed
    long boundIterations = 0;      // their subgradient steps
    long parts = 0;                // independent parts solved as problems of their own
    long tieBreakQuestions = 0;    // candidates the tie-break decided
    long tieBreakSearches = 0;     // of those, the ones neither the witness nor a trade answered
    long tieBreakNodes = 0;        // search nodes the tie-break's questions took (part of nodes)
    long tieBreakWork = 0;         // the work (below) the tie-break did
    long lexLeaderNoes = 0;        // tie-break questions the lex-leader test answered no
    long choiceCutShort = 0;       // tie-breaks that reached choiceWork and finished by the rule
    long probesClosed = 0;         // product counts that probing the relaxation ruled out
    long cutsClosed = 0;           // counts and best covers' literals the cuts proved
    long cutPivots = 0;            // simplex pivots of the relaxations with cuts
    long literalProbesClosed = 0;  // best covers whose literals probing proved the fewest
    // Wall-clock milliseconds of each phase (one not finished by the deadline is not counted).
    double setupMs = 0.0;     // reductions at the root, the split into parts, the greedy cover
    double minimumMs = 0.0;   // phase one: the minimum cost and a cover that reaches it
    double tieBreakMs = 0.0;  // phase two: the documented cover among the minimum ones

    // The work done, in steps of the Lagrangian bound, where the search's time mostly goes: an
    // exact relaxation takes about as long as 10,000 of them, a node's reductions as 10, a pivot
    // of the relaxation with cuts as 20.
    long work() const { return boundIterations + 10000 * lpSolves + 10 * nodes + 20 * cutPivots; }
};

// An exact minimum-cost cover, returned as ascending candidate indices, or nothing when some
// row cannot be covered. Among covers of minimum cost the result is the one whose ascending
// index list comes first. Throws TooHard once `deadline` has passed or `options.cancelled` is set.
// `stats`, when given, receives what the solve did (added to what it holds).
std::optional<std::vector<int>> solveCover(const CoverProblem& problem,
                                           Deadline deadline = Deadline::max(),
                                           const SolveOptions& options = {},
                                           SolveStats* stats = nullptr);

}  // namespace qm
