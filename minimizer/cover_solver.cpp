#include "cover_solver.h"

#include <algorithm>
#include <array>
#include <limits>

namespace qm {
namespace {

// Branch and bound over the candidates. Every node is first reduced: candidates that cover no
// open row are dropped, a row with a single candidate forces that candidate (essential), and a
// candidate whose open rows are a subset of another's is dropped when the other is cheaper, or
// equally cheap with a lower index. That last rule keeps the preferred optimum: swapping the
// dropped candidate for its dominator never costs more and wins the tie-break.
//
// The tie-break is settled in a second phase once the minimum weight is known: the candidates
// are decided in index order, each included exactly when some minimum cover with all earlier
// decisions still contains it. A known minimum cover (the witness) answers most of these
// questions without a search.
class Solver {
 public:
  explicit Solver(const CoverProblem& problem) : problem_(problem) {}

  std::optional<std::vector<int>> solve();

 private:
  struct Node {
    RowSet open;              // rows not yet covered
    std::vector<int> active;  // candidates still undecided, ascending
    std::vector<int> chosen;  // candidates included
    long cost = 0;
  };

  bool reduce(Node& node, std::vector<RowSet>& reach) const;
  long lowerBound(const Node& node, const std::vector<RowSet>& reach, int& branchRow) const;
  void include(Node& node, int column, const RowSet& rows) const;
  void search(Node& node);
  bool better(int a, int b) const {
    const long wa = problem_.weights[a], wb = problem_.weights[b];
    return wa < wb || (wa == wb && a < b);
  }

  const CoverProblem& problem_;
  long limit_ = std::numeric_limits<long>::max();  // only covers cheaper than this are wanted
  bool stopAtFirst_ = false;
  bool found_ = false;
  std::vector<int> best_;
};

void Solver::include(Node& node, int column, const RowSet& rows) const {
  node.chosen.push_back(column);
  node.cost += problem_.weights[column];
  node.open -= rows;
}

// Applies the reductions until none applies. `reach` receives, for each remaining active
// candidate, the open rows it covers. Returns false when an open row has no candidate left.
bool Solver::reduce(Node& node, std::vector<RowSet>& reach) const {
  std::vector<int> byRow[256];
  std::vector<int> order;
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

    // Dominance: a dominator must cover the first open row of the candidate it drops, so only
    // the candidates of that row are compared.
    node.open.forEach([&](int row) { byRow[row].clear(); });
    for (std::size_t i = 0; i < kept; ++i) reach[i].forEach([&](int row) { byRow[row].push_back(static_cast<int>(i)); });
    dropped.assign(kept, 0);
    bool any = false;
    for (std::size_t i = 0; i < kept; ++i) {
      const int column = node.active[i];
      for (int j : byRow[reach[i].first()]) {
        if (static_cast<std::size_t>(j) == i || !better(node.active[j], column)) continue;
        if (reach[i].subsetOf(reach[j])) {
          dropped[i] = 1;
          any = true;
          break;
        }
      }
    }
    if (!any) return true;
    std::size_t next = 0;
    for (std::size_t i = 0; i < kept; ++i) {
      if (!dropped[i]) node.active[next++] = node.active[i];
    }
    node.active.resize(next);
  }
}

// A lower bound on the weight still needed: rows no two of which share a candidate each need
// their own candidate. Rows with few candidates are taken first; the first of them is also the
// row to branch on.
long Solver::lowerBound(const Node& node, const std::vector<RowSet>& reach, int& branchRow) const {
  std::array<int, 256> count{};
  for (const RowSet& rows : reach) rows.forEach([&](int row) { ++count[row]; });
  std::vector<int> rows;
  node.open.forEach([&](int row) { rows.push_back(row); });
  std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return count[a] < count[b]; });
  branchRow = rows.front();

  long bound = 0;
  RowSet blocked;
  for (int row : rows) {
    if (blocked.test(row)) continue;
    long cheapest = std::numeric_limits<long>::max();
    for (std::size_t i = 0; i < reach.size(); ++i) {
      if (!reach[i].test(row)) continue;
      cheapest = std::min(cheapest, problem_.weights[node.active[i]]);
      blocked |= reach[i];
    }
    bound += cheapest;
  }
  return bound;
}

void Solver::search(Node& node) {
  std::vector<RowSet> reach;
  if (!reduce(node, reach)) return;
  if (node.open.empty()) {
    if (node.cost < limit_) {
      limit_ = node.cost;
      best_ = node.chosen;
      found_ = true;
    }
    return;
  }
  int row = 0;
  if (node.cost + lowerBound(node, reach, row) >= limit_) return;

  // Branch on the row with the fewest candidates: the i-th branch takes its i-th candidate and
  // excludes the ones before it, so no cover is visited twice.
  std::vector<int> candidates;
  for (std::size_t i = 0; i < reach.size(); ++i) {
    if (reach[i].test(row)) candidates.push_back(static_cast<int>(i));
  }
  std::sort(candidates.begin(), candidates.end(), [&](int a, int b) {
    const int ca = reach[a].count(), cb = reach[b].count();
    if (ca != cb) return ca > cb;
    return better(node.active[a], node.active[b]);
  });
  std::vector<char> excluded(reach.size(), 0);
  for (int pick : candidates) {
    Node child;
    child.open = node.open;
    child.chosen = node.chosen;
    child.cost = node.cost;
    include(child, node.active[pick], reach[pick]);
    excluded[pick] = 1;
    for (std::size_t i = 0; i < reach.size(); ++i) {
      if (!excluded[i]) child.active.push_back(node.active[i]);
    }
    search(child);
    if (stopAtFirst_ && found_) return;
  }
}

std::optional<std::vector<int>> Solver::solve() {
  Node root;
  root.open = problem_.rows;
  for (std::size_t i = 0; i < problem_.columns.size(); ++i) root.active.push_back(static_cast<int>(i));
  std::vector<RowSet> reach;
  if (!reduce(root, reach)) return std::nullopt;

  // An upper bound from a greedy cover makes the first search prune early.
  {
    Node greedy = root;
    std::vector<RowSet> greedyReach = reach;
    while (!greedy.open.empty()) {
      std::size_t pick = 0;
      for (std::size_t i = 1; i < greedyReach.size(); ++i) {
        const int ci = greedyReach[i].count(), cp = greedyReach[pick].count();
        if (ci > cp || (ci == cp && better(greedy.active[i], greedy.active[pick]))) pick = i;
      }
      include(greedy, greedy.active[pick], greedyReach[pick]);
      reduce(greedy, greedyReach);
    }
    limit_ = greedy.cost;
    best_ = greedy.chosen;
  }

  // Phase one: the minimum weight, and a cover that reaches it.
  {
    Node start = root;
    search(start);
  }
  const long minimum = limit_;
  std::vector<int> witness = best_;

  // Phase two: decide the candidates in index order.
  Node current = root;
  for (;;) {
    reduce(current, reach);
    if (current.open.empty()) break;
    const int column = current.active.front();
    Node trial = current;
    include(trial, column, reach.front());
    bool keep = std::find(witness.begin(), witness.end(), column) != witness.end();
    if (!keep) {
      limit_ = minimum + 1;
      stopAtFirst_ = true;
      found_ = false;
      Node probe = trial;
      search(probe);
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

std::optional<std::vector<int>> solveCover(const CoverProblem& problem) {
  return Solver(problem).solve();
}

}  // namespace qm
