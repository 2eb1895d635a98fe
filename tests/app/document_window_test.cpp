#include <gtest/gtest.h>

#include <QScrollBar>

#include "app/frmCircuit.h"
#include "common/twips.h"

namespace {

class DocumentWindow : public ::testing::Test {
protected:
    DocumentWindow() {
        pic = doc.findChild<QWidget*>("picCircuit");
        h = doc.findChild<QScrollBar*>("HScroll1");
        v = doc.findChild<QScrollBar*>("VScroll1");
        doc.show();  // a hidden widget hears of its resizing only when shown
    }

    // What the window shows of the picture, in twips.
    int visibleWidth() const { return (doc.width() - v->width()) * kTwipsPerPixel; }
    int visibleHeight() const { return (doc.height() - h->height()) * kTwipsPerPixel; }

    frmCircuit doc;
    QWidget* pic = nullptr;
    QScrollBar* h = nullptr;
    QScrollBar* v = nullptr;
};

}  // namespace

TEST_F(DocumentWindow, PictureStartsAtTheTopLeftWithTheDesignSize) {
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->geometry(), QRect(0, 0, 647, 487));
    EXPECT_EQ(doc.size(), QSize(634, 455));  // 9510 x 6825 twips
}

TEST_F(DocumentWindow, BarsRunAlongTheBottomAndRightEdges) {
    doc.resize(500, 300);
    const int bar = twipsToPixels(frmCircuit::kBarTwips);
    EXPECT_EQ(h->geometry(), QRect(0, 300 - bar, 500, bar));
    EXPECT_EQ(v->geometry(), QRect(500 - bar, 0, bar, 300 - bar));
}

TEST_F(DocumentWindow, ALowWindowKeepsTheVerticalBarsHeightButStillMovesBothBars) {
    doc.resize(500, 300);
    const int barHeight = v->height();
    doc.resize(420, 10);
    const int bar = twipsToPixels(frmCircuit::kBarTwips);
    EXPECT_EQ(v->height(), barHeight);
    EXPECT_EQ(v->x(), 420 - bar);
    EXPECT_EQ(h->y(), 10 - bar);
}

TEST_F(DocumentWindow, ThePictureOffsetIsAlwaysMinusTheBarsValue) {
    doc.resize(300, 200);
    h->setValue(1500);
    v->setValue(3000);
    EXPECT_EQ(pic->pos(), QPoint(-100, -200));
    h->setValue(h->maximum());
    EXPECT_EQ(pic->x(), -twipsToPixels(h->maximum()));
}

TEST_F(DocumentWindow, TheWholePictureCanBeBroughtIntoView) {
    doc.resize(300, 200);
    const int pictureWidth = pic->width() * kTwipsPerPixel;
    const int pictureHeight = pic->height() * kTwipsPerPixel;
    EXPECT_GE(h->maximum() + visibleWidth(), pictureWidth);
    EXPECT_GE(v->maximum() + visibleHeight(), pictureHeight);
    // A window larger than its picture has nothing to scroll.
    doc.resize(1000, 800);
    EXPECT_EQ(h->maximum(), 0);
    EXPECT_EQ(v->maximum(), 0);
}

TEST_F(DocumentWindow, AGrowingCanvasGrowsThePictureAndItsScrollRange) {
    doc.resize(600, 400);
    doc.canvas().setSize(30000, 15000);
    EXPECT_EQ(pic->size(), QSize(2000, 1000));
    EXPECT_GE(h->maximum() + visibleWidth(), 30000);
    EXPECT_GE(v->maximum() + visibleHeight(), 15000);
}

TEST_F(DocumentWindow, MaximaThatADrawingSetsAreKept) {
    doc.canvas().setVScrollMax(9396);
    doc.canvas().setHScrollMax(8296);
    EXPECT_EQ(v->maximum(), 9396);
    EXPECT_EQ(h->maximum(), 8296);
    doc.resize(200, 150);
    doc.canvas().setSize(12000, 9000);
    EXPECT_EQ(v->maximum(), 9396);
    EXPECT_EQ(h->maximum(), 8296);
    v->setValue(9396);
    EXPECT_EQ(pic->y(), -twipsToPixels(9396));
}

TEST_F(DocumentWindow, DrawingRepaintsThePicture) {
    doc.resize(300, 200);
    doc.canvas().line(150, 150, 1500, 150);
    const QImage shot = pic->grab().toImage();
    EXPECT_EQ(shot.pixel(50, 10), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(50, 11), qRgb(255, 255, 255));
}
