#pragma once

// What the parts of the covering search share: costs, the search node, the Lagrangian
// multipliers. Internal to the solver (cover_solver.h is its interface).

#include <array>
#include <cmath>
#include <compare>
#include <limits>
#include <vector>

#include "logic/row_set.h"
#include "minimizer/symmetry.h"

namespace qm::covering {

// A cover's cost: its number of candidates first, then their literals.
struct Cost {
    int count = 0;
    int literals = 0;
    friend auto operator<=>(const Cost&, const Cost&) = default;
};

// Literals of one candidate at most: candidates are products of at most 8 inputs.
constexpr int kMaxLiterals = 8;
// A limit on the count alone: any number of literals is accepted.
constexpr int kAnyLiterals = std::numeric_limits<int>::max();

// Which maps of the inputs a node may prune with.
enum class MapScope {
    kEveryAutomorphism,  // every automorphism of the function (a search's start)
    kListed,             // the node's own list
};

struct Node {
    logic::RowSet open;       // rows not yet covered
    std::vector<int> active;  // candidates still undecided, ascending
    std::vector<int> chosen;  // candidates included
    Cost cost;
    int depth = 0;  // levels below the search's start
    MapScope scope = MapScope::kEveryAutomorphism;
    std::vector<InputMap> maps;  // with kListed; always holds the identity when not empty
};

using Multipliers = std::array<double, 256>;

// Lagrangian multipliers per row, for the count bound and the literal bound.
struct Duals {
    Multipliers count{};
    Multipliers literals{};
};

// Thrown inside the solver when the deadline passes; the solver answers it with TooHard and
// the best cover it holds.
struct OutOfTime {};

// The least integer a floating-point bound allows, `slack` guarding against rounding.
inline int roundUp(double bound, double slack) {
    return static_cast<int>(std::ceil(bound - slack));
}

}  // namespace qm::covering
