#include "common/twips.h"
#include "demux/demux_drawing.h"
#include "drawing/canvas_document.h"

#include <QImage>

#include <gtest/gtest.h>

#include "drawing/drawing_kit.h"
#include "tests/support/whole_picture.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::demux;
using logic::TermMode;

namespace {

FunctionView example(int n, std::vector<int> terms, TermMode mode = TermMode::Minterms) {
    FunctionView f;
    f.userName = "Ada";
    f.dateText = "05-Mar-2024";
    f.timeText = "07:40 AM";
    f.letters = std::string(logic::kDefaultLetters.substr(0, static_cast<std::size_t>(n)));
    f.mode = mode;
    f.function = logic::functionOfTerms(n, terms, f.mode);
    for (size_t i = 0; i < terms.size(); ++i)
        f.termsText += (i ? "," : "") + std::to_string(terms[i]);
    return f;
}

QColor pixel(const QImage& image, int xTwips, int yTwips) {
    return image.pixelColor(twipsToPixels(xTwips), twipsToPixels(yTwips));
}

}  // namespace

TEST(DemuxRender, ThreeVariableExampleLandsOnItsPixels) {
    DocumentCanvas canvas;
    drawDemux(canvas, example(3, {1, 3, 5}), 1);
    const QImage image = wholePicture(canvas);
    EXPECT_EQ(image.width(), DocumentCanvas::pixelsFor(7400));
    EXPECT_EQ(image.height(), DocumentCanvas::pixelsFor(3500));
    EXPECT_EQ(pixel(image, 6200, 1100), Qt::black);  // lead of term 1
    EXPECT_EQ(pixel(image, 6200, 1300), Qt::white);  // output 2 has none
    EXPECT_NE(pixel(image, 6400, 1300), Qt::white);  // the join to term 3, under the gate wire
    EXPECT_EQ(pixel(image, 6550, 1350), QColor(192, 0, 0));  // OR body, top edge
    EXPECT_EQ(pixel(image, 6820, 1500), QColor(0, 128, 0));  // gate output
    EXPECT_EQ(pixel(image, 4000, 1500), Qt::black);          // block's left edge
}

TEST(DemuxRender, SixVariablesFitTheirCanvas) {
    DocumentCanvas canvas;
    std::vector<int> terms;
    for (int t = 0; t < 64; t += 9) terms.push_back(t);
    drawDemux(canvas, example(6, terms), 0);
    const QImage image = wholePicture(canvas);
    EXPECT_EQ(image.width(), DocumentCanvas::pixelsFor(8600));
    EXPECT_EQ(image.height(), DocumentCanvas::pixelsFor(14700));
    // The last select line and the bottom output's bubble are on the canvas.
    EXPECT_EQ(pixel(image, 6400, 14000), Qt::black);
    EXPECT_EQ(pixel(image, 6850, 13500), Qt::black);
}

TEST(DemuxRender, LongHeaderIsNotCutOff) {
    DocumentCanvas canvas;
    FunctionView f = example(2, {0, 1, 2, 3});
    f.dontCareText = "";
    f.userName = "Maximiliana Wolfeschlegelsteinhausenbergerdorff";
    drawDemux(canvas, f, 1);
    const QImage image = wholePicture(canvas);
    EXPECT_GE(canvas.width(), canvas.textWidth(implementationHeader(f)));
    EXPECT_GE(image.width() * kTwipsPerPixel, canvas.textWidth(implementationHeader(f)));
}

TEST(DemuxRender, ConstantOutputsShowTheirTie) {
    DocumentCanvas ground;
    drawDemux(ground, example(2, {}), 1);
    const QImage grounded = wholePicture(ground);
    EXPECT_EQ(pixel(grounded, 6000, 1440), Qt::black);  // top ground bar under Y
    EXPECT_EQ(pixel(grounded, 6200, 1200), QColor(0, 128, 0));

    DocumentCanvas vcc;
    drawDemux(vcc, example(2, {}, TermMode::Maxterms), 0);
    const QImage tied = wholePicture(vcc);
    EXPECT_EQ(pixel(tied, 6000, 1000), Qt::black);  // the rail up to Vcc
}

TEST(DemuxRender, MaxTermsWithDinZero) {
    DocumentCanvas canvas;
    drawDemux(canvas, example(3, {0, 2, 3, 6}, TermMode::Maxterms), 0);
    const QImage image = wholePicture(canvas);
    EXPECT_EQ(pixel(image, 6500, 1500), QColor(0, 0, 128));  // the AND's flat back
}
