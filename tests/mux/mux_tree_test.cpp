#include "mux/mux_tree.h"
#include "drawing/gates.h"
#include "tests/mux/mux_fixture_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quendal::drawing;
using namespace quendal::mux;
using logic::TermMode;

namespace {

using Kind = RecordingCanvas::Kind;

std::vector<std::string> tie(int rail, int y) {
    std::vector<std::string> out = filledDot(rail, y);
    out.push_back("line " + std::to_string(rail) + "," + std::to_string(y) + "-4000," +
                  std::to_string(y) + " fg");
    return out;
}

std::vector<std::string> orGate(int x1, int y1, int x2, int y2) {
    RecordingCanvas c;
    GateArea area;
    drawOrGate(c, area, x1, y1, x2, y2);
    return c.lines();
}

std::vector<std::string> notGate(int x, int y) {
    RecordingCanvas c;
    drawNotGate(c, x, y);
    return c.lines();
}

TEST(DrawMulMux, ThreeVariablesWithFourToOne) {
    std::vector<std::string> e = {
        // Block 1: terms 0 to 3.
        "vscroll 8296",
        "hscroll 7896",
        "box 4000,1000 1200,1000",
        "text 4600,1500 ' 4 : 1'",
        "text 4600,1700 ' MUX '",
        "text 4000,1100 ' 0 '",
        "text 4000,1300 ' 1 '",
        "text 4000,1500 ' 2 '",
        "text 4000,1700 ' 3 '",
        "line 4200,2025-4200,2125 fg",
        "circle 4200,2012 25 fg",
        "line 4400,2000-4400,2800 fg",
        "line 4400,2220-1400,2220 fg",
    };
    append(e, filledDot(4400, 2220));
    append(e, {"text 4450,2000 'B'", "line 4800,2000-4800,2800 fg", "line 4800,2320-1800,2320 fg"});
    append(e, filledDot(4800, 2320));
    append(e, {"text 4850,2000 'C'", "line 5200,1500-5600,1500 fg"});
    append(e, tie(2500, 1400));
    append(e, tie(2500, 1800));
    append(e, tie(3000, 1200));
    append(e, tie(3000, 1600));
    // Block 2: terms 4 to 7, no select lines of its own.
    append(e, {"vscroll 6496", "hscroll 7896", "box 4000,2800 1200,1000", "text 4600,3300 ' 4 : 1'",
               "text 4600,3500 ' MUX '", "text 4000,2900 ' 0 '", "text 4000,3100 ' 1 '",
               "text 4000,3300 ' 2 '", "text 4000,3500 ' 3 '", "line 4200,3825-4200,3925 fg",
               "circle 4200,3812 25 fg", "line 5200,3300-5600,3300 fg"});
    append(e, tie(2500, 3200));
    append(e, tie(3000, 3000));
    append(e, tie(3000, 3400));
    append(e, tie(3000, 3600));
    // Rails, ground bars, the OR gate and the strobe wiring.
    append(e, {"text 2400,600 'Vcc'", "line 2500,800-2500,4100 fg", "line 3000,800-3000,4100 fg",
               "line 3100,4100-2900,4100 fg", "line 3050,4150-2950,4150 fg",
               "line 3030,4200-2970,4200 fg"});
    append(e, orGate(5600, 1500, 5600, 3300));
    append(e, {"line 4200,2125-2000,2125 fg", "line 4200,3925-2000,3925 fg",
               "line 2000,2125-1000,2125 fg", "text 900,1950 'A'", "line 1000,2220-1400,2220 fg",
               "line 1000,2320-1800,2320 fg"});
    append(e, filledDot(2000, 2125));
    append(e, {"line 2000,2125-2000,3100 fg"});
    append(e, notGate(2000, 3100));
    append(e, {"line 2000,3300-2000,3925 fg", "text 6120,2350 'Y'"});

    RecordingCanvas c;
    drawMulMux(c, makeFunction(3, {1, 3, 5}), 2);
    EXPECT_EQ(c.lines(), e);
}

TEST(DrawMulMux, OrGateStandsAtTheOutputLinesCentredBetweenThem) {
    RecordingCanvas c;
    drawMulMux(c, makeFunction(3, {1, 3, 5}), 2);
    std::string missing;
    EXPECT_TRUE(containsInOrder(c.lines(), orGate(5600, 1500, 5600, 3300), &missing)) << missing;
    // No junction dots on the gate's inputs.
    for (const auto& op : c.operations())
        if (op.kind == Kind::Circle) {
            EXPECT_NE(op.x1, 5600);
        }
}

TEST(DrawMulMux, FourVariablesWithFourToOne) {
    RecordingCanvas c;
    drawMulMux(c, makeFunction(4, {0, 5, 10, 15}), 2);
    const auto lines = c.lines();
    std::string missing;
    // Each block has exactly one input on Vcc: input 0, 1, 2, 3.
    std::vector<std::string> e;
    const int vccY[] = {1200, 3200, 5200, 7200};
    for (int y : vccY) append(e, tie(2500, y));
    EXPECT_TRUE(containsInOrder(lines, e, &missing)) << missing;
    EXPECT_EQ(c.height(), 8400);
    EXPECT_TRUE(containsInOrder(lines,
                                {"size 9696,8400",
                                 "box 4000,6400 1200,1000",
                                 "text 2400,600 'Vcc'",
                                 "line 2500,800-2500,7700 fg",
                                 "line 3000,800-3000,7700 fg",
                                 "box 6700,3540 1200,1000",
                                 "text 7100,5140 'A'",
                                 "text 7500,5140 'B'",
                                 "line 5600,1500-6200,3740 fg",
                                 "line 5600,3300-6200,3940 fg",
                                 "line 5600,5100-6200,4140 fg",
                                 "line 5600,6900-6200,4340 fg",
                                 "line 1400,5825-1400,2225 fg",
                                 "line 1400,2225-1000,2225 fg",
                                 "fill solid",
                                 "circle 1400,2225 25 fg filled",
                                 "fill transparent",
                                 "line 1800,5925-1800,2325 fg",
                                 "line 1800,2325-1000,2325 fg",
                                 "fill solid",
                                 "circle 1800,2325 25 fg filled",
                                 "fill transparent"},
                                &missing))
        << missing;
    // Select lines only from blocks 1 and 3, no strobes.
    int selectLines = 0;
    for (const auto& op : c.operations())
        if (op.kind == Kind::Line && op.x1 == op.x2 && op.y2 - op.y1 == 800) ++selectLines;
    EXPECT_EQ(selectLines, 4);
    for (const auto& line : lines) EXPECT_EQ(line.find("4200,"), std::string::npos) << line;
}

TEST(DrawMulMux, FiveVariablesWithEightToOne) {
    RecordingCanvas c;
    drawMulMux(c, makeFunction(5, {0, 31}), 3);
    // h = 2600; second level at (4000 + 1600 + 1500, 3900 + 500 + 900 - 320).
    std::string missing;
    EXPECT_TRUE(
        containsInOrder(c.lines(),
                        {"box 7100,4980 1600,1800", "text 7900,7380 'A'", "text 8300,7380 'B'",
                         "line 6000,1900-6400,1900 fg", "line 6400,1900-6400,5180 fg",
                         "line 6400,5180-6600,5180 fg", "line 6000,4500-6200,4500 fg",
                         "line 6200,4500-6200,5380 fg", "line 6200,5380-6600,5380 fg",
                         "line 6000,7100-6200,7100 fg", "line 6200,7100-6200,5580 fg",
                         "line 6200,5580-6600,5580 fg", "line 6000,9700-6400,9700 fg",
                         "line 6400,9700-6400,5780 fg", "line 6400,5780-6600,5780 fg"},
                        &missing))
        << missing;
    for (const auto& op : c.operations())
        EXPECT_FALSE(op.kind == Kind::Text && op.x1 == 7500 && op.y1 == 7380);
}

TEST(DrawMulMux, OutputTiesKeepClearOfUnusedSecondLevelInputs) {
    // Every wire that ends left of the second-level block, other than the
    // stub itself, keeps 100 twips from the open ends of inputs 4 and up.
    for (const auto& [n, k] : {std::pair{5, 3}, {6, 4}, {7, 5}, {8, 6}}) {
        RecordingCanvas c;
        drawMulMux(c, makeFunction(n, {0}), k);
        const auto& ops = c.operations();
        const auto box = std::find_if(ops.rbegin(), ops.rend(),
                                      [](const auto& op) { return op.kind == Kind::Box; });
        const int xS = box->x1, yS = box->y1;
        for (int m = 4; m < (1 << k); ++m) {
            const int x = xS - 500, y = yS + (m + 1) * 200;
            for (const auto& op : ops) {
                if (op.kind != Kind::Line || (op.y1 == y && op.y2 == y)) continue;
                // Distance from the stub's open end to the line.
                const double dx = op.x2 - op.x1, dy = op.y2 - op.y1;
                const double len2 = dx * dx + dy * dy;
                double t = len2 ? ((x - op.x1) * dx + (y - op.y1) * dy) / len2 : 0;
                t = std::clamp(t, 0.0, 1.0);
                const double d = std::hypot(x - (op.x1 + t * dx), y - (op.y1 + t * dy));
                EXPECT_GE(d, 100) << "n " << n << " input " << m << ": "
                                  << RecordingCanvas::describe(op);
            }
        }
    }
}

TEST(DrawMulMux, EveryTermTickedHasNoGroundRail) {
    std::vector<int> all(16);
    for (int t = 0; t < 16; ++t) all[static_cast<std::size_t>(t)] = t;
    RecordingCanvas c;
    drawMulMux(c, makeFunction(4, all), 3);
    for (const auto& line : c.lines()) {
        EXPECT_EQ(line.find("line 3000,800-"), std::string::npos);
        EXPECT_EQ(line.find("2900,"), std::string::npos) << line;
    }
}

TEST(DrawMulMux, ZeroFunctionHasNoVccRail) {
    // Max-term mode with every term listed: all inputs on ground, and the
    // ground rail is there to carry them.
    std::vector<int> all(8);
    for (int t = 0; t < 8; ++t) all[static_cast<std::size_t>(t)] = t;
    for (const FunctionView& f :
         {makeFunction(3, all, TermMode::Maxterms), makeFunction(3, {}, TermMode::Minterms, {2})}) {
        RecordingCanvas c;
        drawMulMux(c, f, 2);
        const auto lines = c.lines();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "line 2500,800-2500,4100 fg"), 0);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "line 3000,800-3000,4100 fg"), 1);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "line 3100,4100-2900,4100 fg"), 1);
    }
}

TEST(DrawMux, BlockWithoutTermsHangsOnOneRail) {
    // Block 2 of a function whose terms all lie in block 1.
    for (TermMode mode : {TermMode::Minterms, TermMode::Maxterms}) {
        RecordingCanvas c;
        drawMux(c, makeFunction(3, {0, 1}, mode), 2, 2, 2, 4000, 2800);
        const int rail = mode == TermMode::Minterms ? 3000 : 2500;
        int ties = 0;
        for (const auto& op : c.operations())
            if (op.kind == Kind::Line && op.y1 == op.y2 && op.x2 == 4000) {
                EXPECT_EQ(op.x1, rail);
                ++ties;
            }
        EXPECT_EQ(ties, 4);
    }
}

TEST(DrawMulMux, EightVariablesWithSixtyFourToOneIsDrawnWhole) {
    RecordingCanvas c;
    drawMulMux(c, makeFunction(8, {0, 255}), 6);
    // h = 13800: the fourth block reaches 41400 + 13000, the rails 55700.
    EXPECT_EQ(c.height(), 56400);
    const auto lines = c.lines();
    std::string missing;
    EXPECT_TRUE(containsInOrder(lines,
                                {"box 4000,42400 2800,13000", "line 2500,800-2500,55700 fg",
                                 "line 3000,800-3000,55700 fg", "box 8300,25140 2800,13000"},
                                &missing))
        << missing;
}

TEST(SelectTies, KeepClearOfTheRails) {
    // With a second level, no tie column may run along or right of a rail.
    for (int k = 2; k <= 6; ++k)
        for (int s = 1; s <= k; ++s) {
            const int x = selectTieX(4000, s, k, k + 2);
            EXPECT_NE(x, 2500);
            EXPECT_NE(x, 3000);
            if (k >= 5) {
                EXPECT_LT(x, 2500) << "k " << k << " s " << s;
            }
        }
    // The sizes drawn by the tree table keep their 400 pitch.
    EXPECT_EQ(selectTieX(4000, 1, 2, 4), 1400);
    EXPECT_EQ(selectTieX(4000, 4, 4, 6), 2600);
    EXPECT_EQ(selectTieX(4000, 5, 5, 6), 3000);  // one level: the bus only crosses the rail
}

}  // namespace
