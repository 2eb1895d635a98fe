// Drawing the largest gate circuits: 8-variable parity (128 terms of eight
// literals, the most gates a minimized function of 8 variables can need),
// measured on the recording canvas (layout alone) and as the picture a
// document window shows (layout, then the whole picture rendered at 100 %).

#include <QApplication>

#include <benchmark/benchmark.h>

#include "drawing/canvas_document.h"
#include "drawing/circuit_layout.h"
#include "drawing/universal_circuits.h"
#include "tests/support/whole_picture.h"
#include "tests/drawing/circuit_function_support.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;

namespace {

using Draw = void (*)(Canvas&, const FunctionView&);
const Draw kStyles[] = {drawBasicCircuit, drawUniversalNandCircuit, drawUniversalNorCircuit};

const FunctionView& parity8() {
    static const FunctionView f = [] {
        const std::vector<std::string> letters = {"A", "B", "C", "D", "E", "F", "G", "H"};
        std::vector<bool> truth(256);
        for (int r = 0; r < 256; ++r) truth[r] = __builtin_popcount(r) % 2;
        return circuitFunction(sopFor(truth, letters), letters);
    }();
    return f;
}

void BM_Layout(benchmark::State& state) {
    for (auto _ : state) {
        RecordingCanvas c;
        kStyles[state.range(0)](c, parity8());
        benchmark::DoNotOptimize(c.operations().size());
    }
}
BENCHMARK(BM_Layout)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_Picture(benchmark::State& state) {
    for (auto _ : state) {
        DocumentCanvas c;
        kStyles[state.range(0)](c, parity8());
        const QImage picture = wholePicture(c);
        state.counters["megapixels"] = double(picture.width()) * picture.height() / 1e6;
    }
}
BENCHMARK(BM_Picture)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
