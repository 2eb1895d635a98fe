#include "tests/minimizer/function_families.h"

#include <bit>
#include <random>

#include "minimizer/prime_implicants.h"

namespace qm_bench {
namespace {

constexpr int kWidth = 8;
constexpr int kRows = 1 << kWidth;

bool hasEssentialPrime(const qm::Function& function) {
    const auto primes = qm::primeImplicants(function);
    qm::RowSet once, twice;
    for (const auto& prime : primes) {
        const qm::RowSet rows = prime.rows(kWidth) & function.on;
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
            qm::Function function;
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
        qm::Function function;
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
            qm::Function function;
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

Family cyclicFamily(int members, unsigned seed) {
    Family family{"cyclic core", {}};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    while (static_cast<int>(family.members.size()) < members) {
        // Dense functions with few don't-cares rarely have essential primes.
        const int onPercent = 55 + percent(random) % 30;
        qm::Function function;
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
    if (withHardest) families.push_back(manyPrimesFamily(true));
    unsigned seed = 100;
    for (int dontCare : {0, 20}) {
        for (int on = 10; on <= 90; on += 10) {
            families.push_back(randomFamily(on, dontCare, randomMembers, seed++));
        }
    }
    return families;
}

}  // namespace qm_bench
