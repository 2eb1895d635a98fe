#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "drawing/circuit_layout.h"
#include "drawing/universal_circuits.h"
#include "tests/drawing/circuit_function_support.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;

using ::testing::ElementsAreArray;
using Kind = RecordingCanvas::Kind;

namespace {

using Ops = std::vector<RecordingCanvas::Op>;

// The operations after the variable-line block (the last complement line).
std::vector<std::string> afterLines(const RecordingCanvas& c) {
    const auto lines = c.lines();
    auto last = std::find_if(lines.rbegin(), lines.rend(), [](const std::string& l) {
        return l.find(",10000 green") != std::string::npos;
    });
    return {last.base(), lines.end()};
}

int countArcs(const RecordingCanvas& c, int r) {
    const Ops& ops = c.operations();
    return static_cast<int>(std::count_if(
        ops.begin(), ops.end(), [&](const auto& op) { return op.kind == Kind::Arc && op.r == r; }));
}

std::vector<std::string> variableLetters(const RecordingCanvas& c) {
    std::vector<std::string> letters;
    for (const auto& op : c.operations())
        if (op.kind == Kind::Text && op.y1 == 1600) letters.push_back(op.text);
    return letters;
}

}  // namespace

TEST(DrawLines, PlacesEachUsedVariableFiveHundredApart) {
    RecordingCanvas c;
    CircuitLayout layout;
    const int gateAreaX =
        drawLines(c, layout, circuitFunction("AB'+CD", {"A", "B", "C", "D"}), InverterKind::Not);
    EXPECT_EQ(gateAreaX, 500 * 4 + 300);
    EXPECT_THAT(layout.usedVars, ElementsAreArray({"A", "B", "C", "D"}));
    for (int m = 1; m <= 4; ++m) {
        const std::string letter(1, static_cast<char>('A' + m - 1));
        EXPECT_EQ(findX(layout, letter, false), 500 * m - 100);
        EXPECT_EQ(findX(layout, letter, true), 500 * m + 150);
    }
    EXPECT_EQ(findX(layout, "E", false), 0);
    EXPECT_EQ(findX(layout, "'", true), 0);
}

TEST(DrawLines, UnusedVariablesGetNoLinesAndTheRestCloseUp) {
    RecordingCanvas c;
    CircuitLayout layout;
    const int gateAreaX =
        drawLines(c, layout, circuitFunction("AC'+D", {"A", "B", "C", "D"}), InverterKind::Not);
    EXPECT_EQ(gateAreaX, 1800);
    EXPECT_THAT(variableLetters(c), ElementsAreArray({"A", "C", "D"}));
    EXPECT_EQ(findX(layout, "C", false), 900);
    EXPECT_EQ(findX(layout, "B", false), 0);
}

TEST(DrawLines, EmptyVariablePositionsAreNotVariables) {
    // A typed equation with fewer letters than the chosen number of variables.
    RecordingCanvas c;
    CircuitLayout layout;
    const int gateAreaX =
        drawLines(c, layout, circuitFunction("AB", {"A", "B", "", ""}), InverterKind::Not);
    EXPECT_EQ(gateAreaX, 1300);
    EXPECT_THAT(variableLetters(c), ElementsAreArray({"A", "B"}));
    EXPECT_EQ(countArcs(c, 150) + countArcs(c, 100), 0);
    EXPECT_EQ(c.operations().size(), 2u * 9u);
}

TEST(DrawLines, InverterOptionChoosesTheInverterAndWhereTheComplementStarts) {
    for (InverterKind kind : {InverterKind::Not, InverterKind::Nand, InverterKind::Nor}) {
        RecordingCanvas c;
        CircuitLayout layout;
        drawLines(c, layout, circuitFunction("A"), kind);
        const auto lines = c.lines();
        EXPECT_EQ(lines.back(), kind == InverterKind::Not ? "line 650,2400-650,10000 green"
                                                          : "line 650,2450-650,10000 green");
        EXPECT_EQ(lines[4], kind == InverterKind::Not    ? "line 550,2200-750,2200 fg"
                            : kind == InverterKind::Nand ? "line 600,2200-600,2250 blue"
                                                         : "line 600,2200-600,2270 red");
    }
}

TEST(BasicCircuit, SingleComplementedLiteralIsTheComplementLineItself) {
    RecordingCanvas c;
    drawBasicCircuit(c, circuitFunction("A'"));
    EXPECT_THAT(afterLines(c), ElementsAreArray({
                                   "fill solid",
                                   "circle 650,2550 25 black filled",
                                   "fill transparent",
                                   "text 750,2450 'Y'",
                               }));
}

TEST(BasicCircuit, OneTermOfSeveralLiteralsIsAnAndChain) {
    RecordingCanvas c;
    drawBasicCircuit(c, circuitFunction("AB'C"));
    EXPECT_EQ(countArcs(c, 150), 2);
    EXPECT_EQ(countArcs(c, 180), 0);
    const auto tail = afterLines(c);
    // The second AND takes the first one's output and C's line.
    EXPECT_EQ(std::count(tail.begin(), tail.end(), "line 2250,2650-2250,2650 green"), 2);
    EXPECT_NE(std::find(tail.begin(), tail.end(), "line 1400,2850-2250,2850 green"), tail.end());
    EXPECT_THAT(std::vector<std::string>(tail.end() - 4, tail.end()),
                ElementsAreArray({"fill solid", "circle 2700,2750 25 black filled",
                                  "fill transparent", "text 2800,2650 'Y'"}));
}

TEST(BasicCircuit, SingleLiteralTermsFeedTheOrGateFromTheirLines) {
    RecordingCanvas c;
    drawBasicCircuit(c, circuitFunction("A+B"));
    const auto tail = afterLines(c);
    ASSERT_GE(tail.size(), 8u);
    EXPECT_THAT(std::vector<std::string>(tail.begin(), tail.begin() + 8),
                ElementsAreArray({
                    "line 400,2550-1300,2550 green",
                    "line 900,2750-1300,2750 green",
                    "fill solid",
                    "circle 400,2550 25 black filled",
                    "fill transparent",
                    "fill solid",
                    "circle 900,2750 25 black filled",
                    "fill transparent",
                }));
    EXPECT_EQ(countArcs(c, 180), 1);
    EXPECT_EQ(tail.back(), "text 1870,2550 'Y'");
}

TEST(BasicCircuit, ComplementMarkIsSkippedNotLookedUp) {
    RecordingCanvas c;
    drawBasicCircuit(c, circuitFunction("AB'"));
    EXPECT_EQ(countArcs(c, 150), 1);
    const auto tail = afterLines(c);
    EXPECT_EQ(tail[0], "line 400,2550-1300,2550 green");
    EXPECT_EQ(tail[1], "line 1150,2750-1300,2750 green");
    // Nothing is drawn from x = 0, where a failed lookup would put an input.
    for (const auto& op : c.operations()) {
        if (op.kind == Kind::Line) {
            EXPECT_NE(op.x1, 0) << RecordingCanvas::describe(op);
        }
    }
}

TEST(BasicCircuit, LaterSingleLiteralTermsSitOneHundredAboveTheirSlot) {
    RecordingCanvas c;
    drawBasicCircuit(c, circuitFunction("AB+C+D'", {"A", "B", "C", "D"}));
    const auto lines = c.lines();
    // C in the second slot (2950 - 100), D' in the third (3250 - 100).
    EXPECT_NE(std::find(lines.begin(), lines.end(), "circle 1400,2850 25 black filled"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "circle 2150,3150 25 black filled"),
              lines.end());
    EXPECT_EQ(countArcs(c, 180), 2);
}

class ConstantFunction : public ::testing::TestWithParam<int> {};

void drawStyle(int style, Canvas& c, const FunctionView& f) {
    if (style == 0) drawBasicCircuit(c, f);
    if (style == 1) drawUniversalNandCircuit(c, f);
    if (style == 2) drawUniversalNorCircuit(c, f);
}

TEST_P(ConstantFunction, OneIsTiedToVcc) {
    RecordingCanvas c;
    drawStyle(GetParam(), c, circuitFunction("1"));
    const auto lines = c.lines();
    ASSERT_EQ(lines.size(), 5u + 8u);
    EXPECT_THAT(std::vector<std::string>(lines.begin() + 5, lines.end()),
                ElementsAreArray({
                    "line 300,2450-500,2450 fg",
                    "text 265,2225 'Vcc'",
                    "line 400,2450-400,2550 green",
                    "line 400,2550-1400,2550 green",
                    "fill solid",
                    "circle 1400,2550 25 black filled",
                    "fill transparent",
                    "text 1500,2450 'Y'",
                }));
}

TEST_P(ConstantFunction, ZeroIsTiedToGround) {
    RecordingCanvas c;
    drawStyle(GetParam(), c, circuitFunction("0"));
    const auto lines = c.lines();
    EXPECT_THAT(std::vector<std::string>(lines.begin() + 5, lines.end()),
                ElementsAreArray({
                    "line 400,2550-1400,2550 green",
                    "line 400,2550-400,2750 green",
                    "line 300,2750-500,2750 fg",
                    "line 350,2800-450,2800 fg",
                    "line 370,2850-430,2850 fg",
                    "fill solid",
                    "circle 1400,2550 25 black filled",
                    "fill transparent",
                    "text 1500,2450 'Y'",
                }));
}

INSTANTIATE_TEST_SUITE_P(AllStyles, ConstantFunction, ::testing::Values(0, 1, 2));
