#include "demux/demux_drawing.h"
#include "drawing/gates.h"
#include "tests/support/recording_canvas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "drawing/drawing_kit.h"

#include <algorithm>
#include <stdexcept>

using namespace quendal::drawing;
using namespace quendal::demux;
using logic::TermMode;

using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

FunctionView makeFunction(int n, std::vector<int> terms, TermMode mode = TermMode::Minterms) {
    FunctionView f;
    f.userName = "A";
    f.dateText = "05-Mar-2024";
    f.timeText = "07:40 AM";
    f.letters = std::string(logic::kDefaultLetters.substr(0, static_cast<std::size_t>(n)));
    f.mode = mode;
    f.function = logic::functionOfTerms(n, terms, f.mode);
    for (size_t i = 0; i < terms.size(); ++i)
        f.termsText += (i ? "," : "") + std::to_string(terms[i]);
    return f;
}

std::vector<std::string> draw(const FunctionView& f, int din) {
    RecordingCanvas c;
    drawDemux(c, f, din);
    return c.lines();
}

// The operations a gate procedure draws for the given inputs on a fresh
// gate area.
using GateFn = Point (*)(Canvas&, GateArea&, int, int, int, int);
std::vector<std::string> gateOps(GateFn gate, int x1, int y1, int x2, int y2) {
    RecordingCanvas c;
    GateArea area;
    gate(c, area, x1, y1, x2, y2);
    return c.lines();
}

std::vector<std::string> tail(const std::vector<std::string>& ops, size_t n) {
    return {ops.end() - static_cast<long>(std::min(n, ops.size())), ops.end()};
}

bool contains(const std::vector<std::string>& ops, const std::string& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
}

int countPrefix(const std::vector<std::string>& ops, const std::string& prefix) {
    return static_cast<int>(std::count_if(
        ops.begin(), ops.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
}

}  // namespace

TEST(DemuxDrawing, ThreeVariableExampleIsExact) {
    const FunctionView f = makeFunction(3, {1, 3, 5});
    std::vector<std::string> expected = {
        "size 7400,3500",
        "text 0,195 '     User  :  A   Date  :  05-Mar-2024   Time  :  07:40 AM"
        "     Min Terms  :  1,3,5'",
        "box 4000,700 1600,1800",
        "text 3000,2050 ' Strobe '",
        "line 4000,2250-3000,2250 fg",
        "line 3000,2250-3000,2490 fg",
        "line 2850,2490-3150,2490 fg",
        "line 2900,2550-3100,2550 fg",
        "line 2950,2600-3050,2600 fg",
        "circle 3975,2250 25 fg",
        "text 4400,1400 '1 : 8'",
        "text 4400,1600 ' DEMUX '",
        "text 5300,800 ' 0 '",
        "text 5300,1000 ' 1 '",
        "text 5300,1200 ' 2 '",
        "text 5300,1400 ' 3 '",
        "text 5300,1600 ' 4 '",
        "text 5300,1800 ' 5 '",
        "text 5300,2000 ' 6 '",
        "text 5300,2200 ' 7 '",
        "line 4400,2500-4400,2900 fg",
        "text 4350,3000 'A'",
        "line 4800,2500-4800,2900 fg",
        "text 4750,3000 'B'",
        "line 5200,2500-5200,2900 fg",
        "text 5150,3000 'C'",
        "line 4000,1600-2800,1600 fg",
        "text 2800,1350 ' Din = Logic 1'",
        "line 5600,900-6000,900 fg",
        "line 5600,1100-6000,1100 fg",
        "line 5600,1300-6000,1300 fg",
        "line 5600,1500-6000,1500 fg",
        "line 5600,1700-6000,1700 fg",
        "line 5600,1900-6000,1900 fg",
        "line 5600,2100-6000,2100 fg",
        "line 5600,2300-6000,2300 fg",
        "line 6000,1100-6400,1100 fg",
        "line 6000,1500-6400,1500 fg",
        "line 6400,1100-6400,1500 fg",
        "line 6000,1900-6400,1900 fg",
    };
    const auto gate = gateOps(drawOrGate, 6400, 1100, 6400, 1900);
    ASSERT_EQ(gate.front(), "line 6400,1100-6400,1100 green");
    expected.insert(expected.end(), gate.begin(), gate.end());
    EXPECT_THAT(draw(f, 1), ElementsAreArray(expected));
}

TEST(DemuxDrawing, OneTermGivesZeroLengthJoinAndBothGateInputsAtIt) {
    // n = 2: right = 5200, gateX = 6000; term 2 lies at y = 1300.
    const auto ops = draw(makeFunction(2, {2}), 1);
    std::vector<std::string> expected = {"line 5600,1300-6000,1300 fg",
                                         "line 6000,1300-6000,1300 fg"};
    const auto gate = gateOps(drawOrGate, 6000, 1300, 6000, 1300);
    expected.insert(expected.end(), gate.begin(), gate.end());
    EXPECT_EQ(tail(ops, expected.size()), expected);
}

struct JoinCase {
    std::vector<int> terms;
    bool joinDrawn;
    std::string join;  // the vertical line at gateX when drawn
};

class DemuxJoinLine : public ::testing::TestWithParam<JoinCase> {};

TEST_P(DemuxJoinLine, DrawnOnlyWhenATermLiesMidwayBetweenFirstAndLast) {
    const JoinCase& c = GetParam();
    const auto ops = draw(makeFunction(2, c.terms), 1);
    // Term leads end at gateX = 6000; a vertical fg line there is the join.
    int verticals = 0;
    for (const auto& op : ops)
        if (op.rfind("line 6000,", 0) == 0 && op.find("-6000,") != std::string::npos &&
            op.find(" fg") != std::string::npos)
            ++verticals;
    EXPECT_EQ(verticals, c.joinDrawn ? 1 : 0);
    if (c.joinDrawn) {
        EXPECT_TRUE(contains(ops, c.join));
    }
    EXPECT_EQ(countPrefix(ops, "line 5600,"), static_cast<int>(c.terms.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DemuxJoinLine,
    ::testing::Values(JoinCase{{1, 3}, false, ""},                              // yMid on term 2
                      JoinCase{{0, 1, 2}, true, "line 6000,900-6000,1100 fg"},  // yMid on term 1
                      JoinCase{{0, 3}, false, ""},  // yMid between outputs
                      JoinCase{{0, 1, 3}, false, ""}, JoinCase{{0, 2, 3}, false, ""},
                      JoinCase{{1, 2, 3}, true, "line 6000,1100-6000,1300 fg"}));

TEST(DemuxDrawing, DinZeroPutsOpenBubblesOnEveryOutputThenNand) {
    const auto ops = draw(makeFunction(3, {1, 3, 5}), 0);
    const auto gate = gateOps(drawNandGate, 6400, 1100, 6400, 1900);
    std::vector<std::string> expected;
    for (int i = 1; i <= 8; ++i)
        expected.push_back("circle 5625," + std::to_string(700 + i * 200) + " 25 fg");
    expected.insert(expected.end(), gate.begin(), gate.end());
    EXPECT_EQ(tail(ops, expected.size()), expected);
    EXPECT_TRUE(contains(ops, "text 2800,1350 ' Din = Logic 0'"));
}

TEST(DemuxDrawing, DinZeroBubblesDoNotDependOnTheNumberOfTerms) {
    const auto ops = draw(makeFunction(2, {3}), 0);
    EXPECT_EQ(countPrefix(ops, "circle 5225,"), 4);
}

TEST(DemuxDrawing, MaxTermsUseNorForDinOneAndBubblesWithAndForDinZero) {
    const FunctionView f = makeFunction(3, {1, 3, 5}, TermMode::Maxterms);
    const auto nor = gateOps(drawNorGate, 6400, 1100, 6400, 1900);
    const auto one = draw(f, 1);
    EXPECT_EQ(tail(one, nor.size()), nor);
    EXPECT_EQ(countPrefix(one, "circle 5625,"), 0);
    EXPECT_THAT(one[1], HasSubstr("     Max Terms  :  1,3,5"));

    const auto and_ = gateOps(drawAndGate, 6400, 1100, 6400, 1900);
    const auto zero = draw(f, 0);
    EXPECT_EQ(tail(zero, and_.size()), and_);
    EXPECT_EQ(countPrefix(zero, "circle 5625,"), 8);
}

TEST(DemuxDrawing, GateStandsAtX8WithoutJunctionDots) {
    for (TermMode mode : {TermMode::Minterms, TermMode::Maxterms})
        for (int din : {0, 1}) {
            const auto ops = draw(makeFunction(4, {0, 7, 15}, mode), din);
            for (const auto& op : ops) EXPECT_THAT(op, Not(HasSubstr("filled")));
            // The first gate wire starts at gateX = 6800 on the first term.
            EXPECT_TRUE(contains(ops, "line 6800,900-6800,900 green"));
        }
}

TEST(DemuxDrawing, OneVariableIsAOneToTwoDemux) {
    const auto ops = draw(makeFunction(1, {1}), 1);
    // W = 800, H = 600: the drawing needs 6600 x 2300; the header line
    // (78 characters of 90 twips) is wider.
    EXPECT_EQ(ops[0], "size 7020,2300");
    EXPECT_TRUE(contains(ops, "box 4000,700 800,600"));
    EXPECT_TRUE(contains(ops, "text 4000,800 '1 : 2'"));
    EXPECT_TRUE(contains(ops, "text 4500,800 ' 0 '"));
    EXPECT_TRUE(contains(ops, "text 4500,1000 ' 1 '"));
    EXPECT_EQ(countPrefix(ops, "text 4500,"), 2);
    EXPECT_TRUE(contains(ops, "line 4400,1300-4400,1700 fg"));
    EXPECT_TRUE(contains(ops, "text 4350,1800 'A'"));
    EXPECT_EQ(countPrefix(ops, "line 4800,"), 2);  // the two output stubs
}

TEST(DemuxDrawing, SixVariablesGiveOneToSixtyFour) {
    std::vector<int> terms = {0, 21, 42, 63};
    const auto ops = draw(makeFunction(6, terms), 1);
    // W = 2800, H = 13000: the canvas is 8600 wide and 14700 high.
    EXPECT_EQ(ops[0], "size 8600,14700");
    EXPECT_TRUE(contains(ops, "box 4000,700 2800,13000"));
    EXPECT_TRUE(contains(ops, "text 5000,7000 '1 : 64'"));
    EXPECT_TRUE(contains(ops, "text 5000,7200 ' DEMUX '"));
    EXPECT_TRUE(contains(ops, "text 6500,13400 ' 63 '"));
    EXPECT_EQ(countPrefix(ops, "line 6800,"), 64);  // stubs
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(contains(ops, "line " + std::to_string(4000 + i * 400) + ",13700-" +
                                      std::to_string(4000 + i * 400) + ",14100 fg"));
    EXPECT_TRUE(contains(ops, "text 6350,14200 'F'"));
    // Data input at dataY = 7200.
    EXPECT_TRUE(contains(ops, "text 2800,6950 ' Din = Logic 1'"));
}

TEST(DemuxDrawing, DontCaresShowOnlyInTheHeader) {
    FunctionView f = makeFunction(3, {1, 3, 5});
    const auto without = draw(f, 1);
    f.function = logic::functionOfTerms(3, {1, 3, 5}, f.mode, {0, 6});
    f.dontCareText = "0,6";
    const auto with = draw(f, 1);
    EXPECT_EQ(with[1],
              without[1].substr(0, without[1].size() - 1) + "     DontCare Terms  :  0,6'");
    EXPECT_EQ(std::vector(with.begin() + 2, with.end()),
              std::vector(without.begin() + 2, without.end()));
}

TEST(DemuxDrawing, CanvasWidensToHoldALongHeader) {
    FunctionView f = makeFunction(3, {1, 3, 5});
    f.userName = std::string(40, 'M');
    const auto ops = draw(f, 1);
    const int headerWidth =
        RecordingCanvas::kCharWidth * static_cast<int>(implementationHeader(f).size());
    ASSERT_GT(headerWidth, 7400);
    EXPECT_EQ(ops[0], "size " + std::to_string(headerWidth) + ",3500");
}

TEST(DemuxDrawing, CanvasShrinksToTheDrawing) {
    RecordingCanvas c;
    ASSERT_GT(c.width(), 7400);
    drawDemux(c, makeFunction(3, {1}), 1);
    EXPECT_EQ(c.width(), 7400);
    EXPECT_EQ(c.height(), 3500);
}

TEST(DemuxDrawing, TypedFunctionWithoutTermTextListsItsTermsInTheHeader) {
    FunctionView f = makeFunction(3, {2, 6, 7});
    f.termsText.clear();
    EXPECT_THAT(draw(f, 1)[1], HasSubstr("     Min Terms  :  2,6,7"));
}

TEST(DemuxDrawing, TermsAreTakenInOrderOnceAndOnlyWhenTheyNameAnOutput) {
    FunctionView messy = makeFunction(2, {3, 1, 3, 9, -1});
    messy.termsText = "1,3";
    FunctionView clean = makeFunction(2, {1, 3});
    EXPECT_EQ(draw(messy, 1), draw(clean, 1));
}

TEST(DemuxDrawing, EmptyMinTermListTiesYToGroundWithoutAGate) {
    FunctionView f = makeFunction(2, {});
    f.function = logic::functionOfTerms(2, {}, f.mode, {1, 2});
    f.dontCareText = "1,2";
    const auto ops = draw(f, 1);
    // gateX = 6000, dataY = 1200.
    const std::vector<std::string> expected = {
        "line 6000,1200-6470,1200 green", "text 6500,1110 ' Y '",
        "line 6000,1200-6000,1440 fg",    "line 5850,1440-6150,1440 fg",
        "line 5900,1500-6100,1500 fg",    "line 5950,1550-6050,1550 fg",
    };
    EXPECT_EQ(tail(ops, expected.size()), expected);
    for (const auto& op : ops) {
        EXPECT_THAT(op, Not(HasSubstr("red")));
        EXPECT_THAT(op, Not(HasSubstr("navy")));
        EXPECT_THAT(op, Not(HasSubstr("blue")));
    }
}

TEST(DemuxDrawing, EmptyMaxTermListTiesYToVcc) {
    const auto ops = draw(makeFunction(2, {}, TermMode::Maxterms), 0);
    const std::vector<std::string> expected = {
        "line 6000,1200-6470,1200 green",
        "text 6500,1110 ' Y '",
        "line 6000,1200-6000,800 fg",
        "text 5900,600 'Vcc'",
    };
    EXPECT_EQ(tail(ops, expected.size()), expected);
    EXPECT_EQ(countPrefix(ops, "circle 5225,"), 4);  // Din 0 still marks active-low outputs
}

TEST(DemuxDrawing, RefusesSizesItCannotDraw) {
    RecordingCanvas c;
    for (int n : {0, 7, 8}) {
        FunctionView f = makeFunction(std::max(n, 1), {0});
        f.function.width = n;
        EXPECT_THROW(drawDemux(c, f, 1), std::out_of_range);
    }
    EXPECT_TRUE(c.operations().empty());
}

TEST(DemuxDrawing, MissingVariableLettersPrintEmpty) {
    FunctionView f = makeFunction(3, {1});
    f.letters.resize(2);
    const auto ops = draw(f, 1);
    EXPECT_TRUE(contains(ops, "line 5200,2500-5200,2900 fg"));
    EXPECT_THAT(ops, Not(Contains(HasSubstr("text 5150,3000"))));
}
