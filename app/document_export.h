#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

#include <optional>
#include <stdexcept>

class QDoubleSpinBox;

namespace quendal::drawing {
class DocumentCanvas;
}
namespace quendal::common {
class Prompts;
}

namespace quendal::app {

// Exporting a drawing to files other programs read, and saving it as a
// circuit file.

enum class ExportFormat { Pdf, Svg, Png };

// What File > Export offers.
inline const QString kExportFileFilter =
    QStringLiteral("PDF Files (*.pdf);;SVG Files (*.svg);;PNG Files (*.png)");

// The format a file name asks for by its suffix (any case); none for
// another suffix or none.
std::optional<ExportFormat> exportFormatFor(const QString& path);

class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the drawing, `scale` times its size on the screen: a PDF of one
// page the drawing's size, an SVG, or a PNG picture. Drawings are written
// from their operations (lines and text as such in PDF and SVG); an opened
// picture as that picture. The file appears complete or not at all; a
// target that is no regular file is refused, and a PNG whose picture would
// exceed a memory budget is refused naming the largest scale that fits.
// Throws ExportError with a description for the user.
void exportDocument(const drawing::DocumentCanvas& canvas, const QString& path, ExportFormat format,
                    double scale, const QString& title);

// Whether File > Export may write `path`: a target that is no regular file
// (or a link to none) or is read-only is refused with a message; an existing
// file is replaced only when the user says so (the question names the file
// a link leads to).
bool mayExportTo(const QString& path, common::Prompts& prompts);

// Saves the drawing as a circuit file (a bitmap of its picture at 100 %).
// Throws CircuitFileError.
void saveDrawing(const drawing::DocumentCanvas& canvas, const QString& path);

// The toolbar's Export button.
QIcon exportIcon();

// The options page of File > Export: the scale, and a note when the drawing
// is an opened picture. Enter accepts the defaults.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    ExportDialog(const QString& path, ExportFormat format, bool pictureOnly,
                 QWidget* parent = nullptr);
    // The chosen scale (1 is the size on the screen).
    double scale() const;

private:
    QDoubleSpinBox* spnScale = nullptr;
};

}  // namespace quendal::app
