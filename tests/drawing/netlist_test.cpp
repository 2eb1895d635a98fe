#include <algorithm>

#include <gtest/gtest.h>

#include "drawing/circuit_layout.h"
#include "drawing/universal_circuits.h"
#include "tests/drawing/circuit_function_support.h"
#include "tests/support/netlist.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;

// The read-back must see what is drawn: these cases break a good drawing in
// the ways a layout fault would, and the reader has to notice.

namespace {

using Ops = std::vector<RecordingCanvas::Op>;

Ops basicExample() {
    RecordingCanvas c;
    drawBasicCircuit(c, circuitFunction("AB'+C"));
    return c.operations();
}

Ops without(Ops ops, const std::string& line) {
    auto it = std::find_if(ops.begin(), ops.end(), [&](const RecordingCanvas::Op& op) {
        return RecordingCanvas::describe(op) == line;
    });
    EXPECT_NE(it, ops.end()) << line;
    if (it != ops.end()) ops.erase(it);
    return ops;
}

}  // namespace

TEST(Netlist, ReadsTheWorkedExampleGateByGate) {
    const netlist::Netlist n = netlist::readNetlist(basicExample());
    EXPECT_EQ(n.describe(),
              "NOT(A) -> n1\nNOT(B) -> n3\nNOT(C) -> n5\nAND(A, n3) -> n6\nOR(n6, C) -> n7\n"
              "Y = n7\n");
}

TEST(Netlist, AMissingTapWireLeavesTheGateInputOpen) {
    const auto n = netlist::readNetlist(without(basicExample(), "line 1150,2750-1800,2750 green"));
    EXPECT_FALSE(n.problems.empty());
    EXPECT_EQ(n.evaluate({{"A", true}, {"B", false}, {"C", false}}), std::nullopt);
}

TEST(Netlist, WiresThatOnlyCrossAreNotJoined) {
    // A's tap wire crosses the lines of B and C on its way to the gate; were
    // crossings joined, A would short B and C and every net would clash.
    const auto n = netlist::readNetlist(basicExample());
    EXPECT_TRUE(n.problems.empty()) << n.describe();
    EXPECT_NE(n.variables.at("A"), n.variables.at("B"));
}

TEST(Netlist, ABubbleDecidesTheGate) {
    Ops ops = without(basicExample(), "line 2620,2730-2620,2780 red");
    RecordingCanvas::Op bubble;
    bubble.kind = RecordingCanvas::Kind::Circle;
    bubble.x1 = 2625;
    bubble.y1 = 2750;
    bubble.r = 25;
    bubble.colour = colours::red;
    ops.push_back(bubble);
    const auto n = netlist::readNetlist(ops);
    EXPECT_EQ(n.count(netlist::GateKind::Nor), 1);
    EXPECT_EQ(n.count(netlist::GateKind::Or), 0);
    // The output line starts inside the bubble, not at its far side.
    EXPECT_FALSE(n.problems.empty());
}

TEST(Netlist, AnOutputWithoutItsLabelIsReported) {
    const auto n = netlist::readNetlist(without(basicExample(), "text 2820,2650 'Y'"));
    EXPECT_EQ(n.outputNet, -1);
    EXPECT_FALSE(n.problems.empty());
}

TEST(Netlist, AWrongTapComputesTheWrongFunction) {
    // B's tap moved from the complement line to the true line: AB instead of AB'.
    Ops ops = without(basicExample(), "line 1150,2750-1800,2750 green");
    RecordingCanvas extra;
    extra.line(900, 2750, 1800, 2750, colours::green);
    ops.push_back(extra.operations().front());
    const auto n = netlist::readNetlist(ops);
    EXPECT_TRUE(n.problems.empty()) << n.describe();
    EXPECT_EQ(n.evaluate({{"A", true}, {"B", true}, {"C", false}}), true);
    EXPECT_EQ(n.evaluate({{"A", true}, {"B", false}, {"C", false}}), false);
}

TEST(Netlist, ConstantsAreReadFromTheirSymbols) {
    for (const char* text : {"1", "0"}) {
        RecordingCanvas c;
        drawUniversalNorCircuit(c, circuitFunction(text));
        const auto n = netlist::readNetlist(c.operations());
        EXPECT_TRUE(n.problems.empty()) << n.describe();
        EXPECT_EQ(n.evaluate({}), std::string(text) == "1");
    }
}
