#pragma once

// The branch and bound over a covering problem's candidates: reductions, settling a node with
// the bounds, branching with orbits, and the covers found on the way. The solver (cover_solver.cpp)
// drives it to the minimum cost, the tie-break (cover_tie_break.cpp) to the documented cover.

#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "minimizer/cover_bounds.h"
#include "minimizer/cover_node.h"
#include "minimizer/cover_orbits.h"
#include "minimizer/cover_solver.h"

namespace qm::covering {

// Which dominated candidates a reduction drops.
enum class Dominance {
    // Only those whose dominator also wins the tie-break: the preferred minimum stays.
    kKeepPreferred,
    // Whatever is dominated: some cheapest cover stays, which is all a search needs.
    kAnyCheapest,
};

// What one search wants.
enum class Goal {
    kCheapest,         // lower the limit as far as it goes
    kFirstBelowLimit,  // stop at the first cover below the limit (a tie-break question)
};

// How far the Lagrangian bound is improved at a node, by where the node is.
enum class Effort {
    kRoot,   // a minimum search's start; its multipliers also start the tie-break
    kQuery,  // a tie-break question's start
    kNode,   // below a start
};

// One call of the search: what it wants, how many nodes it may visit, and what it found.
struct SearchRun {
    static constexpr long kUnlimited = -1;
    Goal goal = Goal::kCheapest;
    long nodeBudget = kUnlimited;  // nodes it may still visit
    long workLimit = kUnlimited;   // SolveStats::work past which it visits no more nodes
    bool budgetSpent = false;      // whether it stopped for the budget
    bool found = false;            // whether it found a cover below the limit
    SymmetryUse symmetryUse() const {
        return nodeBudget == kUnlimited ? SymmetryUse::kAllowed : SymmetryUse::kNotInThisSearch;
    }
};

// How to settle a node besides reducing and bounding it.
struct SettleMode {
    int iterations = 0;       // Lagrangian steps
    bool keepsDuals = false;  // keep the multipliers it ends with as settledDuals
    bool exactBound = false;  // the exact relaxation bounds the node too (once)
    Dominance dominance = Dominance::kAnyCheapest;
    // The search that receives the greedy covers found on the way; none for the tie-break's own
    // node, whose limit must stay just above the minimum.
    SearchRun* run = nullptr;
};

enum class Outcome { kPruned, kCovered, kOpen };

// A settled open node.
struct Settled {
    std::vector<logic::RowSet> reach;  // open rows of each active candidate
    std::vector<double> countReduced;  // their reduced costs in the count relaxation
    int row = 0;                       // the row to branch on
    Cost bound;                        // what covering the open rows costs at least
};

class CoverSearch {
public:
    CoverSearch(const CoverProblem& problem, Deadline deadline, const SolveOptions& options,
                SolveStats& stats);

    const CoverProblem& problem() const { return problem_; }
    const SolveOptions& options() const { return options_; }
    SolveStats& stats() { return stats_; }
    Bounds& bounds() { return bounds_; }

    // Applies the reductions until none applies. `reach` receives, for each remaining active
    // candidate, the open rows it covers. Returns false when an open row has no candidate left.
    bool reduce(Node& node, std::vector<logic::RowSet>& reach,
                Dominance dominance = Dominance::kKeepPreferred);
    void include(Node& node, int column, const logic::RowSet& rows) const;

    // Reduces the node and applies the bounds and reduced-cost fixing until nothing changes.
    // Returns kPruned when no cover below the limit can follow from it, kCovered when it covers
    // every row, and kOpen otherwise, with `state` describing the open node.
    Outcome settle(Node& node, Duals& duals, const SettleMode& mode, Settled& state);

    // Searches below the node for covers cheaper than the limit. `floor` is the highest cost
    // bound of the ancestors: once the limit falls to it, the whole subtree of that ancestor,
    // this node included, holds nothing cheaper.
    void search(Node node, Duals duals, Effort effort, Cost floor, SearchRun& run);

    // Whether the exact relaxation leaves room for a cover through the node below the limit.
    bool relaxationAllows(Node node);
    int literalShiftValue() const { return literalShift_; }
    // Offers the cover rounded from the relaxation's solution `lp` at the node.
    void coverFromRelaxation(const Node& node, const std::vector<logic::RowSet>& reach,
                             const CoveringLp& lp);
    // Offers the covers found by diving along the relaxation from the node. With
    // `literalShift`, the relaxation is the literal one coupled with the limit's count (each
    // candidate weighing its literals plus the shift) and the dive looks for fewer literals.
    void diveAlongRelaxation(Node node, std::vector<logic::RowSet> reach, CoveringLp lp,
                             std::optional<int> literalShift = std::nullopt);

    // The cover moved onto the node: its candidates the node has chosen or keeps active, and for
    // each one the reductions dropped, the first active candidate that covers its open rows at
    // no more literals (what dropped it). Empty when the result does not cover the open rows at
    // the cover's cost (a cover of minimum cost that keeps the node's decisions always moves).
    std::vector<int> coverWithin(const Node& node, const std::vector<int>& cover) const;
    Cost costOf(const std::vector<int>& cover) const;
    // Makes the cover the best when it is cheaper than the limit; returns whether it was.
    bool offer(const std::vector<int>& cover);
    // Whether candidate a comes before b in the tie-break: fewer literals, then lower index.
    bool better(int a, int b) const {
        const int la = problem_.literals[a], lb = problem_.literals[b];
        return la < lb || (la == lb && a < b);
    }

    // Only covers cheaper than this are wanted.
    Cost limit{std::numeric_limits<int>::max(), 0};
    // The cheapest cover found; always a valid cover once the greedy start is made.
    std::vector<int> best;
    // The count every cover is proven to need; with `best`, what a caller gets when time runs
    // out.
    int lowerBound = 0;
    // The multipliers the last minimum search's root ended with.
    Duals settledDuals;

    // Couples the literal bound with the proven count: a cover cheaper than the limit through a
    // node whose count bound fills the room has exactly that many more candidates, so adding
    // `shift` to every candidate's literals adds shift times that count to its weight, which the
    // bound takes back. A shift is a Lagrangian multiplier of that count; the exact relaxation
    // picks it (cover_bounds.h). 0 leaves the literal bound as it was.
    void shiftLiterals(int shift);
    int literalShift() const { return literalShift_; }

private:
    // Whether a cover costing node.cost + bound could still be cheaper than the limit.
    bool worthExploring(const Node& node, const Cost& bound) const {
        const int countRoom = limit.count - node.cost.count;
        return bound.count < countRoom ||
               (bound.count == countRoom && bound.literals < limit.literals - node.cost.literals);
    }
    // A settled node's Lagrangian bounds and the room a cheaper cover has: at most `countRoom`
    // more candidates, and with exactly that many, fewer than `literalRoom` more literals.
    struct FixingBounds {
        double count = 0.0;
        const std::vector<double>* countReduced = nullptr;
        int countRoom = 0;
        bool literals = false;  // whether the literal bound applies
        double literalBound = 0.0;
        const std::vector<double>* literalReduced = nullptr;
        int literalRoom = 0;
    };
    // Takes or leaves out the candidates the bounds decide alone; returns whether any.
    bool fixByReducedCosts(Node& node, const std::vector<logic::RowSet>& reach,
                           const FixingBounds& fixing);
    void completeGreedily(const Node& node, const std::vector<logic::RowSet>& reach,
                          const std::vector<double>& reduced, SearchRun& run);
    int iterationsFor(Effort effort) const;

    const CoverProblem& problem_;
    Deadline deadline_;
    const SolveOptions& options_;
    SolveStats& stats_;
    Bounds bounds_;
    Orbits orbits_;
    std::vector<double> unit_;
    std::vector<double> literalWeights_;
    int literalShift_ = 0;
    std::vector<double> shiftedWeights_;       // literalWeights_ plus literalShift_
    std::array<std::vector<int>, 256> byRow_;  // scratch for the dominance test
};

}  // namespace qm::covering
