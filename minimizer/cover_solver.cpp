#include "minimizer/cover_solver.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <limits>
#include <numeric>

#include "minimizer/cover_search.h"
#include "minimizer/cover_tie_break.h"
#include "minimizer/cut_bound.h"

namespace qm {

using logic::Cube;
using logic::RowSet;

namespace {

using namespace covering;

// The search driver. After the reductions at the root (cover_search.cpp), independent parts of
// the problem (no candidate in common) are solved on their own. Then two phases:
//
// Phase one, the minimum cost. The minimum count is searched bound first: the exact
// linear-programming bound at the root gives the lowest count a cover may have, and the search
// asks for a cover of exactly that many candidates, raising the count one at a time when none
// exists. A tight target prunes far more than a loose greedy limit, and covers rounded from the
// relaxation's solution, or found by diving along it, often reach the bound before any search.
// Random-like problems are settled faster still by the plain search from a greedy limit, so it
// gets a short try first (SolveOptions::plainSearchNodes). The search branches with orbits
// (cover_orbits.cpp): it finds the same minimum cost as without symmetry.
//
// Phase two, the tie-break (cover_tie_break.cpp): the candidates are decided in index order,
// each included exactly when some minimum cover with all earlier decisions contains it.

// Rows plus twice the candidates (the tableau's rows with the bounds x <= 1) past which the
// relaxation with cuts is not tried: its dense tableau's pivots cost that size squared.
constexpr std::size_t kLargestCutProblem = 600;

double millisecondsSince(std::chrono::steady_clock::time_point& mark) {
    const auto now = std::chrono::steady_clock::now();
    const double elapsed = std::chrono::duration<double, std::milli>(now - mark).count();
    mark = now;
    return elapsed;
}

// The fewest literals `count` of the candidates can have: a bound for a cover of that count.
int fewestLiterals(std::vector<int> literals, int count) {
    std::sort(literals.begin(), literals.end());
    count = std::clamp(count, 0, static_cast<int>(literals.size()));
    return std::accumulate(literals.begin(), literals.begin() + count, 0);
}

class Solver {
public:
    Solver(const CoverProblem& problem, Deadline deadline, const SolveOptions& options,
           SolveStats& stats)
        : problem_(problem),
          deadline_(deadline),
          options_(options),
          stats_(stats),
          search_(problem, deadline, options, stats) {}

    std::optional<std::vector<int>> solve();

private:
    std::optional<std::vector<int>> run();
    std::optional<std::vector<int>> solveParts(const Node& root, const std::vector<RowSet>& reach);
    // A cover by taking the candidate that covers most open rows, for the first limit.
    void greedyStart(const Node& root, const std::vector<RowSet>& reach);
    // Phase one: lowers the search's limit to the minimum cost, its best cover to one of that
    // cost, and its lower bound to the minimum count.
    void findMinimum(const Node& root, const std::vector<RowSet>& reach);
    bool cutsRuleOut(const Node& root, const std::vector<RowSet>& reach, int count);
    bool literalCutsRuleOut(const Node& root, const std::vector<RowSet>& reach, const Cost& limit);
    bool probingRulesOut(const Node& root, const Cost& below,
                         const std::function<bool(const Node&)>& allows = {});

    // Finds a cover of the cost of the minimum known in advance, as phase one would; false
    // (the search left as it was) when it finds none, which a damaged known cover could cause.
    bool reachKnownMinimum(const Node& root, const std::vector<RowSet>& reach);
    // Multipliers to start from: each row's share of its cheapest candidate.
    Duals startingDuals(const Node& root, const std::vector<RowSet>& reach) const;

    // The work limit of a search that gives way to a shortcut once it passes probeAfterWork.
    long workLimitAfterSearch() const {
        // Negative: the shortcut straight away (any limit below the work done so far).
        return options_.probeAfterWork < 0 ? std::numeric_limits<long>::min()
                                           : stats_.work() + options_.probeAfterWork;
    }

    // What a cover of `count` candidates was proven to cost in literals at least.
    int literalBound(int count) const;

    const CoverProblem& problem_;
    Deadline deadline_;
    const SolveOptions& options_;
    SolveStats& stats_;
    CoverSearch search_;
    // The root after its reductions: what a caller is told is proven when time runs out.
    Cost rootCost_;
    std::vector<int> rootLiterals_;  // of the candidates still undecided there
    // The cost of the minimum known in advance, while it is trusted.
    std::optional<Cost> knownCost_;
    // The proven count and what the literal bound coupled with it gives at the root.
    std::optional<Cost> coupledBound_;
    // Set once phase one is done: the minimum cost and a cover of it.
    std::optional<Cost> minimum_;
    std::vector<int> minimumCover_;
};

int Solver::literalBound(int count) const {
    if (minimum_ && minimum_->count == count) return minimum_->literals;
    if (knownCost_ && knownCost_->count == count) return knownCost_->literals;
    const int cheapest =
        rootCost_.literals + fewestLiterals(rootLiterals_, count - rootCost_.count);
    if (coupledBound_ && coupledBound_->count == count) {
        return std::max(cheapest, coupledBound_->literals);
    }
    return cheapest;
}

std::optional<std::vector<int>> Solver::solve() {
    try {
        return run();
    } catch (const OutOfTime&) {
        // In the tie-break the cost is proven: answer with the cover phase one ended with.
        std::vector<int> cover = minimum_ ? minimumCover_ : search_.best;
        // A minimum known in advance that the search has not reached yet is the best cover known.
        if (!minimum_ && knownCost_ && *knownCost_ < search_.costOf(cover)) {
            cover = problem_.knownMinimum;
        }
        std::sort(cover.begin(), cover.end());
        const int count = static_cast<int>(cover.size());
        const int bound = minimum_ ? minimum_->count : search_.lowerBound;
        throw TooHard("no minimum found in time", std::move(cover), bound, literalBound(count),
                      minimum_.has_value());
    }
}

// Splits the open rows into parts that share no candidate and solves each part as a problem of
// its own: the minimum is the sum of the parts' minima, and the tie-break, decided candidate by
// candidate in index order, never couples two parts either.
std::optional<std::vector<int>> Solver::solveParts(const Node& root,
                                                   const std::vector<RowSet>& reach) {
    std::vector<RowSet> parts;
    std::vector<int> partOf(reach.size(), -1);
    {
        std::vector<char> placed(reach.size(), 0);
        for (std::size_t seed = 0; seed < reach.size(); ++seed) {
            if (placed[seed]) continue;
            RowSet rows = reach[seed];
            placed[seed] = 1;
            for (bool grew = true; grew;) {
                grew = false;
                for (std::size_t i = 0; i < reach.size(); ++i) {
                    if (!placed[i] && reach[i].intersects(rows)) {
                        rows |= reach[i];
                        placed[i] = 1;
                        grew = true;
                    }
                }
            }
            parts.push_back(rows);
        }
        for (std::size_t i = 0; i < reach.size(); ++i) {
            for (std::size_t p = 0; p < parts.size(); ++p) {
                if (reach[i].intersects(parts[p])) partOf[i] = static_cast<int>(p);
            }
        }
    }
    if (parts.size() < 2) return std::nullopt;

    // Each part's own problem, and a cheap cover of it for the answer when time runs out.
    std::vector<CoverProblem> problems(parts.size());
    std::vector<std::vector<int>> columnsOf(parts.size());
    for (std::size_t i = 0; i < reach.size(); ++i) {
        CoverProblem& part = problems[partOf[i]];
        part.columns.push_back(reach[i]);
        part.literals.push_back(problem_.literals[root.active[i]]);
        if (!problem_.cubes.empty()) {
            part.function = problem_.function;
            part.cubes.push_back(problem_.cubes[root.active[i]]);
        }
        columnsOf[partOf[i]].push_back(root.active[i]);
    }
    std::vector<std::vector<int>> answers(parts.size());
    std::vector<int> bounds(parts.size(), 1);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        problems[p].rows = parts[p];
        // A row of the part no other row shares a candidate with: at least one candidate each.
        answers[p] = {0};
        RowSet covered = problems[p].columns[0];
        while (!parts[p].subsetOf(covered)) {
            std::size_t pick = 0;
            int gain = 0;
            for (std::size_t i = 0; i < problems[p].columns.size(); ++i) {
                const int g = (problems[p].columns[i] - covered).count();
                if (g > gain) {
                    gain = g;
                    pick = i;
                }
            }
            answers[p].push_back(static_cast<int>(pick));
            covered |= problems[p].columns[pick];
        }
    }
    auto joined = [&]() {
        std::vector<int> cover = root.chosen;
        for (std::size_t p = 0; p < parts.size(); ++p) {
            for (int index : answers[p]) cover.push_back(columnsOf[p][index]);
        }
        std::sort(cover.begin(), cover.end());
        return cover;
    };
    // Small parts first: they are quick, and their exact answers leave less to guess.
    std::vector<std::size_t> order(parts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return problems[a].columns.size() < problems[b].columns.size();
    });
    for (std::size_t p : order) {
        try {
            ++stats_.parts;
            answers[p] = *Solver(problems[p], deadline_, options_, stats_).solve();
            bounds[p] = static_cast<int>(answers[p].size());
        } catch (const TooHard& tooHard) {
            if (!tooHard.bestCover().empty()) answers[p] = tooHard.bestCover();
            bounds[p] = tooHard.lowerBound();
            int bound = static_cast<int>(root.chosen.size());
            for (int b : bounds) bound += b;
            // The parts solved before are exact; a part not started yet has only its greedy
            // cover, so its literals are bounded by its cheapest candidates.
            int literals = root.cost.literals;
            bool started = false;
            for (std::size_t q : order) {
                const int count = static_cast<int>(answers[q].size());
                if (q == p) {
                    literals += tooHard.literalBound();
                    started = true;
                } else if (!started) {
                    for (int index : answers[q]) literals += problems[q].literals[index];
                } else {
                    literals += fewestLiterals(problems[q].literals, count);
                }
            }
            const bool lastPart = p == order.back();
            throw TooHard(tooHard.what(), joined(), bound, literals,
                          tooHard.costProven() && lastPart);
        }
    }
    return joined();
}

std::optional<std::vector<int>> Solver::run() {
    auto mark = std::chrono::steady_clock::now();
    Node root;
    root.open = problem_.rows;
    for (std::size_t i = 0; i < problem_.columns.size(); ++i) {
        root.active.push_back(static_cast<int>(i));
    }
    std::vector<RowSet> reach;
    if (!search_.reduce(root, reach)) return std::nullopt;
    if (root.open.empty()) {
        std::sort(root.chosen.begin(), root.chosen.end());
        return root.chosen;
    }
    rootCost_ = root.cost;
    for (int column : root.active) rootLiterals_.push_back(problem_.literals[column]);
    // The parts' own solves count their own phases. A minimum known in advance is a cost for the
    // whole problem, not for its parts.
    const bool known = !problem_.knownMinimum.empty();
    if (!known) {
        if (auto answer = solveParts(root, reach)) return answer;
    }
    greedyStart(root, reach);
    stats_.setupMs += millisecondsSince(mark);

    if (!known || !reachKnownMinimum(root, reach)) findMinimum(root, reach);
    stats_.minimumMs += millisecondsSince(mark);

    const Cost minimum = search_.limit;
    minimum_ = minimum;
    minimumCover_ = search_.best;
    std::vector<int> cover = preferredCover(search_, root, std::move(reach), minimum, search_.best);
    stats_.tieBreakMs += millisecondsSince(mark);
    return cover;
}

// An upper bound from a greedy cover makes the first search prune early.
void Solver::greedyStart(const Node& root, const std::vector<RowSet>& reach) {
    Node greedy = root;
    std::vector<RowSet> greedyReach = reach;
    while (!greedy.open.empty()) {
        std::size_t pick = 0;
        for (std::size_t i = 1; i < greedyReach.size(); ++i) {
            const int ci = greedyReach[i].count(), cp = greedyReach[pick].count();
            if (ci > cp || (ci == cp && search_.better(greedy.active[i], greedy.active[pick])))
                pick = i;
        }
        search_.include(greedy, greedy.active[pick], greedyReach[pick]);
        search_.reduce(greedy, greedyReach);
    }
    search_.limit = greedy.cost;
    search_.best = greedy.chosen;
}

bool Solver::reachKnownMinimum(const Node& root, const std::vector<RowSet>& reach) {
    const Cost known = search_.costOf(problem_.knownMinimum);
    // Proven in advance: what a caller is told should time run out before a cover reaches it.
    knownCost_ = known;
    search_.lowerBound = known.count;
    if (search_.limit == known) return true;
    if (search_.limit < known) {  // the known cover was not a minimum after all
        knownCost_.reset();
        search_.lowerBound = 0;
        return false;
    }
    // A target just above the known cost: the first cover below it is a minimum.
    const Cost upper = search_.limit;
    const std::vector<int> upperCover = search_.best;
    search_.limit = Cost{known.count, known.literals + 1};
    SearchRun find;
    find.goal = Goal::kFirstBelowLimit;
    // Should that search pass probeAfterWork, the known cover itself, moved onto the candidates
    // the root's reductions keep, serves instead: the search can take longer than the proof
    // did. Most searches end well before, with the cover they always found.
    find.workLimit = workLimitAfterSearch();
    search_.search(root, startingDuals(root, reach), Effort::kRoot, Cost{}, find);
    if (find.budgetSpent && !find.found) {
        if (std::vector<int> moved = search_.coverWithin(root, problem_.knownMinimum);
            !moved.empty()) {
            search_.limit = known;
            search_.best = std::move(moved);
            return true;
        }
        find = SearchRun{};
        find.goal = Goal::kFirstBelowLimit;
        search_.search(root, startingDuals(root, reach), Effort::kRoot, Cost{}, find);
    }
    if (!find.found || search_.limit < known) {  // as above
        knownCost_.reset();
        search_.lowerBound = 0;
        if (!find.found) {
            search_.limit = upper;
            search_.best = upperCover;
        }
        return false;
    }
    return true;
}

// Whether no cover of `count` candidates exists, shown by the count relaxation with cuts
// (cut_bound.h). Only for problems of a size where its dense tableau stays cheap.
bool Solver::cutsRuleOut(const Node& root, const std::vector<RowSet>& reach, int count) {
    const std::size_t size = static_cast<std::size_t>(root.open.count()) + 2 * reach.size();
    if (size > kLargestCutProblem) return false;
    try {
        const CutBound cut = countBoundWithCuts(root.open, reach, count - root.cost.count,
                                                deadline_, options_.cancelled);
        stats_.cutPivots += cut.pivots;
        return root.cost.count + search_.bounds().roundUp(cut.bound) > count;
    } catch (const TooHard&) {
        throw OutOfTime{};
    }
}

// Whether no cover of the limit's count has fewer literals than the limit, shown by the literal
// relaxation with that count and cuts.
bool Solver::literalCutsRuleOut(const Node& root, const std::vector<RowSet>& reach,
                                const Cost& limit) {
    const std::size_t size = static_cast<std::size_t>(root.open.count()) + 2 * reach.size();
    if (size > kLargestCutProblem) return false;
    std::vector<int> weights;
    for (int column : root.active) weights.push_back(problem_.literals[column]);
    const int room = limit.literals - root.cost.literals;  // what the open rows may take, plus 1
    try {
        const CutBound cut = boundWithCuts(root.open, reach, weights, limit.count - root.cost.count,
                                           room - 1, deadline_, options_.cancelled);
        stats_.cutPivots += cut.pivots;
        return search_.bounds().roundUp(cut.bound) >= room;
    } catch (const TooHard&) {
        throw OutOfTime{};
    }
}

// Whether no cover cheaper than `below` exists, shown by probing: each candidate in turn is
// taken, or left out, and a side whose relaxation costs too much is closed, which fixes the
// candidate for the candidates after it. Both sides closed rule out every such cover.
bool Solver::probingRulesOut(const Node& root, const Cost& below,
                             const std::function<bool(const Node&)>& allows) {
    const auto allowed = [&](const Node& node) {
        return allows ? allows(node) : search_.relaxationAllows(node);
    };
    // The limit the relaxations test against; the search's own comes back however this ends.
    struct Restore {
        Cost& limit;
        Cost saved;
        ~Restore() { limit = saved; }
    } restore{search_.limit, search_.limit};
    search_.limit = below;
    Node fixed = root;
    bool ruledOut = false;
    const long workLimit = stats_.work() + options_.probeWork;
    for (const int column : root.active) {
        if (stats_.work() > workLimit) break;
        const auto at = std::find(fixed.active.begin(), fixed.active.end(), column);
        if (at == fixed.active.end()) continue;
        Node out = fixed;
        out.active.erase(out.active.begin() + (at - fixed.active.begin()));
        Node in = out;
        search_.include(in, column, problem_.columns[column] & in.open);
        const bool inAllowed = allowed(in);
        const bool outAllowed = allowed(out);
        if (!inAllowed && !outAllowed) {
            ruledOut = true;
            break;
        }
        if (!inAllowed) {
            fixed = std::move(out);
        } else if (!outAllowed) {
            fixed = std::move(in);
        }
    }
    if (!ruledOut && stats_.work() <= workLimit) ruledOut = !allowed(fixed);
    return ruledOut;
}

Duals Solver::startingDuals(const Node& root, const std::vector<RowSet>& reach) const {
    Duals start;
    for (std::size_t i = 0; i < reach.size(); ++i) {
        const double size = reach[i].count();
        const double literals = problem_.literals[root.active[i]];
        reach[i].forEach([&](int row) {
            if (start.count[row] == 0.0 || 1.0 / size < start.count[row]) {
                start.count[row] = 1.0 / size;
            }
            if (start.literals[row] == 0.0 || literals / size < start.literals[row]) {
                start.literals[row] = literals / size;
            }
        });
    }
    return start;
}

void Solver::findMinimum(const Node& root, const std::vector<RowSet>& reach) {
    Bounds& bounds = search_.bounds();
    int packingRow = 0;
    search_.lowerBound = root.cost.count + bounds.packing(root, reach, packingRow).count;
    Duals start = startingDuals(root, reach);

    // Random-like problems are settled fastest by the plain search from the greedy limit, so it
    // gets a short try first. Past that, while the best cover is above the relaxation's bound,
    // look for covers near the bound, then search for a cover of the bound's count, raising it
    // one at a time.
    bool settled = false;  // whether a search already brought the literals down too
    if (options_.plainSearchNodes > 0) {
        SearchRun plain;
        plain.nodeBudget = options_.plainSearchNodes;
        search_.search(root, start, Effort::kRoot, Cost{}, plain);
        settled = !plain.budgetSpent;
    }
    Cost& limit = search_.limit;
    int& lowerBound = search_.lowerBound;
    if (!settled && limit.count > lowerBound) {
        const std::vector<double> unit(reach.size(), 1.0);
        const CoveringLp lp = bounds.relaxation(root.open, reach, unit);
        lowerBound = std::max(lowerBound, root.cost.count + bounds.roundUp(lp.bound));
        root.open.forEach([&](int row) { start.count[row] = lp.u[row]; });
        search_.coverFromRelaxation(root, reach, lp);
        if (limit.count > lowerBound) search_.diveAlongRelaxation(root, reach, lp);
    }
    while (!settled && limit.count > lowerBound) {
        const Cost upper = limit;
        const std::vector<int> upperCover = search_.best;
        limit = Cost{lowerBound, kAnyLiterals};
        SearchRun atBound;
        // One product short of the best cover, a search that has not settled the count within
        // probeAfterWork gives way to probing the relaxation, which often rules that count out
        // where the search would take millions of nodes. Failing that, the search starts over,
        // so that it ends as it would have without the probing.
        if (options_.probing && upper.count == lowerBound + 1) {
            atBound.workLimit = workLimitAfterSearch();
        }
        search_.search(root, start, Effort::kRoot, Cost{}, atBound);
        if (atBound.budgetSpent) {
            limit = upper;
            search_.best = upperCover;
            if (!atBound.found && options_.cuts && cutsRuleOut(root, reach, lowerBound)) {
                ++stats_.cutsClosed;
                ++lowerBound;
                continue;
            }
            if (!atBound.found && probingRulesOut(root, Cost{lowerBound, kAnyLiterals})) {
                ++stats_.probesClosed;
                ++lowerBound;
                continue;
            }
            limit = Cost{lowerBound, kAnyLiterals};
            atBound = SearchRun{};
            search_.search(root, start, Effort::kRoot, Cost{}, atBound);
        }
        if (atBound.found) {
            settled = true;
            break;
        }
        limit = upper;
        search_.best = upperCover;
        ++lowerBound;
    }
    if (!settled) {
        // The count is settled; the fewest literals among covers of that count are still open.
        // Coupled with that count, the literal bound rises (CoverSearch::shiftLiterals); the
        // relaxation at the shift also gives the search its starting multipliers.
        const int literals = problem_.literals[root.active.front()];
        const bool sameLiterals = std::all_of(root.active.begin(), root.active.end(), [&](int c) {
            return problem_.literals[c] == literals;
        });
        if (!sameLiterals) {
            CoveringLp lp;
            const int room = limit.count - root.cost.count;
            const int shift = bounds.countShift(root, reach, room, lp);
            coupledBound_ =
                Cost{limit.count, root.cost.literals + bounds.roundUp(lp.bound - shift * room)};
            if (shift != 0) {
                search_.shiftLiterals(shift);
                root.open.forEach([&](int row) { start.literals[row] = lp.u[row]; });
            }
            // Covers rounded from that relaxation, and found by diving along it, often have
            // fewer literals than the count's search left.
            search_.coverFromRelaxation(root, reach, lp);
            search_.diveAlongRelaxation(root, reach, lp, shift);
        }
        // The literals too: a node is closed when the literal bound coupled with the count
        // leaves no room below the best cover.
        const int shift = search_.literalShiftValue();
        const auto coupled = [&](const Node& probe) {
            Node node = probe;
            std::vector<RowSet> nodeReach;
            if (!search_.reduce(node, nodeReach)) return false;
            if (node.open.empty()) return node.cost < limit;
            const int room = limit.count - node.cost.count;
            std::vector<double> weights;
            for (int column : node.active) weights.push_back(problem_.literals[column] + shift);
            const double bound = bounds.relaxation(node.open, nodeReach, weights).bound;
            return node.cost.literals + bounds.roundUp(bound - shift * room) < limit.literals;
        };
        // As for the count: a search past probeAfterWork gives way to the literal relaxation
        // with cuts and, when its best cover is by then one literal above the coupled bound, to
        // probing; either often shows that no cover has fewer. Failing that, the search starts
        // over and ends as it would have without them.
        const Cost upper = limit;
        const std::vector<int> upperCover = search_.best;
        SearchRun literalSearch;
        if ((options_.probing || options_.cuts) && coupledBound_) {
            literalSearch.workLimit = workLimitAfterSearch();
        }
        search_.search(root, start, Effort::kRoot, Cost{}, literalSearch);
        if (literalSearch.budgetSpent) {
            bool closed = false;
            if (options_.cuts && literalCutsRuleOut(root, reach, limit)) {
                ++stats_.cutsClosed;
                closed = true;
            } else if (options_.probing && limit.literals == coupledBound_->literals + 1 &&
                       probingRulesOut(root, limit, coupled)) {
                ++stats_.literalProbesClosed;
                closed = true;
            }
            if (!closed) {
                limit = upper;
                search_.best = upperCover;
                literalSearch = SearchRun{};
                search_.search(root, start, Effort::kRoot, Cost{}, literalSearch);
            }
        }
        search_.shiftLiterals(0);
    }
    lowerBound = limit.count;
}

}  // namespace

std::optional<std::vector<int>> solveCover(const CoverProblem& problem, Deadline deadline,
                                           const SolveOptions& options, SolveStats* stats) {
    SolveStats own;
    return Solver(problem, deadline, options, stats ? *stats : own).solve();
}

}  // namespace qm
