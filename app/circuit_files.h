#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <stdexcept>

namespace quendal::app {

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

// The name Save As writes: a name typed without an extension gets ".cir",
// so that Open's filter shows the file.
QString withCircuitExtension(const QString& path);

// Paints picture rows [top, top + strip.height()) into strip, which arrives
// white, in Format_RGB32 and as wide as the picture.
using StripPainter = std::function<void(QImage& strip, int top)>;

// Writes a picture of pixelSize as a bitmap, asking paint for one strip of
// rows at a time, so that no full copy of the picture is ever held. The
// bitmap is 8 bits a pixel with a palette (run-length compressed where that
// is smaller) unless the picture needs more than 256 colours: a colour
// beyond the palette may take the nearest palette colour within
// kPaletteTolerance levels a channel (the smoothing greys of text), and the
// colours the drawings use are always kept exactly; a picture with more
// colours than that is written with 24 bits a pixel. The file appears
// complete or not at all: it is written beside its final name and renamed
// into place, so a failure never damages the file it would replace. Throws
// CircuitFileError naming the file and the cause.
void saveCircuitFile(const QString& path, QSize pixelSize, const StripPainter& paint);
// The same for a picture held whole (an opened one).
void saveCircuitFile(const QString& path, const QImage& picture);
// Strips copied out of a picture held whole, in any format.
StripPainter pictureStrips(const QImage& picture);

inline constexpr int kPaletteTolerance = 8;

// Opened pictures larger than this are refused before they are decoded. The
// largest drawing Quendal makes (the 8-variable parity circuit, 18966 x
// 8727 pixels) has about 166 million.
inline constexpr qint64 kMaxPicturePixels = 200'000'000;

// Pixels a run-length compressed bitmap may hold per byte of its file:
// a run of 255 pixels takes two bytes, so a file that claims more than
// this skips pixels or ends early and is out of proportion to its size.
// Pictures of up to kAlwaysAdmittedPixels are admitted whatever their size.
inline constexpr qint64 kMaxPixelsPerRunLengthByte = 128;
inline constexpr qint64 kAlwaysAdmittedPixels = 4'000'000;

// The image reader's allocation limit, in MiB, for reading a picture of
// that size: enough for its 32-bit pixels, never below the reader's usual
// limit.
int readerAllocationLimitMiB(QSize picture);

// Why a file could not be opened for reading, from the system's error
// number, as a sentence for the user ("It cannot be read: permission
// denied.").
QString readFailureReason(int systemError);

// Reads a picture by its content, whatever the extension, in the most
// compact form the image reader gives (8-bit files as Format_Indexed8).
// Throws CircuitFileError for a file that is missing, unreadable, not a
// regular file, no picture, shorter than its header announces, out of
// proportion to its size or larger than kMaxPicturePixels.
QImage readCircuitFile(const QString& path);

}  // namespace quendal::app
