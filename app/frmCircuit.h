#pragma once

#include <QWidget>

#include "drawing/picture_canvas.h"

class QScrollBar;

// The picture of a document window: paints the canvas's persistent image.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const PictureCanvas& canvas, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PictureCanvas& canvas_;
};

// A document window: one drawing in its picture picCircuit, moved under the
// window by the scroll bars HScroll1 and VScroll1 (in twips: the picture's
// offset is always minus the bar's value). The caption is the document's
// name.
class frmCircuit : public QWidget {
    Q_OBJECT
public:
    // The bars' thickness in twips.
    static constexpr int kBarTwips = 252;

    explicit frmCircuit(QWidget* parent = nullptr);

    PictureCanvas& canvas() { return canvas_; }
    const PictureCanvas& canvas() const { return canvas_; }

    QSize sizeHint() const override;

public slots:
    void HScroll1_Change(int value);
    void VScroll1_Change(int value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    // The ranges follow the picture and the window unless the drawing set
    // a maximum itself; then that maximum is kept.
    void updateScrollRanges();
    void canvasResized();

    PictureCanvas canvas_;
    PictureBox* picCircuit = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    bool hMaxFromDrawing_ = false;
    bool vMaxFromDrawing_ = false;
};
