#include "cli/export_command.h"

#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <exception>

#include "app/circuit_files.h"
#include "app/document_export.h"
#include "app/replacing_file.h"
#include "circuit/netlist_export.h"
#include "cli/function_file.h"
#include "demux/demux_drawing.h"
#include "drawing/canvas_document.h"
#include "drawing/drawn_circuit.h"
#include "drawing/universal_circuits.h"
#include "minimizer/input_format.h"
#include "mux/mux_drawing.h"
#include "mux/mux_options.h"

namespace quendal::cli {

namespace {

class ExportFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program's messages are written for a dialog; a terminal gets one line.
std::string oneLine(std::string text) {
    std::string out;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// Refused before any work, as File > Export refuses it: a target that is no
// regular file (or a link to none), or a read-only one. An existing file is
// replaced without asking: a script has said what it wants.
void checkTarget(const std::string& path) {
    const app::ReplacementTarget target = app::replacementTarget(QString::fromStdString(path));
    QString refusal = target.refusal;
    if (refusal.isEmpty() && target.exists && target.readOnly) refusal = "It is read-only.";
    if (!refusal.isEmpty())
        throw ExportFailure("cannot write \"" + path + "\": " + refusal.toStdString());
}

// The sizes the Mux dialog offers, as the message names them.
std::string offeredSizes(const mux::MuxOptionSet& offered) {
    std::string sizes;
    for (int k = offered.lowestK; k <= offered.highestK && k > 0; ++k) {
        if (!sizes.empty()) sizes += ", ";
        sizes += std::to_string(k);
    }
    return sizes;
}

void draw(drawing::Canvas& canvas, const ExportRequest& request,
          const drawing::FunctionView& function) {
    const int width = function.function.width;
    switch (request.style) {
        case Style::Basic:
            drawing::drawCircuit(canvas, function, drawing::CircuitKind::Basic);
            break;
        case Style::Nand: drawing::drawCircuit(canvas, function, drawing::CircuitKind::Nand); break;
        case Style::Nor: drawing::drawCircuit(canvas, function, drawing::CircuitKind::Nor); break;
        case Style::Mux: {
            const mux::MuxOptionSet offered = mux::muxOptionsFor(width);
            const int k = request.muxSize.value_or(offered.presetK());
            if (!offered.offers(k))
                throw ExportFailure("--mux-size " + std::to_string(k) + " is not offered for " +
                                    std::to_string(width) + " variables; the sizes offered are " +
                                    offeredSizes(offered));
            mux::drawMuxImplementation(canvas, function, k);
            break;
        }
        case Style::Demux:
            if (width < demux::kDemuxMinVars || width > demux::kDemuxMaxVars)
                throw ExportFailure("a demultiplexer takes 1 to 6 variables (at most 1 : 64); \"" +
                                    request.inPath + "\" has " + std::to_string(width));
            demux::drawDemux(canvas, function, request.din);
            break;
    }
}

bool isNetlistFormat(OutputFormat format) {
    return format == OutputFormat::Verilog || format == OutputFormat::Vhdl ||
           format == OutputFormat::Json;
}

app::ExportFormat exportFormatOf(OutputFormat format) {
    switch (format) {
        case OutputFormat::Verilog: return app::ExportFormat::Verilog;
        case OutputFormat::Vhdl: return app::ExportFormat::Vhdl;
        case OutputFormat::Json: return app::ExportFormat::Json;
        case OutputFormat::Pdf: return app::ExportFormat::Pdf;
        case OutputFormat::Png: return app::ExportFormat::Png;
        default: return app::ExportFormat::Svg;
    }
}

// The netlist formats need the model the drawing leaves on its canvas, and
// a module name both languages take: a usage error, said before writing.
void checkModuleName(const ExportRequest& request, const drawing::Canvas& canvas) {
    const std::shared_ptr<const drawing::DrawnCircuit>& drawn = canvas.circuit();
    if (!drawn) throw ExportFailure("this drawing carries no circuit model to export");
    if (const std::optional<std::string> problem =
            circuit::moduleNameProblem(request.moduleName, drawn->netlist))
        throw UsageError("--module \"" + request.moduleName + "\": " + *problem);
}

}  // namespace

common::LocalDateTime headerDateTime(const char* sourceDateEpoch) {
    if (!sourceDateEpoch) return common::SystemClock().now();
    const std::string text = sourceDateEpoch;
    bool digits = !text.empty() && text.size() <= 12;
    for (char c : text) digits = digits && c >= '0' && c <= '9';
    if (!digits)
        throw UsageError("SOURCE_DATE_EPOCH is \"" + text.substr(0, 40) +
                         "\", not a number of seconds since 1970");
    const std::time_t seconds = static_cast<std::time_t>(std::stoll(text));
    std::tm utc{};
    if (!gmtime_r(&seconds, &utc) || utc.tm_year + 1900 > 9999)
        throw UsageError("SOURCE_DATE_EPOCH " + text + " is beyond the year 9999");
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec};
}

std::string documentTitle(Style style) {
    switch (style) {
        case Style::Mux: return "Mux 1";
        case Style::Demux: return "Demux 1";
        default: return "Circuit 1";
    }
}

void writeExport(const ExportRequest& request, const drawing::FunctionView& function) {
    const QString out = QFileInfo(QString::fromStdString(request.outPath)).absoluteFilePath();
    checkTarget(request.outPath);
    drawing::DocumentCanvas canvas;
    draw(canvas, request, function);
    if (isNetlistFormat(request.format)) checkModuleName(request, canvas);
    try {
        const QString title = QString::fromStdString(documentTitle(request.style));
        if (request.format == OutputFormat::Cir)
            app::saveDrawing(canvas, out);
        else
            app::exportDocument(canvas, out, exportFormatOf(request.format), 1.0, title,
                                QString::fromStdString(request.moduleName));
    } catch (const app::ExportError& e) {
        throw ExportFailure(oneLine(e.what()));
    } catch (const app::CircuitFileError& e) {
        throw ExportFailure(oneLine(e.what()));
    }
}

int runExport(const std::vector<std::string>& args, std::ostream& err) {
    try {
        ExportRequest request = parseExportArguments(args);
        const common::LocalDateTime when = headerDateTime(std::getenv("SOURCE_DATE_EPOCH"));
        checkTarget(request.outPath);
        MinimizedFile minimized = minimizeFunctionFile(request.inPath);
        drawing::FunctionView& view = minimized.view;
        view.userName = request.userName;
        view.dateText = common::headerDate(when);
        view.timeText = common::headerTime(when);
        writeExport(request, view);
        if (!minimized.notProven.empty()) err << "quendal-export: " << minimized.notProven << '\n';
        return kExitOk;
    } catch (const UsageError& e) {
        err << "quendal-export: " << e.what() << " (quendal-export --help shows the usage)\n";
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        err << "quendal-export: out of memory\n";
    } catch (const std::exception& e) {
        err << "quendal-export: " << oneLine(e.what()) << '\n';
    }
    return kExitFailed;
}

}  // namespace quendal::cli
