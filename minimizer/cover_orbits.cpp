#include "minimizer/cover_orbits.h"

#include <algorithm>
#include <numeric>

namespace qm::covering {

using logic::Cube;
using logic::RowSet;

// Orbital branching: a map of the inputs that leaves the function unchanged maps primes to
// primes with the same literals and covers to covers of the same cost. Let H be the maps that
// also keep a node's chosen candidates and its undecided (active) candidates as sets: each maps
// the node's covers (chosen, plus some active, covering every row) onto the node's covers.
// Branching on row r, the maps of H that fix r split r's candidates into orbits, and the i-th
// branch takes the first candidate of the i-th orbit, excluding every candidate of the orbits
// before it. That loses no cost: a cover of the node whose first orbit met is the i-th holds
// some candidate k of it, and a map g of H fixing r with g(k) = the orbit's first candidate
// takes that cover to one of the i-th branch (g keeps each orbit as a set, so the earlier orbits
// stay untouched), at the same cost. Any maps that keep a node's state will do, so a child
// starts from the maps that fix its branch's candidate (of H, or at the top of a search every
// automorphism that does), cut down to those that keep its own state after its reductions: the
// argument holds at every level. Reductions and fixing need no symmetry: they only have to keep
// some cheapest cover, and the maps are taken from the state they leave. The search thus finds
// the same minimum cost, and since the tie-break only asks whether a minimum cover with given
// decisions exists, it picks the same cover as without symmetry.

bool Orbits::present() {
    if (symmetry_ == Symmetry::kNotYetKnown) {
        symmetry_ = Symmetry::kNone;
        if (!problem_.cubes.empty() && automorphisms(problem_.function, 2).size() > 1) {
            symmetry_ = Symmetry::kSome;
            columnOf_.assign(std::size_t{1} << 16, -1);
            for (std::size_t i = 0; i < problem_.cubes.size(); ++i) {
                const Cube& cube = problem_.cubes[i];
                columnOf_[static_cast<std::size_t>(cube.free) << 8 | cube.value] =
                    static_cast<std::int16_t>(i);
            }
        }
    }
    return symmetry_ == Symmetry::kSome;
}

// The automorphisms of the function that map `cube` to itself and keep the rows to cover as a
// set (a part of a larger problem need not be kept by every automorphism).
const std::vector<InputMap>& Orbits::mapsFixing(const Cube& cube) {
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

bool Orbits::usable(const Node& node, SymmetryUse use) {
    return (node.scope == MapScope::kEveryAutomorphism || node.maps.size() > 1) &&
           use == SymmetryUse::kAllowed && present();
}

std::vector<InputMap> Orbits::mapsKeeping(const Node& node, int row, SymmetryUse use) {
    if (!usable(node, use)) return {};
    const std::vector<InputMap>& from = node.scope == MapScope::kEveryAutomorphism
                                            ? mapsFixing(Cube{static_cast<std::uint8_t>(row), 0})
                                            : node.maps;
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

std::vector<std::size_t> Orbits::leads(const Node& node, int row,
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
std::vector<InputMap> Orbits::childMaps(const Node& node, int column,
                                        const std::vector<InputMap>& maps, bool symmetric) {
    if (symmetric && node.scope == MapScope::kEveryAutomorphism) {
        return mapsFixing(problem_.cubes[column]);
    }
    std::vector<InputMap> kept;
    for (const InputMap& map : maps) {
        if (imageOf(map, column) == column) kept.push_back(map);
    }
    return kept;
}

}  // namespace qm::covering
