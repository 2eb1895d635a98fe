#include "minimizer/cover_tie_break.h"

#include <algorithm>

namespace qm::covering {

using logic::Cube;
using logic::RowSet;
namespace {

// Each question (does some minimum cover with the decisions so far hold the next candidate?) is
// answered, cheapest first, by the witness (a known minimum cover with those decisions) holding
// it, by a trade of one witness candidate for it, by the lex-leader test (below), by the bounds
// and reduced-cost fixing at the node, by a short search, and last by the exact relaxation and
// a full search. Every yes gives a new witness. The searches share a budget of work
// (SolveOptions::choiceWork); once it is spent, the witness and the trades answer alone. Since each
// question only asks whether a minimum cover with given decisions exists, the symmetry the searches
// use (which keeps the minimum cost) cannot change an answer.

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

// Whether the witness keeps the node's decisions: it holds every candidate chosen and otherwise
// only active ones.
bool keepsDecisions(const Node& node, const std::vector<int>& witness) {
    const auto has = [](const std::vector<int>& list, int c) {
        return std::find(list.begin(), list.end(), c) != list.end();
    };
    return std::all_of(node.chosen.begin(), node.chosen.end(),
                       [&](int c) { return has(witness, c); }) &&
           std::all_of(witness.begin(), witness.end(),
                       [&](int c) { return has(node.chosen, c) || has(node.active, c); });
}

// Isomorphism pruning in the style of Margot. The cover sought, L, comes first in index order
// among all minimum covers, so also among its images under the maps of the inputs that keep the
// function, its rows to cover and its candidates: for every such map g, at the first index
// where L and g(L) differ, L holds the candidate. The tie-break knows L in part: the candidates
// decided or taken so far are in it, those decided against or dropped by the reductions (which
// keep the preferred cover) are not. When a map shows that L with the next candidate would lose
// to its image at a position already known on both sides, L lacks that candidate, and the
// question is answered without a search.
class LexLeaderTest {
public:
    // At most this many maps are tried: enough for the symmetric functions' orbits to show,
    // few enough to cost a few milliseconds per question.
    static constexpr std::size_t kMaxMaps = 1024;

    explicit LexLeaderTest(const CoverProblem& problem) : problem_(problem) {}

    // Whether L cannot hold `column`, given the node (its chosen candidates are in L, its active
    // ones undecided, every other one out of L).
    bool excludes(const Node& node, int column) {
        if (!ready_) prepare();
        if (maps_.empty()) return false;
        std::fill(state_.begin(), state_.end(), kOut);
        for (int c : node.active) state_[c] = kUnknown;
        for (int c : node.chosen) state_[c] = kIn;
        state_[column] = kIn;
        const int n = static_cast<int>(state_.size());
        // A map h stands for g = h^-1, which is in the group too: g(L) holds j exactly when L
        // holds h(j).
        for (const std::vector<std::int16_t>& image : maps_) {
            for (int j = 0; j < n; ++j) {
                const char own = state_[j], other = state_[image[j]];
                if (own == kUnknown || other == kUnknown) break;
                if (own == other) continue;
                if (own == kOut) return true;  // g(L) comes first: L is not the cover sought
                break;                         // L comes first
            }
        }
        return false;
    }

private:
    static constexpr char kOut = 0, kIn = 1, kUnknown = 2;

    void prepare() {
        ready_ = true;
        if (problem_.cubes.empty()) return;
        state_.assign(problem_.columns.size(), kOut);
        std::vector<std::int16_t> columnOf(std::size_t{1} << 16, -1);
        for (std::size_t i = 0; i < problem_.cubes.size(); ++i) {
            const Cube& cube = problem_.cubes[i];
            columnOf[static_cast<std::size_t>(cube.free) << 8 | cube.value] =
                static_cast<std::int16_t>(i);
        }
        for (const InputMap& map : automorphisms(problem_.function, kMaxMaps)) {
            if (map.isIdentity()) continue;
            bool kept = true;
            problem_.rows.forEach([&](int r) { kept = kept && problem_.rows.test(map.row(r)); });
            std::vector<std::int16_t> image(problem_.cubes.size());
            for (std::size_t i = 0; kept && i < problem_.cubes.size(); ++i) {
                const Cube to = map.cube(problem_.cubes[i]);
                image[i] = columnOf[static_cast<std::size_t>(to.free) << 8 | to.value];
                kept = image[i] >= 0;
            }
            if (kept) maps_.push_back(std::move(image));
        }
    }

    const CoverProblem& problem_;
    bool ready_ = false;
    std::vector<std::vector<std::int16_t>> maps_;  // each map as the candidates' images
    std::vector<char> state_;
};

}  // namespace

std::vector<int> preferredCover(CoverSearch& search, Node current, std::vector<RowSet> reach,
                                const Cost& minimum, std::vector<int> witness) {
    const SolveOptions& options = search.options();
    SolveStats& stats = search.stats();
    const long nodesBefore = stats.nodes;
    const long workBefore = stats.work();
    const long workLimit = workBefore + options.choiceWork;
    // The tie-break's own node starts from the multipliers the minimum search ended with.
    Duals duals = search.settledDuals;
    SettleMode own;  // the tie-break's own node keeps the preferred cover and offers none
    own.iterations = options.queryIterations;
    own.dominance = Dominance::kKeepPreferred;
    bool cutShort = false;  // whether the work ran out
    LexLeaderTest lexLeader(search.problem());
    for (;;) {
        // Only minimum covers are wanted.
        search.limit = Cost{minimum.count, minimum.literals + 1};
        search.reduce(current, reach);
        if (current.open.empty()) break;
        // The reductions may drop a candidate the witness holds, in favour of one as cheap that
        // covers its rows; the witness takes that one instead, or past the budget the rule
        // would decide by a cover the node no longer allows.
        if (!keepsDecisions(current, witness)) {
            if (std::vector<int> moved = search.coverWithin(current, witness); !moved.empty()) {
                witness = std::move(moved);
            }
        }
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
        if (!keep && !cutShort && stats.work() > workLimit) {
            cutShort = true;
            ++stats.choiceCutShort;
        }
        if (!keep && !cutShort && lexLeader.excludes(current, current.active.front())) {
            ++stats.lexLeaderNoes;
            current.active.erase(current.active.begin());
            continue;
        }
        if (!keep && cutShort) {
            // Past the budget the witness decides alone: it stays a minimum cover without the
            // candidate.
            current.active.erase(current.active.begin());
            continue;
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
            quick.workLimit = workLimit;
            search.search(trial, search.settledDuals, Effort::kQuery, Cost{}, quick);
            bool found = quick.found;
            if (!found && quick.budgetSpent && stats.work() <= workLimit &&
                search.relaxationAllows(trial)) {
                SearchRun full;
                full.goal = Goal::kFirstBelowLimit;
                full.workLimit = workLimit;
                search.search(trial, search.settledDuals, Effort::kQuery, Cost{}, full);
                found = full.found;
                if (full.budgetSpent) quick.budgetSpent = true;
            }
            if (!found && quick.budgetSpent && stats.work() > workLimit && !cutShort) {
                // Unanswered: the work is spent, and the witness, which lacks the candidate,
                // stays a minimum cover.
                cutShort = true;
                ++stats.choiceCutShort;
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
    stats.tieBreakWork += stats.work() - workBefore;
    std::sort(current.chosen.begin(), current.chosen.end());
    return current.chosen;
}

}  // namespace qm::covering
