#include "app/print_layout.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

#include "drawing/canvas_document.h"

namespace quendal::app {

namespace {

// The screen's resolution, at which a drawing is at actual size.
constexpr double kScreenDpi = 96.0;

// The band under each page's drawing that names its row and column.
int markBand(int dpi) {
    return dpi / 3;
}

void begin(QPainter& painter, QPagedPaintDevice& device) {
    if (!painter.begin(&device)) throw PrintError("The printer could not be started.");
}

void finish(QPainter& painter) {
    if (!painter.end()) throw PrintError("The drawing could not be printed.");
}

}  // namespace

QRect fitOnPage(QSize picture, QSize printable) {
    if (picture.isEmpty() || printable.isEmpty()) return {};
    // Compare the proportions in integers: which side limits the scale.
    const qint64 byWidth = qint64(printable.width()) * picture.height();
    const qint64 byHeight = qint64(printable.height()) * picture.width();
    if (byWidth <= byHeight) {
        const int h =
            int(std::lround(double(printable.width()) * picture.height() / picture.width()));
        return QRect(0, 0, printable.width(), std::max(1, h));
    }
    const int w = int(std::lround(double(printable.height()) * picture.width() / picture.height()));
    return QRect(0, 0, std::max(1, w), printable.height());
}

void printPicture(QPagedPaintDevice& device, const QImage& picture) {
    QPainter painter;
    begin(painter, device);
    const QRect target = fitOnPage(picture.size(), QSize(device.width(), device.height()));
    // Pixels stay sharp edged when enlarged: these are drawings, not photos.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, picture);
    finish(painter);
}

PageGrid pageGrid(QSize picture, QSize area, int dpi) {
    if (picture.isEmpty() || area.isEmpty() || dpi <= 0) return {};
    const double scale = dpi / kScreenDpi;
    auto count = [scale](int pixels, int room) {
        return std::max(1, int(std::ceil(pixels * scale / room - 1e-9)));
    };
    return {count(picture.width(), area.width()), count(picture.height(), area.height())};
}

PageGrid pageGrid(const QPagedPaintDevice& device, QSize picture) {
    const int dpi = device.logicalDpiY();
    return pageGrid(picture, QSize(device.width(), device.height() - markBand(dpi)), dpi);
}

void printDocument(QPagedPaintDevice& device, const drawing::DocumentCanvas& canvas,
                   PrintScale scale) {
    const QSize picture = canvas.pixelSize();
    const QRectF whole(QPointF(0, 0), QSizeF(picture));
    QPainter painter;
    begin(painter, device);
    if (scale == PrintScale::FitToPage) {
        const QRect target = fitOnPage(picture, QSize(device.width(), device.height()));
        canvas.render(painter, double(target.width()) / picture.width(), whole);
        finish(painter);
        return;
    }

    const int dpi = device.logicalDpiY();
    const double perPixel = dpi / kScreenDpi;
    const QSize area(device.width(), device.height() - markBand(dpi));
    const PageGrid grid = pageGrid(picture, area, dpi);
    QFont markFont = drawing::DocumentCanvas::canvasFont();
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            if (row + column > 0 && !device.newPage())
                throw PrintError("The printer could not start a new page.");
            const QPointF corner(column * area.width(), row * area.height());
            painter.save();
            painter.setClipRect(QRect(QPoint(0, 0), area));
            painter.translate(-corner);
            canvas.render(painter, perPixel,
                          QRectF(corner / perPixel, QSizeF(area) / perPixel).intersected(whole));
            painter.restore();
            painter.setFont(markFont);
            painter.setPen(Qt::black);
            painter.drawText(QRect(0, area.height(), area.width(), markBand(dpi)),
                             Qt::AlignLeft | Qt::AlignBottom,
                             QStringLiteral("Row %1, column %2  (of %3 x %4 pages)")
                                 .arg(row + 1)
                                 .arg(column + 1)
                                 .arg(grid.rows)
                                 .arg(grid.columns));
        }
    }
    finish(painter);
}

}  // namespace quendal::app
