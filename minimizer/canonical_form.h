#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "logic/cube.h"
#include "logic/function.h"

namespace qm {

// A map of a function's inputs: input bit i of a row goes to bit to[i], then the bits of `flip`
// are complemented. Rows map to rows and products to products of as many literals, so a minimum
// cover maps to a minimum cover.
struct InputTransform {
    int width = 0;
    std::array<std::uint8_t, logic::kMaxWidth> to{0, 1, 2, 3, 4, 5, 6, 7};
    std::uint8_t flip = 0;

    static InputTransform identity(int width);
    std::uint8_t permute(std::uint8_t bits) const;
    int row(int r) const { return permute(static_cast<std::uint8_t>(r)) ^ flip; }
    logic::Cube cube(const logic::Cube& c) const;
    // The function whose rows are this map's images of the function's rows.
    logic::Function function(const logic::Function& f) const;
    InputTransform inverse() const;
    // This map after `first`: row(first.row(r)).
    InputTransform after(const InputTransform& first) const;
    bool isIdentity() const;
    friend bool operator==(const InputTransform&, const InputTransform&) = default;
};

// A representative of the function's class under permuting and complementing the inputs, and
// the map that takes the function to it. Every function of the class gets the identical
// representative, so work done on it is the same for the whole class.
struct CanonicalForm {
    logic::Function function;
    InputTransform toCanonical;
};

// The canonical form: inputs told apart by invariants (the ones and don't-cares of each input's
// cofactors, refined by those of input pairs), each input's polarity fixed by its cofactors where
// they differ, and the least truth table over the maps left (ties), with inputs the function is
// symmetric in taken as one. Nothing when more than `maxTies` maps are left to compare: the
// work stays bounded, and a caller does without.
std::optional<CanonicalForm> canonicalForm(const logic::Function& function, long maxTies = 16384);

}  // namespace qm
