#include "tests/minimizer/function_families.h"

#include <algorithm>
#include <bit>
#include <random>

#include "minimizer/prime_implicants.h"

namespace qm_bench {
namespace {

constexpr int kWidth = 8;
constexpr int kRows = 1 << kWidth;

bool hasEssentialPrime(const logic::Function& function) {
    const auto primes = qm::primeImplicants(function);
    logic::RowSet once, twice;
    for (const auto& prime : primes) {
        const logic::RowSet rows = prime.rows(kWidth) & function.on;
        twice |= once & rows;
        once |= rows;
    }
    return !(once - twice).empty();
}

}  // namespace

Family parityFamily() {
    Family family{"parity", {}};
    for (unsigned variables = 0; variables < kRows; ++variables) {
        if (std::popcount(variables) < 2) continue;
        // Every fourth subset keeps the family small while still reaching all sizes.
        if (variables % 4 != 3 && variables != kRows - 1) continue;
        for (int complement = 0; complement < 2; ++complement) {
            logic::Function function;
            function.width = kWidth;
            for (int row = 0; row < kRows; ++row) {
                const bool odd = std::popcount(static_cast<unsigned>(row) & variables) % 2 == 1;
                if (odd != (complement == 1)) function.on.set(row);
            }
            family.members.push_back(function);
        }
    }
    return family;
}

Family randomFamily(int onPercent, int dontCarePercent, int members, unsigned seed) {
    Family family{"random " + std::to_string(onPercent) + "%" +
                      (dontCarePercent > 0 ? " dc " + std::to_string(dontCarePercent) + "%" : ""),
                  {}};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int m = 0; m < members; ++m) {
        logic::Function function;
        function.width = kWidth;
        for (int row = 0; row < kRows; ++row) {
            if (percent(random) < onPercent) {
                function.on.set(row);
            } else if (percent(random) < dontCarePercent) {
                function.dc.set(row);
            }
        }
        family.members.push_back(function);
    }
    return family;
}

Family manyPrimesFamily(bool dontCareEdges) {
    Family family{dontCareEdges ? "many primes dc edges" : "many primes", {}};
    for (int low = 1; low <= kWidth - 1; ++low) {
        for (int high = low; high <= kWidth - 1; ++high) {
            logic::Function function;
            function.width = kWidth;
            for (int row = 0; row < kRows; ++row) {
                const int ones = std::popcount(static_cast<unsigned>(row));
                if (ones >= low && ones <= high) {
                    function.on.set(row);
                } else if (dontCareEdges && (ones == low - 1 || ones == high + 1)) {
                    function.dc.set(row);
                }
            }
            family.members.push_back(function);
        }
    }
    return family;
}

logic::Function symmetricFunction(int width, unsigned onCounts, unsigned dontCareCounts) {
    logic::Function function;
    function.width = width;
    for (int row = 0; row < (1 << width); ++row) {
        const int ones = std::popcount(static_cast<unsigned>(row));
        if ((onCounts >> ones) & 1U) {
            function.on.set(row);
        } else if ((dontCareCounts >> ones) & 1U) {
            function.dc.set(row);
        }
    }
    return function;
}

Family symmetricFamily(int width, bool oneDontCare) {
    Family family{"symmetric " + std::to_string(width) + (oneDontCare ? " one dc count" : ""), {}};
    const unsigned all = (1U << (width + 1)) - 1U;
    for (unsigned counts = 1; counts <= all; ++counts) {
        unsigned dontCare = 0;
        if (oneDontCare) {
            const int lowest = std::countr_zero(counts);
            const int highest = std::bit_width(counts) - 1;
            if (lowest > 0) {
                dontCare = 1U << (lowest - 1);
            } else if (highest < width) {
                dontCare = 1U << (highest + 1);
            } else {
                continue;  // every count from 0 to width is on
            }
        }
        family.members.push_back(symmetricFunction(width, counts, dontCare));
    }
    return family;
}

Family bandFamily(int width) {
    Family family{"bands dc edges " + std::to_string(width), {}};
    for (int low = 1; low <= width - 1; ++low) {
        for (int high = low; high <= width - 1; ++high) {
            const unsigned band = ((1U << (high + 1)) - 1U) & ~((1U << low) - 1U);
            const unsigned edges = (1U << (low - 1)) | (1U << (high + 1));
            family.members.push_back(symmetricFunction(width, band, edges));
        }
    }
    return family;
}

Family cyclicFamily(int members, unsigned seed) {
    Family family{"cyclic core", {}};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    while (static_cast<int>(family.members.size()) < members) {
        // Dense functions with few don't-cares rarely have essential primes.
        const int onPercent = 55 + percent(random) % 30;
        logic::Function function;
        function.width = kWidth;
        for (int row = 0; row < kRows; ++row) {
            if (percent(random) < onPercent) {
                function.on.set(row);
            } else if (percent(random) < 10) {
                function.dc.set(row);
            }
        }
        if (!hasEssentialPrime(function)) family.members.push_back(function);
    }
    return family;
}

std::vector<Family> allFamilies(int randomMembers, bool withHardest) {
    std::vector<Family> families{parityFamily(), manyPrimesFamily(false),
                                 cyclicFamily(randomMembers, 7)};
    families.push_back(symmetricFamily(7, false));
    families.push_back(symmetricFamily(7, true));
    families.push_back(bandFamily(7));
    if (withHardest) {
        families.push_back(manyPrimesFamily(true));
        families.push_back(symmetricFamily(8, false));
        families.push_back(symmetricFamily(8, true));
    }
    unsigned seed = 100;
    for (int dontCare : {0, 20}) {
        for (int on = 10; on <= 90; on += 10) {
            families.push_back(randomFamily(on, dontCare, randomMembers, seed++));
        }
    }
    families.push_back(randomFamily(95, 0, randomMembers, 200));
    families.push_back(randomFamily(95, 20, randomMembers, 201));
    return families;
}

logic::Function transformed(const logic::Function& function, std::mt19937& random) {
    const int width = function.width;
    std::vector<int> to(static_cast<std::size_t>(width));
    for (int i = 0; i < width; ++i) to[static_cast<std::size_t>(i)] = i;
    std::shuffle(to.begin(), to.end(), random);
    const unsigned flip = std::uniform_int_distribution<unsigned>(0, (1U << width) - 1U)(random);
    logic::Function image;
    image.width = width;
    for (int row = 0; row < (1 << width); ++row) {
        unsigned target = 0;
        for (int bit = 0; bit < width; ++bit) {
            target |= ((static_cast<unsigned>(row) >> bit) & 1U)
                      << to[static_cast<std::size_t>(bit)];
        }
        target ^= flip;
        if (function.on.test(row)) image.on.set(static_cast<int>(target));
        if (function.dc.test(row)) image.dc.set(static_cast<int>(target));
    }
    return image;
}

namespace {

Family transformedFamily(const Family& base, unsigned seed) {
    Family family{base.name + " transformed", {}};
    std::mt19937 random(seed);
    for (const auto& member : base.members) family.members.push_back(transformed(member, random));
    return family;
}

// Random disjoint sets of on counts and don't-care counts, neither empty.
Family symmetricDontCareSetsFamily(int members, unsigned seed) {
    Family family{"symmetric dc count sets", {}};
    std::mt19937 random(seed);
    std::uniform_int_distribution<unsigned> counts(1, (1U << (kWidth + 1)) - 2U);
    while (static_cast<int>(family.members.size()) < members) {
        const unsigned on = counts(random);
        const unsigned dontCare = counts(random) & ~on;
        if (dontCare == 0) continue;
        family.members.push_back(symmetricFunction(kWidth, on, dontCare));
    }
    return family;
}

// The value depends on how many of the first 6 inputs are 1 and on the last 2 inputs alone
// (some states don't-care), then the inputs are permuted and some complemented.
Family partlySymmetricFamily(int members, unsigned seed) {
    Family family{"symmetric in 6 of 8", {}};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    while (static_cast<int>(family.members.size()) < members) {
        int state[7][4];
        for (auto& ones : state) {
            for (int& value : ones) {
                const int p = percent(random);
                value = p < 45 ? 1 : (p < 55 ? 2 : 0);
            }
        }
        logic::Function function;
        function.width = kWidth;
        for (int row = 0; row < kRows; ++row) {
            const int value = state[std::popcount(static_cast<unsigned>(row) & 63U)][row >> 6];
            if (value == 1) function.on.set(row);
            if (value == 2) function.dc.set(row);
        }
        if (function.on.empty()) continue;
        family.members.push_back(transformed(function, random));
    }
    return family;
}

Family denseRandomFamily(int members, unsigned seed) {
    Family family{"dense random 60-95%", {}};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int m = 0; m < members; ++m) {
        const int onPercent = 60 + percent(random) % 36;
        logic::Function function;
        function.width = kWidth;
        for (int row = 0; row < kRows; ++row) {
            if (percent(random) < onPercent) function.on.set(row);
        }
        family.members.push_back(function);
    }
    return family;
}

}  // namespace

std::vector<Family> wideFamilies() {
    return {transformedFamily(symmetricFamily(kWidth, false), 301),
            transformedFamily(symmetricFamily(kWidth, true), 302),
            transformedFamily(manyPrimesFamily(true), 303),
            symmetricDontCareSetsFamily(150, 304),
            partlySymmetricFamily(150, 305),
            denseRandomFamily(150, 306)};
}

}  // namespace qm_bench
