#include "drawing/canvas_document.h"

#include <QFontMetrics>
#include <QPainter>

#include <sys/mman.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/twips.h"

namespace quendal::drawing {

namespace {

// 96 dots per inch, at which 15 twips make one pixel: text metrics and
// strips use it so that the font has its screen size (and a saved bitmap
// tells that resolution).
constexpr int kDotsPerMeter = 3780;

const QImage& metricsDevice() {
    static const QImage device = blankStrip(QSize(1, 1));
    return device;
}

QColor toQColor(std::optional<Rgb> colour) {
    if (!colour) return Qt::black;  // the window-text colour
    return QColor(colour->r, colour->g, colour->b);
}

bool isWholeTranslation(const QTransform& t) {
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy());
}

using Op = OperationCanvas::Op;
using Kind = OperationCanvas::Kind;

// What an operation may touch, in 100 % pixels, generously: culling must
// never drop a pixel.
QRectF reach(const Op& op, int lineHeightPixels) {
    const auto px = [](int twips) { return twips / double(common::kTwipsPerPixel); };
    switch (op.kind) {
        case Kind::Line:
        case Kind::Box: {
            const int x2 = op.kind == Kind::Line ? op.x2 : op.x1 + op.x2;
            const int y2 = op.kind == Kind::Line ? op.y2 : op.y1 + op.y2;
            return QRectF(QPointF(px(std::min(op.x1, x2)), px(std::min(op.y1, y2))),
                          QPointF(px(std::max(op.x1, x2)), px(std::max(op.y1, y2))))
                .adjusted(-2, -2, 2, 2);
        }
        case Kind::Circle:
        case Kind::Arc: {
            const double r = px(std::abs(op.r)) + 2;
            return QRectF(px(op.x1) - r, px(op.y1) - r, 2 * r + 1, 2 * r + 1);
        }
        case Kind::Text:
            // No glyph of the canvas font is wider than a line is high.
            return QRectF(px(op.x1) - 2, px(op.y1) - 2,
                          double(op.text.size() + 1) * lineHeightPixels + 4, lineHeightPixels + 4);
        default: return {};
    }
}

// An arc as the canvas's arc operation draws it (radians, counterclockwise
// on screen; a negative angle also draws the radius to that end), in pixels.
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

// Replays the operations either exactly, on whole pixels and aliased (the
// picture at 100 %), or as vector shapes at any scale.
class Replay {
public:
    Replay(QPainter& painter, bool exact, const QFont& font, int ascent)
        : p_(painter), exact_(exact), font_(font), ascent_(ascent) {
        if (!exact_) {
            // The font keeps its size in 100 % pixels whatever the device's
            // resolution; the painter's scale does the rest.
            const int dpi = p_.device()->logicalDpiY();
            const int metricsDpi = metricsDevice().logicalDpiY();
            if (dpi > 0 && dpi != metricsDpi)
                font_.setPointSizeF(font_.pointSizeF() * metricsDpi / dpi);
            thinPens_ = p_.transform().m11() < 1.0;
        }
    }

    void pen(std::optional<Rgb> colour) {
        QPen pen(toQColor(colour));
        if (exact_ || thinPens_) {
            pen.setCosmetic(true);
            pen.setWidth(1);
        } else {
            pen.setWidthF(1.0);  // one 100 % pixel, scaled with the drawing
        }
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
    }

    // A twip position on the picture: the pixel it falls on, or in vector
    // form the centre of that pixel, so both agree at 100 %.
    double at(int twips) const {
        return exact_ ? DocumentCanvas::toPixel(twips)
                      : twips / double(common::kTwipsPerPixel) + 0.5;
    }

    void line(const Op& op) {
        pen(op.colour);
        if (exact_)
            p_.drawLine(DocumentCanvas::toPixel(op.x1), DocumentCanvas::toPixel(op.y1),
                        DocumentCanvas::toPixel(op.x2), DocumentCanvas::toPixel(op.y2));
        else
            p_.drawLine(QPointF(at(op.x1), at(op.y1)), QPointF(at(op.x2), at(op.y2)));
    }

    void box(const Op& op) {
        pen(std::nullopt);
        const int x = op.x1, y = op.y1, w = op.x2, h = op.y2;
        const double left = at(std::min(x, x + w)), right = at(std::max(x, x + w));
        const double top = at(std::min(y, y + h)), bottom = at(std::max(y, y + h));
        if (exact_)
            // An aliased rectangle outline covers width + 1 pixels: the corners.
            p_.drawRect(int(left), int(top), int(right - left), int(bottom - top));
        else
            p_.drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
    }

    void circle(const Op& op) {
        pen(op.colour);
        const double radius = std::abs(op.r) / double(common::kTwipsPerPixel);
        const QPointF centre(at(op.x1), at(op.y1));
        if (op.filled) {
            p_.save();
            p_.setPen(Qt::NoPen);
            p_.setBrush(Qt::black);  // the fill colour never changes
            // Whole pixels: a fill covers pixels by their centres while an
            // outline lies right of and below its path, so the fill moves by
            // half a pixel to stay on the wires' pixel.
            p_.drawEllipse(exact_ ? centre + QPointF(0.5, 0.5) : centre, radius, radius);
            p_.restore();
        }
        // A black outline around a black fill adds nothing but a lopsided pixel.
        if (!op.filled || (op.colour && *op.colour != colours::black))
            p_.drawEllipse(centre, radius, radius);
    }

    void arc(const Op& op) {
        pen(op.colour);
        paintArc(p_, QPointF(at(op.x1), at(op.y1)), std::abs(op.r) / double(common::kTwipsPerPixel),
                 op.start, op.end);
    }

    void text(const Op& op) {
        pen(op.colour);
        p_.setFont(font_);
        const QString text = QString::fromStdString(op.text);
        if (exact_)
            p_.drawText(
                QPoint(DocumentCanvas::toPixel(op.x1), DocumentCanvas::toPixel(op.y1) + ascent_),
                text);
        else
            p_.drawText(QPointF(op.x1 / double(common::kTwipsPerPixel),
                                op.y1 / double(common::kTwipsPerPixel) + ascent_),
                        text);
    }

private:
    QPainter& p_;
    bool exact_;
    QFont font_;
    int ascent_;
    bool thinPens_ = false;
};

}  // namespace

QImage blankStrip(QSize size) {
    QImage strip(size, QImage::Format_RGB32);
    strip.fill(Qt::white);
    strip.setDotsPerMeterX(kDotsPerMeter);
    strip.setDotsPerMeterY(kDotsPerMeter);
    return strip;
}

int DocumentCanvas::toPixel(int twips) {
    return common::twipsToPixels(twips);
}

int DocumentCanvas::pixelsFor(int twips) {
    if (twips <= 0) return 1;
    return std::min(kMaxPixels, (twips + common::kTwipsPerPixel - 1) / common::kTwipsPerPixel);
}

QFont DocumentCanvas::canvasFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DocumentCanvas::DocumentCanvas(QObject* parent)
    : QObject(parent), font_(canvasFont()), startPixels_(pixelSize()) {
    ascent_ = QFontMetrics(font_, &metricsDevice()).ascent();
}

int DocumentCanvas::textWidth(const std::string& text) const {
    QFontMetrics metrics(font_, &metricsDevice());
    return metrics.horizontalAdvance(QString::fromStdString(text)) * common::kTwipsPerPixel;
}

int DocumentCanvas::lineHeight() const {
    return QFontMetrics(font_, &metricsDevice()).height() * common::kTwipsPerPixel;
}

QSize DocumentCanvas::pixelSize() const {
    return QSize(pixelsFor(width()), pixelsFor(height()));
}

void DocumentCanvas::drew() {
    ++drawn_;
    emit imageChanged();
}

void DocumentCanvas::recorded(const Op& op) {
    switch (op.kind) {
        case Kind::Line:
        case Kind::Box:
        case Kind::Circle:
        case Kind::Arc:
        case Kind::Text: drew(); break;
        default: break;  // sizes and settings announce themselves
    }
}

void DocumentCanvas::sizeChanged() {
    OperationCanvas::sizeChanged();
    emit canvasResized();
    emit imageChanged();
}

void DocumentCanvas::scrollMaxChanged(bool horizontal) {
    OperationCanvas::scrollMaxChanged(horizontal);
    emit scrollMaximumChanged(horizontal);
}

void DocumentCanvas::cleared() {
    OperationCanvas::cleared();
    picture_ = QImage();
    drawn_ = 0;
    startPixels_ = pixelSize();
    emit imageChanged();
}

bool DocumentCanvas::setPicture(const QImage& picture) {
    if (picture.isNull() || picture.width() > kMaxPixels || picture.height() > kMaxPixels) {
        return false;
    }
    const QSize now = pixelSize();
    const int widthTwips =
        picture.width() > now.width() ? picture.width() * common::kTwipsPerPixel : width();
    const int heightTwips =
        picture.height() > now.height() ? picture.height() * common::kTwipsPerPixel : height();
    picture_ = picture;
    drawn_ = 0;
    setSize(widthTwips, heightTwips);
    // The picture replaces whatever was drawn, and a picture has no model.
    clear();
    setCircuit(nullptr);
    startPixels_ = pixelSize();
    emit imageChanged();
    return true;
}

void DocumentCanvas::render(QPainter& painter, double scale, const QRectF& exposed) const {
    painter.save();
    const bool exact = scale == 1.0 && isWholeTranslation(painter.transform());
    if (!exact) painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, !exact);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !exact && scale < 1.0);

    // What is drawn is cut to the canvas as it was at the time, as on a
    // picture that grows and shrinks with the canvas.
    QSize dims = startPixels_;
    const QRectF shown = exposed.intersected(QRectF(QPointF(0, 0), QSizeF(pixelSize())));
    auto clipTo = [&](QSize size) {
        painter.restore();
        painter.save();
        painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(size)), Qt::IntersectClip);
    };
    painter.fillRect(shown, Qt::white);
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(dims)), Qt::IntersectClip);
    if (!picture_.isNull()) {
        const QRectF part = shown.intersected(QRectF(picture_.rect()));
        const QRect source = part.toAlignedRect();
        if (exact)
            painter.drawImage(source.topLeft(), picture_, source);
        else
            painter.drawImage(QRectF(source), picture_, QRectF(source));
    }

    Replay replay(painter, exact, font_, ascent_);
    const int lineHeightPixels = lineHeight() / common::kTwipsPerPixel;
    for (const Op& op : operations()) {
        if (op.kind == Kind::Size) {
            const QSize next(pixelsFor(op.x1), pixelsFor(op.y1));
            // A shrinking canvas cuts off what lay beyond it.
            if (next.width() < dims.width())
                painter.fillRect(
                    QRectF(next.width(), 0, dims.width() - next.width(), dims.height()), Qt::white);
            if (next.height() < dims.height())
                painter.fillRect(
                    QRectF(0, next.height(), dims.width(), dims.height() - next.height()),
                    Qt::white);
            dims = next;
            clipTo(dims);
            continue;
        }
        const QRectF area = reach(op, lineHeightPixels);
        if (area.isEmpty() || !area.intersects(shown)) continue;
        switch (op.kind) {
            case Kind::Line: replay.line(op); break;
            case Kind::Box: replay.box(op); break;
            case Kind::Circle: replay.circle(op); break;
            case Kind::Arc: replay.arc(op); break;
            case Kind::Text: replay.text(op); break;
            default: break;
        }
    }
    painter.restore();
    painter.restore();
}

QRect DocumentCanvas::exactDevice(const QRect& part) const {
    QRectF device(part);
    const int lineHeightPixels = lineHeight() / common::kTwipsPerPixel;
    for (const Op& op : operations()) {
        const QRectF area = reach(op, lineHeightPixels);
        if (!area.isEmpty() && area.intersects(part)) device |= area;
    }
    return device.toAlignedRect().intersected(QRect(QPoint(0, 0), pixelSize()));
}

void DocumentCanvas::paintStrip(QImage& strip, QPoint origin, double zoom) const {
    const QRect part = QRect(origin, strip.size()).intersected(QRect(QPoint(0, 0), pixelSize()));
    if (zoom == 1.0 && !part.isEmpty()) {
        // The raster engine cuts a line to its device's edges before it
        // steps along it, and a line cut at a strip's edge may step onto
        // other pixels than the whole line does. So each strip is painted on
        // a device as large as everything that reaches into it, of which
        // only the strip's own rows are ever touched: the rest is address
        // space that is never backed by memory.
        const QRect device = exactDevice(part);
        if (device != part) {
            const qsizetype bytesPerLine = qsizetype(device.width()) * 4;
            const size_t bytes = size_t(bytesPerLine) * size_t(device.height());
            void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                                MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
            if (memory != MAP_FAILED) {
                {
                    QImage large(static_cast<uchar*>(memory), device.width(), device.height(),
                                 bytesPerLine, QImage::Format_RGB32);
                    large.setDotsPerMeterX(kDotsPerMeter);
                    large.setDotsPerMeterY(kDotsPerMeter);
                    QPainter painter(&large);
                    painter.setClipRect(part.translated(-device.topLeft()));
                    painter.translate(-device.topLeft());
                    render(painter, 1.0, part);
                    painter.end();
                    QPainter copy(&strip);
                    copy.setCompositionMode(QPainter::CompositionMode_Source);
                    copy.drawImage(part.topLeft() - origin, large,
                                   part.translated(-device.topLeft()));
                }
                munmap(memory, bytes);
                return;
            }
        }
    }
    QPainter painter(&strip);
    painter.translate(-origin.x(), -origin.y());
    const QRectF exposed(QPointF(origin) / zoom, QSizeF(strip.size()) / zoom);
    render(painter, zoom, exposed.adjusted(-1, -1, 1, 1));
}

}  // namespace quendal::drawing
