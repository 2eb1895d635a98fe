#include <algorithm>

#include <gtest/gtest.h>

#include "drawing/circuit_layout.h"
#include "drawing/universal_circuits.h"
#include "tests/drawing/circuit_function_support.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;

using Kind = RecordingCanvas::Kind;

namespace {

struct Extent {
    int right = 0, bottom = 0;
};

// How far the drawn shapes and texts reach; the variable lines (which run
// to the bottom edge by design) are left out of the bottom.
Extent extentOf(const RecordingCanvas& c) {
    Extent e;
    auto include = [&](int x, int y) {
        e.right = std::max(e.right, x);
        e.bottom = std::max(e.bottom, y);
    };
    for (const auto& op : c.operations()) {
        switch (op.kind) {
            case Kind::Line:
                include(std::max(op.x1, op.x2),
                        op.x1 == op.x2 ? std::min(op.y1, op.y2) : std::max(op.y1, op.y2));
                break;
            case Kind::Circle:
            case Kind::Arc: include(op.x1 + op.r, op.y1 + op.r); break;
            case Kind::Text: include(op.x1 + c.textWidth(op.text), op.y1 + c.lineHeight()); break;
            default: break;
        }
    }
    return e;
}

std::string manyTerms() {
    // Parity of five variables: sixteen terms of five literals.
    const std::vector<std::string> letters = {"A", "B", "C", "D", "E"};
    std::vector<bool> truth(32);
    for (int r = 0; r < 32; ++r) truth[r] = __builtin_popcount(r) % 2;
    return sopFor(truth, letters);
}

}  // namespace

TEST(CanvasGrowth, DrawingThatFitsKeepsTheCanvasAndLinesToTenThousand) {
    RecordingCanvas c;
    drawBasicCircuit(c, circuitFunction("AB'C+A'BC'+BC", {"A", "B", "C"}));
    EXPECT_EQ(c.width(), Canvas::kDefaultWidth);
    EXPECT_EQ(c.height(), Canvas::kDefaultHeight);
    for (const auto& op : c.operations()) {
        EXPECT_NE(op.kind, Kind::Size);
        EXPECT_NE(op.kind, Kind::ScrollMax);
    }
    const auto lines = c.lines();
    EXPECT_EQ(std::count_if(
                  lines.begin(), lines.end(),
                  [](const std::string& l) { return l.find(",10000 green") != std::string::npos; }),
              6);
}

class GrowingCircuit : public ::testing::TestWithParam<int> {};

TEST_P(GrowingCircuit, ManyTermsGrowTheCanvasToHoldEverything) {
    RecordingCanvas c;
    const FunctionView f = circuitFunction(manyTerms(), {"A", "B", "C", "D", "E"});
    switch (GetParam()) {
        case 0: drawBasicCircuit(c, f); break;
        case 1: drawUniversalNandCircuit(c, f); break;
        default: drawUniversalNorCircuit(c, f); break;
    }
    const Extent e = extentOf(c);
    ASSERT_GT(e.bottom, Canvas::kDefaultHeight);
    EXPECT_EQ(c.height(), e.bottom + kCircuitMargin);
    EXPECT_EQ(c.width(), std::max(Canvas::kDefaultWidth, e.right + kCircuitMargin));
    // The size is set once, before anything is drawn; the scroll range is
    // the window's, derived from the picture.
    EXPECT_EQ(c.operations().front().kind, Kind::Size);
    for (std::size_t i = 1; i < c.operations().size(); ++i) {
        EXPECT_NE(c.operations()[i].kind, Kind::Size);
        EXPECT_NE(c.operations()[i].kind, Kind::ScrollMax);
    }

    // Every variable and complement line reaches the bottom edge, none beyond.
    int lines = 0;
    for (const auto& op : c.operations()) {
        if (op.kind != Kind::Line || op.x1 != op.x2) continue;
        EXPECT_LE(std::max(op.y1, op.y2), c.height());
        if (std::max(op.y1, op.y2) == c.height()) ++lines;
    }
    EXPECT_EQ(lines, 10);
}

INSTANTIATE_TEST_SUITE_P(AllStyles, GrowingCircuit, ::testing::Values(0, 1, 2));

TEST(CanvasGrowth, ALongHeaderWidensTheCanvasAndTheLinesEndAtItsBottom) {
    FunctionView f = circuitFunction("AB'+C");
    f.sopText = std::string(150, 'A');
    RecordingCanvas c;
    drawBasicCircuit(c, f);
    const int textRight = 40 * RecordingCanvas::kCharWidth + 150 * RecordingCanvas::kCharWidth;
    EXPECT_EQ(c.width(), textRight + kCircuitMargin);
    EXPECT_EQ(c.height(), Canvas::kDefaultHeight);
    const auto lines = c.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "line 400,1850-400,7296 green"), lines.end());
}

TEST(CanvasGrowth, NeverBeyondWhatAPictureCanHold) {
    FunctionView f = circuitFunction("AB'+C");
    f.ipPosText = std::string(6000, 'A');
    RecordingCanvas c;
    drawBasicCircuit(c, f);
    EXPECT_EQ(c.width(), kMaxCircuitCanvas);
    EXPECT_EQ(c.height(), Canvas::kDefaultHeight);
}
