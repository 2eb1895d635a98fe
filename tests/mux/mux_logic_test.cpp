#include "mux/mux_drawing.h"
#include "mux/mux_options.h"
#include "tests/mux/mux_fixture_support.h"
#include "tests/support/netlist.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

using namespace quendal::drawing;
using namespace quendal::mux;
using logic::TermMode;

namespace {

// Draws the function with 2^k : 1 multiplexers, reads the drawing back and
// compares Y with the function on every row that is not a don't-care.
// Returns an empty text when they agree, else what went wrong.
std::string checkDrawing(const FunctionView& f, int k) {
    RecordingCanvas c;
    drawMuxImplementation(c, f, k);
    const MuxNetlist net(c.operations());
    if (!net.problems().empty()) return net.problems().front();
    if (!c.circuit()) return "no model kept";
    if (std::string d = netlist::disagreement(c.circuit()->netlist, net); !d.empty())
        return "model and picture: " + d;
    const int n = f.function.width;
    for (int row = 0; row < (1 << n); ++row) {
        if (f.function.dc.test(row)) continue;
        const int expected = f.function.on.test(row);
        std::map<std::string, int> values;
        for (int i = 0; i < n; ++i) values[varName(f, i + 1)] = (row >> (n - 1 - i)) & 1;
        std::string why;
        const auto y = net.evaluate(values, &why);
        if (!y) return "row " + std::to_string(row) + ": " + why;
        if (*y != expected) return "row " + std::to_string(row) + " gives " + std::to_string(*y);
    }
    return {};
}

std::vector<int> termsOf(unsigned mask, int numTerms) {
    std::vector<int> terms;
    for (int t = 0; t < numTerms; ++t)
        if (mask >> t & 1u) terms.push_back(t);
    return terms;
}

struct Size {
    int n, k;
    TermMode mode;
};

void PrintTo(const Size& size, std::ostream* os) {
    *os << size.n << " variables, " << (1 << size.k) << " : 1, "
        << (size.mode == TermMode::Minterms ? "min" : "max") << " terms";
}

std::string name(const ::testing::TestParamInfo<Size>& info) {
    std::string text = "n";
    text += std::to_string(info.param.n);
    text += "_k";
    text += std::to_string(info.param.k);
    text += info.param.mode == TermMode::Minterms ? "_min" : "_max";
    return text;
}

std::vector<Size> offeredSizes(int upToN) {
    std::vector<Size> sizes;
    for (int n = 1; n <= upToN; ++n)
        for (int k = 1; k <= 6; ++k)
            if (muxOptionsFor(n).offers(k))
                for (TermMode mode : {TermMode::Minterms, TermMode::Maxterms})
                    sizes.push_back({n, k, mode});
    return sizes;
}

// The term lists checked at each size: every one up to three variables. At
// four, every input is tied on its own and only the first and last input on
// each rail are drawn differently, so the lists with at most three terms or
// at most three gaps reach every such case (each input alone, first and last
// on a rail, rails missing); a seeded sample stands for the many lists in
// between, which repeat those cases with more inputs.
std::vector<unsigned> masksToCheck(int n) {
    const int numTerms = 1 << n;
    const unsigned all = (1u << numTerms) - 1;
    std::vector<unsigned> masks;
    for (unsigned mask = 0; mask <= all; ++mask) {
        const int ones = std::popcount(mask);
        if (n < 4 || ones <= 3 || numTerms - ones <= 3) masks.push_back(mask);
    }
    if (n == 4) {
        std::mt19937 random(4);
        for (int i = 0; i < 500; ++i) masks.push_back(random() & all);
    }
    return masks;
}

// Functions of up to four variables, in both term modes, with every size the
// dialog offers for them.
class EveryFunction : public ::testing::TestWithParam<Size> {};

TEST_P(EveryFunction, DrawingComputesTheFunction) {
    const auto [n, k, mode] = GetParam();
    int failures = 0;
    for (unsigned mask : masksToCheck(n)) {
        const FunctionView f = makeFunction(n, termsOf(mask, 1 << n), mode);
        const std::string problem = checkDrawing(f, k);
        if (!problem.empty()) {
            ADD_FAILURE() << "terms " << f.termsText << ": " << problem;
            if (++failures == 5) break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(UpToFourVariables, EveryFunction, ::testing::ValuesIn(offeredSizes(4)),
                         name);

// Larger functions and don't-cares: seeded random term lists.
class RandomFunctions : public ::testing::TestWithParam<Size> {};

TEST_P(RandomFunctions, DrawingComputesTheFunctionOutsideTheDontCares) {
    const auto [n, k, mode] = GetParam();
    std::mt19937 random(static_cast<unsigned>(n * 100 + k * 10 + (mode == TermMode::Minterms)));
    for (int round = 0; round < 20; ++round) {
        std::vector<int> terms, dcs;
        for (int t = 0; t < (1 << n); ++t) {
            const auto r = random() % 4;
            if (r == 0) terms.push_back(t);
            if (r == 1) dcs.push_back(t);
        }
        const FunctionView f = makeFunction(n, terms, mode, dcs);
        const std::string problem = checkDrawing(f, k);
        ASSERT_EQ(problem, "") << "terms " << f.termsText << " dc " << f.dontCareText;
    }
}

INSTANTIATE_TEST_SUITE_P(UpToEightVariables, RandomFunctions, ::testing::ValuesIn(offeredSizes(8)),
                         name);

TEST(MuxReadBack, SelectLinesCarryTheVariablesInOrder) {
    // Single 8 : 1: A, B, C left to right. Tree of three with 4 : 1: B, C on
    // both blocks, A on the strobes.
    RecordingCanvas single;
    drawMuxImplementation(single, makeFunction(3, {1, 3, 5}), 3);
    const MuxNetlist s(single.operations());
    ASSERT_EQ(s.blocks().size(), 1u);
    std::vector<std::string> letters;
    for (int net : s.blocks()[0].select) letters.push_back(s.variableOf(net).value_or("?"));
    EXPECT_EQ(letters, (std::vector<std::string>{"A", "B", "C"}));

    RecordingCanvas tree;
    drawMuxImplementation(tree, makeFunction(3, {1, 3, 5}), 2);
    const MuxNetlist t(tree.operations());
    ASSERT_EQ(t.blocks().size(), 2u);
    for (const auto& block : t.blocks()) {
        EXPECT_EQ(t.variableOf(block.select[0]), "B");
        EXPECT_EQ(t.variableOf(block.select[1]), "C");
        EXPECT_GE(block.strobe, 0);
    }
    EXPECT_EQ(t.variableOf(t.blocks()[0].strobe), "A");
    // Block 1: inputs 1 and 3 on Vcc; block 2: input 1 (term 5).
    std::vector<int> rails;
    for (const auto& block : t.blocks())
        for (int d : block.data) rails.push_back(t.railOf(d).value_or(-1));
    EXPECT_EQ(rails, (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 0}));
}

TEST(MuxReadBack, SecondLevelUsesOnlyItsLastTwoSelectLines) {
    RecordingCanvas c;
    drawMuxImplementation(c, makeFunction(5, {3, 17}), 3);
    const MuxNetlist net(c.operations());
    ASSERT_EQ(net.blocks().size(), 5u);
    const auto& second = net.blocks()[4];
    EXPECT_FALSE(net.variableOf(second.select[0]));
    EXPECT_EQ(net.variableOf(second.select[1]), "A");
    EXPECT_EQ(net.variableOf(second.select[2]), "B");
}

TEST(MuxReadBack, DetectsAShortBetweenASelectLineAndARail) {
    // What the read-back is for: a tie drawn along the ground rail joins
    // them, and the drawing no longer computes its function.
    RecordingCanvas c;
    drawMuxImplementation(c, makeFunction(3, {1, 3, 5}), 3);
    c.line(4400, 2900, 4400, 3000);
    c.line(4400, 3000, 3000, 3000);
    const MuxNetlist net(c.operations());
    std::string why;
    EXPECT_FALSE(net.evaluate({{"A", 0}, {"B", 0}, {"C", 1}}, &why));
    EXPECT_NE(why.find("driven"), std::string::npos) << why;
}

}  // namespace
