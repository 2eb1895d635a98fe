#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "logic/expression_parser.h"
#include "practice/judging.h"
#include "practice/map_loops.h"

namespace quendal::practice {
namespace {

using logic::Cube;
using logic::Function;

// Every cube of a width, as (value, free) pairs.
std::vector<Cube> allCubes(int width) {
    std::vector<Cube> cubes;
    for (int free = 0; free < 1 << width; ++free) {
        for (int value = 0; value < 1 << width; ++value) {
            if ((value & free) == 0)
                cubes.push_back(
                    {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(free)});
        }
    }
    return cubes;
}

Function functionNumber(int width, int n) {
    Function f;
    f.width = width;
    for (int r = 0; r < 1 << width; ++r, n /= 3) {
        if (n % 3 == 1) f.on.set(r);
        if (n % 3 == 2) f.dc.set(r);
    }
    return f;
}

// Every loop on every map of three variables, judged against the definitions.
TEST(LoopJudging, AgreesWithTheDefinitionsOnEveryMapOfThreeVariables) {
    const int width = 3;
    const auto cubes = allCubes(width);
    for (int n = 0; n < 6561; ++n) {
        const Function f = functionNumber(width, n);
        auto implicant = [&](const Cube& c) { return (c.rows(width) - f.on - f.dc).empty(); };
        std::vector<Cube> primes;
        for (const Cube& c : cubes) {
            bool grows = false;
            for (const Cube& d : cubes)
                grows |= !(d == c) && c.rows(width).subsetOf(d.rows(width)) && implicant(d);
            if (implicant(c) && !grows && c.rows(width).intersects(f.on)) primes.push_back(c);
        }
        for (const Cube& loop : cubes) {
            const LoopVerdict v = judgeLoop(f, primes, loop);
            ASSERT_EQ(v.implicant, implicant(loop));
            if (!v.implicant) {
                ASSERT_TRUE(loop.contains(v.zeroRow) && !f.on.test(v.zeroRow) &&
                            !f.dc.test(v.zeroRow));
                continue;
            }
            const bool prime = std::find(primes.begin(), primes.end(), loop) != primes.end();
            ASSERT_EQ(v.prime && v.coversOne, prime) << n;
            if (!v.prime) {
                // Growing that way stays an implicant and takes in the named row.
                Cube grown = loop;
                grown.free |= static_cast<std::uint8_t>(1 << (width - 1 - v.freeColumn));
                grown.value &= static_cast<std::uint8_t>(~grown.free);
                ASSERT_TRUE(implicant(grown));
                ASSERT_TRUE(grown.contains(v.growRow) && !loop.contains(v.growRow));
            }
            if (!prime) {
                ASSERT_FALSE(v.essential);
                continue;
            }
            int only = -1;
            f.on.forEach([&](int r) {
                int count = 0;
                for (const Cube& p : primes) count += p.contains(r) ? 1 : 0;
                if (count == 1 && loop.contains(r) && only < 0) only = r;
            });
            ASSERT_EQ(v.essential, only >= 0);
            ASSERT_EQ(v.essentialRow, only);
        }
    }
}

// Every set of primes of every function of three variables: the cover verdict names a real
// fault, and no correct set costs less than the minimum.
TEST(CoverJudging, NamesRealFaultsForEverySetOfPrimes) {
    const int width = 3;
    for (int n = 0; n < 6561; n += 5) {
        const Function f = functionNumber(width, n);
        if (f.on.empty()) continue;
        const qm::Explanation e = qm::explain(f);
        const int k = static_cast<int>(e.primes.size());
        for (int subset = 0; subset < 1 << k; ++subset) {
            std::vector<Cube> chosen;
            logic::RowSet covered;
            for (int i = 0; i < k; ++i) {
                if (subset & (1 << i)) {
                    chosen.push_back(e.primes[static_cast<std::size_t>(i)]);
                    covered |= chosen.back().rows(width);
                }
            }
            const CoverVerdict v = judgeCover(e, chosen);
            ASSERT_EQ(v.notImplicant, -1);
            ASSERT_EQ(v.notPrime, -1);
            ASSERT_EQ(v.missingRow, (f.on - covered).first());
            if (!v.correct()) continue;
            ASSERT_FALSE(v.cost.terms < e.sopCost.terms ||
                         (v.cost.terms == e.sopCost.terms && v.cost.literals < e.sopCost.literals));
            if (v.redundant >= 0) {
                logic::RowSet rest;
                for (std::size_t j = 0; j < chosen.size(); ++j)
                    if (static_cast<int>(j) != v.redundant) rest |= chosen[j].rows(width);
                ASSERT_TRUE(f.on.subsetOf(rest));
            }
            ASSERT_EQ(v.minimal(), v.cost == e.sopCost);
        }
    }
}

class TypedAnswerHints : public ::testing::Test {
protected:
    // Y(A,B,C) = C + AB, and a cyclic function whose minimum has three products.
    qm::Explanation simple =
        qm::explain(logic::functionOfTerms(3, {1, 3, 5, 6, 7}, logic::TermMode::Minterms));
    qm::Explanation cyclic =
        qm::explain(logic::functionOfTerms(3, {0, 1, 2, 5, 6, 7}, logic::TermMode::Minterms));
};

TEST_F(TypedAnswerHints, NameEachKindOfFault) {
    EXPECT_EQ(practiceCheckText("C + AB'", simple), "AB' is 1 on row 4, where the function is 0.");
    EXPECT_EQ(practiceCheckText("C", simple), "Row 6 is a 1 that none of your products covers.");
    EXPECT_EQ(practiceCheckText("C + ABC'", simple), "ABC' is not prime: C' can go.");
    EXPECT_EQ(practiceCheckText("A'B' + BC' + AC + A'C'", cyclic),
              "A'C' is redundant: the others cover all its 1s.");
    EXPECT_EQ(practiceCheckText("A'B' + B'C + BC' + AB", cyclic),
              "Correct, but not minimal: 1 product too many.");
    EXPECT_EQ(practiceCheckText("C + AB", simple),
              "Correct and minimal: 2 products and 3 literals.");
    // A product of sums gets the same hints, said of its sums and their 0s.
    EXPECT_EQ(practiceCheckText("(A + B)C", simple),
              "(A+B) is 0 on row 1, where the function is 1.");
    EXPECT_EQ(practiceCheckText("(A + C)(C + A)", simple),
              "Row 4 is a 0 that none of your sums is 0 on.");
    EXPECT_EQ(practiceCheckText("(A + C)(B + C)(A + B + C')", simple),
              "(A+B+C') is 0 on row 1, where the function is 1.");
    EXPECT_EQ(practiceCheckText("(A + C)(b + c)(A + B + C)", simple),
              "(A+B+C) is not prime: A can go.");
    EXPECT_EQ(practiceCheckText("(A+C)(B+C)(C+A)", simple),
              "(A+C) is redundant: the others are 0 on all its 0s.");
    EXPECT_EQ(practiceCheckText("(A + C)(B + C)", simple),
              "Correct and minimal: 2 sums and 4 literals.");
    // Not plainly a product of sums: judged by its rows and size alone.
    EXPECT_EQ(practiceCheckText("((A + C)(B + C))", simple), "Correct and minimal.");
    EXPECT_EQ(practiceCheckText("(A + C)(B + C)'", simple),
              "Row 1 is 1 but your answer gives 0 there.");
    EXPECT_THROW(practiceCheckText("C +", simple), logic::SyntaxError);
}

TEST_F(TypedAnswerHints, StepHintsFollowTheReductions) {
    const auto steps = stepHints(simple);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0], "Start with the prime implicants: there are 2 primes.");
    EXPECT_EQ(steps[1],
              "A prime that covers row 6 is essential: no other prime covers it. It is AB.");
    EXPECT_EQ(steps[2],
              "A prime that covers row 1 is essential: no other prime covers it. It is C.");
    const auto cyclicSteps = stepHints(cyclic);
    ASSERT_EQ(cyclicSteps.size(), 2u);
    EXPECT_NE(cyclicSteps[1].find("cyclic: rows 0, 1, 2, 5, 6 and 7"), std::string::npos);
}

// Every drag on every map of 2 to 6 variables, wrapping or not: the loop is the cells dragged
// over, or nothing when they make no product.
TEST(LoopDragging, GivesTheCellsDraggedOverWrappingAtEdges) {
    for (int width = 2; width <= 6; ++width) {
        const explain::KarnaughLayout layout = explain::karnaughLayout(width);
        auto cellsAlong = [](int from, int to, int count, bool wrap) {
            std::set<int> cells;
            const int step = to >= from ? 1 : -1;
            // Walk the short way (or, wrapping, the long way) round the cycle to `to`.
            int stepsTaken = std::abs(to - from);
            int direction = step;
            if (wrap && stepsTaken > 0 && stepsTaken < count) {
                direction = -step;
                stepsTaken = count - stepsTaken;
            }
            for (int k = 0; k <= std::min(stepsTaken, count - 1); ++k)
                cells.insert(((from + k * direction) % count + count) % count);
            return cells;
        };
        for (int m0 = 0; m0 < layout.maps(); ++m0)
            for (int r0 = 0; r0 < layout.rows(); ++r0)
                for (int c0 = 0; c0 < layout.cols(); ++c0)
                    for (int m1 = -1; m1 <= layout.maps(); ++m1)
                        for (int r1 = -1; r1 <= layout.rows(); ++r1)
                            for (int c1 = -1; c1 <= layout.cols(); ++c1)
                                for (bool wrap : {false, true}) {
                                    std::set<int> cells;
                                    for (int m : cellsAlong(m0, m1, layout.maps(), wrap))
                                        for (int r : cellsAlong(r0, r1, layout.rows(), wrap))
                                            for (int c : cellsAlong(c0, c1, layout.cols(), wrap))
                                                cells.insert(layout.mintermAt(m, r, c));
                                    const auto loop =
                                        loopOfDrag(layout, {m0, r0, c0}, {m1, r1, c1}, wrap);
                                    bool isCube = false;
                                    for (const Cube& c : allCubes(width)) {
                                        std::set<int> rows;
                                        c.rows(width).forEach([&](int r) { rows.insert(r); });
                                        if (rows == cells) {
                                            isCube = true;
                                            ASSERT_TRUE(loop.has_value());
                                            ASSERT_EQ(*loop, c);
                                        }
                                    }
                                    ASSERT_EQ(loop.has_value(), isCube);
                                }
    }
}

}  // namespace
}  // namespace quendal::practice
