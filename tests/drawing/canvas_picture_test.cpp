#include <gtest/gtest.h>

#include <QSignalSpy>

#include <numbers>

#include "drawing/canvas_document.h"
#include "tests/support/whole_picture.h"

using namespace quendal::drawing;

namespace {

constexpr double pi = std::numbers::pi;

QRgb pixelAt(const DocumentCanvas& canvas, int xTwips, int yTwips) {
    return wholePicture(canvas).pixel(DocumentCanvas::toPixel(xTwips),
                                      DocumentCanvas::toPixel(yTwips));
}

bool isWhite(QRgb c) {
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}

QRgb rgb(Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

// Pixels of the given colour inside a rectangle of pixels.
int countColour(const QImage& image, QRect area, QRgb colour) {
    int n = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) == colour) ++n;
        }
    }
    return n;
}

int countNonWhite(const QImage& image, QRect area) {
    int n = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!isWhite(image.pixel(x, y))) ++n;
        }
    }
    return n;
}

}  // namespace

TEST(DocumentCanvas, StartsWhiteAtTheDesignSizeOfFifteenTwipsAPixel) {
    DocumentCanvas canvas;
    EXPECT_EQ(canvas.width(), 9696);
    EXPECT_EQ(canvas.height(), 7296);
    // 9696 / 15 = 646.4 and 7296 / 15 = 486.4: a partial pixel still counts.
    EXPECT_EQ(wholePicture(canvas).size(), QSize(647, 487));
    EXPECT_EQ(countNonWhite(wholePicture(canvas), wholePicture(canvas).rect()), 0);
}

TEST(DocumentCanvas, LineFillsExactlyTheRowOfItsPixel) {
    DocumentCanvas canvas;
    canvas.line(1500, 1600, 4500, 1600, colours::green);
    const QImage img = wholePicture(canvas);
    const int row = DocumentCanvas::toPixel(1600);
    EXPECT_EQ(img.pixel(DocumentCanvas::toPixel(3000), row), rgb(colours::green));
    EXPECT_EQ(img.pixel(DocumentCanvas::toPixel(1500), row), rgb(colours::green));
    EXPECT_EQ(img.pixel(DocumentCanvas::toPixel(4500), row), rgb(colours::green));
    EXPECT_TRUE(isWhite(img.pixel(DocumentCanvas::toPixel(3000), row - 1)));
    EXPECT_TRUE(isWhite(img.pixel(DocumentCanvas::toPixel(3000), row + 1)));
}

TEST(DocumentCanvas, ShapesWithoutAColourUseTheForeground) {
    DocumentCanvas canvas;
    canvas.line(150, 150, 1500, 150);
    EXPECT_EQ(pixelAt(canvas, 600, 150), qRgb(0, 0, 0));
}

TEST(DocumentCanvas, ArcFromPiToZeroCurvesBelowItsCentre) {
    DocumentCanvas canvas;
    const int cx = 3000, cy = 3000, r = 600;  // 40 pixels
    canvas.arc(cx, cy, r, colours::red, pi, 0);
    const QImage img = wholePicture(canvas);
    const int px = DocumentCanvas::toPixel(cx), py = DocumentCanvas::toPixel(cy);
    const QRgb red = rgb(colours::red);
    EXPECT_GT(countColour(img, QRect(px - 45, py + 5, 91, 41), red), 60);
    EXPECT_EQ(countColour(img, QRect(px - 45, py - 45, 91, 41), red), 0);
    // It reaches the bottom point, not the top one.
    EXPECT_GT(countColour(img, QRect(px - 2, py + 38, 5, 5), red), 0);
    EXPECT_EQ(countColour(img, QRect(px - 2, py - 42, 5, 5), red), 0);
}

TEST(DocumentCanvas, ArcFromThreeHalvesPiToHalfPiBulgesRight) {
    DocumentCanvas canvas;
    const int cx = 3000, cy = 3000, r = 600;
    canvas.arc(cx, cy, r, colours::blue, 3 * pi / 2, pi / 2);
    const QImage img = wholePicture(canvas);
    const int px = DocumentCanvas::toPixel(cx), py = DocumentCanvas::toPixel(cy);
    const QRgb blue = rgb(colours::blue);
    EXPECT_GT(countColour(img, QRect(px + 5, py - 45, 41, 91), blue), 60);
    EXPECT_EQ(countColour(img, QRect(px - 45, py - 45, 41, 91), blue), 0);
    EXPECT_GT(countColour(img, QRect(px + 38, py - 2, 5, 5), blue), 0);
}

TEST(DocumentCanvas, ArcsAreNeverFilledAndDrawNoRadiusForPositiveAngles) {
    DocumentCanvas canvas;
    canvas.setFillStyle(FillStyle::Solid);
    canvas.arc(3000, 3000, 600, colours::red, pi, 0);
    const QImage img = wholePicture(canvas);
    const int px = DocumentCanvas::toPixel(3000), py = DocumentCanvas::toPixel(3000);
    EXPECT_TRUE(isWhite(img.pixel(px, py + 20)));
    EXPECT_TRUE(isWhite(img.pixel(px + 20, py)));
}

TEST(DocumentCanvas, JunctionDotIsFilledAndALaterCircleIsAnOutline) {
    DocumentCanvas canvas;
    junctionDot(canvas, 1500, 1500);
    canvas.circle(4500, 1500, 300, colours::blue);  // a bubble of 20 pixels
    const QImage img = wholePicture(canvas);
    EXPECT_EQ(pixelAt(canvas, 1500, 1500), qRgb(0, 0, 0));
    EXPECT_GE(
        countColour(
            img, QRect(DocumentCanvas::toPixel(1500) - 2, DocumentCanvas::toPixel(1500) - 2, 5, 5),
            qRgb(0, 0, 0)),
        9);
    EXPECT_TRUE(isWhite(pixelAt(canvas, 4500, 1500)));
    EXPECT_GT(countColour(img,
                          QRect(DocumentCanvas::toPixel(4500) - 22,
                                DocumentCanvas::toPixel(1500) - 22, 45, 45),
                          rgb(colours::blue)),
              80);
}

TEST(DocumentCanvas, SolidFillStyleFillsAFullCircleBlack) {
    DocumentCanvas canvas;
    canvas.setFillStyle(FillStyle::Solid);
    canvas.circle(4500, 1500, 300, colours::red);
    EXPECT_EQ(pixelAt(canvas, 4500, 1500), qRgb(0, 0, 0));
}

TEST(DocumentCanvas, BoxDrawsTheOutlineOfWidthAndHeight) {
    DocumentCanvas canvas;
    canvas.box(4000, 700, 1600, 1800);
    const QImage img = wholePicture(canvas);
    const int l = DocumentCanvas::toPixel(4000), t = DocumentCanvas::toPixel(700);
    const int r = DocumentCanvas::toPixel(5600), b = DocumentCanvas::toPixel(2500);
    for (QPoint corner : {QPoint(l, t), QPoint(r, t), QPoint(l, b), QPoint(r, b)}) {
        EXPECT_EQ(img.pixel(corner), qRgb(0, 0, 0)) << corner.x() << "," << corner.y();
    }
    EXPECT_TRUE(isWhite(img.pixel((l + r) / 2, (t + b) / 2)));
    EXPECT_TRUE(isWhite(img.pixel(r + 1, t)));
}

TEST(DocumentCanvas, ShapesBeyondTheEdgeAreClipped) {
    DocumentCanvas canvas;
    // A variable line running to y = 10000 on an unenlarged canvas.
    canvas.line(1500, 1500, 1500, 10000, colours::green);
    canvas.circle(20000, 20000, 500);
    canvas.line(9000, 7000, 40000, 7000, colours::red);
    const QImage img = wholePicture(canvas);
    EXPECT_EQ(img.size(), QSize(647, 487));
    EXPECT_EQ(canvas.height(), 7296);
    EXPECT_EQ(img.pixel(DocumentCanvas::toPixel(1500), img.height() - 1), rgb(colours::green));
    EXPECT_EQ(img.pixel(img.width() - 1, DocumentCanvas::toPixel(7000)), rgb(colours::red));
}

TEST(DocumentCanvas, TextHasALineHeightBelow220TwipsAndGrowsWithItsText) {
    DocumentCanvas canvas;
    EXPECT_GT(canvas.lineHeight(), 100);
    EXPECT_LT(canvas.lineHeight(), 220);
    EXPECT_EQ(canvas.lineHeight() % 15, 0);
    EXPECT_GT(canvas.textWidth("Y"), 0);
    EXPECT_GT(canvas.textWidth("ABCDEF"), canvas.textWidth("ABC"));
    EXPECT_EQ(canvas.textWidth(""), 0);
}

TEST(DocumentCanvas, PrintDrawsTextBelowAndRightOfTheTextPosition) {
    DocumentCanvas canvas;
    canvas.print();
    canvas.print({"MMMM"});
    const QImage img = wholePicture(canvas);
    const int lh = canvas.lineHeight() / 15;
    const int w = canvas.textWidth("MMMM") / 15;
    EXPECT_EQ(countNonWhite(img, QRect(0, 0, 200, lh)), 0);  // the empty first line
    EXPECT_GT(countNonWhite(img, QRect(0, lh, w, lh)), 10);
    EXPECT_EQ(countNonWhite(img, QRect(w + 2, lh, 50, lh)), 0);
    EXPECT_EQ(canvas.currentY(), 2 * canvas.lineHeight());
}

TEST(DocumentCanvas, GrowingKeepsWhatWasDrawnAndShrinkingCutsItOff) {
    DocumentCanvas canvas;
    QSignalSpy resized(&canvas, &DocumentCanvas::canvasResized);
    canvas.line(150, 150, 9000, 150, colours::green);
    canvas.setSize(15000, 12000);
    EXPECT_EQ(wholePicture(canvas).size(), QSize(1000, 800));
    EXPECT_EQ(pixelAt(canvas, 4500, 150), rgb(colours::green));
    EXPECT_TRUE(isWhite(wholePicture(canvas).pixel(999, 799)));
    canvas.line(14000, 11000, 14900, 11000, colours::red);
    EXPECT_EQ(pixelAt(canvas, 14500, 11000), rgb(colours::red));

    canvas.setSize(3000, 2000);
    EXPECT_EQ(wholePicture(canvas).size(), QSize(200, 134));
    EXPECT_EQ(pixelAt(canvas, 1500, 150), rgb(colours::green));
    EXPECT_EQ(resized.count(), 2);
}

TEST(DocumentCanvas, TellsItsWindowAboutChanges) {
    DocumentCanvas canvas;
    QSignalSpy changed(&canvas, &DocumentCanvas::imageChanged);
    QSignalSpy scroll(&canvas, &DocumentCanvas::scrollMaximumChanged);
    canvas.line(0, 0, 100, 100);
    canvas.print({"A"});
    EXPECT_EQ(changed.count(), 2);
    canvas.setHScrollMax(8296);
    canvas.setVScrollMax(9396);
    ASSERT_EQ(scroll.count(), 2);
    EXPECT_TRUE(scroll.at(0).at(0).toBool());
    EXPECT_FALSE(scroll.at(1).at(0).toBool());
}

TEST(DocumentCanvasPicture, SmallerPictureSitsTopLeftOnTheDesignCanvas) {
    DocumentCanvas canvas;
    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    ASSERT_TRUE(canvas.setPicture(picture));
    EXPECT_EQ(canvas.width(), 9696);
    EXPECT_EQ(canvas.height(), 7296);
    EXPECT_EQ(wholePicture(canvas).pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(wholePicture(canvas).pixel(99, 49), qRgb(10, 20, 30));
    EXPECT_TRUE(isWhite(wholePicture(canvas).pixel(100, 49)));
    EXPECT_TRUE(isWhite(wholePicture(canvas).pixel(99, 50)));
}

TEST(DocumentCanvasPicture, LargerPictureGrowsTheCanvasToItsSize) {
    DocumentCanvas canvas;
    QSignalSpy resized(&canvas, &DocumentCanvas::canvasResized);
    QImage picture(1200, 300, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(1199, 299, qRgb(192, 0, 0));
    ASSERT_TRUE(canvas.setPicture(picture));
    EXPECT_EQ(canvas.width(), 18000);
    EXPECT_EQ(canvas.height(), 7296);  // the height still fits
    EXPECT_EQ(wholePicture(canvas).size(), QSize(1200, 487));
    EXPECT_EQ(wholePicture(canvas).pixel(1199, 299), qRgb(192, 0, 0));
    EXPECT_EQ(resized.count(), 1);
}

TEST(DocumentCanvasPicture, RefusesPicturesBeyondWhatCanBePainted) {
    DocumentCanvas canvas;
    EXPECT_FALSE(canvas.setPicture(QImage()));
    EXPECT_FALSE(canvas.setPicture(QImage(DocumentCanvas::kMaxPixels + 1, 1, QImage::Format_Mono)));
    EXPECT_EQ(canvas.width(), 9696);
}
