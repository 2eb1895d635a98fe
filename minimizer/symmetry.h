#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "logic/function.h"

namespace qm {

// A map of the inputs: the variables permuted, then some of them complemented. It maps rows to
// rows and products to products, keeping each product's number of literals.
class InputMap {
public:
    InputMap();  // the identity
    // Row bit i goes to bit to[i] (i < width); then the bits of `flip` are complemented.
    InputMap(const std::array<int, logic::kMaxWidth>& to, int width, std::uint8_t flip);

    int row(int r) const { return permute(static_cast<std::uint8_t>(r)) ^ flip_; }
    logic::Cube cube(const logic::Cube& c) const {
        logic::Cube image;
        image.free = permute(c.free);
        image.value = static_cast<std::uint8_t>(permute(c.value) ^ (flip_ & ~image.free));
        return image;
    }
    bool isIdentity() const;
    friend bool operator==(const InputMap&, const InputMap&) = default;

private:
    std::uint8_t permute(std::uint8_t bits) const {
        return static_cast<std::uint8_t>(low_[bits & 15U] | high_[bits >> 4]);
    }
    // The permutation as two nibble tables: a map costs two look-ups.
    std::array<std::uint8_t, 16> low_{};
    std::array<std::uint8_t, 16> high_{};
    std::uint8_t flip_ = 0;
};

// Every map of the inputs that leaves the function unchanged (its automorphisms): on rows go to
// on rows, don't-care rows to don't-care rows. The identity comes first; at most `limit` maps
// are returned. Found by backtracking over the variables, each partial map checked on the
// numbers of on and don't-care rows in the subcubes it already fixes.
std::vector<InputMap> automorphisms(const logic::Function& function,
                                    std::size_t limit = std::numeric_limits<std::size_t>::max());

// The automorphisms that map the product `fixed` (a row when it has no free column) to itself.
std::vector<InputMap> automorphismsFixing(const logic::Function& function,
                                          const logic::Cube& fixed);

}  // namespace qm
