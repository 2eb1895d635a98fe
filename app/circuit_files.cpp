#include "app/circuit_files.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/bitmap_encoding.h"
#include "app/picture_screening.h"
#include "app/replacing_file.h"
#include "drawing/canvas.h"
#include "drawing/canvas_document.h"

namespace quendal::app {

namespace {

// The image reader's usual allocation limit, kept for pictures smaller than
// it; a larger one needs a limit of its own.
constexpr int kAllocationLimitMiB = 512;

// A strip of this many bytes (32-bit pixels) at most is painted at a time.
constexpr qint64 kStripBytes = 8 * 1024 * 1024;

std::string describe(const QString& what, const QString& path, const QString& reason) {
    return QStringLiteral("%1 \"%2\":\n%3").arg(what, path, reason).toStdString();
}

QRgb rgbOf(drawing::Rgb c) {
    return qRgb(c.r, c.g, c.b) & 0x00ffffff;
}

// The colours of every line, gate, dot and background: never moved to a
// neighbouring palette entry.
const std::vector<QRgb>& drawingColours() {
    static const std::vector<QRgb> colours = {0x00ffffff,
                                              rgbOf(drawing::colours::black),
                                              rgbOf(drawing::colours::green),
                                              rgbOf(drawing::colours::navy),
                                              rgbOf(drawing::colours::blue),
                                              rgbOf(drawing::colours::red)};
    return colours;
}

// Calls `use` with every strip of the picture from the bottom up, the order
// in which a bitmap stores its rows.
template <typename Use>
void forEachStripBottomUp(QSize size, const StripPainter& paint, Use use) {
    const int width = size.width(), height = size.height();
    const int rows = int(std::clamp<qint64>(kStripBytes / (qint64(width) * 4), 1, height));
    QImage strip;
    for (int bottom = height; bottom > 0; bottom -= rows) {
        const int top = std::max(0, bottom - rows);
        if (strip.height() != bottom - top)
            strip = QImage(width, bottom - top, QImage::Format_RGB32);
        if (strip.isNull()) throw std::bad_alloc();
        strip.fill(Qt::white);
        paint(strip, top);
        use(strip);
    }
}

enum class Encoding { RunLength, Palette, TrueColour };

// The palette entry of a colour; one the first pass did not see (a painter
// that paints a strip differently the second time) takes the nearest.
std::uint8_t entryFor(const bitmap::Palette& palette, QRgb colour) {
    if (const auto found = palette.entryOf.find(colour); found != palette.entryOf.end()) {
        return found->second;
    }
    size_t best = 0;
    int bestDistance = 3 * 256;
    for (size_t i = 0; i < palette.colours.size(); ++i) {
        const QRgb c = palette.colours[i];
        const int d = std::abs(qRed(c) - qRed(colour)) + std::abs(qGreen(c) - qGreen(colour)) +
                      std::abs(qBlue(c) - qBlue(colour));
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return std::uint8_t(best);
}

// The file beside its final name. Its bytes are written with the system's
// calls, so that a failure is reported with the system's own cause ("No
// space left on device") rather than "Unknown error".
class BitmapFile {
public:
    BitmapFile(const QString& path, const QString& what)
        : file_(replacementTarget(path)), path_(path), what_(what) {
        if (!file_.start()) fail(file_.reason());
        fd_ = file_.handle();
    }
    void write(const QByteArray& bytes) { writeAt(bytes, -1); }
    void rewriteHeaders(const QByteArray& bytes) { writeAt(bytes, 0); }
    void commit() {
        if (!file_.commit()) fail(file_.reason());
    }

private:
    void writeAt(const QByteArray& bytes, qint64 offset) {
        const char* data = bytes.constData();
        qint64 left = bytes.size();
        while (left > 0) {
            const ssize_t n = offset < 0 ? ::write(fd_, data, size_t(left))
                                         : ::pwrite(fd_, data, size_t(left), off_t(offset));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) fail(systemReason(n < 0 ? errno : ENOSPC));
            data += n;
            left -= n;
            if (offset >= 0) offset += n;
        }
    }
    // The new file is removed with file_ as the error unwinds.
    [[noreturn]] void fail(const QString& reason) {
        throw CircuitFileError(describe(what_, path_, reason));
    }
    ReplacingFile file_;
    int fd_ = -1;
    QString path_;
    QString what_;
};

// Writes the whole bitmap; false when run-length coding turned out larger
// than the plain rows (the caller then writes those instead).
bool writeBitmap(const QString& path, const QString& what, QSize size, const StripPainter& paint,
                 Encoding encoding, const bitmap::Palette* palette) {
    const int width = size.width();
    const int bits = encoding == Encoding::TrueColour ? 24 : 8;
    const qint64 plainBytes = bitmap::rowBytes(width, bits) * size.height();
    const std::vector<QRgb> noColours;
    const std::vector<QRgb>& colourTable = palette ? palette->colours : noColours;
    const int compression = encoding == Encoding::RunLength ? 1 : 0;
    BitmapFile file(path, what);
    // The headers go first with the final size unknown, and are written
    // again once the pixel data is complete.
    file.write(bitmap::headers(size, bits, compression, colourTable, 0));

    qint64 written = 0;
    int rowsLeft = size.height();
    std::vector<std::uint8_t> entries(size_t(width) + 4, 0);
    QByteArray out;
    bool outgrown = false;
    auto encodeStrip = [&](const QImage& strip) {
        if (outgrown) return;
        out.clear();
        for (int y = strip.height() - 1; y >= 0; --y) {
            const auto* row = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
            --rowsLeft;
            if (encoding == Encoding::TrueColour) {
                const qsizetype start = out.size();
                out.resize(start + qsizetype(bitmap::rowBytes(width, 24)), char(0));
                char* bgr = out.data() + start;
                for (int x = 0; x < width; ++x) {
                    *bgr++ = char(qBlue(row[x]));
                    *bgr++ = char(qGreen(row[x]));
                    *bgr++ = char(qRed(row[x]));
                }
                continue;
            }
            QRgb last = ~0u;
            std::uint8_t lastEntry = 0;
            for (int x = 0; x < width; ++x) {
                const QRgb colour = row[x] & 0x00ffffff;
                if (colour != last) {
                    last = colour;
                    lastEntry = entryFor(*palette, colour);
                }
                entries[size_t(x)] = lastEntry;
            }
            if (encoding == Encoding::RunLength) {
                bitmap::appendRle8Row(out, entries.data(), width, rowsLeft == 0);
            } else {
                out.append(reinterpret_cast<const char*>(entries.data()),
                           int(bitmap::rowBytes(width, 8)));
            }
        }
        written += out.size();
        if (encoding == Encoding::RunLength && written > plainBytes) {
            outgrown = true;
            return;
        }
        file.write(out);
    };
    forEachStripBottomUp(size, paint, encodeStrip);
    if (outgrown) return false;
    file.rewriteHeaders(bitmap::headers(size, bits, compression, colourTable, written));
    file.commit();
    return true;
}

}  // namespace

bool isNeverSaved(const QString& caption) {
    return caption.startsWith(QLatin1String("Demux")) || caption.startsWith(QLatin1String("Mux")) ||
           caption.startsWith(QLatin1String("Circuit")) ||
           // The Explain views' drawn documents.
           caption.startsWith(QLatin1String("Truth Table")) ||
           caption.startsWith(QLatin1String("Karnaugh Map")) ||
           caption.startsWith(QLatin1String("Steps"));
}

QString dialogFolder(const QString& programFolder, const QString& workingFolder) {
    const QFileInfo program(programFolder);
    if (!programFolder.isEmpty() && program.isDir() && program.isWritable()) {
        return program.absoluteFilePath();
    }
    return workingFolder;
}

QString withCircuitExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.'))) {
        // "name." asks for no extension in most dialogs; keep it as typed
        // but for the dot.
        if (name.endsWith(QLatin1Char('.')) && name.size() > 1) return path + QStringLiteral("cir");
        return path;
    }
    return path + QStringLiteral(".cir");
}

StripPainter pictureStrips(const QImage& picture) {
    return [picture](QImage& strip, int top) {
        const int rows = std::min(strip.height(), picture.height() - top);
        const int width = std::min(strip.width(), picture.width());
        if (picture.format() != QImage::Format_RGB32) {
            strip = picture.copy(0, top, strip.width(), strip.height())
                        .convertToFormat(QImage::Format_RGB32);
            return;
        }
        for (int y = 0; y < rows; ++y) {
            std::memcpy(strip.scanLine(y), picture.constScanLine(top + y), size_t(width) * 4);
        }
    };
}

void saveCircuitFile(const QString& path, const QImage& picture) {
    saveCircuitFile(path, picture.size(), pictureStrips(picture));
}

void saveCircuitFile(const QString& path, QSize pixelSize, const StripPainter& paint) {
    const QString what = QStringLiteral("The drawing could not be saved to");
    if (QFileInfo(path).isDir()) {
        throw CircuitFileError(describe(what, path, QStringLiteral("It is a folder.")));
    }
    if (const QString refusal = replacementTarget(path).refusal; !refusal.isEmpty())
        throw CircuitFileError(describe(what, path, refusal));
    if (pixelSize.isEmpty()) {
        throw CircuitFileError(describe(what, path, QStringLiteral("The picture is empty.")));
    }
    try {
        // A first pass finds the colours, so that the palette can keep
        // every drawing colour exact whatever order the strips come in.
        bitmap::ColourCount count;
        forEachStripBottomUp(pixelSize, paint, [&count](const QImage& strip) { count.add(strip); });
        const std::optional<bitmap::Palette> palette =
            bitmap::choosePalette(count, drawingColours(), kPaletteTolerance);
        if (!palette) {
            writeBitmap(path, what, pixelSize, paint, Encoding::TrueColour, nullptr);
        } else if (!writeBitmap(path, what, pixelSize, paint, Encoding::RunLength, &*palette)) {
            writeBitmap(path, what, pixelSize, paint, Encoding::Palette, &*palette);
        }
    } catch (const std::bad_alloc&) {
        throw CircuitFileError(describe(what, path,
                                        QStringLiteral("There is not enough memory to write a "
                                                       "picture of %1 x %2 pixels.")
                                            .arg(pixelSize.width())
                                            .arg(pixelSize.height())));
    }
}

int readerAllocationLimitMiB(QSize picture) {
    constexpr qint64 kMiB = 1024 * 1024;
    // Pictures are read as 32-bit pixels at most, whatever the file's depth.
    const qint64 bytes = qint64(std::max(picture.width(), 0)) * std::max(picture.height(), 0) * 4;
    return int(std::max<qint64>(kAllocationLimitMiB, (bytes + kMiB - 1) / kMiB + 1));
}

QString readFailureReason(int systemError) {
    if (systemError == ENOENT) return QStringLiteral("There is no such file.");
    QString cause = QString::fromLocal8Bit(std::strerror(systemError));
    if (!cause.isEmpty()) cause[0] = cause[0].toLower();
    return QStringLiteral("It cannot be read: %1.").arg(cause);
}

namespace {

// A bitmap's headers say how large it is and how much pixel data follows: a
// damaged header, a file cut short, or one claiming far more pixels than its
// size can hold, is refused before a picture is allocated for it.
template <typename Refuse>
void checkBitmap(QFile& file, const QByteArray& head, qint64 fileSize, const Refuse& refuse) {
    const auto layout = bitmap::readLayout(head);
    if (!layout) throw refuse(QStringLiteral("Its header is damaged or cut short."));
    if (layout->width <= 0 || layout->height <= 0) {
        throw refuse(QStringLiteral("Its header is damaged: it gives a picture of %1 x %2 pixels.")
                         .arg(layout->width)
                         .arg(layout->height));
    }
    static const int kDepths[] = {1, 4, 8, 16, 24, 32};
    if (std::find(std::begin(kDepths), std::end(kDepths), layout->bitsPerPixel) ==
        std::end(kDepths)) {
        throw refuse(QStringLiteral("It has an unsupported bit depth (%1 bits a pixel).")
                         .arg(layout->bitsPerPixel));
    }
    const std::uint32_t compression = layout->compression;
    if (compression == 4 || compression == 5 || compression > 6) {
        throw refuse(QStringLiteral("It uses an unsupported compression (%1).").arg(compression));
    }
    if ((compression == 1 && layout->bitsPerPixel != 8) ||
        (compression == 2 && layout->bitsPerPixel != 4)) {
        throw refuse(QStringLiteral("Its header is damaged: it gives run-length coding for %1 "
                                    "bits a pixel.")
                         .arg(layout->bitsPerPixel));
    }
    const qint64 announced = layout->announcedDataBytes();
    if (announced > 0 && layout->dataOffset + announced > fileSize) {
        throw refuse(QStringLiteral("The file is cut short: its header announces %1 bytes of "
                                    "picture data, but the file ends after %2.")
                         .arg(announced)
                         .arg(std::max<qint64>(0, fileSize - layout->dataOffset)));
    }
    const qint64 pixels = layout->width * layout->height;
    if (layout->runLength() && pixels > kAlwaysAdmittedPixels &&
        pixels > kMaxPixelsPerRunLengthByte * std::max<qint64>(1, fileSize - layout->dataOffset)) {
        throw refuse(QStringLiteral("It claims a picture of %1 x %2 pixels, out of proportion "
                                    "to the file's %3 bytes.")
                         .arg(layout->width)
                         .arg(layout->height)
                         .arg(fileSize));
    }
    // The header's size of the codes may be missing (0): the codes
    // themselves must reach their end.
    if (layout->runLength()) {
        if (!file.seek(layout->dataOffset) || !bitmap::runLengthDataComplete(file, *layout)) {
            throw refuse(
                QStringLiteral("The file is cut short: its run-length picture data ends "
                               "before the picture does."));
        }
        file.seek(0);
    }
}

}  // namespace

QImage readCircuitFile(const QString& path) {
    const QString what = QStringLiteral("The file could not be opened");
    auto refuse = [&](const QString& reason) {
        return CircuitFileError(describe(what, path, reason));
    };
    // Opened without blocking, so that a named pipe cannot hang the window,
    // and checked to be a regular file before anything is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw refuse(readFailureReason(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(fd);
        throw refuse(folder ? QStringLiteral("It is a folder.")
                            : QStringLiteral("It is not a regular file."));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw refuse(file.errorString());
    }
    const qint64 fileSize = status.st_size;

    // Only the kinds of picture a drawing may have been saved as are
    // decoded, each checked first for what decoding it would cost: other
    // decoders (SVG, compressed SVG, XPM) take time and memory out of all
    // proportion to the file.
    const QByteArray head = file.peek(14 + 124);
    const PictureKind kind = pictureKind(head);
    if (kind == PictureKind::Other) throw refuse(otherKindRefusal(head));
    if (kind == PictureKind::Bmp) checkBitmap(file, head, fileSize, refuse);
    if (kind == PictureKind::Jpeg || kind == PictureKind::Gif) {
        QString refusal = QStringLiteral("Its header is damaged.");
        if (kind == PictureKind::Jpeg) {
            if (const auto jpeg = readJpegLayout(file)) refusal = jpegRefusal(*jpeg);
        } else if (const auto gif = readGifLayout(file)) {
            refusal = gifRefusal(*gif, kMaxPicturePixels);
        }
        if (!refusal.isEmpty()) throw refuse(refusal);
        file.seek(0);
    }

    static const char* const kFormats[] = {"bmp", "gif", "jpeg", "ico", "png"};
    QImageReader reader(&file, kFormats[int(kind)]);
    if (!reader.canRead()) {
        throw refuse(QStringLiteral("It is not a picture (%1).").arg(reader.errorString()));
    }
    if (!reader.size().isValid() || reader.size().isEmpty())
        throw refuse(QStringLiteral("Its header is damaged."));
    const QSize size = reader.size();
    if (size.width() > drawing::DocumentCanvas::kMaxPixels ||
        size.height() > drawing::DocumentCanvas::kMaxPixels ||
        qint64(size.width()) * size.height() > kMaxPicturePixels) {
        throw refuse(QStringLiteral("The picture is too large (%1 x %2 pixels; at most %3 million "
                                    "pixels and %4 along an edge open).")
                         .arg(size.width())
                         .arg(size.height())
                         .arg(kMaxPicturePixels / 1'000'000)
                         .arg(drawing::DocumentCanvas::kMaxPixels));
    }
    // The largest drawings (8-variable parity circuits) make pictures of
    // more than 600 MiB at 32 bits a pixel, which must open again.
    QImageReader::setAllocationLimit(readerAllocationLimitMiB(size));
    QImage picture = reader.read();
    if (picture.isNull()) {
        throw refuse(QStringLiteral("The picture of %1 x %2 pixels cannot be read (%3).")
                         .arg(size.width())
                         .arg(size.height())
                         .arg(reader.errorString()));
    }
    return picture;
}

}  // namespace quendal::app
