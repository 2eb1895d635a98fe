// What the shell does with pictures: recording single operations on the
// document canvas, saving and opening circuit files, printing to PDF.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <numbers>

#include "app/circuit_files.h"
#include "app/print_layout.h"
#include "drawing/canvas_document.h"
#include "tests/support/whole_picture.h"

using namespace quendal::drawing;
using namespace quendal::app;

namespace {

void BM_CanvasLine(benchmark::State& state) {
    DocumentCanvas canvas;
    int y = 0;
    for (auto _ : state) {
        canvas.line(100, y, 9000, y, colours::green);
        y = (y + 15) % 7000;
    }
}
BENCHMARK(BM_CanvasLine);

void BM_CanvasArc(benchmark::State& state) {
    DocumentCanvas canvas;
    for (auto _ : state) canvas.arc(3000, 3000, 300, colours::red, std::numbers::pi, 0);
}
BENCHMARK(BM_CanvasArc);

void BM_CanvasJunctionDot(benchmark::State& state) {
    DocumentCanvas canvas;
    for (auto _ : state) junctionDot(canvas, 1500, 1500);
}
BENCHMARK(BM_CanvasJunctionDot);

void BM_CanvasPrint(benchmark::State& state) {
    DocumentCanvas canvas;
    for (auto _ : state) {
        canvas.printAt(200, 200, {"     User  :  Test User   Date  :  05-Mar-2024"});
    }
}
BENCHMARK(BM_CanvasPrint);

// A canvas of the given size in twips (the design size, and one as large as
// a multiplexer tree of eight variables makes it).
QImage picture(int widthTwips, int heightTwips) {
    DocumentCanvas canvas;
    canvas.setSize(widthTwips, heightTwips);
    canvas.line(0, 0, widthTwips, heightTwips, colours::green);
    return wholePicture(canvas);
}

void BM_SaveCircuitFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QImage image = picture(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) saveCircuitFile(dir.filePath("bench.cir"), image);
    state.SetLabel(std::to_string(image.width()) + "x" + std::to_string(image.height()) + " px");
}
BENCHMARK(BM_SaveCircuitFile)
    ->Args({9696, 7296})
    ->Args({30000, 60000})
    ->Unit(benchmark::kMillisecond);

void BM_OpenCircuitFile(benchmark::State& state) {
    QTemporaryDir dir;
    saveCircuitFile(dir.filePath("bench.cir"), picture(int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        DocumentCanvas canvas;
        canvas.setPicture(readCircuitFile(dir.filePath("bench.cir")));
        benchmark::DoNotOptimize(canvas.picture().bits());
    }
}
BENCHMARK(BM_OpenCircuitFile)
    ->Args({9696, 7296})
    ->Args({30000, 60000})
    ->Unit(benchmark::kMillisecond);

void BM_PrintToPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const QImage image = picture(9696, 7296);
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("bench.pdf"));
        printPicture(printer, image);
    }
}
BENCHMARK(BM_PrintToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
