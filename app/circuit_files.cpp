#include "circuit_files.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include "picture_canvas.h"

namespace {

// Large enough for any picture the program draws (a canvas of 32767 pixels
// square needs 4 GiB, far beyond any drawing), small enough that a damaged
// header cannot ask for an absurd allocation.
constexpr int kAllocationLimitMiB = 512;

std::string describe(const QString& what, const QString& path, const QString& reason) {
    return QStringLiteral("%1 \"%2\":\n%3").arg(what, path, reason).toStdString();
}

}  // namespace

bool isNeverSaved(const QString& caption) {
    return caption.startsWith(QLatin1String("Demux")) || caption.startsWith(QLatin1String("Mux")) ||
           caption.startsWith(QLatin1String("Circuit"));
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

QImage readCircuitFile(const QString& path) {
    const QString what = QStringLiteral("The file could not be opened");
    const QFileInfo info(path);
    if (!info.exists()) {
        throw CircuitFileError(describe(what, path, QStringLiteral("There is no such file.")));
    }
    if (info.isDir()) {
        throw CircuitFileError(describe(what, path, QStringLiteral("It is a folder.")));
    }
    QImageReader::setAllocationLimit(kAllocationLimitMiB);
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
    QImage picture = reader.read();
    if (picture.isNull()) {
        throw CircuitFileError(describe(what, path, reader.errorString()));
    }
    return picture;
}
