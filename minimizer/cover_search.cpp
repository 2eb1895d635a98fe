#include "minimizer/cover_search.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qm::covering {

using logic::Cube;
using logic::RowSet;

// Every node is first reduced: candidates that cover no open row are dropped, a row with a
// single candidate forces that candidate (essential), and a candidate whose open rows are a
// subset of another's is dropped when the other has no more literals and, on equal literals, a
// lower index. That last rule keeps the preferred optimum: swapping the dropped candidate for
// its dominator never costs more and wins the tie-break. Inside a search, which only needs some
// cheapest cover, the index matters only between candidates with the same open rows and
// literals: dropping whatever is dominated otherwise keeps far fewer candidates on problems whose
// primes mostly have equal literals, and it keeps the reductions closer to the function's
// symmetry (every candidate a symmetry maps onto a dropped one is dropped too). A row all of whose
// candidates also cover another open row leaves that other row nothing to ask for, so the other row
// is dropped.
//
// Then the bounds (cover_bounds.h), for the count and for the literals separately. Reduced
// costs fix candidates that every cheaper cover must include or leave out. The literal bound
// matters once the count bound meets the best count. Every cover needs at least the count proven
// so far (by the relaxation or by a search that found nothing below it), and any that many
// candidates have at least the literals of the cheapest that many: once the count is settled,
// that alone often bounds the literals exactly (symmetric functions, whose primes mostly have
// equal literals). A greedy cover guided by the reduced costs gives the search a good limit early.

CoverSearch::CoverSearch(const CoverProblem& problem, Deadline deadline,
                         const SolveOptions& options, SolveStats& stats)
    : problem_(problem),
      deadline_(deadline),
      options_(options),
      stats_(stats),
      bounds_(problem, options, deadline, stats),
      orbits_(problem) {
    unit_.assign(problem.columns.size(), 1.0);
    for (int literals : problem.literals) literalWeights_.push_back(literals);
}

void CoverSearch::shiftLiterals(int shift) {
    literalShift_ = shift;
    shiftedWeights_.clear();
    for (int literals : problem_.literals) shiftedWeights_.push_back(literals + shift);
}

int CoverSearch::iterationsFor(Effort effort) const {
    switch (effort) {
        case Effort::kRoot: return options_.rootIterations;
        case Effort::kQuery: return options_.queryIterations;
        case Effort::kNode: return options_.nodeIterations;
    }
    return options_.nodeIterations;
}

void CoverSearch::include(Node& node, int column, const RowSet& rows) const {
    node.chosen.push_back(column);
    node.cost.count += 1;
    node.cost.literals += problem_.literals[column];
    node.open -= rows;
}

bool CoverSearch::reduce(Node& node, std::vector<RowSet>& reach, Dominance dominance) {
    std::vector<char> dropped;
    for (;;) {
        reach.clear();
        std::size_t kept = 0;
        for (int column : node.active) {
            const RowSet rows = problem_.columns[column] & node.open;
            if (rows.empty()) continue;
            node.active[kept++] = column;
            reach.push_back(rows);
        }
        node.active.resize(kept);
        if (node.open.empty()) return true;

        RowSet once, twice;
        for (const RowSet& rows : reach) {
            twice |= once & rows;
            once |= rows;
        }
        if (!node.open.subsetOf(once)) return false;
        const RowSet essentialRows = once - twice;
        if (!essentialRows.empty()) {
            for (std::size_t i = 0; i < kept; ++i) {
                if (reach[i].intersects(essentialRows)) include(node, node.active[i], reach[i]);
            }
            continue;
        }

        // A dominator covers the first open row of the candidate it drops, so only the
        // candidates of that row are compared.
        node.open.forEach([&](int row) { byRow_[row].clear(); });
        for (std::size_t i = 0; i < kept; ++i) {
            reach[i].forEach([&](int row) { byRow_[row].push_back(static_cast<int>(i)); });
        }
        dropped.assign(kept, 0);
        bool any = false;
        for (std::size_t i = 0; i < kept; ++i) {
            const int column = node.active[i];
            for (int j : byRow_[reach[i].first()]) {
                if (static_cast<std::size_t>(j) == i) continue;
                if (dominance == Dominance::kKeepPreferred) {
                    if (!better(node.active[j], column)) continue;
                } else {
                    const int own = problem_.literals[column];
                    const int other = problem_.literals[node.active[j]];
                    if (other > own ||
                        (other == own && reach[i] == reach[j] && node.active[j] > column)) {
                        continue;
                    }
                }
                if (reach[i].subsetOf(reach[j])) {
                    dropped[i] = 1;
                    any = true;
                    break;
                }
            }
        }
        if (any) {
            std::size_t next = 0;
            for (std::size_t i = 0; i < kept; ++i) {
                if (!dropped[i]) node.active[next++] = node.active[i];
            }
            node.active.resize(next);
            continue;
        }

        // Row dominance: every candidate of row r also covers the rows in the intersection of
        // their row sets, so covering r covers those too and they need no covering of their
        // own. Of rows with the same candidates the lowest stays.
        RowSet redundant;
        node.open.forEach([&](int row) {
            if (redundant.test(row)) return;
            RowSet common = node.open;
            for (int i : byRow_[row]) common &= reach[i];
            common.reset(row);
            redundant |= common;
        });
        if (redundant.empty()) return true;
        node.open -= redundant;
    }
}

// A cheap cover from the node, guided by the relaxation: the candidates of negative reduced
// cost first, then whichever covers most open rows, then every candidate that turned out
// redundant dropped, most literals first. A cover cheaper than the limit becomes the new
// limit, which is what lets the search prune early.
void CoverSearch::completeGreedily(const Node& node, const std::vector<RowSet>& reach,
                                   const std::vector<double>& reduced, SearchRun& run) {
    std::vector<int> picked;
    RowSet covered;
    for (std::size_t i = 0; i < reach.size(); ++i) {
        if (reduced[i] < 0.0) {
            picked.push_back(static_cast<int>(i));
            covered |= reach[i];
        }
    }
    while (!node.open.subsetOf(covered)) {
        int pick = -1, gain = 0;
        for (std::size_t i = 0; i < reach.size(); ++i) {
            const int g = (reach[i] - covered).count();
            if (g > gain || (g == gain && g > 0 && reduced[i] < reduced[pick])) {
                pick = static_cast<int>(i);
                gain = g;
            }
        }
        picked.push_back(pick);
        covered |= reach[pick];
    }
    std::sort(picked.begin(), picked.end(), [&](int a, int b) {
        return problem_.literals[node.active[a]] > problem_.literals[node.active[b]];
    });
    std::vector<char> kept(picked.size(), 1);
    for (std::size_t k = 0; k < picked.size(); ++k) {
        RowSet others;
        for (std::size_t m = 0; m < picked.size(); ++m) {
            if (m != k && kept[m]) others |= reach[picked[m]];
        }
        if (node.open.subsetOf(others)) kept[k] = 0;
    }
    Cost cost = node.cost;
    std::vector<int> cover = node.chosen;
    for (std::size_t k = 0; k < picked.size(); ++k) {
        if (!kept[k]) continue;
        cost.count += 1;
        cost.literals += problem_.literals[node.active[picked[k]]];
        cover.push_back(node.active[picked[k]]);
    }
    if (cost < limit) {
        limit = cost;
        best = std::move(cover);
        run.found = true;
    }
}

Outcome CoverSearch::settle(Node& node, Duals& duals, const SettleMode& mode, Settled& state) {
    const int iterations = mode.iterations;
    std::vector<RowSet>& reach = state.reach;
    std::vector<double>& countReduced = state.countReduced;
    std::vector<double> literalReduced;
    Compact compact;
    int& row = state.row;
    Cost& bound = state.bound;  // what any cover of the open rows costs at least
    bool relaxed = false;
    for (;;) {
        if (!reduce(node, reach, mode.dominance)) return Outcome::kPruned;
        if (node.open.empty()) return Outcome::kCovered;
        // A cheaper cover needs at most `countRoom` more candidates, and when it needs exactly
        // that many, fewer than `literalRoom` more literals.
        const int countRoom = limit.count - node.cost.count;
        const int literalRoom = limit.literals - node.cost.literals;
        bound = bounds_.packing(node, reach, row);
        // Every cover is proven to need lowerBound candidates in all, and any `bound.count`
        // distinct candidates have at least the literals of the cheapest that many.
        bound.count = std::max(bound.count, lowerBound - node.cost.count);
        bound.literals = std::max(bound.literals, bounds_.fewestLiterals(node, bound.count));
        if (!worthExploring(node, bound)) return Outcome::kPruned;

        makeCompact(node, reach, compact);

        // Once the proven count fills the room and the literals decide, the count bound only has
        // to show that a node needs one candidate more: the multipliers handed down from the
        // parent mostly tell at once, and the literal bound does the real work. Not when the
        // active candidates all have the same literals (as in symmetric functions): the literal
        // bound then adds little to the count bound, which keeps every step.
        const int literals = problem_.literals[node.active.front()];
        const bool sameLiterals = std::all_of(node.active.begin(), node.active.end(), [&](int c) {
            return problem_.literals[c] == literals;
        });
        const bool countFilled =
            !sameLiterals && bound.count == countRoom && limit.literals != kAnyLiterals;
        const double countBound = bounds_.lagrangian(
            node, compact, unit_, duals.count,
            countFilled ? std::min(iterations, options_.filledCountIterations) : iterations,
            countRoom + 1, countReduced);
        if (bounds_.roundUp(countBound) > bound.count) {
            bound.count = bounds_.roundUp(countBound);
            bound.literals = std::max(bound.literals, bounds_.fewestLiterals(node, bound.count));
        }
        if (!worthExploring(node, bound)) return Outcome::kPruned;
        if (mode.run) completeGreedily(node, reach, countReduced, *mode.run);
        const bool tight = bound.count == countRoom;
        double literalBound = 0.0;
        if (tight && limit.literals != kAnyLiterals) {
            // Integer shifts keep the early stop's rounding exact.
            const int shifted = literalShift_ * countRoom;
            literalBound =
                bounds_.lagrangian(
                    node, compact, literalShift_ != 0 ? shiftedWeights_ : literalWeights_,
                    duals.literals, iterations, literalRoom + shifted, literalReduced) -
                shifted;
            bound.literals = std::max(bound.literals, bounds_.roundUp(literalBound));
        }
        if (mode.keepsDuals) settledDuals = duals;
        if (!worthExploring(node, bound)) return Outcome::kPruned;
        // Near the top the exact relaxation is worth its cost: it prunes whole subtrees that the
        // Lagrangian bound, still converging, lets through.
        if (mode.exactBound && !relaxed) {
            relaxed = true;
            if (bounds_.relaxationExceeds(node, reach, limit)) return Outcome::kPruned;
        }
        const FixingBounds fixing{
            countBound,   &countReduced,   countRoom,  tight && limit.literals != kAnyLiterals,
            literalBound, &literalReduced, literalRoom};
        if (!fixByReducedCosts(node, reach, fixing)) return Outcome::kOpen;
    }
}

// Reduced-cost fixing: a candidate whose inclusion (or exclusion) alone lifts a bound past the
// room is left out (or taken).
bool CoverSearch::fixByReducedCosts(Node& node, const std::vector<RowSet>& reach,
                                    const FixingBounds& fixing) {
    const std::vector<double>& countReduced = *fixing.countReduced;
    const std::vector<double>& literalReduced = *fixing.literalReduced;
    bool changed = false;
    std::vector<char> excluded(reach.size(), 0);
    std::vector<char> taken(reach.size(), 0);
    for (std::size_t i = 0; i < reach.size(); ++i) {
        const double dc = countReduced[i];
        if (bounds_.roundUp(fixing.count + std::abs(dc)) > fixing.countRoom ||
            (fixing.literals &&
             bounds_.roundUp(fixing.literalBound + std::abs(literalReduced[i])) >=
                 fixing.literalRoom)) {
            // The sign of the reduced cost tells which choice lifts the bound.
            const bool viaCount = bounds_.roundUp(fixing.count + std::abs(dc)) > fixing.countRoom;
            const double reducedCost = viaCount ? dc : literalReduced[i];
            if (reducedCost > 0.0) {
                excluded[i] = 1;
                changed = true;
            } else if (reducedCost < 0.0) {
                taken[i] = 1;
                changed = true;
            }
        }
    }
    if (!changed) return false;
    for (std::size_t i = 0; i < reach.size(); ++i) {
        if (taken[i]) include(node, node.active[i], reach[i]);
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < reach.size(); ++i) {
        if (!excluded[i]) node.active[next++] = node.active[i];
    }
    node.active.resize(next);
    return true;
}

void CoverSearch::search(Node node, Duals duals, Effort effort, Cost floor, SearchRun& run) {
    if (!(floor < limit)) return;
    if (deadline_ != Deadline::max() && std::chrono::steady_clock::now() > deadline_) {
        throw OutOfTime{};
    }
    if (options_.cancelled && options_.cancelled->load(std::memory_order_relaxed)) {
        throw OutOfTime{};
    }
    if (options_.nodeLimit >= 0 && stats_.nodes >= options_.nodeLimit) throw OutOfTime{};
    if (run.nodeBudget == 0 ||
        (run.workLimit != SearchRun::kUnlimited && stats_.work() > run.workLimit)) {
        run.budgetSpent = true;
        return;
    }
    if (run.nodeBudget > 0) --run.nodeBudget;
    ++stats_.nodes;
    Settled state;
    SettleMode mode;
    mode.iterations = iterationsFor(effort);
    mode.keepsDuals = effort == Effort::kRoot;
    // Near the top of a minimum search the exact relaxation is worth its cost.
    mode.exactBound = run.goal == Goal::kCheapest && node.depth < options_.relaxationDepth;
    mode.dominance = Dominance::kAnyCheapest;
    mode.run = &run;
    const Outcome outcome = settle(node, duals, mode, state);
    if (outcome == Outcome::kPruned) return;
    if (outcome == Outcome::kCovered) {
        if (node.cost < limit) {
            limit = node.cost;
            best = node.chosen;
            run.found = true;
        }
        return;
    }
    const std::vector<RowSet>& reach = state.reach;
    const std::vector<double>& countReduced = state.countReduced;
    const int row = state.row;
    const Cost bound = state.bound;

    // Branch on the row with the fewest candidates: the i-th branch takes its i-th candidate and
    // excludes the ones before it, so no cover is visited twice. Candidates with the lowest
    // reduced cost come first: they are the likeliest members of a cheap cover. With symmetry,
    // only the first candidate of each orbit gets a branch, and the branches after it exclude
    // the whole orbit (see cover_orbits.cpp).
    std::vector<int> candidates;
    for (std::size_t i = 0; i < reach.size(); ++i) {
        if (reach[i].test(row)) candidates.push_back(static_cast<int>(i));
    }
    std::sort(candidates.begin(), candidates.end(), [&](int a, int b) {
        if (countReduced[a] != countReduced[b]) return countReduced[a] < countReduced[b];
        return better(node.active[a], node.active[b]);
    });
    const std::vector<InputMap> maps = orbits_.mapsKeeping(node, row, run.symmetryUse());
    const std::vector<std::size_t> lead = orbits_.leads(node, row, candidates, maps);
    const bool symmetric = orbits_.usable(node, run.symmetryUse());
    std::vector<char> excluded(reach.size(), 0);
    floor =
        std::max(floor, Cost{node.cost.count + bound.count, node.cost.literals + bound.literals});
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (lead[k] != k) continue;
        const int pick = candidates[k];
        // A cover found meanwhile may have lowered the limit to this node's or an ancestor's
        // bound.
        if (!(floor < limit)) return;
        Node child;
        child.depth = node.depth + 1;
        child.open = node.open;
        child.chosen = node.chosen;
        child.cost = node.cost;
        include(child, node.active[pick], reach[pick]);
        excluded[pick] = 1;
        for (std::size_t i = 0; i < reach.size(); ++i) {
            if (!excluded[i]) child.active.push_back(node.active[i]);
        }
        // The child's maps need not fix the row: they only have to keep the child's state.
        child.scope = MapScope::kListed;
        child.maps = orbits_.childMaps(node, node.active[pick], maps, symmetric);
        search(std::move(child), duals, Effort::kNode, floor, run);
        if (run.goal == Goal::kFirstBelowLimit && run.found) return;
        for (std::size_t m = k + 1; m < candidates.size(); ++m) {
            if (lead[m] == k) excluded[candidates[m]] = 1;
        }
    }
}

Cost CoverSearch::costOf(const std::vector<int>& cover) const {
    Cost cost;
    for (int column : cover) {
        cost.count += 1;
        cost.literals += problem_.literals[column];
    }
    return cost;
}

std::vector<int> CoverSearch::coverWithin(const Node& node, const std::vector<int>& cover) const {
    const std::size_t columns = problem_.columns.size();
    std::vector<char> chosen(columns, 0), active(columns, 0);
    for (int c : node.chosen) chosen[c] = 1;
    for (int c : node.active) active[c] = 1;
    std::vector<int> moved = node.chosen;
    RowSet open = node.open;
    std::vector<int> dropped;
    for (int c : cover) {
        if (chosen[c]) continue;
        if (active[c]) {
            moved.push_back(c);
            open -= problem_.columns[c];
        } else {
            dropped.push_back(c);
        }
    }
    for (int c : dropped) {
        const RowSet rows = problem_.columns[c] & open;
        if (rows.empty()) continue;
        const auto dominator = std::find_if(node.active.begin(), node.active.end(), [&](int d) {
            return problem_.literals[d] <= problem_.literals[c] &&
                   rows.subsetOf(problem_.columns[d]);
        });
        if (dominator == node.active.end()) return {};
        moved.push_back(*dominator);
        open -= problem_.columns[*dominator];
    }
    std::sort(moved.begin(), moved.end());
    moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
    if (!open.empty() || costOf(moved) != costOf(cover)) return {};
    return moved;
}

bool CoverSearch::offer(const std::vector<int>& cover) {
    const Cost cost = costOf(cover);
    if (!(cost < limit)) return false;
    limit = cost;
    best = cover;
    return true;
}

bool CoverSearch::relaxationAllows(Node node) {
    std::vector<RowSet> reach;
    if (!reduce(node, reach)) return false;
    if (node.open.empty()) return node.cost < limit;
    return !bounds_.relaxationExceeds(node, reach, limit);
}

// Rounds the relaxation's solution: candidates by falling x (then the tie-break order) while
// they cover an open row, then each that turned out redundant dropped, smallest x first.
void CoverSearch::coverFromRelaxation(const Node& node, const std::vector<RowSet>& reach,
                                      const CoveringLp& lp) {
    std::vector<int> order(reach.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (lp.x[a] != lp.x[b]) return lp.x[a] > lp.x[b];
        return better(node.active[a], node.active[b]);
    });
    std::vector<int> picked;
    RowSet covered;
    for (int i : order) {
        if (node.open.subsetOf(covered)) break;
        if ((reach[i] - covered).empty()) continue;
        picked.push_back(i);
        covered |= reach[i];
    }
    std::vector<char> kept(picked.size(), 1);
    for (std::size_t k = picked.size(); k-- > 0;) {
        RowSet others;
        for (std::size_t m = 0; m < picked.size(); ++m) {
            if (m != k && kept[m]) others |= reach[picked[m]];
        }
        if (node.open.subsetOf(others)) kept[k] = 0;
    }
    std::vector<int> cover = node.chosen;
    for (std::size_t k = 0; k < picked.size(); ++k) {
        if (kept[k]) cover.push_back(node.active[picked[k]]);
    }
    offer(cover);
}

// Diving: takes the candidates the relaxation sets to 1 (or the largest one), reduces, solves the
// relaxation again, until every row is covered. `lp` is the relaxation of the node it starts
// from, whose rounded cover the caller has offered already.
void CoverSearch::diveAlongRelaxation(Node node, std::vector<RowSet> reach, CoveringLp lp,
                                      std::optional<int> literalShift) {
    for (;;) {
        int top = 0;
        for (std::size_t i = 1; i < reach.size(); ++i) {
            if (lp.x[i] > lp.x[top] + options_.slack) top = static_cast<int>(i);
        }
        for (std::size_t i = 0; i < reach.size(); ++i) {
            if (static_cast<int>(i) == top || lp.x[i] > 1.0 - options_.slack) {
                if (reach[i].intersects(node.open)) include(node, node.active[i], reach[i]);
            }
        }
        if (!reduce(node, reach)) return;
        if (node.open.empty()) break;
        if (node.cost.count >= limit.count) return;
        if (literalShift) {
            std::vector<double> weights;
            for (int column : node.active)
                weights.push_back(problem_.literals[column] + *literalShift);
            lp = bounds_.relaxation(node.open, reach, weights);
            const int room = limit.count - node.cost.count;
            const double bound = lp.bound - static_cast<double>(*literalShift) * room;
            if (node.cost.literals + bounds_.roundUp(bound) >= limit.literals) return;
        } else {
            lp = bounds_.relaxation(node.open, reach, std::vector<double>(reach.size(), 1.0));
            if (node.cost.count + bounds_.roundUp(lp.bound) > limit.count) return;
        }
        coverFromRelaxation(node, reach, lp);
    }
    offer(node.chosen);
}

}  // namespace qm::covering
