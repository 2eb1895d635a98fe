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
