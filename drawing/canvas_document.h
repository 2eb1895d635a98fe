#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QRectF>

#include "drawing/operation_canvas.h"

class QPainter;

namespace quendal::drawing {

// The canvas of a document window. It keeps the drawing as the list of its
// operations (plus, for a drawing opened from a file, that picture) and
// renders any part of it at any scale, so nothing as large as the whole
// picture is ever held. At 100 % a rendering is the drawing's picture, the
// one the window shows and files, prints and exports hold: white, 15 twips
// a pixel, the canvas font with its screen metrics, shapes not antialiased
// and pens one pixel wide, so a wire lands on whole pixels. At any other
// scale shapes are antialiased, pens one 100 % pixel wide (never thinner
// than a device pixel) and text stays text, so a PDF or SVG keeps it.
class DocumentCanvas : public QObject, public OperationCanvas {
    Q_OBJECT
public:
    static constexpr double kMinZoom = 0.01;
    static constexpr double kMaxZoom = 8.0;
    // Qt's raster painter cannot address more pixels than this along an edge.
    static constexpr int kMaxPixels = 32767;

    explicit DocumentCanvas(QObject* parent = nullptr);

    // The pixel a twip coordinate falls on.
    static int toPixel(int twips);
    // Picture pixels needed for a length in twips (rounded up).
    static int pixelsFor(int twips);
    // The font of every text drawn.
    static QFont canvasFont();

    int textWidth(const std::string& text) const override;
    int lineHeight() const override;

    // Whether anything was drawn. A drawing opened from a file has only its
    // picture.
    bool hasDrawing() const { return drawn_ > 0; }
    const QImage& picture() const { return picture_; }
    // Shows an opened picture at the top-left corner, growing the canvas to
    // it where it is larger, and forgets what was drawn before. Returns
    // false (and changes nothing) for a picture that is too large. The
    // picture is kept in the form it was read in.
    bool setPicture(const QImage& picture);

    // The size of the picture at 100 %.
    QSize pixelSize() const;

    // Renders through a painter whose origin is the picture's top-left
    // corner: `scale` device units per 100 % pixel. Only what falls in
    // `exposed` (100 % pixels) is drawn; the painter's state is restored.
    void render(QPainter& painter, double scale, const QRectF& exposed) const;
    // Paints the part of the picture, zoomed, whose top-left pixel is
    // `origin` into the strip (Format_RGB32); pixels beyond the picture
    // stay as they are.
    void paintStrip(QImage& strip, QPoint origin, double zoom = 1.0) const;

signals:
    // Something was drawn: repaint.
    void imageChanged();
    // The canvas size changed.
    void canvasResized();
    void scrollMaximumChanged(bool horizontal);

protected:
    // A shape or text was recorded: repaint.
    void recorded(const Op& op) override;
    void sizeChanged() override;
    void scrollMaxChanged(bool horizontal) override;
    void cleared() override;

private:
    void drew();
    // The picture's part that holds everything reaching into `part`.
    QRect exactDevice(const QRect& part) const;

    QFont font_;
    QImage picture_;
    // The canvas size when the operation list began: what is drawn before
    // the first size change is cut to it, as on a picture of that size.
    QSize startPixels_;
    int drawn_ = 0;
    int ascent_ = 0;
};

// A blank picture strip as the canvas paints it: white, 96 dots per inch (so
// that the canvas font has its screen size on it).
QImage blankStrip(QSize size);

}  // namespace quendal::drawing
