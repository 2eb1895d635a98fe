#include "minimizer/canonical_form.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace qm {

using logic::Cube;
using logic::Function;
using logic::RowSet;

InputTransform InputTransform::identity(int width) {
    InputTransform t;
    t.width = width;
    return t;
}

std::uint8_t InputTransform::permute(std::uint8_t bits) const {
    std::uint8_t image = 0;
    for (int i = 0; i < width; ++i) {
        if ((bits >> i) & 1U) image |= static_cast<std::uint8_t>(1U << to[i]);
    }
    return image;
}

Cube InputTransform::cube(const Cube& c) const {
    Cube image;
    image.free = permute(c.free);
    image.value = static_cast<std::uint8_t>(permute(c.value) ^ (flip & ~image.free));
    return image;
}

Function InputTransform::function(const Function& f) const {
    Function image;
    image.width = f.width;
    f.on.forEach([&](int r) { image.on.set(row(r)); });
    f.dc.forEach([&](int r) { image.dc.set(row(r)); });
    return image;
}

InputTransform InputTransform::inverse() const {
    InputTransform back = identity(width);
    for (int i = 0; i < width; ++i) back.to[to[i]] = static_cast<std::uint8_t>(i);
    back.flip = back.permute(flip);
    return back;
}

InputTransform InputTransform::after(const InputTransform& first) const {
    InputTransform both = identity(width);
    for (int i = 0; i < width; ++i) both.to[i] = to[first.to[i]];
    both.flip = static_cast<std::uint8_t>(permute(first.flip) ^ flip);
    return both;
}

bool InputTransform::isIdentity() const {
    if (flip != 0) return false;
    for (int i = 0; i < width; ++i) {
        if (to[i] != i) return false;
    }
    return true;
}

namespace {

// 0 off, 1 on, 2 don't-care.
int kindOf(const Function& f, int row) {
    return f.on.test(row) ? 1 : f.dc.test(row) ? 2 : 0;
}

// Whether swapping inputs i and j, and complementing both when `complement`, keeps the function.
bool keptBySwap(const Function& f, int i, int j, bool complement) {
    const int both = (1 << i) | (1 << j);
    for (int r = 0; r < (1 << f.width); ++r) {
        int s = r & ~both;
        if ((r >> i) & 1) s |= 1 << j;
        if ((r >> j) & 1) s |= 1 << i;
        if (complement) s ^= both;
        if (kindOf(f, r) != kindOf(f, s)) return false;
    }
    return true;
}

// The ones and don't-cares of the four quarters of the table by inputs i (a) and j (b).
using PairTable = std::array<int, 8>;
PairTable pairTable(const Function& f, int i, int j, bool flipI, bool flipJ) {
    PairTable table{};
    const auto add = [&](int r, int offset) {
        const int a = ((r >> i) & 1) ^ (flipI ? 1 : 0);
        const int b = ((r >> j) & 1) ^ (flipJ ? 1 : 0);
        ++table[static_cast<std::size_t>(((1 - a) * 2 + (1 - b)) * 2 + offset)];
    };
    f.on.forEach([&](int r) { add(r, 0); });
    f.dc.forEach([&](int r) { add(r, 1); });
    return table;
}

// Ranks of the keys: equal keys share a rank, ranks follow the keys' order, so they depend on
// the values alone and not on which input holds them.
std::vector<int> ranksOf(const std::vector<std::vector<int>>& keys) {
    std::vector<std::vector<int>> distinct = keys;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    std::vector<int> ranks;
    for (const auto& key : keys) {
        ranks.push_back(static_cast<int>(std::lower_bound(distinct.begin(), distinct.end(), key) -
                                         distinct.begin()));
    }
    return ranks;
}

int classesOf(const std::vector<int>& color) {
    return color.empty() ? 0 : *std::max_element(color.begin(), color.end()) + 1;
}

bool tableBefore(const Function& a, const Function& b) {
    for (int w = 3; w >= 0; --w) {
        if (a.on.words[w] != b.on.words[w]) return a.on.words[w] < b.on.words[w];
    }
    for (int w = 3; w >= 0; --w) {
        if (a.dc.words[w] != b.dc.words[w]) return a.dc.words[w] < b.dc.words[w];
    }
    return false;
}

class Canonizer {
public:
    explicit Canonizer(const Function& f) : n_(f.width), base_(InputTransform::identity(f.width)) {
        fixPolarities(f);
        refineColors();
        formGroups();
    }

    // The number of maps the comparison visits.
    long ties() const {
        long count = 1;
        for (int i = 0; i < n_; ++i) {
            if (ambiguous_[i]) count *= 2;
        }
        for (const auto& block : blocks_) {
            // Arrangements of the block's groups: size! / product of the group sizes'.
            long arrangements = 1;
            int placed = 0;
            for (int g : block) {
                for (int k = 1; k <= static_cast<int>(groups_[g].size()); ++k) {
                    ++placed;
                    arrangements = arrangements * placed / k;
                }
            }
            count *= arrangements;
        }
        return count;
    }

    CanonicalForm best() {
        remaining_.assign(groups_.size(), 0);
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            remaining_[g] = static_cast<int>(groups_[g].size());
        }
        leaf_ = InputTransform::identity(n_);
        found_ = false;
        place(0);
        return {best_, bestMap_.after(base_)};
    }

private:
    // Complements each input whose cofactor with it at 1 has fewer ones (then don't-cares) than
    // that at 0. Where the two are alike, the input's tables with inputs of fixed polarity may
    // still tell its sides apart.
    void fixPolarities(const Function& f) {
        ambiguous_.assign(static_cast<std::size_t>(n_), false);
        std::vector<std::array<int, 4>> halves(static_cast<std::size_t>(n_));
        for (int i = 0; i < n_; ++i) {
            auto& h = halves[static_cast<std::size_t>(i)];
            f.on.forEach([&](int r) { ++h[((r >> i) & 1) ? 0 : 2]; });
            f.dc.forEach([&](int r) { ++h[((r >> i) & 1) ? 1 : 3]; });
            const std::pair<int, int> one{h[0], h[1]}, zero{h[2], h[3]};
            if (one < zero) {
                base_.flip ^= static_cast<std::uint8_t>(1U << i);
                std::swap(h[0], h[2]);
                std::swap(h[1], h[3]);
            }
            ambiguous_[static_cast<std::size_t>(i)] = one == zero;
        }
        std::vector<std::vector<int>> keys;
        for (const auto& h : halves) keys.push_back({h[0], h[1], h[2], h[3]});
        const std::vector<int> cofactorColor = ranksOf(keys);
        function_ = base_.function(f);
        // Each round decides from the polarities fixed before it, so the order of the inputs
        // plays no part.
        for (bool changed = true; changed;) {
            changed = false;
            const std::vector<bool> openBefore = ambiguous_;
            std::uint8_t flips = 0;
            for (int i = 0; i < n_; ++i) {
                if (!openBefore[static_cast<std::size_t>(i)]) continue;
                std::vector<std::vector<int>> asIs, flipped;
                for (int j = 0; j < n_; ++j) {
                    if (j == i || openBefore[static_cast<std::size_t>(j)]) continue;
                    const PairTable a = pairTable(function_, i, j, false, false);
                    const PairTable b = pairTable(function_, i, j, true, false);
                    const int c = cofactorColor[static_cast<std::size_t>(j)];
                    asIs.push_back({c, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]});
                    flipped.push_back({c, b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]});
                }
                std::sort(asIs.begin(), asIs.end());
                std::sort(flipped.begin(), flipped.end());
                if (asIs == flipped) continue;
                if (asIs < flipped) flips |= static_cast<std::uint8_t>(1U << i);
                ambiguous_[static_cast<std::size_t>(i)] = false;
                changed = true;
            }
            InputTransform turn = InputTransform::identity(n_);
            turn.flip = flips;
            function_ = turn.function(function_);
            base_.flip ^= flips;
        }
        std::vector<std::vector<int>> colorKeys;
        for (int i = 0; i < n_; ++i) {
            std::vector<int> key = keys[static_cast<std::size_t>(i)];
            key.insert(key.begin(), ambiguous_[static_cast<std::size_t>(i)] ? 1 : 0);
            colorKeys.push_back(key);
        }
        color_ = ranksOf(colorKeys);
    }

    // A pair's table, least over the polarities not fixed.
    PairTable pairInvariant(int i, int j) const {
        PairTable least = pairTable(function_, i, j, false, false);
        for (int flips = 1; flips < 4; ++flips) {
            const bool fi = (flips & 1) != 0, fj = (flips & 2) != 0;
            if ((fi && !ambiguous_[static_cast<std::size_t>(i)]) ||
                (fj && !ambiguous_[static_cast<std::size_t>(j)])) {
                continue;
            }
            least = std::min(least, pairTable(function_, i, j, fi, fj));
        }
        return least;
    }

    // Splits inputs of one color by the colors and pair tables of the others, until no more split.
    void refineColors() {
        std::vector<std::vector<PairTable>> pairs(static_cast<std::size_t>(n_));
        for (int i = 0; i < n_; ++i) {
            for (int j = 0; j < n_; ++j) {
                pairs[static_cast<std::size_t>(i)].push_back(i == j ? PairTable{}
                                                                    : pairInvariant(i, j));
            }
        }
        for (;;) {
            std::vector<std::vector<int>> keys;
            for (int i = 0; i < n_; ++i) {
                std::vector<std::vector<int>> seen;
                for (int j = 0; j < n_; ++j) {
                    if (j == i) continue;
                    const PairTable& t =
                        pairs[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
                    std::vector<int> item{color_[static_cast<std::size_t>(j)]};
                    item.insert(item.end(), t.begin(), t.end());
                    seen.push_back(std::move(item));
                }
                std::sort(seen.begin(), seen.end());
                std::vector<int> key{color_[static_cast<std::size_t>(i)]};
                for (const auto& item : seen) key.insert(key.end(), item.begin(), item.end());
                keys.push_back(std::move(key));
            }
            const std::vector<int> refined = ranksOf(keys);
            const bool split = classesOf(refined) > classesOf(color_);
            color_ = refined;
            if (!split) break;
        }
    }

    // Inputs of one color that the function is symmetric in form a group: which of them goes
    // where makes no difference, only how the groups interleave and which places are
    // complemented. Inputs of open polarity that swap with both complemented are first turned
    // to swap plainly (their polarity is tried both ways anyway).
    void formGroups() {
        std::vector<int> groupOf(static_cast<std::size_t>(n_), -1);
        for (int i = 0; i < n_; ++i) {
            if (groupOf[static_cast<std::size_t>(i)] >= 0) continue;
            const int g = static_cast<int>(groups_.size());
            groups_.push_back({i});
            groupOf[static_cast<std::size_t>(i)] = g;
            const bool open = ambiguous_[static_cast<std::size_t>(i)];
            for (int j = i + 1; j < n_; ++j) {
                if (groupOf[static_cast<std::size_t>(j)] >= 0 ||
                    color_[static_cast<std::size_t>(j)] != color_[static_cast<std::size_t>(i)] ||
                    ambiguous_[static_cast<std::size_t>(j)] != open) {
                    continue;
                }
                if (!keptBySwap(function_, i, j, false)) {
                    if (!open || !keptBySwap(function_, i, j, true)) continue;
                    InputTransform one = InputTransform::identity(n_);
                    one.flip = static_cast<std::uint8_t>(1U << j);
                    function_ = one.function(function_);
                    base_.flip ^= one.flip;
                }
                groups_[static_cast<std::size_t>(g)].push_back(j);
                groupOf[static_cast<std::size_t>(j)] = g;
            }
        }
        // A group whose members do not all swap plainly after all is split: less pruning, the
        // same result.
        std::vector<std::vector<int>> checked;
        for (const auto& group : groups_) {
            bool plain = true;
            for (std::size_t a = 0; a < group.size() && plain; ++a) {
                for (std::size_t b = a + 1; b < group.size() && plain; ++b) {
                    plain = keptBySwap(function_, group[a], group[b], false);
                }
            }
            if (plain) {
                checked.push_back(group);
            } else {
                for (int member : group) checked.push_back({member});
            }
        }
        groups_ = std::move(checked);
        // Blocks of places in the order of the colors.
        std::vector<int> order(groups_.size());
        std::iota(order.begin(), order.end(), 0);
        const auto colorOfGroup = [&](int g) {
            return color_[static_cast<std::size_t>(groups_[static_cast<std::size_t>(g)][0])];
        };
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return colorOfGroup(a) < colorOfGroup(b); });
        for (int g : order) {
            if (blocks_.empty() || colorOfGroup(blocks_.back()[0]) != colorOfGroup(g)) {
                blocks_.emplace_back();
                blockStart_.push_back(place_);
            }
            blocks_.back().push_back(g);
            place_ += static_cast<int>(groups_[static_cast<std::size_t>(g)].size());
        }
        for (std::size_t b = 0; b < blocks_.size(); ++b) {
            const int end = b + 1 < blocks_.size() ? blockStart_[b + 1] : n_;
            for (int p = blockStart_[b]; p < end; ++p) blockOfPlace_.push_back(static_cast<int>(b));
        }
    }

    // Puts a group's next member at `place`, in every way the ties allow.
    void place(int at) {
        if (at == n_) {
            const Function image = leaf_.function(function_);
            if (!found_ || tableBefore(image, best_)) {
                best_ = image;
                bestMap_ = leaf_;
                found_ = true;
            }
            return;
        }
        for (int g :
             blocks_[static_cast<std::size_t>(blockOfPlace_[static_cast<std::size_t>(at)])]) {
            int& left = remaining_[static_cast<std::size_t>(g)];
            if (left == 0) continue;
            const auto& group = groups_[static_cast<std::size_t>(g)];
            const int member = group[group.size() - static_cast<std::size_t>(left)];
            --left;
            leaf_.to[static_cast<std::size_t>(member)] = static_cast<std::uint8_t>(at);
            const std::uint8_t bit = static_cast<std::uint8_t>(1U << at);
            leaf_.flip = static_cast<std::uint8_t>(leaf_.flip & ~bit);
            place(at + 1);
            if (ambiguous_[static_cast<std::size_t>(member)]) {
                leaf_.flip |= bit;
                place(at + 1);
                leaf_.flip = static_cast<std::uint8_t>(leaf_.flip & ~bit);
            }
            ++left;
        }
    }

    int n_;
    InputTransform base_;  // the polarities fixed before the comparison
    Function function_;    // the function under base_
    std::vector<bool> ambiguous_;
    std::vector<int> color_;
    std::vector<std::vector<int>> groups_;
    std::vector<std::vector<int>> blocks_;  // groups by color, in color order
    std::vector<int> blockStart_;
    std::vector<int> blockOfPlace_;
    int place_ = 0;
    std::vector<int> remaining_;
    InputTransform leaf_;
    InputTransform bestMap_;
    Function best_;
    bool found_ = false;
};

}  // namespace

std::optional<CanonicalForm> canonicalForm(const Function& function, long maxTies) {
    if (function.width < 1 || function.width > logic::kMaxWidth) return std::nullopt;
    Canonizer canonizer(function);
    if (canonizer.ties() > maxTies) return std::nullopt;
    return canonizer.best();
}

}  // namespace qm
