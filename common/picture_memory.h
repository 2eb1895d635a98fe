#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <stdexcept>

namespace quendal::common {

// The pictures of the largest drawings take hundreds of MiB, which a
// machine may not have to spare. Allocating them through here turns a
// failed allocation into a message that names the drawing and the picture
// size, instead of a null image that paints as a blank window.

class PictureMemoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bytes a picture of that size takes in that format.
qint64 pictureBytes(QSize size, QImage::Format format);

// A new picture (contents undefined), or a null image when its memory
// cannot be had.
QImage tryAllocatePicture(QSize size, QImage::Format format);

// The same, throwing PictureMemoryError with pictureMemoryMessage(kind, ...)
// when the memory cannot be had.
QImage allocatePicture(QSize size, QImage::Format format, const QString& kind);

// "The drawing Circuit 3 cannot be shown: its picture of 18966 x 8727
// pixels needs 632 MiB, more memory than is available." kind names the
// drawing ("Circuit 3", "Mux 1", a file's name).
QString pictureMemoryMessage(const QString& kind, QSize size, QImage::Format format);

// For tests: while it lives, a picture larger than `bytes` fails as if the
// memory had run out.
class ScopedPictureMemoryLimit {
public:
    explicit ScopedPictureMemoryLimit(qint64 bytes);
    ~ScopedPictureMemoryLimit();
    ScopedPictureMemoryLimit(const ScopedPictureMemoryLimit&) = delete;
    ScopedPictureMemoryLimit& operator=(const ScopedPictureMemoryLimit&) = delete;

private:
    qint64 previous_;
};

}  // namespace quendal::common
