#include "minimizer/cover_tie_break.h"

#include <algorithm>

namespace qm::covering {

using logic::Cube;
using logic::RowSet;
namespace {

// Each question (does some minimum cover with the decisions so far hold the next candidate?) is
// answered, cheapest first, by the witness (a known minimum cover with those decisions) holding
// it, by a trade of one witness candidate for it, by the bounds and reduced-cost fixing at the
// node, by a short search, and last by the exact relaxation and a full search. Every yes gives
// a new witness. Since each question only asks whether a minimum cover with given decisions
// exists, the symmetry the searches use (which keeps the minimum cost) cannot change an answer.

// A minimum cover that holds `column` and keeps the node's decisions, made from the witness by
// trading one of its undecided candidates for `column`; empty when no such trade covers the open
// rows at the minimum cost (a search from the node would accept what it returns). Symmetric
// problems answer most tie-break questions this way, without a search.
std::vector<int> swappedWitness(const CoverSearch& search, const Node& node,
                                const std::vector<int>& witness, int column, const Cost& minimum) {
    const CoverProblem& problem = search.problem();
    std::vector<char> chosen(problem.columns.size(), 0), active(problem.columns.size(), 0);
    for (int c : node.chosen) chosen[c] = 1;
    for (int c : node.active) active[c] = 1;
    for (int c : witness) {
        if (!chosen[c] && !active[c]) return {};
    }
    for (int c : node.chosen) {
        if (std::find(witness.begin(), witness.end(), c) == witness.end()) return {};
    }
    const Cost cost = search.costOf(witness);
    for (std::size_t out = 0; out < witness.size(); ++out) {
        const int traded = witness[out];
        if (chosen[traded]) continue;
        if (cost.count > minimum.count ||
            cost.literals - problem.literals[traded] + problem.literals[column] >
                minimum.literals) {
            continue;
        }
        RowSet covered = problem.columns[column];
        for (std::size_t k = 0; k < witness.size(); ++k) {
            if (k != out) covered |= problem.columns[witness[k]];
        }
        if (!node.open.subsetOf(covered)) continue;
        std::vector<int> cover = witness;
        cover[out] = column;
        return cover;
    }
    return {};
}

}  // namespace

std::vector<int> preferredCover(CoverSearch& search, Node current, std::vector<RowSet> reach,
                                const Cost& minimum, std::vector<int> witness) {
    const SolveOptions& options = search.options();
    SolveStats& stats = search.stats();
    const long nodesBefore = stats.nodes;
    // The tie-break's own node starts from the multipliers the minimum search ended with.
    Duals duals = search.settledDuals;
    SettleMode own;  // the tie-break's own node keeps the preferred cover and offers none
    own.iterations = options.queryIterations;
    own.dominance = Dominance::kKeepPreferred;
    for (;;) {
        // Only minimum covers are wanted.
        search.limit = Cost{minimum.count, minimum.literals + 1};
        search.reduce(current, reach);
        if (current.open.empty()) break;
        ++stats.tieBreakQuestions;
        bool keep =
            std::find(witness.begin(), witness.end(), current.active.front()) != witness.end();
        if (!keep) {
            // Cheapest first: a trade in the witness, before the node is settled.
            std::vector<int> swapped =
                swappedWitness(search, current, witness, current.active.front(), minimum);
            if (!swapped.empty()) {
                keep = true;
                witness = std::move(swapped);
            }
        }
        Settled state;
        if (!keep) {
            const Outcome outcome = search.settle(current, duals, own, state);
            if (outcome == Outcome::kCovered) break;
            if (outcome == Outcome::kPruned) {
                // Cannot happen while the witness stands; should rounding ever prune it, the
                // witness is still a minimum cover.
                current.chosen = witness;
                break;
            }
            reach = state.reach;
            keep =
                std::find(witness.begin(), witness.end(), current.active.front()) != witness.end();
        }
        const int column = current.active.front();
        Node trial = current;
        search.include(trial, column, reach.front());
        if (!keep) {
            // Most questions are answered yes by a short search; a no needs a proof, which the
            // relaxation often gives at once.
            ++stats.tieBreakSearches;
            SearchRun quick;
            quick.goal = Goal::kFirstBelowLimit;
            quick.nodeBudget = options.quickQueryNodes;
            search.search(trial, search.settledDuals, Effort::kQuery, Cost{}, quick);
            bool found = quick.found;
            if (!found && quick.budgetSpent && search.relaxationAllows(trial)) {
                SearchRun full;
                full.goal = Goal::kFirstBelowLimit;
                search.search(trial, search.settledDuals, Effort::kQuery, Cost{}, full);
                found = full.found;
            }
            if (found) {
                keep = true;
                witness = search.best;
            }
        }
        if (keep) {
            current = std::move(trial);
        } else {
            current.active.erase(current.active.begin());
        }
    }
    stats.tieBreakNodes += stats.nodes - nodesBefore;
    std::sort(current.chosen.begin(), current.chosen.end());
    return current.chosen;
}

}  // namespace qm::covering
