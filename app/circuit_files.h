#pragma once

#include <QImage>
#include <QString>

#include <stdexcept>

// Circuit files (*.cir) hold the picture of a drawing as a Windows bitmap.

// The filter every file dialog offers.
inline const QString kCircuitFileFilter = QStringLiteral("Quendal Files (*.cir)");

// A circuit file that could not be written or read; the text names the
// file and the reason, for the user.
class CircuitFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A document whose caption starts with "Demux", "Mux" or "Circuit" (exactly,
// case-sensitively) has never been saved; any other caption is its file.
bool isNeverSaved(const QString& caption);

// Where the file dialogs start: the program's own folder, or the working
// folder when the program's folder cannot be written to (an installed
// program), since drawings are saved there.
QString dialogFolder(const QString& programFolder, const QString& workingFolder);

// Writes the picture as a bitmap. The file appears complete or not at all:
// it is written beside its final name and renamed into place, so a failure
// never damages the file it would replace. Throws CircuitFileError.
void writeCircuitFile(const QImage& picture, const QString& path);

// The image reader's allocation limit, in MiB, for reading a picture of
// that size: enough for its 32-bit pixels, never below the reader's usual
// limit.
int readerAllocationLimitMiB(QSize picture);

// Reads a picture by its content, whatever the extension. Throws
// CircuitFileError for a file that is missing, is no picture, or is larger
// than a canvas can hold.
QImage readCircuitFile(const QString& path);
