#include <algorithm>
#include <cmath>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "drawing/gates.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;

using ::testing::ElementsAreArray;

namespace {

std::vector<std::string> dot(int x, int y) {
    return {"fill solid",
            "circle " + std::to_string(x) + "," + std::to_string(y) + " 25 black filled",
            "fill transparent"};
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

}  // namespace

TEST(Inverters, NotGateIsATriangleWithItsBubbleInTheForeground) {
    RecordingCanvas c;
    drawNotGate(c, 650, 2200);
    EXPECT_THAT(c.lines(), ElementsAreArray({
                               "line 550,2200-750,2200 fg",
                               "line 550,2200-650,2350 fg",
                               "line 750,2200-650,2350 fg",
                               "circle 650,2375 25 fg",
                           }));
}

TEST(Inverters, NandWithJoinedInputsIsBlue) {
    RecordingCanvas c;
    drawNotUsingNandGate(c, 650, 2200);
    EXPECT_THAT(c.lines(), ElementsAreArray({
                               "line 600,2200-600,2250 blue",
                               "line 700,2200-700,2250 blue",
                               "line 600,2200-700,2200 blue",
                               "line 550,2250-750,2250 blue",
                               "line 550,2250-550,2300 blue",
                               "line 750,2250-750,2300 blue",
                               "arc 650,2300 100 blue 3.1416 0.0000",
                               "circle 650,2425 25 blue",
                           }));
}

TEST(Inverters, NorWithJoinedInputsIsRedWithAConcaveBack) {
    RecordingCanvas c;
    drawNotUsingNorGate(c, 650, 2200);
    EXPECT_THAT(c.lines(), ElementsAreArray({
                               "line 600,2200-600,2270 red",
                               "line 700,2200-700,2275 red",
                               "line 600,2200-700,2200 red",
                               "arc 650,2100 180 red 4.1224 5.3024",
                               "line 550,2250-550,2300 red",
                               "line 750,2250-750,2300 red",
                               "arc 650,2300 100 red 3.1416 0.0000",
                               "circle 650,2425 25 red",
                           }));
    // The concave back spans the body: both ends about 100 either side.
    const auto& back = c.operations()[3];
    EXPECT_NEAR(back.x1 + back.r * std::cos(back.start), 650 - 100, 3);
    EXPECT_NEAR(back.x1 + back.r * std::cos(back.end), 650 + 100, 3);
}

// The common prologue of every two-input gate for inputs (400, 2550) and
// (1150, 2750) with the gate area at 1800: both inputs tap variable lines.
const std::vector<std::string> kTappedInputs = join({
    {"line 400,2550-1800,2550 green", "line 1150,2750-1800,2750 green"},
    dot(400, 2550),
    dot(1150, 2750),
    {"line 1800,2550-1800,2550 green", "line 1800,2750-1800,2750 green"},
});

TEST(TwoInputGates, AndGateIsNavyWithItsLeadsAndOutput) {
    RecordingCanvas c;
    GateArea area{1800};
    const Point out = drawAndGate(c, area, 400, 2550, 1150, 2750);
    EXPECT_EQ(out, (Point{2250, 2650}));
    EXPECT_EQ(area.gateX, 1800);
    EXPECT_EQ(area.gateY, 2650);
    EXPECT_THAT(c.lines(), ElementsAreArray(join({kTappedInputs,
                                                  {
                                                      "line 1800,2550-1900,2550 navy",
                                                      "line 1800,2750-1900,2750 navy",
                                                      "line 1900,2500-1900,2800 navy",
                                                      "line 1900,2500-2000,2500 navy",
                                                      "line 1900,2800-2000,2800 navy",
                                                      "arc 2000,2650 150 navy 4.7124 1.5708",
                                                      "line 2150,2650-2250,2650 navy",
                                                  }})));
}

TEST(TwoInputGates, NandGateHasGreenLeadsBlueBodyAndAnOpenBubble) {
    RecordingCanvas c;
    GateArea area{1800};
    EXPECT_EQ(drawNandGate(c, area, 400, 2550, 1150, 2750), (Point{2300, 2650}));
    EXPECT_THAT(c.lines(), ElementsAreArray(join({kTappedInputs,
                                                  {
                                                      "line 1800,2550-1900,2550 green",
                                                      "line 1800,2750-1900,2750 green",
                                                      "line 1900,2500-1900,2800 blue",
                                                      "line 1900,2500-2000,2500 blue",
                                                      "line 1900,2800-2000,2800 blue",
                                                      "arc 2000,2650 150 blue 4.7124 1.5708",
                                                      "circle 2175,2650 25 blue",
                                                      "line 2200,2650-2300,2650 green",
                                                  }})));
}

// The OR body for gateX 2250, gateY 2750, shared by OR and NOR.
const std::vector<std::string> kOrBody = {
    "line 2350,2600-2450,2600 red",        "line 2350,2900-2450,2900 red",
    "arc 2250,2750 180 red 5.3004 0.9828", "arc 2350,2900 316 red 0.5404 1.2490",
    "arc 2350,2600 316 red 5.0341 5.7428", "line 2250,2650-2400,2650 green",
    "line 2250,2850-2400,2850 green",
};

// A gate fed by a running output (2250, 2650) and a variable line tapped
// at (1400, 2850): only the tap gets a dot.
const std::vector<std::string> kRunningAndTap = join({
    {"line 2250,2650-2250,2650 green", "line 1400,2850-2250,2850 green"},
    dot(1400, 2850),
    {"line 2250,2650-2250,2650 green", "line 2250,2850-2250,2850 green"},
});

TEST(TwoInputGates, OrGateClosesItsTipWithAShortRedBar) {
    RecordingCanvas c;
    GateArea area{1800};
    EXPECT_EQ(drawOrGate(c, area, 2250, 2650, 1400, 2850), (Point{2720, 2750}));
    EXPECT_THAT(c.lines(), ElementsAreArray(join({kRunningAndTap,
                                                  kOrBody,
                                                  {
                                                      "line 2620,2750-2720,2750 green",
                                                      "line 2620,2730-2620,2780 red",
                                                  }})));
}

TEST(TwoInputGates, NorGateCoversItsTipWithTheBubble) {
    RecordingCanvas c;
    GateArea area{1800};
    EXPECT_EQ(drawNorGate(c, area, 2250, 2650, 1400, 2850), (Point{2750, 2750}));
    EXPECT_THAT(c.lines(), ElementsAreArray(join({kRunningAndTap,
                                                  kOrBody,
                                                  {
                                                      "circle 2625,2750 25 red",
                                                      "line 2650,2750-2750,2750 green",
                                                  }})));
}

TEST(TwoInputGates, OrCurvesMeetNearTheTip) {
    RecordingCanvas c;
    GateArea area{0};
    drawOrGate(c, area, 0, -100, 0, 100);
    const auto& ops = c.operations();
    const auto& upper = ops[7];
    const auto& lower = ops[8];
    ASSERT_EQ(upper.kind, RecordingCanvas::Kind::Arc);
    // Upper side from near the tip up to (200, -150) on screen (y down).
    EXPECT_NEAR(upper.x1 + upper.r * std::cos(upper.start), 371, 2);
    EXPECT_NEAR(upper.y1 - upper.r * std::sin(upper.start), -13, 2);
    EXPECT_NEAR(upper.x1 + upper.r * std::cos(upper.end), 200, 2);
    EXPECT_NEAR(upper.y1 - upper.r * std::sin(upper.end), -150, 2);
    EXPECT_NEAR(lower.x1 + lower.r * std::cos(lower.start), 200, 2);
    EXPECT_NEAR(lower.y1 - lower.r * std::sin(lower.start), 150, 2);
    EXPECT_NEAR(lower.y1 - lower.r * std::sin(lower.end), 13, 2);
}

TEST(CompoundGates, SecondStageHasJoinedInputsAndNoDots) {
    RecordingCanvas c;
    GateArea area{1800};
    const Point out = drawAndUsingNandGate(c, area, 400, 2550, 1150, 2750);
    EXPECT_EQ(out, (Point{2800, 2650}));
    EXPECT_EQ(area.gateX, 2300);
    const std::vector<std::string> lines = c.lines();
    RecordingCanvas first;
    GateArea firstArea{1800};
    drawNandGate(first, firstArea, 400, 2550, 1150, 2750);
    const std::size_t n = first.lines().size();
    ASSERT_GT(lines.size(), n);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + n), first.lines());
    EXPECT_THAT(std::vector<std::string>(lines.begin() + n, lines.begin() + n + 4),
                ElementsAreArray({
                    "line 2300,2650-2300,2650 green",
                    "line 2300,2650-2300,2650 green",
                    "line 2300,2650-2300,2550 green",
                    "line 2300,2650-2300,2750 green",
                }));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "fill solid"), 2);
}

TEST(CompoundGates, OrFromNorEndsFiveHundredRightOfTheFirstStage) {
    RecordingCanvas c;
    GateArea area{1800};
    EXPECT_EQ(drawOrUsingNorGate(c, area, 2300, 2650, 1400, 2850), (Point{3300, 2750}));
    EXPECT_EQ(area.gateX, 2800);
    EXPECT_EQ(area.gateY, 2750);
}

TEST(TwoInputGates, OnlyInputsLeftOfTheGateAreaGetDots) {
    RecordingCanvas c;
    GateArea area{1800};
    drawAndGate(c, area, 400, 2550, 2500, 2750);
    EXPECT_EQ(area.gateX, 2500);
    const auto lines = c.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "circle 400,2550 25 black filled"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "fill solid"), 1);
    // The left input runs the longer wire, the right one none at all.
    EXPECT_EQ(lines[0], "line 400,2550-2500,2550 green");
    EXPECT_EQ(lines[1], "line 2500,2750-2500,2750 green");

    RecordingCanvas onEdge;
    GateArea edge{1800};
    drawOrGate(onEdge, edge, 1800, 2550, 1800, 2750);
    const auto edgeLines = onEdge.lines();
    EXPECT_EQ(std::count(edgeLines.begin(), edgeLines.end(), "fill solid"), 0);
}

TEST(TwoInputGates, GateAreaWinsOverInputsLeftOfIt) {
    RecordingCanvas c;
    GateArea area{3000};
    const Point out = drawNorGate(c, area, 400, 2550, 900, 2750);
    EXPECT_EQ(area.gateX, 3000);
    EXPECT_EQ(out, (Point{3500, 2650}));
    EXPECT_EQ(c.lines()[0], "line 400,2550-3000,2550 green");
    EXPECT_EQ(c.lines()[1], "line 900,2750-3000,2750 green");
}

TEST(TwoInputGates, BubbleAfterADotIsNotFilled) {
    RecordingCanvas c;
    GateArea area{1800};
    drawNorGate(c, area, 400, 2550, 900, 2750);
    EXPECT_EQ(c.fillStyle(), FillStyle::Transparent);
    const auto lines = c.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "circle 2175,2650 25 red"), lines.end());
}

struct Centring {
    int yin1, yin2, gateY;
};

class GateCentring : public ::testing::TestWithParam<Centring> {};

TEST_P(GateCentring, RoundsHalfToEven) {
    const Centring k = GetParam();
    using GateFn = Point (*)(Canvas&, GateArea&, int, int, int, int);
    for (GateFn gate : {drawAndGate, drawNandGate, drawOrGate, drawNorGate}) {
        RecordingCanvas c;
        GateArea area{0};
        const Point out = gate(c, area, 100, k.yin1, 100, k.yin2);
        EXPECT_EQ(area.gateY, k.gateY);
        EXPECT_EQ(out.y, k.gateY);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GateCentring,
                         ::testing::Values(Centring{1325, 1326, 1326}, Centring{1324, 1325, 1324},
                                           Centring{2550, 2750, 2650}, Centring{2650, 2650, 2650},
                                           Centring{-1, 0, 0}, Centring{-3, 0, -2}));
