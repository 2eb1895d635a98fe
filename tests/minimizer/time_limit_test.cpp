// The exact search gives up at its deadline, or when it is called off, instead of answering with
// an unproven cover.

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <random>

#include "minimizer/explanation.h"
#include "minimizer/minimize.h"

namespace {

// 1 where 1 to 4 of the 8 inputs are 1, don't-care where 0 or 5 are, except one row: a nearly
// symmetric function whose cover needs a search (none is known in advance for it).
logic::Function hardFunction() {
    logic::Function function;
    function.width = 8;
    for (int row = 0; row < 256; ++row) {
        const int ones = std::popcount(static_cast<unsigned>(row));
        if (ones >= 1 && ones <= 4) function.on.set(row);
        if (ones == 0 || ones == 5) function.dc.set(row);
    }
    function.on.reset(0x0f);
    return function;
}

TEST(TimeLimit, HardFunctionStopsAtTheDeadline) {
    // A deadline already passed: whatever the search's speed, it must stop with no answer.
    EXPECT_THROW(qm::minimize(hardFunction(), std::chrono::steady_clock::now()), qm::TooHard);
}

TEST(TimeLimit, ACalledOffSearchStopsAsAtTheDeadline) {
    const qm::CancelFlag cancelled{true};
    EXPECT_THROW(qm::minimize(hardFunction(), qm::Deadline::max(), &cancelled), qm::TooHard);
    EXPECT_THROW(qm::explain(hardFunction(), qm::Deadline::max(), qm::ExplainScope::Everything,
                             nullptr, &cancelled),
                 qm::TooHard);
}

TEST(TimeLimit, EasyFunctionFinishesWellBeforeIt) {
    logic::Function function;
    function.width = 3;
    function.on.set(1);
    function.on.set(6);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    EXPECT_EQ(qm::minimize(function, deadline).size(), 2U);
}

}  // namespace

namespace {

int literalsOf(const std::vector<logic::Cube>& cover, int width) {
    int literals = 0;
    for (const logic::Cube& cube : cover) literals += cube.literals(width);
    return literals;
}

// A random function of 7 inputs whose count the search proves before its literals.
logic::Function randomFunction() {
    std::mt19937 random(38);
    logic::Function function;
    function.width = 7;
    for (int row = 0; row < 128; ++row) {
        const unsigned kind = random() % 10;
        if (kind < 5)
            function.on.set(row);
        else if (kind < 8)
            function.dc.set(row);
    }
    return function;
}

// Stopped after ever more search nodes, the search claims no more than it proved: a proven
// count is the minimum's, a literal bound never above the minimum's literals, a proven cost the
// minimum's cost. Each stage of the proof is reached on the way.
TEST(TimeLimit, AStoppedSearchSaysExactlyWhatItProved) {
    bool sawNothing = false, sawCount = false, sawCost = false;
    for (const logic::Function& function : {hardFunction(), randomFunction()}) {
        // A tie-break long enough to be stopped in: with its default budget it can be shorter
        // than the gaps between the node limits tried.
        qm::SolveOptions fullChoice;
        fullChoice.choiceWork = 1L << 40;
        const std::vector<logic::Cube> minimum =
            qm::minimizeWithin(function, qm::Deadline::max(), fullChoice).cover;
        const int count = static_cast<int>(minimum.size());
        const int literals = literalsOf(minimum, function.width);
        for (long nodes = 0;; nodes = nodes * 2 + 1) {
            qm::SolveOptions options;
            options.nodeLimit = nodes;
            options.choiceWork = fullChoice.choiceWork;
            const qm::BestCover best = qm::minimizeWithin(function, qm::Deadline::max(), options);
            if (best.proven) {
                EXPECT_EQ(best.cover, minimum);
                break;
            }
            const int found = literalsOf(best.cover, function.width);
            EXPECT_LE(best.lowerBound, count);
            EXPECT_GE(static_cast<int>(best.cover.size()), count);
            if (best.costProven) {
                sawCost = true;
                EXPECT_EQ(static_cast<int>(best.cover.size()), count);
                EXPECT_EQ(found, literals);
            } else if (best.countProven) {
                sawCount = true;
                EXPECT_EQ(static_cast<int>(best.cover.size()), count);
                EXPECT_LE(best.literalBound, literals);
                EXPECT_GT(found, best.literalBound);
            } else {
                sawNothing = true;
            }
        }
    }
    EXPECT_TRUE(sawNothing);
    EXPECT_TRUE(sawCount);
    EXPECT_TRUE(sawCost);
}

}  // namespace
