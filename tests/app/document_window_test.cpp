#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "app/frmCircuit.h"
#include "common/twips.h"
#include "tests/support/whole_picture.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::app;

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

TEST_F(DocumentWindow, ZoomScalesThePictureAndItsScrollRangeAndActualSizeGivesBackTodaysPixels) {
    doc.resize(300, 200);
    doc.canvas().setSize(12000, 9000);
    doc.canvas().line(150, 150, 11000, 150, colours::red);
    doc.canvas().printAt(3000, 3000, {"Zoom"});
    const QImage before = pic->grab().toImage();
    const QSize actual = pic->size();
    EXPECT_EQ(before, wholePicture(doc.canvas()).convertToFormat(before.format()));

    for (double zoom : {2.0, 0.5, 8.0, 0.1}) {
        doc.setZoom(zoom);
        EXPECT_EQ(doc.zoom(), zoom);
        EXPECT_NEAR(pic->width(), actual.width() * zoom, 1);
        EXPECT_NEAR(pic->height(), actual.height() * zoom, 1);
        // The bars stay in twips of the drawing: the whole of it can be
        // brought into view, and no further.
        const int shownWidth = int(visibleWidth() / zoom),
                  shownHeight = int(visibleHeight() / zoom);
        EXPECT_GE(h->maximum() + shownWidth + 15 / zoom, 12000);
        EXPECT_GE(v->maximum() + shownHeight + 15 / zoom, 9000);
        EXPECT_LE(h->maximum(), std::max(0, 12000 - shownWidth) + 15 / zoom);
        // Scrolled to the end, the picture's right edge meets the bar.
        h->setValue(h->maximum());
        if (pic->width() > doc.width() - v->width()) {
            EXPECT_NEAR(pic->x() + pic->width(), doc.width() - v->width(), 1 + zoom);
        }
    }
    doc.zoomIn();
    EXPECT_EQ(doc.zoom(), 0.125);
    doc.fitInWindow();
    EXPECT_EQ(h->maximum(), 0);
    EXPECT_EQ(v->maximum(), 0);
    EXPECT_LE(pic->width(), doc.width() - v->width());
    doc.actualSize();
    h->setValue(0);
    v->setValue(0);
    EXPECT_EQ(pic->geometry(), QRect(QPoint(0, 0), actual));
    EXPECT_EQ(pic->grab().toImage(), before);
}

TEST_F(DocumentWindow, ZoomStepsRunFromTenToEightHundredPercent) {
    for (int i = 0; i < 20; ++i) doc.zoomOut();
    EXPECT_EQ(doc.zoom(), 0.1);
    for (int i = 0; i < 30; ++i) doc.zoomIn();
    EXPECT_EQ(doc.zoom(), 8.0);
    doc.zoomIn();
    EXPECT_EQ(doc.zoom(), 8.0);
}

TEST_F(DocumentWindow, ControlWheelZoomsAboutThePointerAndAPlainWheelScrolls) {
    doc.resize(400, 300);
    doc.canvas().setSize(30000, 20000);
    h->setValue(3000);
    v->setValue(1500);
    const QPoint pointer(120, 90);
    // The drawing's point under the pointer, in twips.
    auto under = [&] {
        return QPointF(h->value() + pointer.x() * kTwipsPerPixel / doc.zoom(),
                       v->value() + pointer.y() * kTwipsPerPixel / doc.zoom());
    };
    const QPointF before = under();
    auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(pointer), QPointF(doc.mapToGlobal(pointer)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&doc, &event);
    };
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(doc.zoom(), 1.25);
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(doc.zoom(), 1.5);
    EXPECT_NEAR(under().x(), before.x(), 15);
    EXPECT_NEAR(under().y(), before.y(), 15);
    wheel(-360, Qt::ControlModifier);
    EXPECT_EQ(doc.zoom(), 1.25);  // one step a wheel event
    const int top = v->value();
    wheel(-120, Qt::NoModifier);
    EXPECT_GT(v->value(), top);
    EXPECT_EQ(doc.zoom(), 1.25);
}

TEST_F(DocumentWindow, MaximaThatADrawingSetsComeBackAtActualSize) {
    doc.canvas().setVScrollMax(9396);
    doc.canvas().setHScrollMax(8296);
    doc.setZoom(4.0);
    EXPECT_NE(v->maximum(), 9396);
    doc.actualSize();
    EXPECT_EQ(v->maximum(), 9396);
    EXPECT_EQ(h->maximum(), 8296);
}

TEST(DocumentWindowOpening, ExplainViewsOpenEnlargedAndNewDrawingsLargerThanTheWindowFitted) {
    frmCircuit view(DocumentKind::Explain);
    EXPECT_EQ(view.zoom(), frmCircuit::kExplainZoom);
    // The zoom waits for the drawing, which is made once the window is open.
    frmCircuit small(DocumentKind::Circuit), large(DocumentKind::Mux), opened;
    for (frmCircuit* doc : {&small, &large, &opened}) {
        doc->show();
        doc->canvas().line(0, 0, 3000, 3000);
    }
    large.canvas().setSize(40000, 20000);
    opened.canvas().setSize(40000, 20000);
    const QImage actual = wholePicture(large.canvas());
    QCoreApplication::processEvents();
    EXPECT_EQ(small.zoom(), 1.0);
    EXPECT_EQ(opened.zoom(), 1.0);  // a picture from a file opens as it was saved
    const QSize shown = large.findChild<QWidget*>("picCircuit")->size();
    EXPECT_LT(large.zoom(), 1.0);
    EXPECT_LE(shown.width(), large.width() - large.findChild<QScrollBar*>("VScroll1")->width());
    // Only the window zooms: what is saved, printed or exported is the same 100 % picture.
    EXPECT_EQ(wholePicture(large.canvas()), actual);
}
