#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

#include <optional>
#include <stdexcept>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;

namespace quendal::drawing {
class DocumentCanvas;
}
namespace quendal::common {
class Prompts;
}
namespace quendal::circuit {
struct Netlist;
}

namespace quendal::app {

// Exporting a drawing to files other programs read, and saving it as a
// circuit file.

// Pictures (PDF, SVG, PNG) and the circuit itself (a Verilog module, a VHDL
// entity, a JSON netlist).
enum class ExportFormat { Pdf, Svg, Png, Verilog, Vhdl, Json };

// What File > Export offers.
inline const QString kExportFileFilter = QStringLiteral(
    "PDF Files (*.pdf);;SVG Files (*.svg);;PNG Files (*.png);;Verilog Files (*.v);;"
    "VHDL Files (*.vhd);;JSON Netlists (*.json)");

// The format a file name asks for by its suffix (any case); none for
// another suffix or none.
std::optional<ExportFormat> exportFormatFor(const QString& path);

// What to say of a file name that asks for no format.
QString unknownExportFormatMessage(const QString& path);

// Whether the format writes the circuit rather than its picture.
bool writesCircuit(ExportFormat format);

// Why the document cannot be written in that format (a circuit format asks
// for a drawing Quendal made: an Explain view or an opened circuit file has
// only its picture); nothing when it can.
std::optional<QString> exportRefusal(const drawing::DocumentCanvas& canvas, ExportFormat format);

class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the drawing, `scale` times its size on the screen: a PDF of one
// page the drawing's size, an SVG, or a PNG picture. Drawings are written
// from their operations (lines and text as such in PDF and SVG); an opened
// picture as that picture. The circuit formats write the drawing's model as
// the module or entity `moduleName`. The file appears complete or not at
// all; a target that is no regular file is refused, a PNG whose picture
// would exceed a memory budget is refused naming the largest scale that
// fits, and so are a circuit format for a document without a model and a
// module name neither Verilog nor VHDL takes. Throws ExportError with a
// description for the user.
void exportDocument(const drawing::DocumentCanvas& canvas, const QString& path, ExportFormat format,
                    double scale, const QString& title, const QString& moduleName = {});

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
// is an opened picture; for a circuit format the module name instead (the
// netlist's ports may not be taken), which Ok accepts only when both
// languages do. Enter accepts the defaults.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    ExportDialog(const QString& path, ExportFormat format, bool pictureOnly,
                 QWidget* parent = nullptr, const circuit::Netlist* netlist = nullptr);
    // The chosen scale (1 is the size on the screen; 1 for a circuit format).
    double scale() const;
    // The module or entity name (empty for a picture format).
    QString moduleName() const;

    void accept() override;

private:
    QDoubleSpinBox* spnScale = nullptr;
    QLineEdit* txtModule = nullptr;
    QLabel* lblProblem = nullptr;
    const circuit::Netlist* netlist_ = nullptr;
};

}  // namespace quendal::app
