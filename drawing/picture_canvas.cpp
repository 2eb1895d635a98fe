#include "drawing/picture_canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/picture_memory.h"
#include "common/twips.h"

namespace quendal::drawing {

namespace {

// 96 dots per inch, the resolution at which 15 twips make one pixel; set on
// the image so that the font's point size and a saved bitmap agree with it.
constexpr int kDotsPerMeter = 3780;

QColor toQColor(std::optional<Rgb> colour) {
    if (!colour) return Qt::black;  // the window-text colour
    return QColor(colour->r, colour->g, colour->b);
}

}  // namespace

void paintArc(QPainter& painter, QPointF centre, double radius, double start, double end) {
    constexpr double twoPi = 2 * std::numbers::pi;
    // A negative angle also draws the radius to that end of the arc.
    auto radiusTo = [&](double angle) {
        painter.drawLine(centre,
                         centre + QPointF(radius * std::cos(angle), -radius * std::sin(angle)));
    };
    if (start < 0) {
        start = -start;
        radiusTo(start);
    }
    if (end < 0) {
        end = -end;
        radiusTo(end);
    }
    double span = std::fmod(end - start, twoPi);
    if (span <= 0) span += twoPi;
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    // Qt's angles, like ours, run counterclockwise on screen from 3 o'clock.
    painter.drawArc(bounds, int(std::lround(start * 180 / std::numbers::pi * 16)),
                    int(std::lround(span * 180 / std::numbers::pi * 16)));
}

PictureCanvas::PictureCanvas(QObject* parent)
    : QObject(parent), image_(blankImage(width(), height())), font_(canvasFont()) {}

QFont PictureCanvas::canvasFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int PictureCanvas::toPixel(int twips) {
    return common::twipsToPixels(twips);
}

int PictureCanvas::pixelsFor(int twips) {
    if (twips <= 0) return 1;
    return std::min(kMaxPixels, (twips + common::kTwipsPerPixel - 1) / common::kTwipsPerPixel);
}

QImage PictureCanvas::blankImage(int widthTwips, int heightTwips) {
    QImage image = common::tryAllocatePicture(QSize(pixelsFor(widthTwips), pixelsFor(heightTwips)),
                                              QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    return image;
}

int PictureCanvas::textWidth(const std::string& text) const {
    QFontMetrics metrics(font_, &image_);
    return metrics.horizontalAdvance(QString::fromStdString(text)) * common::kTwipsPerPixel;
}

int PictureCanvas::lineHeight() const {
    QFontMetrics metrics(font_, &image_);
    return metrics.height() * common::kTwipsPerPixel;
}

void PictureCanvas::beginPainting(QPainter& painter, std::optional<Rgb> colour) {
    painter.begin(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(toQColor(colour));
    pen.setCosmetic(true);
    pen.setWidth(1);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}

void PictureCanvas::renderLine(int x1, int y1, int x2, int y2, std::optional<Rgb> colour) {
    QPainter painter;
    beginPainting(painter, colour);
    painter.drawLine(toPixel(x1), toPixel(y1), toPixel(x2), toPixel(y2));
    painter.end();
    emit imageChanged();
}

void PictureCanvas::renderBox(int x, int y, int w, int h) {
    QPainter painter;
    beginPainting(painter, std::nullopt);
    const int left = toPixel(std::min(x, x + w)), right = toPixel(std::max(x, x + w));
    const int top = toPixel(std::min(y, y + h)), bottom = toPixel(std::max(y, y + h));
    // An aliased rectangle outline covers width + 1 pixels: give the corners.
    painter.drawRect(left, top, right - left, bottom - top);
    painter.end();
    emit imageChanged();
}

void PictureCanvas::renderCircle(int x, int y, int r, std::optional<Rgb> colour, bool filled) {
    QPainter painter;
    beginPainting(painter, colour);
    const double radius = std::abs(r) / double(common::kTwipsPerPixel);
    const QPointF centre(toPixel(x), toPixel(y));
    if (filled) {
        // A fill covers pixels by their centres, an outline lies right of and
        // below its path: shift the fill by half a pixel so that both stay
        // centred on the pixel the wires through (x, y) use.
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);  // the fill colour never changes
        painter.drawEllipse(centre + QPointF(0.5, 0.5), radius, radius);
        painter.restore();
    }
    // A black outline around a black fill adds nothing but a lopsided pixel.
    if (!filled || (colour && *colour != colours::black)) {
        painter.drawEllipse(centre, radius, radius);
    }
    painter.end();
    emit imageChanged();
}

void PictureCanvas::renderArc(int x, int y, int r, std::optional<Rgb> colour, double start,
                              double end) {
    QPainter painter;
    beginPainting(painter, colour);
    paintArc(painter, QPointF(toPixel(x), toPixel(y)), std::abs(r) / double(common::kTwipsPerPixel),
             start, end);
    painter.end();
    emit imageChanged();
}

void PictureCanvas::renderText(int x, int y, const std::string& text, std::optional<Rgb> colour) {
    QPainter painter;
    beginPainting(painter, colour);
    painter.setFont(font_);
    QFontMetrics metrics(font_, &image_);
    painter.drawText(QPoint(toPixel(x), toPixel(y) + metrics.ascent()),
                     QString::fromStdString(text));
    painter.end();
    emit imageChanged();
}

void PictureCanvas::sizeChanged() {
    const QSize wanted(pixelsFor(width()), pixelsFor(height()));
    if (wanted == image_.size()) {
        emit canvasResized();
        emit imageChanged();
        return;
    }
    QImage resized = blankImage(width(), height());
    if (resized.isNull()) {
        // The picture keeps its old size; the window reports it and closes.
        emit pictureUnavailable(wanted);
        return;
    }
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);  // what was drawn stays where it is
    painter.end();
    image_ = resized;
    emit canvasResized();
    emit imageChanged();
}

void PictureCanvas::scrollMaxChanged(bool horizontal) {
    emit scrollMaximumChanged(horizontal);
}

void PictureCanvas::cleared() {
    image_.fill(Qt::white);
    emit imageChanged();
}

bool PictureCanvas::setPicture(const QImage& picture) {
    if (picture.isNull() || picture.width() > kMaxPixels || picture.height() > kMaxPixels) {
        return false;
    }
    const int widthTwips =
        picture.width() > image_.width() ? picture.width() * common::kTwipsPerPixel : width();
    const int heightTwips =
        picture.height() > image_.height() ? picture.height() * common::kTwipsPerPixel : height();
    if (picture.width() == pixelsFor(widthTwips) && picture.height() == pixelsFor(heightTwips)) {
        // The picture fills the canvas: share it rather than paint a copy, so
        // a huge picture is held once, not twice, and in its own compact
        // form (an 8-bit file stays 8 bits a pixel: nothing draws on an
        // opened picture).
        const bool compact =
            picture.format() == QImage::Format_Indexed8 || picture.format() == QImage::Format_RGB32;
        image_ = compact ? picture : picture.convertToFormat(QImage::Format_RGB32);
        // Setting the resolution of a shared picture would copy it.
        if (image_.dotsPerMeterX() != kDotsPerMeter) image_.setDotsPerMeterX(kDotsPerMeter);
        if (image_.dotsPerMeterY() != kDotsPerMeter) image_.setDotsPerMeterY(kDotsPerMeter);
    } else {
        QImage blank = blankImage(widthTwips, heightTwips);
        if (blank.isNull()) return false;
        image_ = blank;
        QPainter painter(&image_);
        painter.drawImage(0, 0, picture);
    }
    // setSize keeps the image when its pixel size already fits.
    setSize(widthTwips, heightTwips);
    emit imageChanged();
    return true;
}

}  // namespace quendal::drawing
