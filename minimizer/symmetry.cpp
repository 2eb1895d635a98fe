#include "minimizer/symmetry.h"

namespace qm {

using logic::Cube;
using logic::Function;
using logic::kMaxWidth;

InputMap::InputMap() {
    for (unsigned n = 0; n < 16; ++n) {
        low_[n] = static_cast<std::uint8_t>(n);
        high_[n] = static_cast<std::uint8_t>(n << 4);
    }
}

InputMap::InputMap(const std::array<int, kMaxWidth>& to, int width, std::uint8_t flip)
    : flip_(flip) {
    for (unsigned n = 0; n < 16; ++n) {
        unsigned low = 0, high = 0;
        for (int bit = 0; bit < 4; ++bit) {
            if (((n >> bit) & 1U) == 0) continue;
            // Bits beyond the width stay where they are.
            low |= 1U << (bit < width ? to[bit] : bit);
            high |= 1U << (bit + 4 < width ? to[bit + 4] : bit + 4);
        }
        low_[n] = static_cast<std::uint8_t>(low);
        high_[n] = static_cast<std::uint8_t>(high);
    }
}

bool InputMap::isIdentity() const {
    return *this == InputMap();
}

namespace {

// The backtracking state: source bit k goes to target bit to[k], and target bit t is
// complemented when flipAt bit t is set.
class AutomorphismSearch {
public:
    AutomorphismSearch(const Function& function, const Cube* fixed, std::size_t limit)
        : width_(function.width),
          full_((1U << function.width) - 1U),
          fixed_(fixed),
          limit_(limit),
          counts_(std::size_t{1} << 16) {
        // counts_ of a cube: its on rows times 512 plus its don't-care rows, summed over the
        // two halves of its lowest free bit.
        for (unsigned free = 0; free <= full_; ++free) {
            const unsigned lowest = free & (0U - free);
            for (unsigned value = 0; value <= full_; ++value) {
                if ((value & free) != 0) continue;
                std::uint32_t count = 0;
                if (free == 0) {
                    const int row = static_cast<int>(value);
                    count = function.on.test(row) ? 512U : (function.dc.test(row) ? 1U : 0U);
                } else {
                    const unsigned rest = free & ~lowest;
                    count = counts_[rest << 8 | value] + counts_[rest << 8 | (value | lowest)];
                }
                counts_[free << 8 | value] = count;
            }
        }
    }

    std::vector<InputMap> run() {
        extend(0, 0);
        return found_;
    }

private:
    // Whether the partial map of source bits 0..k-1 keeps the counts of every subcube fixing
    // exactly those bits.
    bool consistent(int k, unsigned usedTargets) const {
        const unsigned sourceFree = full_ & ~((1U << k) - 1U);
        const unsigned targetFree = full_ & ~usedTargets;
        for (unsigned a = 0; a < (1U << k); ++a) {
            unsigned target = 0;
            for (int i = 0; i < k; ++i) {
                const unsigned bit = ((a >> i) & 1U) ^ ((flipAt_ >> to_[i]) & 1U);
                target |= bit << to_[i];
            }
            if (counts_[sourceFree << 8 | a] != counts_[targetFree << 8 | target]) return false;
        }
        return true;
    }

    void extend(int k, unsigned usedTargets) {
        if (found_.size() >= limit_) return;
        if (k == width_) {
            found_.emplace_back(to_, width_, static_cast<std::uint8_t>(flipAt_));
            return;
        }
        for (int t = 0; t < width_; ++t) {
            if ((usedTargets >> t) & 1U) continue;
            for (unsigned flip = 0; flip < 2; ++flip) {
                if (fixed_ != nullptr) {
                    // The fixed product's column k lands on column t: free on free, and a value
                    // on the value there.
                    const unsigned free = fixed_->free;
                    if (((free >> k) & 1U) != ((free >> t) & 1U)) continue;
                    const unsigned value = fixed_->value;
                    const unsigned need = ((value >> k) & 1U) ^ ((value >> t) & 1U);
                    if (((free >> k) & 1U) == 0 && flip != need) continue;
                }
                to_[k] = t;
                flipAt_ = (flipAt_ & ~(1U << t)) | (flip << t);
                if (consistent(k + 1, usedTargets | (1U << t)))
                    extend(k + 1, usedTargets | 1U << t);
                flipAt_ &= ~(1U << t);
            }
        }
    }

    int width_;
    unsigned full_;
    const Cube* fixed_;
    std::size_t limit_;
    std::vector<std::uint32_t> counts_;  // indexed by free << 8 | value
    std::array<int, kMaxWidth> to_{};
    unsigned flipAt_ = 0;
    std::vector<InputMap> found_;
};

}  // namespace

std::vector<InputMap> automorphisms(const Function& function, std::size_t limit) {
    return AutomorphismSearch(function, nullptr, limit).run();
}

std::vector<InputMap> automorphismsFixing(const Function& function, const Cube& fixed) {
    return AutomorphismSearch(function, &fixed, std::numeric_limits<std::size_t>::max()).run();
}

}  // namespace qm
