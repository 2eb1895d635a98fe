#pragma once

// Branching with orbits: the symmetry of the function that the search uses to skip branches
// that a map of the inputs carries onto branches it explores anyway (see cover_search.cpp).

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "minimizer/cover_node.h"
#include "minimizer/cover_solver.h"
#include "minimizer/symmetry.h"

namespace qm::covering {

// Whether the search is allowed to prune by symmetry: not in a short budgeted try, whose
// answer must not depend on it.
enum class SymmetryUse { kAllowed, kNotInThisSearch };

class Orbits {
public:
    explicit Orbits(const CoverProblem& problem) : problem_(problem) {}

    // Whether the search may prune by symmetry at the node.
    bool usable(const Node& node, SymmetryUse use);

    // The maps that keep the settled node's chosen and active candidates as sets (at the start
    // of a search, only those among the maps that also fix the branch row); empty when only the
    // identity would be left.
    std::vector<InputMap> mapsKeeping(const Node& node, int row, SymmetryUse use);

    // For each branch candidate of `row` (positions in node.active, in branching order), the
    // index in `candidates` of the first candidate of its orbit under `maps` (from mapsKeeping)
    // that fix the row.
    std::vector<std::size_t> leads(const Node& node, int row, const std::vector<int>& candidates,
                                   const std::vector<InputMap>& maps) const;

    // The maps a child that includes `column` may prune with: those fixing the candidate, of
    // every automorphism when the node could use them all, else of the node's `maps`.
    std::vector<InputMap> childMaps(const Node& node, int column, const std::vector<InputMap>& maps,
                                    bool symmetric);

private:
    // Symmetry is looked for on first need: most problems never branch.
    enum class Symmetry { kNotYetKnown, kNone, kSome };

    bool present();
    const std::vector<InputMap>& mapsFixing(const logic::Cube& cube);
    int imageOf(const InputMap& map, int column) const {
        const logic::Cube image = map.cube(problem_.cubes[column]);
        return columnOf_[static_cast<std::size_t>(image.free) << 8 | image.value];
    }

    const CoverProblem& problem_;
    Symmetry symmetry_ = Symmetry::kNotYetKnown;
    std::vector<std::int16_t> columnOf_;  // candidate of each product (free << 8 | value), or -1
    std::map<int, std::vector<InputMap>> mapsFixing_;  // by product (free << 8 | value)
};

}  // namespace qm::covering
