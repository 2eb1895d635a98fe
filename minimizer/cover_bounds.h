#pragma once

// Lower bounds on what covering a node's open rows costs, for the count and for the literals
// separately: rows that share no candidate each need their own candidate (a packing); any k
// candidates have at least the literals of the cheapest k; a Lagrangian relaxation improved by
// subgradient steps, which comes close to the linear-programming bound and so prunes far more
// on dense problems with large cyclic cores (its reduced costs also fix and guide); and the
// exact linear-programming relaxation itself (covering_lp.h), dearer, used near the top.

#include <vector>

#include "minimizer/cover_node.h"
#include "minimizer/cover_solver.h"
#include "minimizer/covering_lp.h"

namespace qm::covering {

// The open part of a node in compact form for the Lagrangian bound: open rows numbered
// 0..rows-1 and each active candidate's list of them.
struct Compact {
    std::vector<int> rows;   // row number of each compact row
    std::vector<int> start;  // candidate i's rows are entries[start[i] .. start[i+1])
    std::vector<int> entries;
    std::vector<int> rowStart;  // row r's candidates are rowEntries[rowStart[r] .. rowStart[r+1])
    std::vector<int> rowEntries;
};

// Fills `compact` (its storage reused) with the node's open rows and the active candidates'
// open rows `reach`.
void makeCompact(const Node& node, const std::vector<logic::RowSet>& reach, Compact& compact);

class Bounds {
public:
    Bounds(const CoverProblem& problem, const SolveOptions& options, Deadline deadline,
           SolveStats& stats)
        : problem_(problem), options_(options), deadline_(deadline), stats_(stats) {}

    int roundUp(double bound) const { return covering::roundUp(bound, options_.slack); }

    // Rows no two of which share a candidate each need their own candidate. Rows with few
    // candidates are taken first; the first of them is also the row to branch on.
    Cost packing(const Node& node, const std::vector<logic::RowSet>& reach, int& branchRow) const;

    // The fewest literals `count` distinct active candidates have together.
    int fewestLiterals(const Node& node, int count) const;

    // Lagrangian relaxation of the covering constraints: for multipliers u >= 0 on the open rows,
    // sum(u) + sum over candidates of min(0, weight - u over its rows) bounds the weight of any
    // cover from below. Subgradient steps towards `target` (the weight a cover would have to
    // beat) improve u; `u` comes in as a warm start and leaves as the best multipliers found,
    // `reduced` as their reduced costs. Stops early once the bound reaches `target`.
    double lagrangian(const Node& node, const Compact& compact, const std::vector<double>& weights,
                      Multipliers& u, int iterations, int target, std::vector<double>& reduced);

    // The exact relaxation of covering `open` with the candidates' rows `reach` at `weights`.
    // Throws OutOfTime once the deadline passes.
    CoveringLp relaxation(const logic::RowSet& open, const std::vector<logic::RowSet>& reach,
                          const std::vector<double>& weights);

    // Whether the exact relaxation proves that no cover through the node is cheaper than
    // `limit`.
    bool relaxationExceeds(const Node& node, const std::vector<logic::RowSet>& reach,
                           const Cost& limit);

    // The literal shift (CoverSearch::shiftLiterals) that lifts the exact relaxation's literal
    // bound most for covers of exactly `count` more candidates: the bound with shift s is the
    // relaxation at literals + s less s times `count`, concave in s, so the walk from 0 goes
    // the way it rises until it stops. `lp` receives the relaxation at the shift returned.
    // 0 when no shift lifts the bound.
    int countShift(const Node& node, const std::vector<logic::RowSet>& reach, int count,
                   CoveringLp& lp);

private:
    const CoverProblem& problem_;
    const SolveOptions& options_;
    Deadline deadline_;
    SolveStats& stats_;
};

}  // namespace qm::covering
