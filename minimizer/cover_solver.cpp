#include "minimizer/cover_solver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <compare>
#include <cstdint>
#include <limits>
#include <map>
#include <numeric>

#include "minimizer/covering_lp.h"
#include "minimizer/symmetry.h"

namespace qm {

using logic::Cube;
using logic::RowSet;

namespace {

// Branch and bound over the candidates.
//
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
// Bounds, for the count and for the literals separately: rows that share no candidate each need
// their own candidate (a packing), and a Lagrangian relaxation improved by subgradient steps,
// which comes close to the linear-programming bound and so prunes far more on dense problems
// with large cyclic cores. Its reduced costs also fix candidates that every cheaper cover must
// include or leave out. The literal bound matters once the count bound meets the best count.
// Every cover needs at least the count proven so far (by the relaxation or by a search that
// found nothing below it), and any that many candidates have at least the literals of the
// cheapest that many: once the count is settled, that alone often bounds the literals exactly
// (symmetric functions, whose primes mostly have equal literals).
// A greedy cover guided by the reduced costs gives the search a good limit early.
//
// The minimum count is searched bound first: the exact linear-programming bound at the root
// gives the lowest count a cover may have, and the search asks for a cover of exactly that many
// candidates, raising the count one at a time when none exists. A tight target prunes far more
// than a loose greedy limit, and covers rounded from the relaxation's solution, or found by
// diving along it, often reach the bound before any search. Independent parts of the problem
// (no candidate in common) are solved on their own.
//
// Symmetry (orbital branching): a map of the inputs that leaves the function unchanged maps
// primes to primes with the same literals and covers to covers of the same cost. Let H be the
// maps that also keep a node's chosen candidates and its undecided (active) candidates as sets:
// each maps the node's covers (chosen, plus some active, covering every row) onto the node's
// covers. Branching on row r, the maps of H that fix r split r's candidates into orbits, and
// the i-th branch takes the first candidate of the i-th orbit, excluding every candidate of the
// orbits before it. That loses no cost: a cover of the node whose first orbit met is the i-th
// holds some candidate k of it, and a map g of H fixing r with g(k) = the orbit's first
// candidate takes that cover to one of the i-th branch (g keeps each orbit as a set, so the
// earlier orbits stay untouched), at the same cost. Any maps that keep a node's state will do,
// so a child starts from the maps that fix its branch's candidate (of H, or at the top of a
// search every automorphism that does), cut down to those that keep its own state after its
// reductions: the argument holds at every level. Reductions and fixing need no symmetry: they
// only have to keep some cheapest cover, and the maps are taken from the state they leave. The
// search thus
// finds the same minimum cost, and since the tie-break below only asks whether a minimum cover
// with given decisions exists, it picks the same cover as without symmetry.
//
// The tie-break is settled in a second phase once the minimum cost is known: the candidates are
// decided in index order, each included exactly when some minimum cover with all earlier
// decisions contains it. A known minimum cover (the witness) answers most of these questions
// without a search.

struct Cost {
    int count = 0;
    int literals = 0;
    friend auto operator<=>(const Cost&, const Cost&) = default;
};

constexpr int kRootIterations = 300;
constexpr int kNodeIterations = 30;
constexpr int kQueryIterations = 60;
constexpr int kFilledCountIterations = 2;  // for the count bound once the count is tight
constexpr int kStaleIterations = 8;        // halve the subgradient step after this many misses
constexpr double kDeflection = 0.5;        // share of the last subgradient step in the next
constexpr double kSlack = 1e-6;            // guards the floating-point bounds against rounding
constexpr int kRelaxationDepth = 1;        // levels of the search that also use the exact bound
constexpr long kQuickQueryNodes = 64;      // a tie-break question's first, cheap try
constexpr int kMaxLiterals = 8;            // literals of one candidate at most
// A limit on the count alone: any number of literals is accepted.
constexpr int kAnyLiterals = std::numeric_limits<int>::max();

int roundUp(double bound) {
    return static_cast<int>(std::ceil(bound - kSlack));
}

// The open part of a node in compact form for the Lagrangian bound: open rows numbered
// 0..rows-1 and each active candidate's list of them.
struct Compact {
    std::vector<int> rows;   // row number of each compact row
    std::vector<int> start;  // candidate i's rows are entries[start[i] .. start[i+1])
    std::vector<int> entries;
    std::vector<int> rowStart;  // row r's candidates are rowEntries[rowStart[r] .. rowStart[r+1])
    std::vector<int> rowEntries;
};

class Solver {
public:
    Solver(const CoverProblem& problem, Deadline deadline, const SolveOptions& options)
        : problem_(problem), deadline_(deadline), options_(options) {
        unit_.assign(problem.columns.size(), 1.0);
        for (int literals : problem.literals) literalWeights_.push_back(literals);
    }

    std::optional<std::vector<int>> solve();

private:
    struct Node {
        RowSet open;              // rows not yet covered
        std::vector<int> active;  // candidates still undecided, ascending
        std::vector<int> chosen;  // candidates included
        Cost cost;
        int depth = 0;  // levels below the search's start
        // The maps of the inputs the node may use to prune: every automorphism of the function
        // when `allMaps`, else `maps` (which always hold the identity when not empty).
        bool allMaps = true;
        std::vector<InputMap> maps;
    };
    using Multipliers = std::array<double, 256>;
    struct Duals {
        Multipliers count{};
        Multipliers literals{};
    };

    std::optional<std::vector<int>> solveParts(const Node& root, const std::vector<RowSet>& reach);
    void coverFromRelaxation(const Node& node, const std::vector<RowSet>& reach,
                             const CoveringLp& lp);
    void diveAlongRelaxation(Node node, std::vector<RowSet> reach, CoveringLp lp);
    Cost costOf(const std::vector<int>& cover) const;
    std::vector<int> swappedWitness(const Node& node, const std::vector<int>& witness, int column,
                                    const Cost& minimum) const;
    void offer(const std::vector<int>& cover);
    [[noreturn]] void giveUp() const;
    bool relaxationExceeds(const Node& node, const std::vector<RowSet>& reach);
    bool relaxationAllows(Node node);
    CoveringLp relaxation(const RowSet& open, const std::vector<RowSet>& reach,
                          const std::vector<double>& weights) const;
    bool reduce(Node& node, std::vector<RowSet>& reach, bool keepPreferred = true);
    Cost packingBound(const Node& node, const std::vector<RowSet>& reach, int& branchRow) const;
    double lagrangian(const Node& node, const Compact& compact, const std::vector<double>& weights,
                      Multipliers& u, int iterations, int target,
                      std::vector<double>& reduced) const;
    void include(Node& node, int column, const RowSet& rows) const;
    // The fewest literals `count` distinct active candidates have together.
    int fewestLiterals(const Node& node, int count) const;
    void completeGreedily(const Node& node, const std::vector<RowSet>& reach,
                          const std::vector<double>& reduced);
    // Whether a cover costing node.cost + bound could still be cheaper than the limit.
    bool worthExploring(const Node& node, const Cost& bound) const {
        const int countRoom = limit_.count - node.cost.count;
        return bound.count < countRoom ||
               (bound.count == countRoom && bound.literals < limit_.literals - node.cost.literals);
    }
    enum Outcome { kPruned, kCovered, kOpen };
    struct Settled {
        std::vector<RowSet> reach;         // open rows of each active candidate
        std::vector<double> countReduced;  // their reduced costs in the count relaxation
        int row = 0;                       // the row to branch on
        Cost bound;                        // what covering the open rows costs at least
    };
    Outcome settle(Node& node, Duals& duals, int iterations, Settled& state);
    void search(Node node, Duals duals, int iterations, Cost floor);
    bool hasSymmetry();
    const std::vector<InputMap>& mapsFixing(const Cube& cube);
    bool usesSymmetry(const Node& node);
    int imageOf(const InputMap& map, int column) const {
        const Cube image = map.cube(problem_.cubes[column]);
        return columnOf_[static_cast<std::size_t>(image.free) << 8 | image.value];
    }
    std::vector<InputMap> symmetriesAt(const Node& node, int row);
    std::vector<std::size_t> orbitLeads(const Node& node, int row,
                                        const std::vector<int>& candidates,
                                        const std::vector<InputMap>& maps) const;
    bool better(int a, int b) const {
        const int la = problem_.literals[a], lb = problem_.literals[b];
        return la < lb || (la == lb && a < b);
    }

    const CoverProblem& problem_;
    Deadline deadline_;
    SolveOptions options_;
    std::vector<double> unit_;
    std::vector<double> literalWeights_;
    Cost limit_{std::numeric_limits<int>::max(), 0};  // only covers cheaper than this are wanted
    bool stopAtFirst_ = false;
    // Whether covers found on the way may lower the limit; not while the tie-break steps
    // settle a node, whose limit must stay just above the minimum.
    bool searching_ = true;
    bool found_ = false;
    std::vector<int> best_;
    // The count every cover is proven to need; with best_, what a caller gets when time runs
    // out (best_ always holds a valid cover once the greedy start is made).
    int lowerBound_ = 0;
    long nodeBudget_ = -1;  // nodes a search may still visit; -1: no limit
    bool budgetSpent_ = false;
    Duals settledDuals_;                       // the multipliers the first search's root ended with
    std::array<std::vector<int>, 256> byRow_;  // scratch for the dominance test
    // Symmetry, set up on first use: -1 not yet known, 0 none, 1 the function has some.
    int symmetric_ = -1;
    std::vector<std::int16_t> columnOf_;  // candidate of each product (free << 8 | value), or -1
    std::map<int, std::vector<InputMap>> mapsFixing_;  // by product (free << 8 | value)
};

bool Solver::hasSymmetry() {
    if (symmetric_ < 0) {
        symmetric_ = 0;
        if (!problem_.cubes.empty() && automorphisms(problem_.function, 2).size() > 1) {
            symmetric_ = 1;
            columnOf_.assign(std::size_t{1} << 16, -1);
            for (std::size_t i = 0; i < problem_.cubes.size(); ++i) {
                const Cube& cube = problem_.cubes[i];
                columnOf_[static_cast<std::size_t>(cube.free) << 8 | cube.value] =
                    static_cast<std::int16_t>(i);
            }
        }
    }
    return symmetric_ == 1;
}

// The automorphisms of the function that map `cube` to itself and keep the rows to cover as a
// set (a part of a larger problem need not be kept by every automorphism).
const std::vector<InputMap>& Solver::mapsFixing(const Cube& cube) {
    std::vector<InputMap>& maps = mapsFixing_[cube.free << 8 | cube.value];
    if (maps.empty()) {
        maps = automorphismsFixing(problem_.function, cube);
        if (!(problem_.rows == problem_.function.on)) {
            std::erase_if(maps, [&](const InputMap& map) {
                bool kept = true;
                problem_.rows.forEach(
                    [&](int r) { kept = kept && problem_.rows.test(map.row(r)); });
                return !kept;
            });
        }
    }
    return maps;
}

// Whether the search may prune by symmetry at the node: not in a short budgeted try.
bool Solver::usesSymmetry(const Node& node) {
    return (node.allMaps || node.maps.size() > 1) && nodeBudget_ < 0 && hasSymmetry();
}

// The maps that keep the settled node's chosen and active candidates as sets (at the start of a
// search, only those among the maps that also fix the branch row); empty when only the
// identity would be left.
std::vector<InputMap> Solver::symmetriesAt(const Node& node, int row) {
    if (!usesSymmetry(node)) return {};
    const std::vector<InputMap>& from =
        node.allMaps ? mapsFixing(Cube{static_cast<std::uint8_t>(row), 0}) : node.maps;
    if (from.size() <= 1) return {};
    std::vector<char> state(problem_.columns.size(), 0);
    for (int column : node.active) state[column] = 1;
    for (int column : node.chosen) state[column] = 2;
    std::vector<InputMap> kept;
    for (const InputMap& map : from) {
        auto keeps = [&](const std::vector<int>& columns, char want) {
            for (int column : columns) {
                const int image = imageOf(map, column);
                if (image < 0 || state[image] != want) return false;
            }
            return true;
        };
        if (keeps(node.chosen, 2) && keeps(node.active, 1)) kept.push_back(map);
    }
    if (kept.size() <= 1) kept.clear();
    return kept;
}

// For each branch candidate of `row` (positions in node.active, in branching order), the index
// in `candidates` of the first candidate of its orbit under the maps that fix the row.
std::vector<std::size_t> Solver::orbitLeads(const Node& node, int row,
                                            const std::vector<int>& candidates,
                                            const std::vector<InputMap>& maps) const {
    std::vector<std::size_t> lead(candidates.size());
    std::iota(lead.begin(), lead.end(), std::size_t{0});
    if (maps.empty()) return lead;
    std::vector<int> orderOf(problem_.columns.size(), -1);
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        orderOf[node.active[candidates[k]]] = static_cast<int>(k);
    }
    // Union-find whose root is always the earliest member.
    auto find = [&](std::size_t k) {
        while (lead[k] != k) k = lead[k] = lead[lead[k]];
        return k;
    };
    for (const InputMap& map : maps) {
        if (map.row(row) != row) continue;
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            const int column = imageOf(map, node.active[candidates[k]]);
            const int image = column < 0 ? -1 : orderOf[column];
            if (image < 0) continue;  // cannot happen: the maps keep the candidates of the row
            const std::size_t a = find(k), b = find(static_cast<std::size_t>(image));
            if (a != b) lead[std::max(a, b)] = std::min(a, b);
        }
    }
    for (std::size_t k = 0; k < candidates.size(); ++k) lead[k] = find(k);
    return lead;
}

int Solver::fewestLiterals(const Node& node, int count) const {
    std::array<int, kMaxLiterals + 1> many{};
    for (int column : node.active) ++many[problem_.literals[column]];
    int sum = 0;
    for (int literals = 0; literals <= kMaxLiterals && count > 0; ++literals) {
        const int take = std::min(count, many[literals]);
        sum += take * literals;
        count -= take;
    }
    return sum;
}

void Solver::include(Node& node, int column, const RowSet& rows) const {
    node.chosen.push_back(column);
    node.cost.count += 1;
    node.cost.literals += problem_.literals[column];
    node.open -= rows;
}

// Applies the reductions until none applies. `reach` receives, for each remaining active
// candidate, the open rows it covers. Returns false when an open row has no candidate left.
bool Solver::reduce(Node& node, std::vector<RowSet>& reach, bool keepPreferred) {
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
                if (keepPreferred) {
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
void Solver::completeGreedily(const Node& node, const std::vector<RowSet>& reach,
                              const std::vector<double>& reduced) {
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
    if (cost < limit_) {
        limit_ = cost;
        best_ = std::move(cover);
        found_ = true;
    }
}

// Rows no two of which share a candidate each need their own candidate. Rows with few
// candidates are taken first; the first of them is also the row to branch on.
Cost Solver::packingBound(const Node& node, const std::vector<RowSet>& reach,
                          int& branchRow) const {
    std::array<int, 256> count{};
    for (const RowSet& rows : reach) rows.forEach([&](int row) { ++count[row]; });
    std::vector<int> rows;
    node.open.forEach([&](int row) { rows.push_back(row); });
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return count[a] < count[b]; });
    branchRow = rows.front();

    Cost bound;
    RowSet blocked;
    for (int row : rows) {
        if (blocked.test(row)) continue;
        int fewest = std::numeric_limits<int>::max();
        for (std::size_t i = 0; i < reach.size(); ++i) {
            if (!reach[i].test(row)) continue;
            fewest = std::min(fewest, problem_.literals[node.active[i]]);
            blocked |= reach[i];
        }
        bound.count += 1;
        bound.literals += fewest;
    }
    return bound;
}

// Lagrangian relaxation of the covering constraints: for multipliers u >= 0 on the open rows,
// sum(u) + sum over candidates of min(0, weight - u over its rows) bounds the weight of any
// cover from below. Subgradient steps towards `target` (the weight a cover would have to beat)
// improve u; `u` comes in as a warm start and leaves as the best multipliers found, `reduced`
// as their reduced costs. Stops early once the bound reaches `target`.
double Solver::lagrangian(const Node& node, const Compact& compact,
                          const std::vector<double>& weights, Multipliers& u, int iterations,
                          int target, std::vector<double>& reduced) const {
    const std::size_t rows = compact.rows.size();
    const std::size_t columns = node.active.size();
    std::vector<double> v(rows), bestV(rows), d(columns), w(columns), direction(rows, 0.0);
    std::vector<int> gradient(rows);
    for (std::size_t r = 0; r < rows; ++r) v[r] = u[compact.rows[r]];
    for (std::size_t i = 0; i < columns; ++i) w[i] = weights[node.active[i]];
    bestV = v;
    reduced.assign(columns, 0.0);
    // Reduced costs are kept up to date row by row: a step moves only some multipliers.
    double total = 0.0;
    for (double value : v) total += value;
    for (std::size_t i = 0; i < columns; ++i) {
        double sum = 0.0;
        for (int at = compact.start[i]; at < compact.start[i + 1]; ++at) {
            sum += v[compact.entries[at]];
        }
        d[i] = w[i] - sum;
    }
    double best = -std::numeric_limits<double>::infinity();
    double step = 1.0;
    int stale = 0;
    for (int iteration = 0; iteration < iterations; ++iteration) {
        // The bound, and the subgradient: how often the candidates of negative reduced cost
        // cover each row, against the once that a cover needs.
        double bound = total;
        std::fill(gradient.begin(), gradient.end(), 1);
        for (std::size_t i = 0; i < columns; ++i) {
            if (d[i] >= 0.0) continue;
            bound += d[i];
            for (int at = compact.start[i]; at < compact.start[i + 1]; ++at) {
                --gradient[compact.entries[at]];
            }
        }
        if (bound > best + kSlack) {
            best = bound;
            bestV = v;
            reduced = d;
            stale = 0;
        } else if (++stale >= kStaleIterations) {
            step *= 0.5;
            stale = 0;
        }
        if (roundUp(best) >= target || step < 1e-3) break;

        // The step goes along the subgradient plus a part of the last step's direction, which
        // damps the zigzag of rows taking turns at being over- and under-covered. A row whose
        // multiplier is zero and would fall cannot move: left out of the norm, it no longer
        // shortens the step of the rows that can.
        double norm = 0.0;
        for (std::size_t r = 0; r < rows; ++r) {
            double g = gradient[r] + kDeflection * direction[r];
            if (g < 0.0 && v[r] <= 0.0) g = 0.0;
            direction[r] = g;
            norm += g * g;
        }
        if (norm == 0.0) break;  // no multiplier can move
        const double move = step * (static_cast<double>(target) - bound) / norm;
        for (std::size_t r = 0; r < rows; ++r) {
            if (direction[r] == 0.0) continue;
            const double next = std::max(0.0, v[r] + move * direction[r]);
            const double delta = next - v[r];
            if (delta == 0.0) continue;
            v[r] = next;
            total += delta;
            for (int at = compact.rowStart[r]; at < compact.rowStart[r + 1]; ++at) {
                d[compact.rowEntries[at]] -= delta;
            }
        }
    }
    for (std::size_t r = 0; r < rows; ++r) u[compact.rows[r]] = bestV[r];
    return best;
}

// Reduces the node and applies the bounds and reduced-cost fixing until nothing changes.
// Returns kPruned when no cover below the limit can follow from it, kCovered when it covers
// every row, and kOpen otherwise, with `state` describing the open node.
Solver::Outcome Solver::settle(Node& node, Duals& duals, int iterations, Settled& state) {
    std::vector<RowSet>& reach = state.reach;
    std::vector<double>& countReduced = state.countReduced;
    std::vector<double> literalReduced;
    Compact compact;
    int& row = state.row;
    Cost& bound = state.bound;  // what any cover of the open rows costs at least
    bool relaxed = false;
    for (;;) {
        // A search only needs some cheapest cover; the tie-break's own node keeps the preferred.
        if (!reduce(node, reach, !searching_)) return kPruned;
        if (node.open.empty()) return kCovered;
        // A cheaper cover needs at most `countRoom` more candidates, and when it needs exactly
        // that many, fewer than `literalRoom` more literals.
        const int countRoom = limit_.count - node.cost.count;
        const int literalRoom = limit_.literals - node.cost.literals;
        const Cost packing = packingBound(node, reach, row);
        bound = packing;
        // Every cover is proven to need lowerBound_ candidates in all, and any `bound.count`
        // distinct candidates have at least the literals of the cheapest that many.
        bound.count = std::max(bound.count, lowerBound_ - node.cost.count);
        bound.literals = std::max(bound.literals, fewestLiterals(node, bound.count));
        if (!worthExploring(node, bound)) return kPruned;

        compact.rows.clear();
        std::array<int, 256> index{};
        node.open.forEach([&](int r) {
            index[r] = static_cast<int>(compact.rows.size());
            compact.rows.push_back(r);
        });
        compact.start.assign(1, 0);
        compact.entries.clear();
        for (const RowSet& rows : reach) {
            rows.forEach([&](int r) { compact.entries.push_back(index[r]); });
            compact.start.push_back(static_cast<int>(compact.entries.size()));
        }
        compact.rowStart.assign(compact.rows.size() + 1, 0);
        for (int r : compact.entries) ++compact.rowStart[r + 1];
        for (std::size_t r = 0; r < compact.rows.size(); ++r) {
            compact.rowStart[r + 1] += compact.rowStart[r];
        }
        compact.rowEntries.resize(compact.entries.size());
        {
            std::vector<int> fill(compact.rowStart.begin(), compact.rowStart.end() - 1);
            for (std::size_t i = 0; i + 1 < compact.start.size(); ++i) {
                for (int at = compact.start[i]; at < compact.start[i + 1]; ++at) {
                    compact.rowEntries[fill[compact.entries[at]]++] = static_cast<int>(i);
                }
            }
        }

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
            !sameLiterals && bound.count == countRoom && limit_.literals != kAnyLiterals;
        const double countBound =
            lagrangian(node, compact, unit_, duals.count,
                       countFilled ? std::min(iterations, kFilledCountIterations) : iterations,
                       countRoom + 1, countReduced);
        if (roundUp(countBound) > bound.count) {
            bound.count = roundUp(countBound);
            bound.literals = std::max(bound.literals, fewestLiterals(node, bound.count));
        }
        if (!worthExploring(node, bound)) return kPruned;
        if (searching_) completeGreedily(node, reach, countReduced);
        const bool tight = bound.count == countRoom;
        double literalBound = 0.0;
        if (tight && limit_.literals != kAnyLiterals) {
            literalBound = lagrangian(node, compact, literalWeights_, duals.literals, iterations,
                                      literalRoom, literalReduced);
            bound.literals = std::max(bound.literals, roundUp(literalBound));
        }
        if (iterations == kRootIterations) settledDuals_ = duals;
        if (!worthExploring(node, bound)) return kPruned;
        // Near the top the exact relaxation is worth its cost: it prunes whole subtrees that the
        // Lagrangian bound, still converging, lets through.
        if (!stopAtFirst_ && node.depth < kRelaxationDepth && !relaxed) {
            relaxed = true;
            if (relaxationExceeds(node, reach)) return kPruned;
        }
        // Reduced-cost fixing: a candidate whose inclusion (or exclusion) alone lifts a bound
        // past the room is left out (or taken).
        bool changed = false;
        std::vector<char> excluded(reach.size(), 0);
        std::vector<char> taken(reach.size(), 0);
        for (std::size_t i = 0; i < reach.size(); ++i) {
            const double dc = countReduced[i];
            if (roundUp(countBound + std::abs(dc)) > countRoom ||
                (tight && limit_.literals != kAnyLiterals &&
                 roundUp(literalBound + std::abs(literalReduced[i])) >= literalRoom)) {
                // The sign of the reduced cost tells which choice lifts the bound.
                const bool viaCount = roundUp(countBound + std::abs(dc)) > countRoom;
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
        if (!changed) return kOpen;
        for (std::size_t i = 0; i < reach.size(); ++i) {
            if (taken[i]) include(node, node.active[i], reach[i]);
        }
        std::size_t next = 0;
        for (std::size_t i = 0; i < reach.size(); ++i) {
            if (!excluded[i]) node.active[next++] = node.active[i];
        }
        node.active.resize(next);
    }
}

// `floor` is the highest cost bound of the ancestors: once the limit falls to it, the whole
// subtree of that ancestor, this node included, holds nothing cheaper.
void Solver::search(Node node, Duals duals, int iterations, Cost floor) {
    if (!(floor < limit_)) return;
    if (deadline_ != Deadline::max() && std::chrono::steady_clock::now() > deadline_) giveUp();
    if (nodeBudget_ == 0) {
        budgetSpent_ = true;
        return;
    }
    if (nodeBudget_ > 0) --nodeBudget_;
    Settled state;
    const Outcome outcome = settle(node, duals, iterations, state);
    if (outcome == kPruned) return;
    if (outcome == kCovered) {
        if (node.cost < limit_) {
            limit_ = node.cost;
            best_ = node.chosen;
            found_ = true;
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
    // the whole orbit (see the top of this file).
    std::vector<int> candidates;
    for (std::size_t i = 0; i < reach.size(); ++i) {
        if (reach[i].test(row)) candidates.push_back(static_cast<int>(i));
    }
    std::sort(candidates.begin(), candidates.end(), [&](int a, int b) {
        if (countReduced[a] != countReduced[b]) return countReduced[a] < countReduced[b];
        return better(node.active[a], node.active[b]);
    });
    const std::vector<InputMap> maps = symmetriesAt(node, row);
    const std::vector<std::size_t> lead = orbitLeads(node, row, candidates, maps);
    const bool symmetric = usesSymmetry(node);
    std::vector<char> excluded(reach.size(), 0);
    floor =
        std::max(floor, Cost{node.cost.count + bound.count, node.cost.literals + bound.literals});
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (lead[k] != k) continue;
        const int pick = candidates[k];
        // A cover found meanwhile may have lowered the limit to this node's or an ancestor's
        // bound.
        if (!(floor < limit_)) return;
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
        child.allMaps = false;
        if (symmetric && node.allMaps) {
            child.maps = mapsFixing(problem_.cubes[node.active[pick]]);
        } else {
            for (const InputMap& map : maps) {
                if (imageOf(map, node.active[pick]) == node.active[pick]) child.maps.push_back(map);
            }
        }
        search(std::move(child), duals, kNodeIterations, floor);
        if (stopAtFirst_ && found_) return;
        for (std::size_t m = k + 1; m < candidates.size(); ++m) {
            if (lead[m] == k) excluded[candidates[m]] = 1;
        }
    }
}

Cost Solver::costOf(const std::vector<int>& cover) const {
    Cost cost;
    for (int column : cover) {
        cost.count += 1;
        cost.literals += problem_.literals[column];
    }
    return cost;
}

// A minimum cover that holds `column` and keeps the node's decisions, made from the witness by
// trading one of its undecided candidates for `column`; empty when no such trade covers the open
// rows at the minimum cost (a search from the node would accept what it returns). Symmetric
// problems answer most tie-break questions this way, without a search.
std::vector<int> Solver::swappedWitness(const Node& node, const std::vector<int>& witness,
                                        int column, const Cost& minimum) const {
    std::vector<char> chosen(problem_.columns.size(), 0), active(problem_.columns.size(), 0);
    for (int c : node.chosen) chosen[c] = 1;
    for (int c : node.active) active[c] = 1;
    for (int c : witness) {
        if (!chosen[c] && !active[c]) return {};
    }
    for (int c : node.chosen) {
        if (std::find(witness.begin(), witness.end(), c) == witness.end()) return {};
    }
    const Cost cost = costOf(witness);
    for (std::size_t out = 0; out < witness.size(); ++out) {
        const int traded = witness[out];
        if (chosen[traded]) continue;
        if (cost.count > minimum.count ||
            cost.literals - problem_.literals[traded] + problem_.literals[column] >
                minimum.literals) {
            continue;
        }
        RowSet covered = problem_.columns[column];
        for (std::size_t k = 0; k < witness.size(); ++k) {
            if (k != out) covered |= problem_.columns[witness[k]];
        }
        if (!node.open.subsetOf(covered)) continue;
        std::vector<int> cover = witness;
        cover[out] = column;
        return cover;
    }
    return {};
}

void Solver::offer(const std::vector<int>& cover) {
    const Cost cost = costOf(cover);
    if (cost < limit_) {
        limit_ = cost;
        best_ = cover;
        found_ = true;
    }
}

CoveringLp Solver::relaxation(const RowSet& open, const std::vector<RowSet>& reach,
                              const std::vector<double>& weights) const {
    try {
        return solveCoveringLp(open, reach, weights, deadline_);
    } catch (const TooHard&) {
        giveUp();
    }
}

// Whether the relaxation proves that no cover through the node is cheaper than the limit. With a
// limit on the literals too, the weight is the count first and the literals second in one
// number.
bool Solver::relaxationExceeds(const Node& node, const std::vector<RowSet>& reach) {
    const int countRoom = limit_.count - node.cost.count;
    if (limit_.literals == kAnyLiterals) {
        const std::vector<double> unit(reach.size(), 1.0);
        return roundUp(relaxation(node.open, reach, unit).bound) > countRoom;
    }
    // Larger than any sum of literals, so that one more candidate always costs more.
    constexpr double kCountWeight = 256.0 * kMaxLiterals + 1.0;
    std::vector<double> weights;
    for (int column : node.active) weights.push_back(kCountWeight + problem_.literals[column]);
    const double bound = relaxation(node.open, reach, weights).bound;
    const double room = kCountWeight * countRoom + (limit_.literals - node.cost.literals - 1);
    return bound > room + kSlack * kCountWeight;
}

bool Solver::relaxationAllows(Node node) {
    std::vector<RowSet> reach;
    if (!reduce(node, reach)) return false;
    if (node.open.empty()) return node.cost < limit_;
    return !relaxationExceeds(node, reach);
}

void Solver::giveUp() const {
    std::vector<int> cover = best_;
    std::sort(cover.begin(), cover.end());
    throw TooHard("no minimum found in time", std::move(cover), lowerBound_);
}

// Rounds the relaxation's solution: candidates by falling x (then the tie-break order) while
// they cover an open row, then each that turned out redundant dropped, smallest x first.
void Solver::coverFromRelaxation(const Node& node, const std::vector<RowSet>& reach,
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
void Solver::diveAlongRelaxation(Node node, std::vector<RowSet> reach, CoveringLp lp) {
    for (;;) {
        int top = 0;
        for (std::size_t i = 1; i < reach.size(); ++i) {
            if (lp.x[i] > lp.x[top] + kSlack) top = static_cast<int>(i);
        }
        for (std::size_t i = 0; i < reach.size(); ++i) {
            if (static_cast<int>(i) == top || lp.x[i] > 1.0 - kSlack) {
                if (reach[i].intersects(node.open)) include(node, node.active[i], reach[i]);
            }
        }
        if (!reduce(node, reach)) return;
        if (node.open.empty()) break;
        if (node.cost.count >= limit_.count) return;
        lp = relaxation(node.open, reach, std::vector<double>(reach.size(), 1.0));
        if (node.cost.count + roundUp(lp.bound) > limit_.count) return;
        coverFromRelaxation(node, reach, lp);
    }
    offer(node.chosen);
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
            answers[p] = *Solver(problems[p], deadline_, options_).solve();
            bounds[p] = static_cast<int>(answers[p].size());
        } catch (const TooHard& tooHard) {
            if (!tooHard.bestCover().empty()) answers[p] = tooHard.bestCover();
            bounds[p] = tooHard.lowerBound();
            int bound = static_cast<int>(root.chosen.size());
            for (int b : bounds) bound += b;
            throw TooHard(tooHard.what(), joined(), bound);
        }
    }
    return joined();
}

std::optional<std::vector<int>> Solver::solve() {
    Node root;
    root.open = problem_.rows;
    for (std::size_t i = 0; i < problem_.columns.size(); ++i) {
        root.active.push_back(static_cast<int>(i));
    }
    std::vector<RowSet> reach;
    if (!reduce(root, reach)) return std::nullopt;
    if (root.open.empty()) {
        std::sort(root.chosen.begin(), root.chosen.end());
        return root.chosen;
    }
    if (auto answer = solveParts(root, reach)) return answer;

    // An upper bound from a greedy cover makes the first search prune early.
    {
        Node greedy = root;
        std::vector<RowSet> greedyReach = reach;
        while (!greedy.open.empty()) {
            std::size_t pick = 0;
            for (std::size_t i = 1; i < greedyReach.size(); ++i) {
                const int ci = greedyReach[i].count(), cp = greedyReach[pick].count();
                if (ci > cp || (ci == cp && better(greedy.active[i], greedy.active[pick])))
                    pick = i;
            }
            include(greedy, greedy.active[pick], greedyReach[pick]);
            reduce(greedy, greedyReach);
        }
        limit_ = greedy.cost;
        best_ = greedy.chosen;
    }
    int packingRow = 0;
    lowerBound_ = root.cost.count + packingBound(root, reach, packingRow).count;

    // Multipliers to start from: each row's share of its cheapest candidate.
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

    // Phase one: the minimum cost, and a cover that reaches it. Random-like problems are settled
    // fastest by the plain search from the greedy limit, so it gets a short try first. Past
    // that, while the best cover is above the relaxation's bound, look for covers near the bound,
    // then search for a cover of the bound's count, raising it one at a time.
    bool settled = false;  // whether a search already brought the literals down too
    if (options_.plainSearchNodes > 0) {
        nodeBudget_ = options_.plainSearchNodes;
        budgetSpent_ = false;
        search(root, start, kRootIterations, Cost{});
        nodeBudget_ = -1;
        settled = !budgetSpent_;
    }
    if (!settled && limit_.count > lowerBound_) {
        const std::vector<double> unit(reach.size(), 1.0);
        const CoveringLp lp = relaxation(root.open, reach, unit);
        lowerBound_ = std::max(lowerBound_, root.cost.count + roundUp(lp.bound));
        root.open.forEach([&](int row) { start.count[row] = lp.u[row]; });
        coverFromRelaxation(root, reach, lp);
        if (limit_.count > lowerBound_) diveAlongRelaxation(root, reach, lp);
    }
    while (!settled && limit_.count > lowerBound_) {
        const Cost upper = limit_;
        const std::vector<int> upperCover = best_;
        limit_ = Cost{lowerBound_, kAnyLiterals};
        found_ = false;
        search(root, start, kRootIterations, Cost{});
        if (found_) {
            settled = true;
            break;
        }
        limit_ = upper;
        best_ = upperCover;
        ++lowerBound_;
    }
    if (!settled) {
        // The count is settled; the fewest literals among covers of that count are still open.
        search(root, start, kRootIterations, Cost{});
    }
    const Cost minimum = limit_;
    std::vector<int> witness = best_;
    lowerBound_ = minimum.count;

    // Phase two: decide the candidates in index order.
    // The bounds and reduced-cost fixing at each step answer most questions at once.
    Node current = root;
    stopAtFirst_ = true;
    Duals duals = settledDuals_;
    for (;;) {
        limit_ = Cost{minimum.count, minimum.literals + 1};
        reduce(current, reach);
        if (current.open.empty()) break;
        bool keep =
            std::find(witness.begin(), witness.end(), current.active.front()) != witness.end();
        if (!keep) {
            // Cheapest first: a trade in the witness, before the node is settled.
            std::vector<int> swapped =
                swappedWitness(current, witness, current.active.front(), minimum);
            if (!swapped.empty()) {
                keep = true;
                witness = std::move(swapped);
            }
        }
        Settled state;
        if (!keep) {
            searching_ = false;
            const Outcome outcome = settle(current, duals, kQueryIterations, state);
            searching_ = true;
            if (outcome == kCovered) break;
            if (outcome == kPruned) {
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
        include(trial, column, reach.front());
        if (!keep) {
            // Most questions are answered yes by a short search; a no needs a proof, which the
            // relaxation often gives at once.
            found_ = false;
            nodeBudget_ = kQuickQueryNodes;
            budgetSpent_ = false;
            search(trial, settledDuals_, kQueryIterations, Cost{});
            nodeBudget_ = -1;
            if (!found_ && budgetSpent_ && relaxationAllows(trial)) {
                search(trial, settledDuals_, kQueryIterations, Cost{});
            }
            if (found_) {
                keep = true;
                witness = best_;
            }
        }
        if (keep) {
            current = std::move(trial);
        } else {
            current.active.erase(current.active.begin());
        }
    }
    std::sort(current.chosen.begin(), current.chosen.end());
    return current.chosen;
}

}  // namespace

std::optional<std::vector<int>> solveCover(const CoverProblem& problem, Deadline deadline,
                                           const SolveOptions& options) {
    return Solver(problem, deadline, options).solve();
}

}  // namespace qm
