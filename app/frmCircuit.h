#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

#include "drawing/canvas_document.h"
#include "drawing/document_host.h"

class QScrollBar;

namespace quendal::app {

// The picture of a document window: renders the part of the drawing that is
// exposed, at the window's zoom, from the canvas's operations.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const drawing::DocumentCanvas& canvas, QWidget* parent);
    void setZoom(double zoom) { zoom_ = zoom; }
    // What it shows: the drawing, or the drawing as simulated.
    void setCanvas(const drawing::DocumentCanvas& canvas);

signals:
    // A left click, at a point of the picture in 100 % pixels.
    void clicked(QPointF picturePixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const drawing::DocumentCanvas* canvas_;
    double zoom_ = 1.0;
};

// A document window: one drawing in its picture picCircuit, moved under the
// window by the scroll bars HScroll1 and VScroll1 (in twips of the drawing:
// the picture's offset is always minus the bar's value, at the window's
// zoom). The caption is the document's name. Any drawing made through the
// Canvas interface can be shown, zoomed, printed and exported this way.
class frmCircuit : public QWidget {
    Q_OBJECT
public:
    // The bars' thickness in twips.
    static constexpr int kBarTwips = 252;
    // The zoom steps of Zoom In and Zoom Out; Fit in Window may go below.
    static const std::vector<double>& zoomSteps();

    explicit frmCircuit(drawing::DocumentKind kind = drawing::DocumentKind::Opened,
                        QWidget* parent = nullptr);

    drawing::DocumentKind kind() const { return kind_; }

    // Puts controls (a view's switches, say) in a band across the top of
    // the window, above the drawing; the window takes them.
    void setControls(QWidget* controls);

    drawing::DocumentCanvas& canvas() { return canvas_; }
    const drawing::DocumentCanvas& canvas() const { return canvas_; }

    QSize sizeHint() const override;

    double zoom() const { return zoom_; }
    // Sets the zoom (clamped to what the canvas allows), keeping the point of
    // the drawing under `anchor` (window coordinates) where it is.
    void setZoom(double zoom, QPoint anchor);
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void actualSize();
    // The whole drawing in the window, as large as it fits.
    void fitInWindow();

    // Simulate mode, for a drawing that carries its circuit model: a switch
    // at each input (a click on it, or the variable's letter, toggles it),
    // every net in the colour of its value. The drawing itself, which Save,
    // Print and Export use, is never changed.
    bool canSimulate() const;
    bool isSimulating() const { return simulation_ != nullptr; }
    void setSimulating(bool on);
    std::uint64_t simulatedRow() const;
    void setSimulatedRow(std::uint64_t row);
    // "row 5: A=1 B=0 C=1"; empty when not simulating.
    QString simulatedRowText() const;
    // The picture the window shows: the drawing or its simulated state.
    const drawing::DocumentCanvas& shownCanvas() const;

    // The zoom an Explain view opens at: its 8 pt text then reads like the menus' 10 pt.
    static constexpr double kExplainZoom = 1.25;

signals:
    void zoomChanged(double zoom);
    // The simulated row changed, or simulation started or ended.
    void simulationChanged();
    // A left click on the picture, at a point of the drawing in twips.
    void pictureClickedAt(QPoint twips);

public slots:
    void HScroll1_Change(int value);
    void VScroll1_Change(int value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showSimulation();
    void pictureClicked(QPointF picturePixel);

    void Form_Load();
    void Form_Resize();
    // The ranges follow the picture and the window unless the drawing set
    // a maximum itself; then that maximum is kept at actual size.
    void updateScrollRanges();
    void canvasResized();
    QSize zoomedSize() const;
    int offsetPixels(int twips) const;
    QSize visiblePixels() const;
    // The picture's place in the window at the bars' values.
    void placePicture();
    // A new drawing that grew past the default canvas and does not fit the window opens fitted
    // to it; run once the command that drew it is done.
    void fitNewDrawing();

    drawing::DocumentKind kind_;
    drawing::DocumentCanvas canvas_;
    PictureBox* picCircuit = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QWidget* controls_ = nullptr;
    int top_ = 0;  // the height of the band of controls
    bool hMaxFromDrawing_ = false;
    bool vMaxFromDrawing_ = false;
    double zoom_ = 1.0;
    struct Simulation {
        std::uint64_t row = 0;
        drawing::DocumentCanvas picture;
    };
    std::unique_ptr<Simulation> simulation_;
};

}  // namespace quendal::app
