#include "app/document_export.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <cmath>

#include "app/circuit_files.h"
#include "app/replacing_file.h"
#include "circuit/cost.h"
#include "circuit/netlist_export.h"
#include "common/prompts.h"
#include "drawing/canvas_document.h"
#include "drawing/drawn_circuit.h"

namespace quendal::app {

namespace {

// PDF pages are laid out in points; a screen pixel is 3/4 of one.
constexpr double kPointsPerPixel = 0.75;
// The PDF's device resolution: fine enough that nothing is rounded visibly.
constexpr int kPdfDpi = 1200;

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw ExportError(QStringLiteral("The drawing could not be exported to \"%1\":\n%2")
                          .arg(path, reason)
                          .toStdString());
}

// The most memory a PNG export may take for its picture, which is held
// whole (the image writer takes no strips): beyond it a high scale would
// take gigabytes and freeze the window. The largest drawing Quendal makes
// (166 million pixels) still fits at 100 %.
constexpr qint64 kPngBudgetBytes = 768LL * 1024 * 1024;

QSize scaled(QSize pixels, double scale) {
    return QSize(std::max(1, int(std::ceil(pixels.width() * scale))),
                 std::max(1, int(std::ceil(pixels.height() * scale))));
}

// The JSON netlist's cost object: gates by kind, inputs, levels and
// packages, as the cost table counts them.
std::string costObjectOf(const circuit::Netlist& netlist) {
    return circuit::costJson(circuit::costOf(netlist));
}

// The circuit formats: the model's text, written as a whole.
void exportCircuit(const drawing::DocumentCanvas& canvas, const QString& path, ExportFormat format,
                   const QString& moduleName) {
    if (const std::optional<QString> refusal = exportRefusal(canvas, format)) fail(path, *refusal);
    const circuit::Netlist& netlist = canvas.circuit()->netlist;
    const std::string name =
        moduleName.isEmpty() ? std::string(circuit::kDefaultModuleName) : moduleName.toStdString();
    if (const auto problem = circuit::moduleNameProblem(name, netlist))
        fail(path, QString::fromStdString(*problem));
    const std::string text = format == ExportFormat::Verilog ? circuit::toVerilog(netlist, name)
                             : format == ExportFormat::Vhdl
                                 ? circuit::toVhdl(netlist, name)
                                 : circuit::toJson(netlist, name, costObjectOf(netlist));
    ReplacingFile file(replacementTarget(path));
    if (!file.start()) fail(path, file.reason());
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size)
        fail(path, file.reason().isEmpty() ? QStringLiteral("The file could not be written.")
                                           : file.reason());
    if (!file.commit()) fail(path, file.reason());
}

}  // namespace

std::optional<ExportFormat> exportFormatFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf")) return ExportFormat::Pdf;
    if (suffix == QLatin1String("svg")) return ExportFormat::Svg;
    if (suffix == QLatin1String("png")) return ExportFormat::Png;
    if (suffix == QLatin1String("v")) return ExportFormat::Verilog;
    if (suffix == QLatin1String("vhd")) return ExportFormat::Vhdl;
    if (suffix == QLatin1String("json")) return ExportFormat::Json;
    return std::nullopt;
}

QString unknownExportFormatMessage(const QString& path) {
    return QStringLiteral(
               "\"%1\" names no format to export to:\nend the file name in .pdf, .svg "
               "or .png for a picture, or in .v (Verilog), .vhd (VHDL) or .json (a "
               "netlist) for the circuit.")
        .arg(path);
}

bool writesCircuit(ExportFormat format) {
    return format == ExportFormat::Verilog || format == ExportFormat::Vhdl ||
           format == ExportFormat::Json;
}

std::optional<QString> exportRefusal(const drawing::DocumentCanvas& canvas, ExportFormat format) {
    if (!writesCircuit(format) || canvas.circuit()) return std::nullopt;
    return QStringLiteral(
        "Only a circuit drawn by Quendal can be exported as Verilog, VHDL or a JSON netlist. "
        "This document holds a picture only (an Explain view, or a drawing opened from a "
        "circuit file): export it as PDF, SVG or PNG, or draw the circuit again.");
}

void exportDocument(const drawing::DocumentCanvas& canvas, const QString& path, ExportFormat format,
                    double scale, const QString& title, const QString& moduleName) {
    if (QFileInfo(path).isDir()) fail(path, QStringLiteral("It is a folder."));
    if (writesCircuit(format)) {
        exportCircuit(canvas, path, format, moduleName);
        return;
    }
    const QSize picture = canvas.pixelSize();
    const QRectF whole(QPointF(0, 0), QSizeF(picture));
    if (format == ExportFormat::Png) {
        const QSize size = scaled(picture, scale);
        const qint64 bytes = qint64(size.width()) * size.height() * 4;
        if (bytes > kPngBudgetBytes) {
            const int largest = int(std::floor(
                100 * scale * std::sqrt(double(kPngBudgetBytes) / double(bytes)) - 1e-9));
            fail(path, QStringLiteral("At %1 % the PNG picture would be %2 x %3 pixels, %4 MB to "
                                      "hold; a PNG export may take at most %5 MB. The largest "
                                      "scale that fits is %6 %; a PDF or SVG keeps any scale.")
                           .arg(std::lround(scale * 100))
                           .arg(size.width())
                           .arg(size.height())
                           .arg(bytes / (1024 * 1024))
                           .arg(kPngBudgetBytes / (1024 * 1024))
                           .arg(largest));
        }
    }
    // Written straight to the file with the system's calls and renamed into
    // place once synced: a full disk leaves the old file whole and is
    // reported with the system's reason.
    ReplacingFile file(replacementTarget(path));
    if (!file.start()) fail(path, file.reason());
    // A writer's own account of a failure is vaguer than the system's.
    auto failWriting = [&](const QString& account) {
        fail(path, file.reason().isEmpty() ? account : file.reason());
    };

    switch (format) {
        case ExportFormat::Pdf: {
            QPdfWriter writer(&file);
            writer.setTitle(title);
            writer.setCreator(QStringLiteral("Quendal"));
            writer.setResolution(kPdfDpi);
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setPageSize(QPageSize(QSizeF(picture) * scale * kPointsPerPixel,
                                         QPageSize::Point, QString(), QPageSize::ExactMatch));
            QPainter painter;
            if (!painter.begin(&writer))
                fail(path, QStringLiteral("The PDF could not be started."));
            canvas.render(painter, scale * kPdfDpi / 96.0, whole);
            if (!painter.end()) failWriting(QStringLiteral("The PDF could not be written."));
            break;
        }
        case ExportFormat::Svg: {
            QSvgGenerator generator;
            generator.setOutputDevice(&file);
            const QSize size = scaled(picture, scale);
            generator.setSize(size);
            generator.setViewBox(QRect(QPoint(0, 0), size));
            generator.setResolution(96);
            generator.setTitle(title);
            QPainter painter;
            if (!painter.begin(&generator))
                fail(path, QStringLiteral("The SVG could not be started."));
            canvas.render(painter, scale, whole);
            painter.end();
            break;
        }
        case ExportFormat::Verilog:
        case ExportFormat::Vhdl:
        case ExportFormat::Json: break;  // written above
        case ExportFormat::Png: {
            const QSize size = scaled(picture, scale);
            if (size.width() > drawing::DocumentCanvas::kMaxPixels ||
                size.height() > drawing::DocumentCanvas::kMaxPixels)
                fail(path, QStringLiteral("At this scale the picture would be %1 x %2 pixels, more "
                                          "than a picture can hold: choose a smaller scale.")
                               .arg(size.width())
                               .arg(size.height()));
            QImage image = drawing::blankStrip(size);
            if (image.isNull()) fail(path, QStringLiteral("There is not enough memory for it."));
            canvas.paintStrip(image, QPoint(0, 0), scale);
            QImageWriter writer(&file, "PNG");
            if (!writer.write(image)) failWriting(writer.errorString());
            break;
        }
    }
    if (!file.commit()) fail(path, file.reason());
}

bool mayExportTo(const QString& path, common::Prompts& prompts) {
    const ReplacementTarget target = replacementTarget(path);
    QString refusal = target.refusal;
    if (refusal.isEmpty() && target.exists && target.readOnly) {
        refusal =
            target.viaLink
                ? QStringLiteral("It is a link to \"%1\", which is read-only.").arg(target.path)
                : QStringLiteral("It is read-only.");
    }
    if (!refusal.isEmpty()) {
        prompts.message(
            QStringLiteral("The drawing could not be exported to \"%1\":\n%2").arg(path, refusal),
            common::PromptIcon::Exclamation, QStringLiteral("Export"));
        return false;
    }
    if (!target.exists) return true;
    const QString name = QFileInfo(path).fileName();
    const QString question =
        target.viaLink
            ? QStringLiteral("\"%1\" is a link to \"%2\", which already exists.\nReplace \"%2\"?")
                  .arg(name, target.path)
            : QStringLiteral("\"%1\" already exists.\nReplace it?").arg(name);
    return prompts.ask(question, common::PromptReply::No, QStringLiteral("Export"));
}

void saveDrawing(const drawing::DocumentCanvas& canvas, const QString& path) {
    // Rendered from the operations strip by strip, so saving never holds the
    // whole picture. Strips get the screen's 96 dots per inch, which the
    // canvas font's size depends on.
    const QImage model = drawing::blankStrip(QSize(1, 1));
    saveCircuitFile(path, canvas.pixelSize(), [&](QImage& strip, int top) {
        strip.setDotsPerMeterX(model.dotsPerMeterX());
        strip.setDotsPerMeterY(model.dotsPerMeterY());
        canvas.paintStrip(strip, QPoint(0, top));
    });
}

QIcon exportIcon() {
    // A page with its corner turned and an arrow leaving it.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(1.5, 1.5), QPointF(8.5, 1.5), QPointF(11.5, 4.5),
                             QPointF(11.5, 14.5), QPointF(1.5, 14.5)}));
    p.setPen(QPen(QColor(0, 128, 0), 2));
    p.drawLine(QPointF(5, 9), QPointF(14, 9));
    p.drawLine(QPointF(11, 6), QPointF(14, 9));
    p.drawLine(QPointF(11, 12), QPointF(14, 9));
    p.end();
    return QIcon(pixmap);
}

ExportDialog::ExportDialog(const QString& path, ExportFormat format, bool pictureOnly,
                           QWidget* parent, const circuit::Netlist* netlist)
    : QDialog(parent), netlist_(netlist) {
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("Export"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    static const char* const kNames[] = {"PDF document",   "SVG drawing", "PNG picture",
                                         "Verilog module", "VHDL entity", "JSON netlist"};
    auto* file = new QLabel(QFileInfo(path).fileName());
    file->setObjectName(QStringLiteral("lblFile"));
    form->addRow(QStringLiteral("File:"), file);
    auto* kind = new QLabel(QLatin1String(kNames[int(format)]));
    kind->setObjectName(QStringLiteral("lblFormat"));
    form->addRow(QStringLiteral("Format:"), kind);
    if (writesCircuit(format)) {
        txtModule = new QLineEdit(QString::fromLatin1(circuit::kDefaultModuleName));
        txtModule->setObjectName(QStringLiteral("txtModule"));
        txtModule->setMaxLength(200);
        form->addRow(QStringLiteral("&Module name:"), txtModule);
        if (netlist) {
            QStringList inputs;
            for (const std::string& port : circuit::portNames(*netlist))
                inputs << QString::fromStdString(port);
            auto* ports =
                new QLabel(QStringLiteral("inputs %1; output Y")
                               .arg(inputs.isEmpty() ? QStringLiteral("none")
                                                     : inputs.join(QStringLiteral(", "))));
            ports->setObjectName(QStringLiteral("lblPorts"));
            form->addRow(QStringLiteral("Ports:"), ports);
        }
        layout->addLayout(form);
        lblProblem = new QLabel;
        lblProblem->setObjectName(QStringLiteral("lblProblem"));
        lblProblem->setWordWrap(true);
        lblProblem->setStyleSheet(QStringLiteral("color: #c00000"));
        lblProblem->hide();
        layout->addWidget(lblProblem);
    } else {
        spnScale = new QDoubleSpinBox;
        spnScale->setObjectName(QStringLiteral("spnScale"));
        spnScale->setRange(10, 800);
        spnScale->setDecimals(0);
        spnScale->setSingleStep(25);
        spnScale->setSuffix(QStringLiteral(" %"));
        spnScale->setValue(100);
        form->addRow(QStringLiteral("&Scale (100 % is the size on the screen):"), spnScale);
        layout->addLayout(form);
    }
    if (pictureOnly && !writesCircuit(format)) {
        auto* note = new QLabel(QStringLiteral(
            "This drawing was opened from a circuit file, which keeps only its picture: it is "
            "exported as that picture, not as lines and text."));
        note->setObjectName(QStringLiteral("lblPictureOnly"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

double ExportDialog::scale() const {
    return spnScale ? spnScale->value() / 100.0 : 1.0;
}

QString ExportDialog::moduleName() const {
    return txtModule ? txtModule->text().trimmed() : QString();
}

void ExportDialog::accept() {
    if (txtModule && netlist_) {
        // The name is checked here, so that a wrong one is corrected in place.
        if (const auto problem =
                circuit::moduleNameProblem(moduleName().toStdString(), *netlist_)) {
            lblProblem->setText(QString::fromStdString(*problem));
            lblProblem->show();
            txtModule->setFocus();
            txtModule->selectAll();
            return;
        }
    }
    QDialog::accept();
}

}  // namespace quendal::app
