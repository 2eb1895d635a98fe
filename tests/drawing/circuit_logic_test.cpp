#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "drawing/circuit_layout.h"
#include "drawing/universal_circuits.h"
#include "tests/drawing/circuit_function_support.h"
#include "tests/support/netlist.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;

using netlist::GateKind;

// Every circuit, read back from its drawing as gates and wires, computes the
// function it was drawn for, on every row of the truth table.

namespace {

enum Style { Basic, Nand, Nor };

void draw(Style style, Canvas& c, const FunctionView& f) {
    switch (style) {
        case Basic: drawBasicCircuit(c, f); break;
        case Nand: drawUniversalNandCircuit(c, f); break;
        case Nor: drawUniversalNorCircuit(c, f); break;
    }
}

const char* styleName(Style s) {
    return s == Basic ? "basic" : s == Nand ? "NAND" : "NOR";
}

// Checks one function in one style; returns false (after reporting) on the
// first wrong row so that a broken layout does not flood the output.
bool checkCircuit(Style style, const std::vector<bool>& truth,
                  const std::vector<std::string>& letters) {
    const int n = static_cast<int>(letters.size());
    const std::string sop = sopFor(truth, letters);
    RecordingCanvas c;
    draw(style, c, circuitFunction(sop, letters));
    const netlist::Netlist net = netlist::readNetlist(c.operations());
    if (!net.problems.empty()) {
        ADD_FAILURE() << styleName(style) << " " << sop << " unreadable:\n" << net.describe();
        return false;
    }
    // The picture is rendered from the model kept with the canvas: both tell
    // of one circuit.
    if (!c.circuit()) {
        ADD_FAILURE() << styleName(style) << " " << sop << " keeps no model";
        return false;
    }
    if (const std::string d = netlist::disagreement(c.circuit()->netlist, net); !d.empty()) {
        ADD_FAILURE() << styleName(style) << " " << sop << ": " << d << "\n" << net.describe();
        return false;
    }
    int foreign = 0;
    for (const auto& g : net.gates) {
        const bool own = style == Basic  ? (g.kind == GateKind::Not || g.kind == GateKind::And ||
                                           g.kind == GateKind::Or)
                         : style == Nand ? g.kind == GateKind::Nand
                                         : g.kind == GateKind::Nor;
        if (!own) ++foreign;
    }
    if (foreign) {
        ADD_FAILURE() << styleName(style) << " " << sop << " uses foreign gates:\n"
                      << net.describe();
        return false;
    }
    for (int row = 0; row < (1 << n); ++row) {
        std::map<std::string, bool> values;
        for (int k = 0; k < n; ++k) values[letters[k]] = ((row >> (n - 1 - k)) & 1) != 0;
        EXPECT_EQ(evaluateSop(sop, letters, row), truth[row]) << "bad test text " << sop;
        const std::optional<bool> y = net.evaluate(values);
        if (y != std::optional<bool>(truth[row])) {
            ADD_FAILURE() << styleName(style) << " " << sop << " row " << row << ": Y is "
                          << (y ? (*y ? "1" : "0") : "unsettled") << "\n"
                          << net.describe();
            return false;
        }
    }
    return true;
}

std::vector<bool> truthOf(unsigned long long bits, int rows) {
    std::vector<bool> t(rows);
    for (int r = 0; r < rows; ++r) t[r] = (bits >> r) & 1;
    return t;
}

const std::vector<std::string> kLetters = {"A", "B", "C", "D"};

}  // namespace

class EveryFunction : public ::testing::TestWithParam<int> {};

TEST_P(EveryFunction, UpToThreeVariablesInEveryStyle) {
    const int n = GetParam();
    const std::vector<std::string> letters(kLetters.begin(), kLetters.begin() + n);
    const int rows = 1 << n;
    for (unsigned long long bits = 0; bits < (1ull << rows); ++bits)
        for (Style s : {Basic, Nand, Nor})
            if (!checkCircuit(s, truthOf(bits, rows), letters)) return;
}

INSTANTIATE_TEST_SUITE_P(Variables, EveryFunction, ::testing::Values(1, 2, 3));

TEST(SampledFunctions, FourVariablesInEveryStyle) {
    std::mt19937 random(20240305);
    std::uniform_int_distribution<int> bits(0, 0xffff);
    for (int i = 0; i < 400; ++i) {
        const std::vector<bool> truth = truthOf(bits(random), 16);
        for (Style s : {Basic, Nand, Nor})
            if (!checkCircuit(s, truth, kLetters)) return;
    }
}

TEST(SampledFunctions, TypedLettersIncludingY) {
    // Letters of a typed equation; a variable may itself be called Y.
    const std::vector<std::string> letters = {"P", "Q", "Y"};
    for (unsigned long long bits : {0x96ull, 0x17ull, 0xe8ull, 0x3cull, 0x01ull})
        for (Style s : {Basic, Nand, Nor}) checkCircuit(s, truthOf(bits, 8), letters);
}

TEST(SampledFunctions, EightVariablesManyTermsOnAGrownCanvas) {
    const std::vector<std::string> letters = {"A", "B", "C", "D", "E", "F", "G", "H"};
    std::mt19937 random(7);
    std::bernoulli_distribution coin(0.5);
    std::vector<bool> truth(256);
    for (int r = 0; r < 256; ++r) truth[r] = coin(random);
    for (Style s : {Basic, Nand, Nor}) checkCircuit(s, truth, letters);
}

// Functions that differ only by the order and polarity of their variables
// are drawn alike: the same gates, taps on other lines. One function of each
// such class stands for every function of four variables.
TEST(FunctionClasses, FourVariablesOnePerClassInEveryStyle) {
    std::vector<bool> seen(1 << 16);
    std::vector<int> order = {0, 1, 2, 3};
    std::vector<std::vector<int>> orders;
    do orders.push_back(order);
    while (std::next_permutation(order.begin(), order.end()));
    int classes = 0;
    for (unsigned f = 0; f < seen.size(); ++f) {
        if (seen[f]) continue;
        ++classes;
        for (const std::vector<int>& p : orders)
            for (unsigned flip = 0; flip < 16; ++flip) {
                unsigned g = 0;
                for (unsigned row = 0; row < 16; ++row) {
                    unsigned to = 0;
                    for (int bit = 0; bit < 4; ++bit)
                        to |= (((row ^ flip) >> bit) & 1U) << p[static_cast<std::size_t>(bit)];
                    g |= ((f >> row) & 1U) << to;
                }
                seen[g] = true;
            }
        for (Style s : {Basic, Nand, Nor})
            if (!checkCircuit(s, truthOf(f, 16), kLetters)) return;
    }
    EXPECT_EQ(classes, 402);  // the known count of these classes
}
