#include "minimizer/prime_implicants.h"

namespace qm {

using logic::Cube;
using logic::Function;
using logic::RowSet;
using logic::sortCubes;

std::vector<Cube> primeImplicants(const Function& function) {
    const int width = function.width;
    const unsigned size = 1U << width;
    const unsigned all = size - 1U;
    const RowSet care = function.on | function.dc;

    // For every cube (free columns f, value v with v inside ~f): whether it lies inside the care
    // set, and whether it touches the on-set. A cube with a free column is the union of its two
    // halves, whose free sets are smaller and so already known.
    std::vector<unsigned char> inside(size * size, 0);
    std::vector<unsigned char> touchesOn(size * size, 0);
    for (unsigned f = 0; f < size; ++f) {
        const unsigned fixed = all & ~f;
        const unsigned low = f & (~f + 1U);
        for (unsigned v = fixed;; v = (v - 1U) & fixed) {
            const unsigned at = f * size + v;
            if (f == 0) {
                inside[at] = care.test(static_cast<int>(v));
                touchesOn[at] = function.on.test(static_cast<int>(v));
            } else {
                const unsigned half = (f ^ low) * size;
                inside[at] = inside[half + v] && inside[half + (v | low)];
                touchesOn[at] = touchesOn[half + v] || touchesOn[half + (v | low)];
            }
            if (v == 0) break;
        }
    }

    std::vector<Cube> primes;
    for (unsigned f = 0; f < size; ++f) {
        const unsigned fixed = all & ~f;
        for (unsigned v = fixed;; v = (v - 1U) & fixed) {
            const unsigned at = f * size + v;
            if (inside[at] && touchesOn[at]) {
                bool prime = true;
                for (unsigned rest = fixed; rest != 0 && prime; rest &= rest - 1U) {
                    const unsigned bit = rest & (~rest + 1U);
                    if (inside[(f | bit) * size + (v & ~bit)]) prime = false;
                }
                if (prime)
                    primes.push_back(
                        Cube{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(f)});
            }
            if (v == 0) break;
        }
    }
    sortCubes(primes, width);
    return primes;
}

}  // namespace qm
