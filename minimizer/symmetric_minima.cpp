#include "minimizer/symmetric_minima.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <string_view>

namespace qm {

using logic::Cube;
using logic::Function;
using logic::RowSet;

namespace {

struct KnownCover {
    unsigned on;
    unsigned dontCare;
    std::string_view codes;  // the cover's codes, each followed by one space
};

// Sorted by (on, dontCare). Written by tools/make_symmetric_minima.
constexpr KnownCover kKnownCovers[] = {
#include "minimizer/symmetric_minima_table.inc"
};

std::optional<Cube> cubeOf(std::string_view code) {
    Cube cube;
    for (char c : code) {
        cube.value = static_cast<std::uint8_t>(cube.value << 1);
        cube.free = static_cast<std::uint8_t>(cube.free << 1);
        if (c == '1') {
            cube.value |= 1U;
        } else if (c == '-') {
            cube.free |= 1U;
        } else if (c != '0') {
            return std::nullopt;
        }
    }
    return cube;
}

}  // namespace

std::optional<SymmetricCounts> symmetricCounts(const Function& function) {
    SymmetricCounts counts;
    unsigned off = 0;
    for (int row = 0; row < (1 << function.width); ++row) {
        const unsigned bit = 1U << std::popcount(static_cast<unsigned>(row));
        (function.on.test(row) ? counts.on : function.dc.test(row) ? counts.dontCare : off) |= bit;
    }
    // A count in two of the three sets: some rows with that many ones differ from the others.
    if ((counts.on & counts.dontCare) != 0 || ((counts.on | counts.dontCare) & off) != 0) {
        return std::nullopt;
    }
    return counts;
}

std::optional<std::vector<Cube>> knownMinimum(const Function& function) {
    constexpr int kWidth = 8;
    if (function.width != kWidth) return std::nullopt;
    const auto counts = symmetricCounts(function);
    if (!counts) return std::nullopt;
    const auto before = [](const KnownCover& known, const SymmetricCounts& key) {
        return known.on != key.on ? known.on < key.on : known.dontCare < key.dontCare;
    };
    const auto* found =
        std::lower_bound(std::begin(kKnownCovers), std::end(kKnownCovers), *counts, before);
    if (found == std::end(kKnownCovers) || found->on != counts->on ||
        found->dontCare != counts->dontCare) {
        return std::nullopt;
    }
    // The cover is checked before it is trusted: a damaged entry falls back to the search.
    std::vector<Cube> cover;
    RowSet covered;
    const RowSet allowed = function.on | function.dc;
    for (std::string_view codes = found->codes; codes.size() > kWidth;
         codes.remove_prefix(kWidth + 1)) {
        const auto cube = cubeOf(codes.substr(0, kWidth));
        if (!cube || !cube->rows(kWidth).subsetOf(allowed)) return std::nullopt;
        covered |= cube->rows(kWidth);
        cover.push_back(*cube);
    }
    if (!function.on.subsetOf(covered)) return std::nullopt;
    return cover;
}

namespace {

// The counts of the function with the inputs of `flip` complemented, when it is symmetric then.
std::optional<SymmetricCounts> countsUnderFlip(const Function& function, unsigned flip) {
    unsigned on = 0, dontCare = 0, off = 0;
    for (int row = 0; row < (1 << function.width); ++row) {
        const unsigned bit = 1U << std::popcount(static_cast<unsigned>(row) ^ flip);
        unsigned& kind = function.on.test(row) ? on : function.dc.test(row) ? dontCare : off;
        kind |= bit;
        // Most flips fail within a few rows: a count seen in two of the three sets.
        if ((on & dontCare) != 0 || ((on | dontCare) & off) != 0) return std::nullopt;
    }
    return SymmetricCounts{on, dontCare};
}

}  // namespace

std::optional<KnownCost> knownMinimumUpToComplement(const Function& function) {
    constexpr int kWidth = 8;
    if (function.width != kWidth || symmetricCounts(function)) return std::nullopt;
    for (unsigned flip = 1; flip < (1U << kWidth); ++flip) {
        if (!countsUnderFlip(function, flip)) continue;
        Function flipped;
        flipped.width = kWidth;
        function.on.forEach([&](int row) { flipped.on.set(row ^ static_cast<int>(flip)); });
        function.dc.forEach([&](int row) { flipped.dc.set(row ^ static_cast<int>(flip)); });
        const auto cover = knownMinimum(flipped);
        if (!cover) continue;
        KnownCost known;
        for (Cube cube : *cover) {
            known.literals += cube.literals(kWidth);
            cube.value = static_cast<std::uint8_t>(cube.value ^ (flip & ~cube.free));
            known.cover.push_back(cube);
        }
        known.products = static_cast<int>(cover->size());
        return known;
    }
    return std::nullopt;
}

std::vector<SymmetricCounts> countsWithKnownMinimum() {
    std::vector<SymmetricCounts> counts;
    for (const KnownCover& known : kKnownCovers) counts.push_back({known.on, known.dontCare});
    return counts;
}

}  // namespace qm
