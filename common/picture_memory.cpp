#include "common/picture_memory.h"

#include <atomic>
#include <limits>

namespace quendal::common {

namespace {

// Only tests lower it; the real limit is the allocator's.
std::atomic<qint64> memoryLimit{std::numeric_limits<qint64>::max()};

}  // namespace

qint64 pictureBytes(QSize size, QImage::Format format) {
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const qint64 rowBytes = (qint64(std::max(size.width(), 0)) * depth + 31) / 32 * 4;
    return rowBytes * std::max(size.height(), 0);
}

QImage tryAllocatePicture(QSize size, QImage::Format format) {
    if (pictureBytes(size, format) > memoryLimit.load()) return QImage();
    // QImage answers a failed allocation with a null image.
    return QImage(size, format);
}

QImage allocatePicture(QSize size, QImage::Format format, const QString& kind) {
    QImage picture = tryAllocatePicture(size, format);
    if (picture.isNull() && !size.isEmpty()) {
        throw PictureMemoryError(pictureMemoryMessage(kind, size, format).toStdString());
    }
    return picture;
}

QString pictureMemoryMessage(const QString& kind, QSize size, QImage::Format format) {
    const qint64 mib = (pictureBytes(size, format) + (1 << 20) - 1) >> 20;
    return QStringLiteral(
               "The drawing %1 cannot be shown: its picture of %2 x %3 pixels needs "
               "%4 MiB, more memory than is available.")
        .arg(kind)
        .arg(size.width())
        .arg(size.height())
        .arg(mib);
}

ScopedPictureMemoryLimit::ScopedPictureMemoryLimit(qint64 bytes)
    : previous_(memoryLimit.exchange(bytes)) {}

ScopedPictureMemoryLimit::~ScopedPictureMemoryLimit() {
    memoryLimit.store(previous_);
}

}  // namespace quendal::common
