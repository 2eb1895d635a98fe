#include "app/frmCircuit.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "common/twips.h"

PictureBox::PictureBox(const PictureCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), canvas_.image(), event->rect());
}

frmCircuit::frmCircuit(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmCircuit"));
    setWindowTitle(QStringLiteral("Circuit"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);

    picCircuit = new PictureBox(canvas_, this);
    picCircuit->setObjectName(QStringLiteral("picCircuit"));
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    for (QScrollBar* bar : {HScroll1, VScroll1}) {
        bar->setRange(0, 0);
        bar->setSingleStep(10 * kTwipsPerPixel);
    }

    connect(HScroll1, &QScrollBar::valueChanged, this, &frmCircuit::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmCircuit::VScroll1_Change);
    connect(&canvas_, &PictureCanvas::imageChanged, picCircuit, qOverload<>(&QWidget::update));
    connect(&canvas_, &PictureCanvas::canvasResized, this, &frmCircuit::canvasResized);
    connect(&canvas_, &PictureCanvas::scrollMaximumChanged, this, [this](bool horizontal) {
        (horizontal ? hMaxFromDrawing_ : vMaxFromDrawing_) = true;
        updateScrollRanges();
    });

    resize(sizeHint());
    Form_Load();
}

QSize frmCircuit::sizeHint() const {
    return QSize(twipsToPixels(9510), twipsToPixels(6825));
}

void frmCircuit::Form_Load() {
    picCircuit->setGeometry(QRect(QPoint(0, 0), canvas_.image().size()));
    Form_Resize();
}

void frmCircuit::Form_Resize() {
    const int bar = twipsToPixels(kBarTwips);
    const int w = width(), h = height();
    // The vertical bar runs down to the horizontal one, which spans the
    // whole width along the bottom edge.
    if (h > bar)
        VScroll1->setGeometry(w - bar, 0, bar, h - bar);
    else
        VScroll1->move(w - bar, VScroll1->y());
    HScroll1->setGeometry(0, h - bar, w, bar);
    HScroll1->raise();
    VScroll1->raise();
    updateScrollRanges();
}

void frmCircuit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmCircuit::canvasResized() {
    picCircuit->resize(canvas_.image().size());
    updateScrollRanges();
}

void frmCircuit::updateScrollRanges() {
    const int bar = twipsToPixels(kBarTwips);
    const int visibleWidth = std::max(0, width() - bar) * kTwipsPerPixel;
    const int visibleHeight = std::max(0, height() - bar) * kTwipsPerPixel;
    const int pictureWidth = canvas_.image().width() * kTwipsPerPixel;
    const int pictureHeight = canvas_.image().height() * kTwipsPerPixel;
    HScroll1->setMaximum(hMaxFromDrawing_ ? canvas_.hScrollMax()
                                          : std::max(0, pictureWidth - visibleWidth));
    VScroll1->setMaximum(vMaxFromDrawing_ ? canvas_.vScrollMax()
                                          : std::max(0, pictureHeight - visibleHeight));
    HScroll1->setPageStep(std::max(kTwipsPerPixel, visibleWidth));
    VScroll1->setPageStep(std::max(kTwipsPerPixel, visibleHeight));
}

void frmCircuit::HScroll1_Change(int value) {
    picCircuit->move(-twipsToPixels(value), picCircuit->y());
}

void frmCircuit::VScroll1_Change(int value) {
    picCircuit->move(picCircuit->x(), -twipsToPixels(value));
}

void frmCircuit::wheelEvent(QWheelEvent* event) {
    QScrollBar* bar = event->modifiers() & Qt::ShiftModifier ? HScroll1 : VScroll1;
    const int steps =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    bar->setValue(bar->value() - steps * 3 * bar->singleStep() / 120);
    event->accept();
}
