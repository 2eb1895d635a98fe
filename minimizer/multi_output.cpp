#include "minimizer/multi_output.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <random>
#include <stdexcept>

namespace qm {

using logic::Cube;
using logic::Function;
using logic::RowSet;

// The covering problem of a multi-output function. Its rows are the pairs (output j, row m of
// j's on-set). A candidate is a multi-output prime p with a set S of the outputs it may serve:
// it covers the rows of p for every output of S and costs one product and literals(p) + |S|
// gate inputs. With products counted first, a minimum never takes one cube twice (taking it once
// for the union of both sets costs a product less), so the minimum of this set cover, count then
// weight, is exactly the minimum MultiCost, and the existing covering search finds it.
//
// Rows are first reduced with row dominance, per output: (j, m1) makes (j, m2) redundant when
// every prime serving j through m1 also holds m2, which is m2 lying in the intersection of those
// primes (a cube). A prime is then offered only for the outputs whose rows it still covers.

namespace {

constexpr int kMaxOutputs = 32;
// Beyond this many candidates each prime is offered only with all its outputs.
constexpr std::size_t kMaxCandidates = 1U << 16;
// Nodes the wide search gets to finish a proof before the time left goes to improving the cover.
constexpr long kWideSearchNodes = 20000;
// Rounds of the neighbourhood search without a cheaper cover after which it gives up.
constexpr long kStaleRounds = 400;

struct Candidate {
    int prime = 0;
    std::uint32_t outputs = 0;
    int weight = 0;
};

// A bit set of any size, for problems with more rows than logic::RowSet holds.
using Bits = std::vector<std::uint64_t>;
void setBit(Bits& bits, int i) {
    bits[static_cast<std::size_t>(i) >> 6] |= 1ULL << (i & 63);
}
bool testBit(const Bits& bits, int i) {
    return (bits[static_cast<std::size_t>(i) >> 6] >> (i & 63)) & 1U;
}

int weightOf(const Cube& cube, std::uint32_t outputs, int width) {
    return cube.literals(width) + std::popcount(outputs);
}

// A plain branch and bound for covering problems with more rows than the covering search holds:
// branches on the open row with the fewest candidates, bounded by disjoint rows (each needs its
// own candidate, of at least its cheapest weight). Cost is count first, then weight.
class WideSearch {
public:
    WideSearch(int rowCount, std::vector<Bits> columns, std::vector<int> weights, Deadline deadline,
               const SolveOptions& options)
        : rowCount_(rowCount),
          words_((static_cast<std::size_t>(rowCount) + 63) / 64),
          columns_(std::move(columns)),
          weights_(std::move(weights)),
          deadline_(deadline),
          options_(options) {
        rowColumns_.resize(static_cast<std::size_t>(rowCount));
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            for (int r = 0; r < rowCount; ++r) {
                if (testBit(columns_[c], r))
                    rowColumns_[static_cast<std::size_t>(r)].push_back(static_cast<int>(c));
            }
        }
    }

    // The cheapest cover (candidate indices); `complete` when the search proved it minimum, and
    // the root's bounds either way.
    std::vector<int> run(bool& complete, int& countBound, int& weightBound,
                         const std::vector<int>& start = {}) {
        Bits covered(words_, 0);
        Bits excluded((columns_.size() + 63) / 64, 0);
        greedy();
        // A cover found before, when it is cheaper, is the limit to beat.
        if (!start.empty()) {
            int weight = 0;
            for (int c : start) weight += weights_[static_cast<std::size_t>(c)];
            if (better(static_cast<int>(start.size()), weight)) {
                best_ = start;
                bestWeight_ = weight;
            }
        }
        const auto [count, weight] = packing(covered, excluded);
        countBound = count;
        weightBound = weight;
        std::vector<int> chosen;
        complete = search(covered, excluded, chosen, 0, 0);
        return best_;
    }

private:
    void greedy() {
        Bits covered(words_, 0);
        std::vector<int> chosen;
        int weight = 0;
        for (;;) {
            int pick = -1;
            int gain = 0;
            for (std::size_t c = 0; c < columns_.size(); ++c) {
                int g = 0;
                for (std::size_t w = 0; w < words_; ++w)
                    g += std::popcount(columns_[c][w] & ~covered[w]);
                if (g > gain || (g == gain && g > 0 && weights_[c] < weights_[pick])) {
                    gain = g;
                    pick = static_cast<int>(c);
                }
            }
            if (pick < 0) break;
            chosen.push_back(pick);
            weight += weights_[static_cast<std::size_t>(pick)];
            for (std::size_t w = 0; w < words_; ++w)
                covered[w] |= columns_[static_cast<std::size_t>(pick)][w];
        }
        std::sort(chosen.begin(), chosen.end());
        best_ = chosen;
        bestWeight_ = weight;
    }

    bool better(int count, int weight) const {
        const int bestCount = static_cast<int>(best_.size());
        return count < bestCount || (count == bestCount && weight < bestWeight_);
    }

    // Disjoint open rows, fewest candidates first: each needs a candidate of its own.
    std::pair<int, int> packing(const Bits& covered, const Bits& excluded) const {
        std::vector<std::pair<int, int>> open;  // (candidates left, row)
        for (int r = 0; r < rowCount_; ++r) {
            if (testBit(covered, r)) continue;
            int left = 0;
            for (int c : rowColumns_[static_cast<std::size_t>(r)])
                left += testBit(excluded, c) ? 0 : 1;
            open.emplace_back(left, r);
        }
        std::sort(open.begin(), open.end());
        Bits used((columns_.size() + 63) / 64, 0);
        int count = 0;
        int weight = 0;
        for (const auto& [left, r] : open) {
            if (left == 0) return {1 << 20, 0};  // uncoverable here
            bool disjoint = true;
            int cheapest = 1 << 20;
            for (int c : rowColumns_[static_cast<std::size_t>(r)]) {
                if (testBit(excluded, c)) continue;
                if (testBit(used, c)) disjoint = false;
                cheapest = std::min(cheapest, weights_[static_cast<std::size_t>(c)]);
            }
            if (!disjoint) continue;
            for (int c : rowColumns_[static_cast<std::size_t>(r)]) setBit(used, c);
            ++count;
            weight += cheapest;
        }
        return {count, weight};
    }

    bool timeUp() {
        if (++nodes_ % 64 != 0 && options_.nodeLimit < 0) return false;
        if (options_.nodeLimit >= 0 && nodes_ > options_.nodeLimit) return true;
        if (options_.cancelled != nullptr && options_.cancelled->load()) return true;
        return std::chrono::steady_clock::now() >= deadline_;
    }

    // False when time ran out before the subtree was settled.
    bool search(const Bits& covered, Bits excluded, std::vector<int>& chosen, int count,
                int weight) {
        if (timeUp()) return false;
        const auto [packCount, packWeight] = packing(covered, excluded);
        if (!better(count + packCount, weight + packWeight)) return true;
        // The open row with the fewest candidates left.
        int row = -1;
        std::size_t fewest = static_cast<std::size_t>(-1);
        for (int r = 0; r < rowCount_; ++r) {
            if (testBit(covered, r)) continue;
            std::size_t left = 0;
            for (int c : rowColumns_[static_cast<std::size_t>(r)])
                left += testBit(excluded, c) ? 0 : 1;
            if (left < fewest) {
                fewest = left;
                row = r;
            }
        }
        if (row < 0) {
            best_ = chosen;
            std::sort(best_.begin(), best_.end());
            bestWeight_ = weight;
            return true;
        }
        // Candidates covering most open rows first, then the cheapest.
        std::vector<std::pair<int, int>> order;  // (-gain * 64 + weight, candidate)
        for (int c : rowColumns_[static_cast<std::size_t>(row)]) {
            if (testBit(excluded, c)) continue;
            int gain = 0;
            for (std::size_t w = 0; w < words_; ++w)
                gain += std::popcount(columns_[static_cast<std::size_t>(c)][w] & ~covered[w]);
            order.emplace_back(-gain * 64 + weights_[static_cast<std::size_t>(c)], c);
        }
        std::sort(order.begin(), order.end());
        for (const auto& [key, c] : order) {
            Bits next = covered;
            for (std::size_t w = 0; w < words_; ++w)
                next[w] |= columns_[static_cast<std::size_t>(c)][w];
            chosen.push_back(c);
            const bool settled = search(next, excluded, chosen, count + 1,
                                        weight + weights_[static_cast<std::size_t>(c)]);
            chosen.pop_back();
            if (!settled) return false;
            // Later branches leave this candidate out: no cover is visited twice.
            setBit(excluded, c);
        }
        return true;
    }

    int rowCount_;
    std::size_t words_;
    std::vector<Bits> columns_;
    std::vector<int> weights_;
    std::vector<std::vector<int>> rowColumns_;
    Deadline deadline_;
    const SolveOptions& options_;
    long nodes_ = 0;
    std::vector<int> best_;
    int bestWeight_ = 0;
};

// The covering search takes secondary costs of 0 to kSolverWeights per candidate (its literal
// bounds count candidates by literals, and it weighs one candidate more than any sum of them).
// Shifting every weight by the same amount keeps the order of covers of one count, so the weights
// go in less the smallest; weights that span more than that are cut (see minimizeMultiOutput).
constexpr int kSolverWeights = 8;

int lightest(const std::vector<int>& weights) {
    return weights.empty() ? 0 : *std::min_element(weights.begin(), weights.end());
}

bool solverTakes(const std::vector<int>& weights) {
    return weights.empty() ||
           *std::max_element(weights.begin(), weights.end()) - lightest(weights) <= kSolverWeights;
}

// Large neighbourhood search for covers of more rows than the covering search holds: drops a
// random share of the cover's candidates, covers the rows they leave open with the covering
// search (when those fit its 256 rows), and keeps the result when it is cheaper, until the
// deadline. The random sequence is fixed, so the same time gives the same cover.
std::vector<int> improvedCover(std::vector<int> cover, int rowCount,
                               const std::vector<Bits>& columns, const std::vector<int>& weights,
                               Deadline deadline, const SolveOptions& options) {
    const std::size_t words = (static_cast<std::size_t>(rowCount) + 63) / 64;
    const auto costOf = [&](const std::vector<int>& candidates) {
        int weight = 0;
        for (int c : candidates) weight += weights[static_cast<std::size_t>(c)];
        return std::pair<int, int>(static_cast<int>(candidates.size()), weight);
    };
    std::pair<int, int> best = costOf(cover);
    const int base = lightest(weights);
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    double share = 0.3;
    SolveOptions inner = options;
    inner.nodeLimit = -1;
    long lastGain = 0;
    for (long round = 0; std::chrono::steady_clock::now() < deadline; ++round) {
        if (options.cancelled != nullptr && options.cancelled->load()) break;
        // Without a deadline (the library's default) it ends once it stops finding anything.
        if (round - lastGain > kStaleRounds) break;
        // A test's node limit bounds the rounds instead, whatever the machine's speed.
        if (options.nodeLimit >= 0 && round >= options.nodeLimit) break;
        std::vector<int> kept;
        for (int c : cover) {
            if (uniform(random) >= share) kept.push_back(c);
        }
        Bits covered(words, 0);
        for (int c : kept) {
            for (std::size_t w = 0; w < words; ++w)
                covered[w] |= columns[static_cast<std::size_t>(c)][w];
        }
        std::vector<int> open;
        for (int r = 0; r < rowCount; ++r) {
            if (!testBit(covered, r)) open.push_back(r);
        }
        if (open.size() > 256) {
            share *= 0.8;
            continue;
        }
        CoverProblem problem;
        for (std::size_t i = 0; i < open.size(); ++i) problem.rows.set(static_cast<int>(i));
        for (std::size_t c = 0; c < columns.size(); ++c) {
            RowSet column;
            for (std::size_t i = 0; i < open.size(); ++i) {
                if (testBit(columns[c], open[i])) column.set(static_cast<int>(i));
            }
            problem.columns.push_back(column);
            // A heuristic here: weights beyond what the covering search takes are cut to it,
            // and the result is judged by its real cost below.
            problem.literals.push_back(std::min(weights[c] - base, kSolverWeights));
        }
        const Deadline shortly =
            std::min(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(250));
        std::vector<int> added;
        try {
            if (auto solved = solveCover(problem, shortly, inner)) added = *solved;
        } catch (const TooHard& tooHard) {
            added = tooHard.bestCover();
            if (added.empty() && !open.empty()) continue;
        }
        kept.insert(kept.end(), added.begin(), added.end());
        std::sort(kept.begin(), kept.end());
        kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
        const std::pair<int, int> cost = costOf(kept);
        if (cost < best) {
            best = cost;
            cover = kept;
            lastGain = round;
        }
        // Larger neighbourhoods while they fit, for more freedom.
        share = std::min(0.6, share * 1.05);
    }
    return cover;
}

}  // namespace

MultiCost multiCost(const std::vector<SharedProduct>& products, int width) {
    MultiCost cost;
    cost.products = static_cast<int>(products.size());
    for (const SharedProduct& product : products) {
        cost.andInputs += product.cube.literals(width);
        cost.orInputs += std::popcount(product.outputs);
    }
    return cost;
}

std::vector<SharedProduct> multiOutputPrimes(const std::vector<Function>& outputs) {
    if (outputs.empty()) return {};
    const int width = outputs.front().width;
    const unsigned size = 1U << width;
    const unsigned all = size - 1U;

    // For every cube: the outputs it lies inside (on-set and don't-cares) and the outputs whose
    // on-set it touches, each from its two halves as in primeImplicants().
    std::vector<std::uint32_t> inside(size * size, 0);
    std::vector<std::uint32_t> touches(size * size, 0);
    for (unsigned f = 0; f < size; ++f) {
        const unsigned fixed = all & ~f;
        const unsigned low = f & (~f + 1U);
        for (unsigned v = fixed;; v = (v - 1U) & fixed) {
            const unsigned at = f * size + v;
            if (f == 0) {
                for (std::size_t j = 0; j < outputs.size(); ++j) {
                    const Function& out = outputs[j];
                    if (out.on.test(static_cast<int>(v)) || out.dc.test(static_cast<int>(v)))
                        inside[at] |= 1U << j;
                    if (out.on.test(static_cast<int>(v))) touches[at] |= 1U << j;
                }
            } else {
                const unsigned half = (f ^ low) * size;
                inside[at] = inside[half + v] & inside[half + (v | low)];
                touches[at] = touches[half + v] | touches[half + (v | low)];
            }
            if (v == 0) break;
        }
    }

    std::vector<SharedProduct> primes;
    for (unsigned f = 0; f < size; ++f) {
        const unsigned fixed = all & ~f;
        for (unsigned v = fixed;; v = (v - 1U) & fixed) {
            const unsigned at = f * size + v;
            const std::uint32_t serves = inside[at] & touches[at];
            if (serves != 0) {
                // Prime for the outputs it serves: no cube one literal larger is inside them all.
                bool prime = true;
                for (unsigned rest = fixed; rest != 0 && prime; rest &= rest - 1U) {
                    const unsigned bit = rest & (~rest + 1U);
                    if ((inside[(f | bit) * size + (v & ~bit)] & serves) == serves) prime = false;
                }
                if (prime) {
                    primes.push_back(
                        {Cube{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(f)}, serves});
                }
            }
            if (v == 0) break;
        }
    }
    std::sort(primes.begin(), primes.end(),
              [width](const SharedProduct& a, const SharedProduct& b) {
                  return logic::orderKey(a.cube, width) < logic::orderKey(b.cube, width);
              });
    return primes;
}

bool coversAll(const std::vector<SharedProduct>& products, const std::vector<Function>& outputs) {
    for (std::size_t j = 0; j < outputs.size(); ++j) {
        const Function& out = outputs[j];
        RowSet covered;
        for (const SharedProduct& product : products) {
            if (((product.outputs >> j) & 1U) == 0) continue;
            const RowSet rows = product.cube.rows(out.width);
            if (!rows.subsetOf(out.on | out.dc)) return false;
            covered |= rows;
        }
        if (!out.on.subsetOf(covered)) return false;
    }
    // No product may name an output past the last.
    for (const SharedProduct& product : products) {
        if (outputs.size() < 32 && (product.outputs >> outputs.size()) != 0) return false;
    }
    return true;
}

MultiCover minimizeMultiOutput(const std::vector<Function>& outputs, Deadline deadline,
                               const SolveOptions& options) {
    if (outputs.empty() || static_cast<int>(outputs.size()) > kMaxOutputs)
        throw std::invalid_argument("a multi-output function has 1 to 32 outputs");
    const int width = outputs.front().width;
    for (const Function& out : outputs) {
        if (out.width != width) throw std::invalid_argument("outputs of different widths");
    }
    const std::vector<SharedProduct> primes = multiOutputPrimes(outputs);

    // Row dominance per output (see the top of this file): the rows kept, per output.
    std::vector<RowSet> kept(outputs.size());
    for (std::size_t j = 0; j < outputs.size(); ++j) {
        const std::uint32_t bit = 1U << j;
        std::vector<std::uint8_t> sharedFree(256, 0xFF);  // free columns of the intersection
        outputs[j].on.forEach([&](int m) {
            for (const SharedProduct& p : primes) {
                if ((p.outputs & bit) && p.cube.contains(m))
                    sharedFree[static_cast<std::size_t>(m)] &= p.cube.free;
            }
        });
        const auto dominates = [&](int m1, int m2) {
            const unsigned fixed = ~static_cast<unsigned>(sharedFree[static_cast<std::size_t>(m1)]);
            return ((static_cast<unsigned>(m1) ^ static_cast<unsigned>(m2)) & fixed & 0xFFU) == 0;
        };
        kept[j] = outputs[j].on;
        outputs[j].on.forEach([&](int m1) {
            outputs[j].on.forEach([&](int m2) {
                if (m1 == m2 || !dominates(m1, m2)) return;
                // Equal columns: the lower row stays.
                if (dominates(m2, m1) && m2 < m1) return;
                kept[j].reset(m2);
            });
        });
    }

    // Row numbers of the kept pairs.
    std::vector<std::vector<int>> rowIndex(outputs.size(), std::vector<int>(256, -1));
    int rowCount = 0;
    for (std::size_t j = 0; j < outputs.size(); ++j)
        kept[j].forEach([&](int m) { rowIndex[j][static_cast<std::size_t>(m)] = rowCount++; });

    // Candidates: each prime with every nonempty set of the outputs whose kept rows it covers.
    std::vector<Candidate> candidates;
    bool enumerated = true;
    for (std::size_t i = 0; i < primes.size() && enumerated; ++i) {
        const RowSet rows = primes[i].cube.rows(width);
        std::uint32_t useful = 0;
        for (std::size_t j = 0; j < outputs.size(); ++j) {
            if (((primes[i].outputs >> j) & 1U) && rows.intersects(kept[j])) useful |= 1U << j;
        }
        if (useful == 0) continue;
        if (candidates.size() + (std::size_t{1} << std::popcount(useful)) > kMaxCandidates) {
            enumerated = false;
            break;
        }
        // Every nonempty subset of `useful`, in ascending order of its bits.
        std::vector<std::uint32_t> subsets;
        for (std::uint32_t s = useful;; s = (s - 1U) & useful) {
            if (s != 0) subsets.push_back(s);
            if (s == 0) break;
        }
        std::sort(subsets.begin(), subsets.end());
        for (std::uint32_t s : subsets)
            candidates.push_back({static_cast<int>(i), s, weightOf(primes[i].cube, s, width)});
    }
    if (!enumerated) {
        // Only each prime with all its useful outputs: a valid cover, not proven.
        candidates.clear();
        for (std::size_t i = 0; i < primes.size(); ++i) {
            std::uint32_t useful = 0;
            const RowSet rows = primes[i].cube.rows(width);
            for (std::size_t j = 0; j < outputs.size(); ++j) {
                if (((primes[i].outputs >> j) & 1U) && rows.intersects(kept[j])) useful |= 1U << j;
            }
            if (useful != 0)
                candidates.push_back(
                    {static_cast<int>(i), useful, weightOf(primes[i].cube, useful, width)});
        }
    }
    const auto rowsOf = [&](const Candidate& c, auto set) {
        const RowSet rows = primes[static_cast<std::size_t>(c.prime)].cube.rows(width);
        for (std::size_t j = 0; j < outputs.size(); ++j) {
            if (((c.outputs >> j) & 1U) == 0) continue;
            (rows & kept[j]).forEach([&](int m) { set(rowIndex[j][static_cast<std::size_t>(m)]); });
        }
    };

    MultiCover result;
    std::vector<int> chosen;
    const std::size_t words = (static_cast<std::size_t>(rowCount) + 63) / 64;
    std::vector<Bits> columns;
    std::vector<int> weights;
    std::vector<int> candidatesOfRow(static_cast<std::size_t>(rowCount), 0);
    for (const Candidate& c : candidates) {
        Bits column(words, 0);
        rowsOf(c, [&](int r) {
            setBit(column, r);
            ++candidatesOfRow[static_cast<std::size_t>(r)];
        });
        columns.push_back(std::move(column));
        weights.push_back(c.weight);
    }
    const int base = lightest(weights);
    // Weights the covering search does not take are cut to what it takes: the count it finds
    // is still the fewest (weights only order covers of one count), the gate inputs are then
    // improved by the neighbourhood search and not proven.
    const bool exactWeights = solverTakes(weights);
    const auto fewestWeights = [&weights](int count) {
        std::vector<int> sorted = weights;
        std::sort(sorted.begin(), sorted.end());
        int sum = 0;
        for (int i = 0; i < count && i < static_cast<int>(sorted.size()); ++i) sum += sorted[i];
        return sum;
    };
    if (enumerated) {
        // Row generation: the covering search holds 256 rows, so it minimizes over a subset of
        // the rows, the hardest (fewest candidates) first. A minimum over a subset is a bound for
        // the whole; when it covers every row it is the whole problem's minimum, and the first in
        // the documented order too (every minimum of the whole is one of the subset). Otherwise
        // the rows it leaves open join the subset, while there is room.
        std::vector<int> order(static_cast<std::size_t>(rowCount));
        for (int r = 0; r < rowCount; ++r) order[static_cast<std::size_t>(r)] = r;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return candidatesOfRow[static_cast<std::size_t>(a)] <
                   candidatesOfRow[static_cast<std::size_t>(b)];
        });
        constexpr int kRows = 256;
        std::vector<int> subset(order.begin(),
                                order.begin() + (rowCount <= kRows ? rowCount : kRows / 2));
        for (;;) {
            CoverProblem problem;
            for (std::size_t i = 0; i < subset.size(); ++i) problem.rows.set(static_cast<int>(i));
            for (std::size_t c = 0; c < columns.size(); ++c) {
                RowSet column;
                for (std::size_t i = 0; i < subset.size(); ++i) {
                    if (testBit(columns[c], subset[i])) column.set(static_cast<int>(i));
                }
                problem.columns.push_back(column);
                problem.literals.push_back(std::min(weights[c] - base, kSolverWeights));
            }
            bool stopped = false;
            try {
                if (auto cover = solveCover(problem, deadline, options)) chosen = *cover;
                int weight = 0;
                for (int c : chosen) weight += weights[static_cast<std::size_t>(c)];
                result.productBound = static_cast<int>(chosen.size());
                result.inputBound =
                    exactWeights ? weight : fewestWeights(static_cast<int>(chosen.size()));
            } catch (const TooHard& tooHard) {
                stopped = true;
                chosen = tooHard.bestCover();
                result.proven = false;
                result.productBound = tooHard.lowerBound();
                result.inputBound = !tooHard.countProven() ? 0
                                    : exactWeights
                                        ? tooHard.literalBound() + base * tooHard.lowerBound()
                                        : fewestWeights(tooHard.lowerBound());
                result.costProven = exactWeights && tooHard.costProven();
            }
            Bits covered(words, 0);
            for (int c : chosen) {
                for (std::size_t w = 0; w < words; ++w)
                    covered[w] |= columns[static_cast<std::size_t>(c)][w];
            }
            std::vector<int> open;
            for (int r : order) {
                if (!testBit(covered, r)) open.push_back(r);
            }
            if (open.empty()) {
                if (!exactWeights) {
                    result.proven = false;
                    result.costProven = false;
                    if (!stopped)
                        chosen =
                            improvedCover(chosen, rowCount, columns, weights, deadline, options);
                }
                break;
            }
            if (stopped || static_cast<int>(subset.size()) == kRows) {
                // Out of time or room: the rows left open are covered greedily, and with time
                // left the plain search over all rows tries to beat that.
                result.proven = false;
                result.costProven = false;
                Bits left(words, 0);
                for (int r : open) setBit(left, r);
                for (std::size_t remaining = open.size(); remaining > 0;) {
                    int pick = -1;
                    int gain = 0;
                    for (std::size_t c = 0; c < columns.size(); ++c) {
                        int g = 0;
                        for (std::size_t w = 0; w < words; ++w)
                            g += std::popcount(columns[c][w] & left[w]);
                        if (g > gain || (g == gain && g > 0 &&
                                         weights[c] < weights[static_cast<std::size_t>(pick)])) {
                            gain = g;
                            pick = static_cast<int>(c);
                        }
                    }
                    chosen.push_back(pick);
                    for (std::size_t w = 0; w < words; ++w)
                        left[w] &= ~columns[static_cast<std::size_t>(pick)][w];
                    remaining -= static_cast<std::size_t>(gain);
                }
                std::sort(chosen.begin(), chosen.end());
                if (!stopped) {
                    // A short try to finish the proof, then the time left improves the cover.
                    SolveOptions wide = options;
                    if (wide.nodeLimit < 0) wide.nodeLimit = kWideSearchNodes;
                    WideSearch search(rowCount, columns, weights, deadline, wide);
                    bool complete = false;
                    int countBound = 0;
                    int weightBound = 0;
                    chosen = search.run(complete, countBound, weightBound, chosen);
                    if (complete) {
                        // Every cover was searched: the one found is a minimum, the first the
                        // search met.
                        result.proven = true;
                    } else {
                        if (countBound > result.productBound) {
                            result.productBound = countBound;
                            result.inputBound = weightBound;
                        }
                        chosen =
                            improvedCover(chosen, rowCount, columns, weights, deadline, options);
                    }
                }
                break;
            }
            for (int r : open) {
                if (static_cast<int>(subset.size()) == kRows) break;
                subset.push_back(r);
            }
        }
    } else {
        // Output sets not all offered: the plain wide search, then the neighbourhood search in
        // the time left.
        SolveOptions wide = options;
        if (wide.nodeLimit < 0) wide.nodeLimit = kWideSearchNodes;
        WideSearch search(rowCount, columns, weights, deadline, wide);
        bool complete = false;
        chosen = search.run(complete, result.productBound, result.inputBound);
        if (complete && enumerated) {
            result.proven = true;  // every cover searched: the first minimum it met
        } else {
            if (!complete)
                chosen = improvedCover(chosen, rowCount, columns, weights, deadline, options);
            result.proven = false;
            result.costProven = false;
        }
        if (!enumerated) {
            // A finished search over each prime with all its outputs still has the fewest
            // products: a smaller output set never saves a product. Its packing's weights are of
            // whole output sets, not a bound; each output with ones takes a product, and each
            // product has at least the fewest literals of any.
            if (complete) result.productBound = static_cast<int>(chosen.size());
            int fewestLiterals = width;
            for (const Candidate& c : candidates) {
                fewestLiterals = std::min(
                    fewestLiterals, primes[static_cast<std::size_t>(c.prime)].cube.literals(width));
            }
            int outputsWithOnes = 0;
            for (const Function& out : outputs) outputsWithOnes += out.on.empty() ? 0 : 1;
            result.inputBound = std::max(result.productBound, outputsWithOnes) +
                                result.productBound * fewestLiterals;
            // Reaching that bound after a complete search is a minimum beyond doubt.
            std::vector<SharedProduct> found;
            for (int index : chosen) {
                const Candidate& c = candidates[static_cast<std::size_t>(index)];
                found.push_back({primes[static_cast<std::size_t>(c.prime)].cube, c.outputs});
            }
            if (complete && multiCost(found, width).gateInputs() <= result.inputBound)
                result.proven = true;
        }
    }

    // One product per cube (an unproven cover may take a cube twice), in the output order.
    for (int index : chosen) {
        const Candidate& c = candidates[static_cast<std::size_t>(index)];
        const Cube& cube = primes[static_cast<std::size_t>(c.prime)].cube;
        auto same = std::find_if(result.products.begin(), result.products.end(),
                                 [&cube](const SharedProduct& p) { return p.cube == cube; });
        if (same != result.products.end()) {
            same->outputs |= c.outputs;
        } else {
            result.products.push_back({cube, c.outputs});
        }
    }
    std::sort(result.products.begin(), result.products.end(),
              [width](const SharedProduct& a, const SharedProduct& b) {
                  return logic::orderKey(a.cube, width) < logic::orderKey(b.cube, width);
              });
    const MultiCost cost = multiCost(result.products, width);
    if (result.proven) {
        result.productBound = cost.products;
        result.inputBound = cost.gateInputs();
        return result;
    }
    result.countProven = cost.products <= result.productBound;
    if (!result.countProven) {
        result.costProven = false;
    } else if (cost.gateInputs() <= result.inputBound) {
        result.costProven = true;  // a cover that reaches the bound is a minimum
    }
    return result;
}

std::string multiNotProvenNote(const MultiCover& cover, int width, const std::string& inPath) {
    const MultiCost cost = multiCost(cover.products, width);
    const std::string products = std::to_string(cost.products) + " products";
    if (cover.costProven) {
        return inPath + ": a minimum cover (" + products + ", " +
               std::to_string(cost.gateInputs()) +
               " gate inputs, proven), not proven the first in the documented order";
    }
    if (cover.countProven) {
        return inPath + ": not proven minimal: " + products + " (proven the fewest), " +
               std::to_string(cost.gateInputs()) + " gate inputs found, at least " +
               std::to_string(cover.inputBound) + " needed";
    }
    return inPath + ": not proven minimal: " + products + " found, at least " +
           std::to_string(cover.productBound) + " needed";
}

}  // namespace qm
