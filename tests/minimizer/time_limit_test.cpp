// The exact search gives up at its deadline, or when it is called off, instead of answering with
// an unproven cover.

#include <gtest/gtest.h>

#include <bit>
#include <chrono>

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

int literalsOf(const std::vector<logic::Cube>& cover) {
    int literals = 0;
    for (const logic::Cube& cube : cover) literals += cube.literals(8);
    return literals;
}

// Stopped after ever more search nodes, the search claims no more than it proved: a proven
// count is the minimum's, a literal bound never above the minimum's literals, a proven cost the
// minimum's cost. The first and the last stage are reached on the way (this function's count
// search settles its literals too).
TEST(TimeLimit, AStoppedSearchSaysExactlyWhatItProved) {
    const logic::Function function = hardFunction();
    const std::vector<logic::Cube> minimum = qm::searchMinimum(function);
    const int count = static_cast<int>(minimum.size()), literals = literalsOf(minimum);
    bool sawNothing = false, sawCost = false;
    for (long nodes = 0;; nodes = nodes * 2 + 1) {
        qm::SolveOptions options;
        options.nodeLimit = nodes;
        const qm::BestCover best = qm::minimizeWithin(function, qm::Deadline::max(), options);
        if (best.proven) {
            EXPECT_EQ(best.cover, minimum);
            break;
        }
        EXPECT_LE(best.lowerBound, count);
        EXPECT_GE(static_cast<int>(best.cover.size()), count);
        if (best.costProven) {
            sawCost = true;
            EXPECT_EQ(static_cast<int>(best.cover.size()), count);
            EXPECT_EQ(literalsOf(best.cover), literals);
        } else if (best.countProven) {
            EXPECT_EQ(static_cast<int>(best.cover.size()), count);
            EXPECT_LE(best.literalBound, literals);
            EXPECT_GT(literalsOf(best.cover), best.literalBound);
        } else {
            sawNothing = true;
        }
    }
    EXPECT_TRUE(sawNothing && sawCost);
}

}  // namespace
