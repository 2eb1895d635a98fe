#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "drawing/bounds_canvas.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;

using Lines = std::vector<std::string>;

TEST(CanvasPrint, WithoutItemsLeavesTheFirstLineEmpty) {
    RecordingCanvas canvas;
    canvas.print();
    canvas.print({"Y"});
    EXPECT_EQ(canvas.lines(), Lines{"text 0,195 'Y'"});
    EXPECT_EQ(canvas.currentX(), 0);
    EXPECT_EQ(canvas.currentY(), 2 * RecordingCanvas::kLineHeight);
}

struct PrintCase {
    const char* name;
    std::vector<PrintItem> items;
    const char* text;
};

void PrintTo(const PrintCase& c, std::ostream* os) {
    *os << c.name;
}

class CanvasPrintItems : public ::testing::TestWithParam<PrintCase> {};

TEST_P(CanvasPrintItems, JoinItemsWithNumericSpacing) {
    RecordingCanvas canvas;
    canvas.setCurrentX(300);
    canvas.setCurrentY(400);
    canvas.print(GetParam().items);
    EXPECT_EQ(canvas.lines(), Lines{std::string("text 300,400 '") + GetParam().text + "'"});
    // The next line starts at the left edge, one line lower.
    EXPECT_EQ(canvas.currentX(), 0);
    EXPECT_EQ(canvas.currentY(), 400 + RecordingCanvas::kLineHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Items, CanvasPrintItems,
    ::testing::Values(PrintCase{"text_unchanged", {"  A + B "}, "  A + B "},
                      PrintCase{"texts_follow_directly", {"User  :  ", "Ann"}, "User  :  Ann"},
                      PrintCase{"positive_number", {PrintItem::number(8)}, " 8 "},
                      PrintCase{"negative_number", {PrintItem::number(-12)}, "-12 "},
                      PrintCase{"zero", {PrintItem::number(0)}, " 0 "},
                      PrintCase{
                          "mixed", {PrintItem::number(4), ":", PrintItem::number(1)}, " 4 : 1 "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CanvasPrint, PrintAtSetsThePositionFirst) {
    RecordingCanvas canvas;
    canvas.printAt(4800, 1600, {" MUX "});
    canvas.print({"next"});
    EXPECT_EQ(canvas.lines(), (Lines{"text 4800,1600 ' MUX '", "text 0,1795 'next'"}));
}

TEST(CanvasTextPosition, FollowsLinesCirclesArcsAndBoxes) {
    RecordingCanvas canvas;
    canvas.line(10, 20, 300, 400, colours::green);
    EXPECT_EQ(canvas.currentX(), 300);
    EXPECT_EQ(canvas.currentY(), 400);
    canvas.circle(700, 800, 50);
    EXPECT_EQ(canvas.currentX(), 700);
    EXPECT_EQ(canvas.currentY(), 800);
    canvas.arc(900, 1000, 50, colours::red, std::numbers::pi, 0);
    EXPECT_EQ(canvas.currentX(), 900);
    EXPECT_EQ(canvas.currentY(), 1000);
    canvas.box(4000, 700, 1600, 1800);
    EXPECT_EQ(canvas.currentX(), 5600);
    EXPECT_EQ(canvas.currentY(), 2500);
}

TEST(CanvasJunctionDot, LeavesTheFillStyleTransparentSoALaterCircleIsAnOutline) {
    RecordingCanvas canvas;
    junctionDot(canvas, 350, 1600);
    canvas.circle(500, 1600, 50, colours::blue);
    EXPECT_EQ(canvas.fillStyle(), FillStyle::Transparent);
    EXPECT_EQ(canvas.lines(), (Lines{"fill solid", "circle 350,1600 25 black filled",
                                     "fill transparent", "circle 500,1600 50 blue"}));
}

TEST(CanvasState, StartsAsANewDocumentWindowCreatesIt) {
    RecordingCanvas canvas;
    EXPECT_EQ(canvas.width(), 9696);
    EXPECT_EQ(canvas.height(), 7296);
    EXPECT_EQ(canvas.fillStyle(), FillStyle::Transparent);
    EXPECT_EQ(canvas.currentX(), 0);
    EXPECT_EQ(canvas.currentY(), 0);
}

TEST(CanvasState, SizeAndScrollMaximaAreRecordedOnlyWhenSet) {
    RecordingCanvas canvas;
    canvas.setSize(9696, 7296);  // unchanged: nothing to tell
    canvas.setSize(9696, 8000);
    canvas.setSize(5000, 4000);  // the demultiplexer may shrink it
    canvas.setHScrollMax(8296);
    canvas.setVScrollMax(9396);
    EXPECT_EQ(canvas.lines(),
              (Lines{"size 9696,8000", "size 5000,4000", "hscroll 8296", "vscroll 9396"}));
    EXPECT_EQ(canvas.hScrollMax(), 8296);
    EXPECT_EQ(canvas.vScrollMax(), 9396);
}

TEST(BoundsCanvas, MeasuresEverythingThatWouldBeDrawn) {
    RecordingCanvas metrics;
    BoundsCanvas bounds(metrics);
    EXPECT_TRUE(bounds.empty());
    bounds.line(1000, 2000, 3000, 2500);
    bounds.arc(3000, 2500, 400, colours::red, 0, std::numbers::pi);
    bounds.printAt(200, 5000, {"ABCD"});
    EXPECT_FALSE(bounds.empty());
    EXPECT_EQ(bounds.left(), 200);
    EXPECT_EQ(bounds.top(), 2000);
    EXPECT_EQ(bounds.right(), 3400);
    EXPECT_EQ(bounds.bottom(), 5000 + RecordingCanvas::kLineHeight);
}

TEST(BoundsCanvas, PrintWithoutItemsExtendsNothing) {
    RecordingCanvas metrics;
    BoundsCanvas bounds(metrics);
    bounds.print();
    bounds.print();
    EXPECT_TRUE(bounds.empty());
}
