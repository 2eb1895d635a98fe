// The cost table: every implementation the drawing commands offer, costed from
// the circuit each draws, and a table that shows them all.

#include <gtest/gtest.h>

#include <algorithm>

#include "explain/cost_table_view.h"
#include "tests/drawing/circuit_function_support.h"
#include "tests/support/recording_canvas.h"

using namespace quendal;
using namespace quendal::explain;
using quendal::drawing::RecordingCanvas;

// AB' + C by hand: the basic circuit has B's inverter (A's and C's are
// drawn but unused), one 2-input AND and one 2-input OR: 5 gate inputs, 3
// levels, a 7404, a 7408 and a 7432.
TEST(CostTable, ListsEveryImplementationAndCostsTheBasicCircuitByHand) {
    const drawing::FunctionView f = circuitFunction("AB'+C");
    const std::vector<Implementation> rows = implementationsOf(f);
    std::vector<std::string> names;
    for (const Implementation& row : rows) names.push_back(row.name);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "AND/OR/NOT", "NAND only", "NOR only", "One 8 : 1 multiplexer",
                         "Tree of 4 : 1 multiplexers", "1 : 8 demultiplexer, Din = 1",
                         "1 : 8 demultiplexer, Din = 0"}));
    ASSERT_TRUE(rows[0].modelled);
    const circuit::Cost& basic = rows[0].cost;
    using circuit::PartKind;
    EXPECT_EQ(basic.gates,
              (std::vector<circuit::PartCount>{
                  {PartKind::Not, 1, 1}, {PartKind::And, 2, 1}, {PartKind::Or, 2, 1}}));
    EXPECT_EQ(basic.gateInputs, 5);
    EXPECT_EQ(basic.levels, 3);
    EXPECT_EQ(basic.packageTotal, 3);
    // Every implementation is drawn with its model. The single 8 : 1
    // multiplexer is one block on one 74151, one level, no gate input; the
    // demultiplexer with Din 1 joins its outputs for the ones of AB' + C
    // (1, 3, 4, 5, 7) in one OR of five inputs.
    for (const Implementation& row : rows) EXPECT_TRUE(row.modelled) << row.name;
    const circuit::Cost& mux8 = rows[3].cost;
    EXPECT_EQ(mux8.blocks, (std::vector<circuit::PartCount>{{PartKind::Mux, 3, 1}}));
    EXPECT_EQ(mux8.gateInputs, 0);
    EXPECT_EQ(mux8.levels, 1);
    EXPECT_EQ(mux8.packageTotal, 1);
    EXPECT_EQ(rows[5].cost.gates, (std::vector<circuit::PartCount>{{PartKind::Or, 5, 1}}));
    EXPECT_EQ(rows[5].cost.levels, 2);
    // The universal circuits use their own gate only.
    for (int i : {1, 2}) {
        ASSERT_TRUE(rows[i].modelled);
        for (const circuit::PartCount& g : rows[i].cost.gates)
            EXPECT_EQ(g.kind, i == 1 ? PartKind::Nand : PartKind::Nor);
    }
}

// The table shows each implementation with its package total, and the
// mapping it assumes.
TEST(CostTable, TableShowsEveryRowAndTheMapping) {
    const drawing::FunctionView f = circuitFunction("A'BC+A'D", {"A", "B", "C", "D"});
    const std::vector<Implementation> rows = implementationsOf(f);
    RecordingCanvas canvas;
    drawCostTable(canvas, rows, "ABCD", f.minSopText);
    std::vector<std::string> texts;
    for (const RecordingCanvas::Op& op : canvas.operations())
        if (op.kind == RecordingCanvas::Kind::Text) texts.push_back(op.text);
    const auto shown = [&texts](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    for (const Implementation& row : rows) {
        EXPECT_TRUE(shown(row.name)) << row.name;
        if (row.modelled) {
            EXPECT_TRUE(shown(std::to_string(row.cost.packageTotal))) << row.name;
        }
    }
    for (const std::string& line : circuit::packageMappingLines()) EXPECT_TRUE(shown(line));
}
