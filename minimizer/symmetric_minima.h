#pragma once

#include <optional>
#include <vector>

#include "logic/function.h"

namespace qm {

// The ones-counts of a totally symmetric function: bit k is set when the rows with k ones are
// on (`on`) or don't-cares (`dontCare`).
struct SymmetricCounts {
    unsigned on = 0;
    unsigned dontCare = 0;
    friend bool operator==(const SymmetricCounts&, const SymmetricCounts&) = default;
};

// The counts when every row's state depends on its number of ones alone.
std::optional<SymmetricCounts> symmetricCounts(const logic::Function& function);

// The minimum cover, in the output order, of a totally symmetric function of 8 inputs whose
// search takes long, when it is one of those worked out once in advance (by this minimizer's
// own search without a time limit, so it is the cover the search itself would write); nothing
// for any other function.
std::optional<std::vector<logic::Cube>> knownMinimum(const logic::Function& function);

// The cost of the minimum of a function of 8 inputs that complementing some of its inputs turns
// into one knownMinimum answers (permuting the inputs of a symmetric function changes nothing):
// the same cost, the cover mapped back. Nothing for any other function, and for the functions
// knownMinimum answers itself.
struct KnownCost {
    std::vector<logic::Cube> cover;  // a minimum cover of the function, not in any order
    int products = 0;
    int literals = 0;
};
std::optional<KnownCost> knownMinimumUpToComplement(const logic::Function& function);

// The counts of every 8-input function knownMinimum answers.
std::vector<SymmetricCounts> countsWithKnownMinimum();

}  // namespace qm
