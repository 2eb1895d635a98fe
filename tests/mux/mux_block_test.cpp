#include "mux/mux_block.h"
#include "tests/mux/mux_fixture_support.h"

#include <gtest/gtest.h>

using namespace quendal::drawing;
using namespace quendal::mux;

namespace {

TEST(SimpleMux, FourToOneBlockOfTheFourVariableTree) {
    RecordingCanvas c;
    simpleMux(c, makeFunction(4, {0}), 2, 6700, 3540);
    const std::vector<std::string> expected = {
        "vscroll 5756",
        "hscroll 5196",
        "box 6700,3540 1200,1000",
        "text 7300,4040 ' 4 : 1'",
        "text 7300,4240 ' MUX '",
        "text 6700,3640 ' 0 '",
        "text 6700,3840 ' 1 '",
        "text 6700,4040 ' 2 '",
        "text 6700,4240 ' 3 '",
        "line 7100,4540-7100,5040 fg",
        "line 7500,4540-7500,5040 fg",
        "text 7100,5140 'A'",
        "text 7500,5140 'B'",
        "line 7900,4040-8300,4040 fg",
        "text 8330,3950 ' Y '",
        "line 6200,3740-6700,3740 fg",
        "line 6200,3940-6700,3940 fg",
        "line 6200,4140-6700,4140 fg",
        "line 6200,4340-6700,4340 fg",
    };
    EXPECT_EQ(c.lines(), expected);
}

TEST(SimpleMux, LettersGoUnderTheLastSelectLines) {
    RecordingCanvas c;
    simpleMux(c, makeFunction(5, {0}), 3, 4000, 1000);
    std::vector<std::string> texts;
    for (const auto& op : c.operations())
        if (op.kind == RecordingCanvas::Kind::Text && op.y1 == 1000 + 1800 + 600)
            texts.push_back(RecordingCanvas::describe(op));
    // Select line 1 (x 4400) has no letter.
    EXPECT_EQ(texts, (std::vector<std::string>{"text 4800,3400 'A'", "text 5200,3400 'B'"}));
}

TEST(SimpleMux, NoLettersWhenEveryVariableIsOnTheBlock) {
    RecordingCanvas c;
    simpleMux(c, makeFunction(2, {0}), 2, 4000, 700);
    for (const auto& op : c.operations())
        EXPECT_FALSE(op.kind == RecordingCanvas::Kind::Text && op.y1 == 700 + 1000 + 600);
}

TEST(MuxBlock, TwoToOneBlock) {
    const MuxBlock b{1, 4000, 700};
    EXPECT_EQ(b.W(), 800);
    EXPECT_EQ(b.H(), 600);
    EXPECT_EQ(b.xSel(1), 4400);
    RecordingCanvas c;
    drawBlockBody(c, b);
    EXPECT_EQ(c.lines(),
              (std::vector<std::string>{"box 4000,700 800,600", "text 4400,1000 ' 2 : 1'",
                                        "text 4400,1200 ' MUX '", "text 4000,800 ' 0 '",
                                        "text 4000,1000 ' 1 '"}));
}

struct SizeCase {
    int v, width, height;
};
void PrintTo(const SizeCase& size, std::ostream* os) {
    *os << "v " << size.v;
}

class BlockSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(BlockSizes, WidthAndHeight) {
    const MuxBlock b{GetParam().v, 0, 0};
    EXPECT_EQ(b.W(), GetParam().width);
    EXPECT_EQ(b.H(), GetParam().height);
    EXPECT_EQ(b.yOut(), GetParam().height / 2);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, BlockSizes,
                         ::testing::Values(SizeCase{1, 800, 600}, SizeCase{2, 1200, 1000},
                                           SizeCase{3, 1600, 1800}, SizeCase{4, 2000, 3400},
                                           SizeCase{5, 2400, 6600}, SizeCase{6, 2800, 13000}));

TEST(Enlargement, GrowsOnlyWhereTheBlockDoesNotFit) {
    RecordingCanvas c;
    enlargeForBlock(c, MuxBlock{6, 4000, 700});  // 2800 x 13000
    EXPECT_EQ(c.lines(),
              (std::vector<std::string>{"size 9696,14700", "vscroll 28000", "hscroll 9496"}));
}

TEST(Enlargement, LargerPictureKeepsItsSizeButSetsTheScrollMaxima) {
    RecordingCanvas c;
    c.setSize(20000, 30000);
    c.clear();
    enlargeForBlock(c, MuxBlock{2, 4000, 1000});
    EXPECT_EQ(c.lines(), (std::vector<std::string>{"vscroll 31000", "hscroll 18200"}));
    EXPECT_EQ(c.width(), 20000);
    EXPECT_EQ(c.height(), 30000);
}

}  // namespace
