#include "mux/single_mux.h"
#include "tests/mux/mux_fixture_support.h"

#include <gtest/gtest.h>

#include "drawing/drawing_kit.h"

using namespace quendal::drawing;
using namespace quendal::mux;
using logic::TermMode;

namespace {

using Kind = RecordingCanvas::Kind;

std::vector<std::string> drawn(const FunctionView& f) {
    RecordingCanvas c;
    draw1Mux(c, f);
    return c.lines();
}

// The lines of the operations of one kind, in order.
std::vector<std::string> only(const RecordingCanvas& c, Kind kind) {
    std::vector<std::string> out;
    for (const auto& op : c.operations())
        if (op.kind == kind) out.push_back(RecordingCanvas::describe(op));
    return out;
}

TEST(Draw1Mux, ThreeVariablesMinTermsOneThreeFive) {
    std::vector<std::string> expected = {
        "vscroll 9396",
        "hscroll 8296",
        "text 0,195 '     User  :  Tester   Date  :  05-Mar-2024   Time  :  07:40 AM     Min "
        "Terms  :  1,3,5'",
        "box 4000,700 1600,1800",
        "text 4800,1600 ' 8 : 1'",
        "text 4800,1800 ' MUX '",
        "text 4000,800 ' 0 '",
        "text 4000,1000 ' 1 '",
        "text 4000,1200 ' 2 '",
        "text 4000,1400 ' 3 '",
        "text 4000,1600 ' 4 '",
        "text 4000,1800 ' 5 '",
        "text 4000,2000 ' 6 '",
        "text 4000,2200 ' 7 '",
        "line 4400,2500-4400,2900 fg",
        "text 4350,3000 'A'",
        "line 4800,2500-4800,2900 fg",
        "text 4750,3000 'B'",
        "line 5200,2500-5200,2900 fg",
        "text 5150,3000 'C'",
        "line 5600,1600-6000,1600 fg",
        "text 6030,1510 ' Y '",
        "text 2400,500 'Vcc'",
        // Vcc rail (drawn once per input on it), open marks but none at its end.
        "line 2500,700-2500,1900 fg",
        "circle 2500,1100 25 fg",
        "line 2500,1100-4000,1100 fg",
        "line 2500,700-2500,1900 fg",
        "circle 2500,1500 25 fg",
        "line 2500,1500-4000,1500 fg",
        "line 2500,700-2500,1900 fg",
        "line 2500,1900-4000,1900 fg",
        // Ground ties: no mark at the first one, where the rail starts.
        "line 3000,900-3000,3000 fg",
        "line 3000,900-4000,900 fg",
        "line 3000,1300-3000,3000 fg",
        "circle 3000,1300 25 fg",
        "line 3000,1300-4000,1300 fg",
        "line 3000,1700-3000,3000 fg",
        "circle 3000,1700 25 fg",
        "line 3000,1700-4000,1700 fg",
        "line 3000,2100-3000,3000 fg",
        "circle 3000,2100 25 fg",
        "line 3000,2100-4000,2100 fg",
        "line 3000,2300-3000,3000 fg",
        "circle 3000,2300 25 fg",
        "line 3000,2300-4000,2300 fg",
        "line 3100,3000-2900,3000 fg",
        "line 3050,3050-2950,3050 fg",
        "line 3030,3100-2970,3100 fg",
    };
    EXPECT_EQ(drawn(makeFunction(3, {1, 3, 5})), expected);
}

TEST(Draw1Mux, TwoVariablesMaxTermsZeroAndThree) {
    RecordingCanvas c;
    draw1Mux(c, makeFunction(2, {0, 3}, TermMode::Maxterms));
    std::string missing;
    EXPECT_TRUE(containsInOrder(c.lines(),
                                {
                                    "line 3000,900-3000,2200 fg",  // input 0: first on ground
                                    "line 3000,900-4000,900 fg",
                                    "line 2500,700-2500,1100 fg",  // input 1 on Vcc, marked
                                    "circle 2500,1100 25 fg",
                                    "line 2500,1100-4000,1100 fg",
                                    "line 2500,700-2500,1300 fg",  // input 2: the rail's end
                                    "line 2500,1300-4000,1300 fg",
                                    "line 3000,1500-3000,2200 fg",  // input 3 on ground, marked
                                    "circle 3000,1500 25 fg",
                                    "line 3000,1500-4000,1500 fg",
                                    "line 3100,2200-2900,2200 fg",
                                    "line 3050,2250-2950,2250 fg",
                                    "line 3030,2300-2970,2300 fg",
                                },
                                &missing))
        << missing;
    EXPECT_EQ(only(c, Kind::Circle).size(), 2u);
    EXPECT_NE(c.lines()[2].find("Max Terms  :  0,3"), std::string::npos);
}

TEST(Draw1Mux, EveryTermTickedHasNoGround) {
    RecordingCanvas c;
    draw1Mux(c, makeFunction(2, {0, 1, 2, 3}));
    for (const auto& line : only(c, Kind::Line)) {
        EXPECT_EQ(line.find("line 3000,"), std::string::npos) << line;
        EXPECT_EQ(line.find("2900,2200"), std::string::npos) << line;
    }
    // Marks at inputs 0 to 2; input 3 ends the rail.
    EXPECT_EQ(only(c, Kind::Circle),
              (std::vector<std::string>{"circle 2500,900 25 fg", "circle 2500,1100 25 fg",
                                        "circle 2500,1300 25 fg"}));
}

TEST(Draw1Mux, OnlyDontCaresTiesEveryInputToGround) {
    // Min-term mode with no minterm: the function is 0.
    RecordingCanvas c;
    draw1Mux(c, makeFunction(2, {}, TermMode::Minterms, {1, 2}));
    const auto lines = only(c, Kind::Line);
    for (const auto& line : lines) EXPECT_EQ(line.find("line 2500,"), std::string::npos) << line;
    std::string missing;
    EXPECT_TRUE(containsInOrder(
        lines,
        {"line 3000,900-4000,900 fg", "line 3000,1100-4000,1100 fg", "line 3000,1300-4000,1300 fg",
         "line 3000,1500-4000,1500 fg", "line 3100,2200-2900,2200 fg"},
        &missing))
        << missing;
    // "Vcc" is printed all the same.
    EXPECT_NE(std::find(c.lines().begin(), c.lines().end(), "text 2400,500 'Vcc'"),
              c.lines().end());
}

TEST(Draw1Mux, DontCaresFollowTheTermsNotEntered) {
    // In min-term mode a don't-care goes to ground, in max-term mode to Vcc.
    const auto minLines = drawn(makeFunction(2, {0}, TermMode::Minterms, {3}));
    EXPECT_NE(std::find(minLines.begin(), minLines.end(), "line 3000,1500-4000,1500 fg"),
              minLines.end());
    const auto maxLines = drawn(makeFunction(2, {0}, TermMode::Maxterms, {3}));
    EXPECT_NE(std::find(maxLines.begin(), maxLines.end(), "line 2500,1500-4000,1500 fg"),
              maxLines.end());
}

TEST(Draw1Mux, OneVariable) {
    RecordingCanvas c;
    draw1Mux(c, makeFunction(1, {1}));
    std::string missing;
    EXPECT_TRUE(containsInOrder(c.lines(),
                                {"box 4000,700 800,600", "line 4400,1300-4400,1700 fg",
                                 "text 4350,1800 'A'", "line 4800,1000-5200,1000 fg"},
                                &missing))
        << missing;
}

TEST(Draw1Mux, SixVariablesGrowTheCanvas) {
    RecordingCanvas c;
    draw1Mux(c, makeFunction(6, {0, 63}));
    EXPECT_EQ(c.lines()[0], "size 9696,14700");
    EXPECT_EQ(c.vScrollMax(), 28000);
}

TEST(MuxHeader, DontCaresOnlyWhenThereAreAny) {
    EXPECT_EQ(
        implementationHeader(makeFunction(2, {1}, TermMode::Maxterms)),
        "     User  :  Tester   Date  :  05-Mar-2024   Time  :  07:40 AM     Max Terms  :  1");
    EXPECT_EQ(implementationHeader(makeFunction(2, {1}, TermMode::Minterms, {2, 3})),
              "     User  :  Tester   Date  :  05-Mar-2024   Time  :  07:40 AM     Min Terms  :  "
              "1     DontCare Terms  :  2,3");
}

TEST(MuxHeader, TypedFunctionListsItsCoveredMinterms) {
    // A typed equation arrives as min-term mode; if the form left the
    // text empty, the numbers themselves are listed.
    FunctionView f = makeFunction(3, {2, 3, 7});
    f.termsText.clear();
    EXPECT_NE(implementationHeader(f).find("Min Terms  :  2,3,7"), std::string::npos);
}

TEST(Draw1Mux, LongHeaderGrowsTheCanvasBeforeTheScrollMaxima) {
    std::vector<int> all;
    for (int t = 0; t < 64; t += 2) all.push_back(t);
    std::vector<int> dcs;
    for (int t = 1; t < 64; t += 2) dcs.push_back(t);
    RecordingCanvas c;
    const FunctionView f = makeFunction(6, all, TermMode::Minterms, dcs);
    draw1Mux(c, f);
    const int headerWidth = c.textWidth(implementationHeader(f));
    ASSERT_GT(headerWidth, 9696);
    EXPECT_GE(c.width(), headerWidth);
    // The horizontal scroll maximum follows the grown width.
    EXPECT_EQ(c.hScrollMax(), c.width() + 2800 - 4000 + 1000);
}

}  // namespace
