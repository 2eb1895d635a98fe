#include "app/circuit_files.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>

#include "drawing/picture_canvas.h"

namespace {

// The image reader's usual allocation limit, kept for pictures smaller than
// it; a larger one needs a limit of its own.
constexpr int kAllocationLimitMiB = 512;

std::string describe(const QString& what, const QString& path, const QString& reason) {
    return QStringLiteral("%1 \"%2\":\n%3").arg(what, path, reason).toStdString();
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

void writeCircuitFile(const QImage& picture, const QString& path) {
    const QString what = QStringLiteral("The drawing could not be saved to");
    if (QFileInfo(path).isDir()) {
        throw CircuitFileError(describe(what, path, QStringLiteral("It is a folder.")));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw CircuitFileError(describe(what, path, file.errorString()));
    }
    QImageWriter writer(&file, "BMP");
    if (!writer.write(picture)) {
        file.cancelWriting();
        throw CircuitFileError(describe(what, path, writer.errorString()));
    }
    if (!file.commit()) throw CircuitFileError(describe(what, path, file.errorString()));
}

int readerAllocationLimitMiB(QSize picture) {
    constexpr qint64 kMiB = 1024 * 1024;
    // Pictures are read as 32-bit pixels, whatever the file's depth.
    const qint64 bytes = qint64(std::max(picture.width(), 0)) * std::max(picture.height(), 0) * 4;
    return int(std::max<qint64>(kAllocationLimitMiB, (bytes + kMiB - 1) / kMiB + 1));
}

QImage readCircuitFile(const QString& path) {
    const QString what = QStringLiteral("The file could not be opened");
    const QFileInfo info(path);
    if (!info.exists()) {
        throw CircuitFileError(describe(what, path, QStringLiteral("There is no such file.")));
    }
    if (info.isDir()) {
        throw CircuitFileError(describe(what, path, QStringLiteral("It is a folder.")));
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (reader.format().isEmpty()) {
        throw CircuitFileError(describe(
            what, path, QStringLiteral("It is not a picture (%1).").arg(reader.errorString())));
    }
    const QSize size = reader.size();
    if (size.width() > PictureCanvas::kMaxPixels || size.height() > PictureCanvas::kMaxPixels) {
        throw CircuitFileError(describe(what, path,
                                        QStringLiteral("The picture is too large (%1 x %2 pixels).")
                                            .arg(size.width())
                                            .arg(size.height())));
    }
    // The largest drawings (8-variable parity circuits) make pictures of
    // more than 600 MiB, which must open again; the size check above keeps
    // a damaged header from asking for more than a canvas can hold.
    QImageReader::setAllocationLimit(readerAllocationLimitMiB(size));
    QImage picture = reader.read();
    if (picture.isNull()) {
        throw CircuitFileError(describe(what, path, reader.errorString()));
    }
    return picture;
}
