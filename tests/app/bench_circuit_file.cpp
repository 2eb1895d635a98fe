// bench_circuit_file: the largest drawing (8-variable parity, 128 terms)
// saved as a circuit file, and a circuit file opened into a document
// window, each in a process of its own so that `/usr/bin/time -v` gives
// the peak memory of that step alone.
//
// Usage: bench_circuit_file save OUT [basic|nand|nor]   draws and saves
//        bench_circuit_file save24 OUT                    the same, as the old 24-bit file
//        bench_circuit_file open FILE                     opens and paints
//        bench_circuit_file compare FILE OTHER            same pixels? (status 0)

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "app/circuit_files.h"
#include "app/document_export.h"
#include "app/frmCircuit.h"
#include "drawing/canvas_document.h"
#include "drawing/circuit_layout.h"
#include "drawing/universal_circuits.h"
#include "tests/support/whole_picture.h"
#include "tests/drawing/circuit_function_support.h"

using namespace quendal::drawing;
using namespace quendal::app;

namespace {

double peakMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

FunctionView parity8() {
    const std::vector<std::string> letters = {"A", "B", "C", "D", "E", "F", "G", "H"};
    std::vector<bool> truth(256);
    for (int r = 0; r < 256; ++r) truth[r] = __builtin_popcount(r) % 2;
    return circuitFunction(sopFor(truth, letters), letters);
}

int save(const QString& path, const QString& style, bool old) {
    DocumentCanvas canvas;
    QElapsedTimer clock;
    clock.start();
    if (style == QLatin1String("nand"))
        drawUniversalNandCircuit(canvas, parity8());
    else if (style == QLatin1String("nor"))
        drawUniversalNorCircuit(canvas, parity8());
    else
        drawBasicCircuit(canvas, parity8());
    const double drawMs = clock.nsecsElapsed() / 1e6;
    const double drawPeak = peakMiB();
    clock.restart();
    if (old) {
        QImageWriter writer(path, "BMP");
        if (!writer.write(wholePicture(canvas))) return 1;
    } else {
        saveDrawing(canvas, path);
    }
    std::printf(
        "%s %dx%d px: drawn in %.0f ms (peak %.0f MiB), saved in %.0f ms: %.2f MiB, "
        "peak %.0f MiB\n",
        qPrintable(style), canvas.pixelSize().width(), canvas.pixelSize().height(), drawMs,
        drawPeak, clock.nsecsElapsed() / 1e6, QFileInfo(path).size() / 1048576.0, peakMiB());
    return 0;
}

int open(const QString& path) {
    QElapsedTimer clock;
    clock.start();
    frmCircuit window;
    window.canvas().setPicture(readCircuitFile(path));
    window.show();
    const QPixmap shown = window.grab();
    std::printf("opened %dx%d px (format %d) and painted in %.0f ms, peak %.0f MiB\n",
                window.canvas().picture().width(), window.canvas().picture().height(),
                int(window.canvas().picture().format()), clock.nsecsElapsed() / 1e6, peakMiB());
    return shown.isNull() ? 1 : 0;
}

// Another reader's rendering of a circuit file (ImageMagick's PNG) must
// show the pixels Quendal reads from it.
int compare(const QString& path, const QString& other) {
    const QImage ours = readCircuitFile(path).convertToFormat(QImage::Format_RGB32);
    QImageReader::setAllocationLimit(readerAllocationLimitMiB(ours.size()));
    const QImage theirs = QImage(other).convertToFormat(QImage::Format_RGB32);
    // Pixel by pixel: a PNG's colour space alone makes the images unequal.
    bool same = ours.size() == theirs.size();
    for (int y = 0; same && y < ours.height(); ++y) {
        same = std::memcmp(ours.constScanLine(y), theirs.constScanLine(y),
                           size_t(ours.width()) * 4) == 0;
    }
    std::printf("%s (%dx%d) and %s (%dx%d): %s\n", qPrintable(path), ours.width(), ours.height(),
                qPrintable(other), theirs.width(), theirs.height(),
                same ? "same pixels" : "DIFFERENT PIXELS");
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() >= 3 && args[1] == QLatin1String("save"))
            return save(args[2], args.value(3, QStringLiteral("basic")), false);
        if (args.size() >= 3 && args[1] == QLatin1String("save24"))
            return save(args[2], QStringLiteral("basic"), true);
        if (args.size() >= 3 && args[1] == QLatin1String("open")) return open(args[2]);
        if (args.size() >= 4 && args[1] == QLatin1String("compare"))
            return compare(args[2], args[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_circuit_file: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: bench_circuit_file save OUT [basic|nand|nor] | save24 OUT | "
                 "open FILE | compare FILE OTHER\n");
    return 2;
}
