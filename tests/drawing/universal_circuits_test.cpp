#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "drawing/universal_circuits.h"
#include "tests/drawing/circuit_function_support.h"
#include "tests/support/netlist.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;

using netlist::GateKind;
using ::testing::ElementsAreArray;

namespace {

// The two-input gates of a drawing (inverters on the variable lines left
// out), in drawing order, as "NAND@1800,2650".
std::vector<std::string> gatesOf(const RecordingCanvas& c) {
    std::vector<std::string> out;
    for (const auto& g : netlist::recogniseGates(c.operations())) {
        if (g.at.y < 2500) continue;
        out.push_back(std::string(netlist::kindName(g.kind)) + "@" + std::to_string(g.at.x) + "," +
                      std::to_string(g.at.y));
    }
    return out;
}

std::vector<std::string> tail(const RecordingCanvas& c, std::size_t n) {
    const auto lines = c.lines();
    return {lines.end() - static_cast<long>(n), lines.end()};
}

}  // namespace

TEST(UniversalCircuits, TwoLiteralTermIsOneGateThreeLiteralsACompoundAndAGate) {
    RecordingCanvas nand;
    drawUniversalNandCircuit(nand, circuitFunction("AB+CD'", {"A", "B", "C", "D"}));
    EXPECT_THAT(gatesOf(nand),
                ElementsAreArray({"NAND@2300,2650", "NAND@2300,3050", "NAND@2800,2850"}));

    RecordingCanvas nand3;
    drawUniversalNandCircuit(nand3, circuitFunction("ABC'+D", {"A", "B", "C", "D"}));
    // AB into an AND from NANDs, then C' into a NAND; D joins with a NAND.
    EXPECT_THAT(gatesOf(nand3), ElementsAreArray({"NAND@2300,2650", "NAND@2800,2650",
                                                  "NAND@3300,2750", "NAND@3800,2850"}));

    RecordingCanvas nor3;
    drawUniversalNorCircuit(nor3, circuitFunction("ABC'+D", {"A", "B", "C", "D"}));
    EXPECT_THAT(gatesOf(nor3), ElementsAreArray({"NOR@2300,2650", "NOR@2800,2650", "NOR@3300,2750",
                                                 "NOR@3800,2850", "NOR@4300,2850"}));
}

TEST(UniversalCircuits, NorJoinsStepAThousandRightOfTheLargerInput) {
    RecordingCanvas c;
    drawUniversalNorCircuit(c, circuitFunction("A+B+C+D", {"A", "B", "C", "D"}));
    // Each join is a NOR and a NOR with joined inputs; the first starts at the
    // gate area (2300), every later one at the running output.
    EXPECT_THAT(gatesOf(c), ElementsAreArray({"NOR@2300,2650", "NOR@2800,2650", "NOR@3300,2850",
                                              "NOR@3800,2850", "NOR@4300,3100", "NOR@4800,3100"}));
    EXPECT_EQ(tail(c, 1)[0], "text 5400,3000 'Y'");
}

TEST(UniversalCircuits, NorSingleLiteralFunctionEndsOnItsOwnLine) {
    RecordingCanvas c;
    drawUniversalNorCircuit(c, circuitFunction("A'"));
    EXPECT_THAT(tail(c, 4), ElementsAreArray({"fill solid", "circle 650,2550 25 black filled",
                                              "fill transparent", "text 750,2450 'Y'"}));
    EXPECT_TRUE(gatesOf(c).empty());
}

TEST(UniversalCircuits, ComplementLinesStartBelowTheGateInverters) {
    for (auto draw : {drawUniversalNandCircuit, drawUniversalNorCircuit}) {
        RecordingCanvas c;
        draw(c, circuitFunction("AB'+C"));
        const auto lines = c.lines();
        for (int x : {650, 1150, 1650}) {
            const std::string line =
                "line " + std::to_string(x) + ",2450-" + std::to_string(x) + ",10000 green";
            EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
        }
    }
}

TEST(UniversalCircuits, NandSingleTermGetsAnInvertingStage) {
    RecordingCanvas c;
    drawUniversalNandCircuit(c, circuitFunction("AB'"));
    EXPECT_THAT(gatesOf(c), ElementsAreArray({"NAND@1300,2650", "NAND@1800,2650"}));
    EXPECT_THAT(tail(c, 4), ElementsAreArray({"fill solid", "circle 2300,2650 25 black filled",
                                              "fill transparent", "text 2400,2550 'Y'"}));
}

TEST(UniversalCircuits, NandSingleLiteralIsInvertedBackFromTheOtherLine) {
    // A plain letter taps the complement line; the added NAND gives A back.
    RecordingCanvas c;
    drawUniversalNandCircuit(c, circuitFunction("A"));
    EXPECT_THAT(gatesOf(c), ElementsAreArray({"NAND@800,2550"}));
    const auto n = netlist::readNetlist(c.operations());
    ASSERT_TRUE(n.problems.empty()) << n.describe();
    EXPECT_EQ(n.evaluate({{"A", true}}), true);
    EXPECT_EQ(n.evaluate({{"A", false}}), false);
}

TEST(UniversalCircuits, CircuitsUseOnlyTheirOwnGate) {
    const FunctionView f = circuitFunction("AB'C+A'D+BC'D'+E", {"A", "B", "C", "D", "E"});
    RecordingCanvas nand, nor;
    drawUniversalNandCircuit(nand, f);
    drawUniversalNorCircuit(nor, f);
    const auto a = netlist::readNetlist(nand.operations());
    const auto b = netlist::readNetlist(nor.operations());
    EXPECT_EQ(a.count(GateKind::Nand), static_cast<int>(a.gates.size()));
    EXPECT_EQ(b.count(GateKind::Nor), static_cast<int>(b.gates.size()));
}
