// Exact multi-output minimization against searches that know nothing of multi-output primes.

#include "minimizer/multi_output.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "logic/pla.h"

namespace {

using logic::Cube;
using logic::Function;
using qm::MultiCost;
using qm::SharedProduct;

// Every product set found by branching on the first uncovered (output, row) pair over the given
// cubes, each output taking every cube inside its on-set and don't-cares. Gives the fewest
// products and, among sets of that many, the fewest gate inputs, each output taking the fewest
// of its usable products that cover it. Small widths only: rows are bits of a 64-bit word.
class BruteForce {
public:
    BruteForce(const std::vector<Function>& outputs, std::vector<Cube> cubes)
        : outputs_(outputs), cubes_(std::move(cubes)) {
        width_ = outputs.front().width;
        for (const Cube& cube : cubes_) {
            std::uint64_t rows = 0;
            cube.rows(width_).forEach([&rows](int m) { rows |= 1ULL << m; });
            rows_.push_back(rows);
        }
        for (const Function& out : outputs) {
            std::uint64_t on = 0;
            std::uint64_t care = 0;
            out.on.forEach([&](int m) { on |= 1ULL << m; });
            (out.on | out.dc).forEach([&](int m) { care |= 1ULL << m; });
            on_.push_back(on);
            care_.push_back(care);
        }
    }

    // The fewest products up to `limit` (-1 when more are needed) and their fewest gate inputs.
    std::pair<int, int> minimum(int limit) {
        for (int k = 0; k <= limit; ++k) {
            best_ = -1;
            chosen_.clear();
            search(k);
            if (best_ >= 0) return {k, best_};
        }
        return {-1, 0};
    }

private:
    bool usable(std::size_t cube, std::size_t j) const { return (rows_[cube] & ~care_[j]) == 0; }

    void search(int left) {
        for (std::size_t j = 0; j < on_.size(); ++j) {
            std::uint64_t covered = 0;
            for (std::size_t c : chosen_) {
                if (usable(c, j)) covered |= rows_[c];
            }
            const std::uint64_t open = on_[j] & ~covered;
            if (open == 0) continue;
            if (left == 0) return;
            const int m = std::countr_zero(open);
            for (std::size_t c = 0; c < cubes_.size(); ++c) {
                if (!usable(c, j) || ((rows_[c] >> m) & 1U) == 0) continue;
                chosen_.push_back(c);
                search(left - 1);
                chosen_.pop_back();
            }
            return;
        }
        if (left != 0) return;  // found with fewer: counted at the smaller k
        int inputs = 0;
        for (std::size_t c : chosen_) inputs += cubes_[c].literals(width_);
        for (std::size_t j = 0; j < on_.size(); ++j) {
            int fewest = 99;
            const std::size_t k = chosen_.size();
            for (unsigned subset = 0; subset < (1U << k); ++subset) {
                std::uint64_t covered = 0;
                bool ok = true;
                for (std::size_t i = 0; i < k; ++i) {
                    if (((subset >> i) & 1U) == 0) continue;
                    ok = ok && usable(chosen_[i], j);
                    covered |= rows_[chosen_[i]];
                }
                if (ok && (on_[j] & ~covered) == 0)
                    fewest = std::min(fewest, std::popcount(subset));
            }
            inputs += fewest;
        }
        if (best_ < 0 || inputs < best_) best_ = inputs;
    }

    std::vector<Function> outputs_;
    std::vector<Cube> cubes_;
    int width_ = 0;
    std::vector<std::uint64_t> rows_, on_, care_;
    std::vector<std::size_t> chosen_;
    int best_ = -1;
};

std::vector<Cube> allCubes(int width) {
    std::vector<Cube> cubes;
    for (unsigned f = 0; f < (1U << width); ++f) {
        for (unsigned v = 0; v < (1U << width); ++v) {
            if ((v & f) == 0)
                cubes.push_back({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(f)});
        }
    }
    return cubes;
}

Function functionOf(int width, unsigned on, unsigned dc) {
    Function f;
    f.width = width;
    for (int m = 0; m < (1 << width); ++m) {
        if ((dc >> m) & 1U) {
            f.dc.set(m);
        } else if ((on >> m) & 1U) {
            f.on.set(m);
        }
    }
    return f;
}

void expectMinimum(const std::vector<Function>& outputs, BruteForce& brute, int limit) {
    const qm::MultiCover cover = qm::minimizeMultiOutput(outputs);
    const int width = outputs.front().width;
    const MultiCost cost = qm::multiCost(cover.products, width);
    const auto [products, gateInputs] = brute.minimum(limit);
    ASSERT_TRUE(cover.proven);
    ASSERT_TRUE(qm::coversAll(cover.products, outputs));
    ASSERT_EQ(cost.products, products);
    ASSERT_EQ(cost.gateInputs(), gateInputs);
    for (std::size_t i = 1; i < cover.products.size(); ++i) {
        ASSERT_LT(logic::orderKey(cover.products[i - 1].cube, width),
                  logic::orderKey(cover.products[i].cube, width));
    }
}

// Every pair of functions of 1, 2 and 3 inputs; the don't-cares are every pattern of the first
// output's (a random one for the second) at 1 and 2 inputs, and a sample at 3.
TEST(MultiOutputMinimum, EveryTwoOutputFunctionOfUpToThreeInputs) {
    std::mt19937 random(11);
    for (int width = 1; width <= 3; ++width) {
        const unsigned rows = 1U << width;
        const unsigned all = (1U << rows) - 1U;
        const std::vector<Cube> cubes = allCubes(width);
        for (unsigned on0 = 0; on0 <= all; ++on0) {
            for (unsigned on1 = 0; on1 <= all; ++on1) {
                std::vector<std::pair<unsigned, unsigned>> dcs;
                if (width < 3) {
                    for (unsigned d0 = 0; d0 <= all; ++d0) {
                        if ((d0 & on0) == 0) dcs.emplace_back(d0, (random() & all) & ~on1);
                    }
                } else {
                    dcs.emplace_back(0, 0);
                    if ((on0 + on1) % 8 == 0)
                        dcs.emplace_back(random() & random() & all, random() & random() & all);
                }
                for (const auto& [d0, d1] : dcs) {
                    const std::vector<Function> outputs = {functionOf(width, on0, d0),
                                                           functionOf(width, on1, d1)};
                    BruteForce brute(outputs, cubes);
                    SCOPED_TRACE("width " + std::to_string(width) + " on " + std::to_string(on0) +
                                 "," + std::to_string(on1) + " dc " + std::to_string(d0) + "," +
                                 std::to_string(d1));
                    expectMinimum(outputs, brute, 8);
                }
            }
        }
    }
}

// Three and four outputs share products across more than a pair.
TEST(MultiOutputMinimum, RandomFunctionsOfThreeAndFourOutputs) {
    std::mt19937 random(5);
    const std::vector<Cube> cubes = allCubes(3);
    for (int trial = 0; trial < 150; ++trial) {
        std::vector<Function> outputs;
        const int count = 3 + trial % 2;
        for (int j = 0; j < count; ++j)
            outputs.push_back(functionOf(3, random() & 255U, random() & random() & 255U));
        BruteForce brute(outputs, cubes);
        SCOPED_TRACE("trial " + std::to_string(trial));
        expectMinimum(outputs, brute, 10);
    }
    // Up to 8 outputs: products serve more outputs at once.
    for (int trial = 0; trial < 40; ++trial) {
        std::vector<Function> outputs;
        const int count = 6 + trial % 3;
        for (int j = 0; j < count; ++j)
            outputs.push_back(
                functionOf(3, random() & random() & 255U, random() & random() & 255U));
        BruteForce brute(outputs, cubes);
        SCOPED_TRACE("wide trial " + std::to_string(trial));
        expectMinimum(outputs, brute, 10);
    }
}

// Products serving many outputs weigh more than the covering search takes (a row shared by all 8
// outputs, a large cube in one): the count is still the fewest, the gate inputs are improved and
// their bound holds.
TEST(MultiOutputMinimum, HeavyProductsKeepTheFewestCountAndTrueBounds) {
    std::mt19937 random(8);
    const std::vector<Cube> cubes = allCubes(3);
    int unproven = 0;
    for (int trial = 0; trial < 12; ++trial) {
        std::vector<Function> outputs;
        for (int j = 0; j < 8; ++j) {
            unsigned on = (random() & random() & 255U) | 0x80U;
            if (j == 0) on |= 0x0FU;
            outputs.push_back(functionOf(3, on & ~0x40U, 0));
        }
        BruteForce brute(outputs, cubes);
        const auto [products, gateInputs] = brute.minimum(12);
        const qm::MultiCover cover = qm::minimizeMultiOutput(outputs);
        SCOPED_TRACE("trial " + std::to_string(trial));
        ASSERT_TRUE(qm::coversAll(cover.products, outputs));
        const MultiCost cost = qm::multiCost(cover.products, 3);
        EXPECT_EQ(cost.products, products);
        EXPECT_TRUE(cover.countProven);
        EXPECT_GE(cost.gateInputs(), gateInputs);
        EXPECT_LE(cover.inputBound, gateInputs);
        if (cover.proven) {
            EXPECT_EQ(cost.gateInputs(), gateInputs);
        } else {
            ++unproven;
        }
    }
    EXPECT_GT(unproven, 0);  // the cut weights were reached
}

// The BCD to 7-segment decoder (rows 10 to 15 don't-care) needs 9 products: a cover of 9 is
// found, and the brute force finds none of 8.
TEST(MultiOutputMinimum, SevenSegmentDecoderNeedsNineProducts) {
    const char* segments[] = {"1111110", "0110000", "1101101", "1111001", "0110011",
                              "1011011", "1011111", "1110000", "1111111", "1111011"};
    std::string text = ".i 4\n.o 7\n";
    for (int digit = 0; digit < 16; ++digit) {
        std::string code;
        for (int bit = 3; bit >= 0; --bit) code += ((digit >> bit) & 1) ? '1' : '0';
        text += code + " " + (digit < 10 ? segments[digit] : "-------") + "\n";
    }
    const std::vector<Function> outputs = logic::plaFunctions(logic::parsePla(text));
    const qm::MultiCover cover = qm::minimizeMultiOutput(outputs);
    ASSERT_TRUE(cover.proven);
    EXPECT_TRUE(qm::coversAll(cover.products, outputs));
    EXPECT_EQ(cover.products.size(), 9U);

    // The search runs over the cubes that no larger cube can replace for the outputs whose
    // on-sets they touch inside, found here one by one from their definition.
    const auto serves = [&outputs](const Cube& cube) {
        unsigned mask = 0;
        for (std::size_t j = 0; j < outputs.size(); ++j) {
            const logic::RowSet rows = cube.rows(4);
            if (rows.subsetOf(outputs[j].on | outputs[j].dc) && rows.intersects(outputs[j].on))
                mask |= 1U << j;
        }
        return mask;
    };
    std::vector<Cube> cubes;
    for (const Cube& cube : allCubes(4)) {
        const unsigned mask = serves(cube);
        bool maximal = mask != 0;
        for (const Cube& larger : allCubes(4)) {
            const bool contains = larger != cube && cube.rows(4).subsetOf(larger.rows(4));
            if (maximal && contains) {
                unsigned inside = 0;
                for (std::size_t j = 0; j < outputs.size(); ++j) {
                    if (larger.rows(4).subsetOf(outputs[j].on | outputs[j].dc)) inside |= 1U << j;
                }
                if ((inside & mask) == mask) maximal = false;
            }
        }
        if (maximal) cubes.push_back(cube);
    }
    BruteForce brute(outputs, cubes);
    EXPECT_EQ(brute.minimum(9).first, 9);
}

// More output rows than the covering search holds at once (the 4-bit adder's 5 outputs have 640
// ones): solved over growing subsets of the rows, to the optimum CBC proves for it.
TEST(MultiOutputMinimum, ProblemsOfManyRowsReachTheOptimum) {
    std::vector<Function> outputs(5);
    for (int j = 0; j < 5; ++j) outputs[j].width = 8;
    for (int m = 0; m < 256; ++m) {
        const int sum = (m >> 4) + (m & 15);
        for (int j = 0; j < 5; ++j) {
            if ((sum >> (4 - j)) & 1) outputs[j].on.set(m);
        }
    }
    const qm::MultiCover cover = qm::minimizeMultiOutput(outputs);
    EXPECT_TRUE(cover.proven);
    EXPECT_TRUE(qm::coversAll(cover.products, outputs));
    const MultiCost cost = qm::multiCost(cover.products, 8);
    EXPECT_EQ(cost.products, 75);
    EXPECT_EQ(cost.gateInputs(), 415);

    // 32 outputs all 1: too many output sets to offer one by one, and proven all the same.
    std::vector<Function> ones(32, functionOf(3, 255, 0));
    const qm::MultiCover one = qm::minimizeMultiOutput(ones);
    EXPECT_TRUE(one.proven);
    ASSERT_EQ(one.products.size(), 1U);
    EXPECT_EQ(one.products[0].outputs, 0xFFFFFFFFU);
}

// rd84 (the ones of 8 inputs counted, in binary) keeps 411 rows after the reductions: more than
// the subsets can hold, so the plain wide search finishes. Whatever the time allows, the cover is
// valid and the bounds hold against the optimum CBC proves (255 products, 2057 gate inputs).
TEST(MultiOutputMinimum, RowsBeyondTheSubsetsKeepTheirBounds) {
    std::vector<Function> outputs(4);
    for (int j = 0; j < 4; ++j) outputs[j].width = 8;
    for (int m = 0; m < 256; ++m) {
        for (int j = 0; j < 4; ++j) {
            if ((std::popcount(static_cast<unsigned>(m)) >> (3 - j)) & 1) outputs[j].on.set(m);
        }
    }
    const qm::MultiCover cover = qm::minimizeMultiOutput(
        outputs, std::chrono::steady_clock::now() + std::chrono::milliseconds(500));
    EXPECT_TRUE(qm::coversAll(cover.products, outputs));
    const MultiCost cost = qm::multiCost(cover.products, 8);
    EXPECT_GE(cost.products, 255);
    EXPECT_LE(cover.productBound, 255);
    if (cover.countProven) {
        EXPECT_EQ(cost.products, 255);
        EXPECT_LE(cover.inputBound, 2057);
    }
}

// A deadline already passed still gives a valid cover of multi-output primes, with bounds that
// hold; the same with a node limit part way, and the wide search's path for many rows.
TEST(MultiOutputMinimum, UnprovenAnswersAreValidAndTheirBoundsHold) {
    std::mt19937 random(3);
    for (int trial = 0; trial < 6; ++trial) {
        std::vector<Function> outputs;
        // Up to 8 outputs of 6 inputs: more rows than the covering search holds.
        for (int j = 0; j < 2 + trial; ++j) {
            Function f;
            f.width = 6;
            for (int m = 0; m < 64; ++m) {
                if (random() % 3 == 0) f.on.set(m);
            }
            outputs.push_back(f);
        }
        for (long nodes : {0L, 50L}) {
            qm::SolveOptions options;
            options.nodeLimit = nodes;
            const qm::MultiCover quick =
                qm::minimizeMultiOutput(outputs, qm::Deadline::max(), options);
            ASSERT_TRUE(qm::coversAll(quick.products, outputs));
            const qm::MultiCover exact = qm::minimizeMultiOutput(outputs);
            if (!exact.proven) continue;
            const MultiCost best = qm::multiCost(exact.products, 6);
            EXPECT_LE(quick.productBound, best.products);
            if (quick.countProven) {
                EXPECT_EQ(quick.products.size(), exact.products.size());
                EXPECT_LE(quick.inputBound, best.gateInputs());
            }
            if (quick.proven) {
                EXPECT_EQ(quick.products, exact.products);
            }
        }
    }
}

}  // namespace
