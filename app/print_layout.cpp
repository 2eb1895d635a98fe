#include "app/print_layout.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

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
    if (!painter.begin(&device)) {
        throw PrintError("The printer could not be started.");
    }
    const QRect target = fitOnPage(picture.size(), QSize(device.width(), device.height()));
    // Pixels stay sharp edged when enlarged: these are drawings, not photos.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, picture);
    if (!painter.end()) throw PrintError("The drawing could not be printed.");
}
