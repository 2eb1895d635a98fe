#pragma once

#include "drawing/canvas.h"

#include <QFont>
#include <QImage>
#include <QObject>

class QPainter;
class QPointF;

namespace quendal::drawing {

// An arc as the canvas's circle operation draws it (radians, counterclockwise
// on screen; a negative angle also draws the radius to that end), in pixels.
void paintArc(QPainter& painter, QPointF centre, double radius, double start, double end);

// The canvas behind a document window's picture: everything drawn goes into
// a persistent image (white, 15 twips a pixel), which the window paints and
// which saving and printing use. Shapes are not antialiased and pens are one
// pixel wide, so a wire lands on whole pixels.
class PictureCanvas : public QObject, public Canvas {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = kDefaultWidth;
    static constexpr int kMinimumHeight = kDefaultHeight;
    // Qt's raster painter cannot address more pixels than this along an edge.
    static constexpr int kMaxPixels = 32767;

    explicit PictureCanvas(QObject* parent = nullptr);

    int textWidth(const std::string& text) const override;
    int lineHeight() const override;

    const QImage& image() const { return image_; }
    // Puts an opened picture at the top-left corner of the canvas, growing
    // the canvas to the picture where it is larger, so nothing is cut off.
    // Returns false (and changes nothing) for a picture that is too large.
    bool setPicture(const QImage& picture);

    // The pixel a twip coordinate falls on.
    static int toPixel(int twips);
    // Image pixels needed for a length in twips (rounded up).
    static int pixelsFor(int twips);

    static QFont canvasFont();

signals:
    // The image changed: repaint.
    void imageChanged();
    // The canvas size changed (the image with it).
    void canvasResized();
    void scrollMaximumChanged(bool horizontal);
    // The canvas grew beyond the memory its picture can get: the picture
    // keeps its old size and the drawing cannot be shown.
    void pictureUnavailable(QSize wanted);

protected:
    void renderLine(int x1, int y1, int x2, int y2, std::optional<Rgb> colour) override;
    void renderBox(int x, int y, int w, int h) override;
    void renderCircle(int x, int y, int r, std::optional<Rgb> colour, bool filled) override;
    void renderArc(int x, int y, int r, std::optional<Rgb> colour, double start,
                   double end) override;
    void renderText(int x, int y, const std::string& text, std::optional<Rgb> colour) override;
    void sizeChanged() override;
    void scrollMaxChanged(bool horizontal) override;
    void cleared() override;

private:
    void beginPainting(QPainter& painter, std::optional<Rgb> colour);
    static QImage blankImage(int widthTwips, int heightTwips);

    QImage image_;
    QFont font_;
};

}  // namespace quendal::drawing
