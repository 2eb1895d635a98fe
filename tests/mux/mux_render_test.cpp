#include "common/twips.h"
#include "drawing/canvas_document.h"
#include "tests/support/whole_picture.h"
#include "mux/mux_drawing.h"
#include "tests/mux/mux_fixture_support.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::mux;

namespace {

QColor pixel(const QImage& image, int xTwips, int yTwips) {
    return image.pixelColor(twipsToPixels(xTwips), twipsToPixels(yTwips));
}

TEST(MuxRender, SingleEightToOne) {
    DocumentCanvas canvas;
    drawMuxImplementation(canvas, makeFunction(3, {1, 3, 5}), 3);
    const QImage image = wholePicture(canvas);
    EXPECT_EQ(image.width(), DocumentCanvas::pixelsFor(9696));
    EXPECT_EQ(pixel(image, 2500, 1000), Qt::black);  // Vcc rail
    EXPECT_EQ(pixel(image, 3500, 1100), Qt::black);  // input 1 on Vcc
    EXPECT_EQ(pixel(image, 3500, 1200), Qt::white);  // no wire between inputs
    EXPECT_EQ(pixel(image, 3000, 2800), Qt::black);  // ground rail
    EXPECT_EQ(pixel(image, 4000, 1500), Qt::black);  // block's left edge
    // The header is readable: the canvas line height leaves it above the block.
    EXPECT_LT(2 * canvas.lineHeight(), 700);
}

TEST(MuxRender, TreeOfThreeVariables) {
    DocumentCanvas canvas;
    drawMuxImplementation(canvas, makeFunction(3, {1, 3, 5}), 2);
    const QImage image = wholePicture(canvas);
    EXPECT_EQ(pixel(image, 5700, 2400 - 100), QColor(0, 128, 0));  // OR gate lead
    EXPECT_EQ(pixel(image, 6050, 2400), QColor(0, 128, 0));        // OR output
    EXPECT_EQ(pixel(image, 2000, 2600), Qt::black);                // to the strobe inverter
    EXPECT_EQ(pixel(image, 1200, 2125), Qt::black);                // the line of A
}

TEST(MuxRender, TreeOfFourVariables) {
    DocumentCanvas canvas;
    drawMuxImplementation(canvas, makeFunction(4, {0, 5, 10, 15}), 2);
    const QImage image = wholePicture(canvas);
    EXPECT_EQ(image.height(), DocumentCanvas::pixelsFor(8400));
    EXPECT_EQ(pixel(image, 1400, 4000), Qt::black);  // select tie
    EXPECT_EQ(pixel(image, 6700, 4000), Qt::black);  // second-level block
}

TEST(MuxRender, TreeOfFiveVariables) {
    DocumentCanvas canvas;
    drawMuxImplementation(canvas, makeFunction(5, {1, 6, 11, 20, 31}), 3);
    const QImage image = wholePicture(canvas);
    EXPECT_EQ(pixel(image, 6400, 3000), Qt::black);  // outer column of the square ties
    EXPECT_EQ(pixel(image, 6500, 6180), Qt::white);  // clear of input 4's open end
}

TEST(MuxRender, EightVariablesWithSixtyFourToOne) {
    DocumentCanvas canvas;
    std::vector<int> terms;
    for (int t = 0; t < 256; t += 3) terms.push_back(t);
    drawMuxImplementation(canvas, makeFunction(8, terms), 6);
    const QImage image = wholePicture(canvas);
    EXPECT_EQ(image.height(), DocumentCanvas::pixelsFor(56400));
    EXPECT_EQ(pixel(image, 3000, 55000), Qt::black);  // ground rail, near its end
    EXPECT_EQ(pixel(image, 4000, 50000), Qt::black);  // fourth block
}

}  // namespace
