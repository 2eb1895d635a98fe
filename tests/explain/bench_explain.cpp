// Opening an Explain view of an 8-variable function: computing the explanation (with a 2 s
// limit per member, as the menu has its own) and drawing the view on a document canvas. Each
// family is one benchmark; the counters give its median and slowest member in milliseconds.
// The symmetric functions with don't-care edges, the minimizer's hardest, are left out.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <chrono>

#include "drawing/picture_canvas.h"
#include "explain/frmCheck.h"
#include "explain/steps_view.h"
#include "explain/truth_table_view.h"
#include "tests/minimizer/function_families.h"

namespace {

enum class View { TruthTable, Steps, Check };

double openView(const qm::Function& f, View view) {
    const auto start = std::chrono::steady_clock::now();
    const auto e =
        std::make_shared<const qm::Explanation>(qm::explain(f, start + std::chrono::seconds(2)));
    if (view == View::Check) {
        frmCheck form(e, "ABCDEFGH");
        benchmark::DoNotOptimize(&form);
    } else {
        PictureCanvas canvas;
        if (view == View::TruthTable) drawTruthTable(canvas, *e, "ABCDEFGH");
        if (view == View::Steps) drawSteps(canvas, *e, "ABCDEFGH");
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void family(benchmark::State& state, const qm_bench::Family& members, View view) {
    std::vector<double> times;
    for (auto _ : state) {
        times.clear();
        for (const qm::Function& f : members.members) times.push_back(openView(f, view));
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["slowest_ms"] = times.back();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    static const std::vector<qm_bench::Family> families = qm_bench::allFamilies(10, false);
    for (const auto& f : families) {
        for (const auto& [name, view] :
             {std::pair{"truth_table", View::TruthTable}, std::pair{"steps", View::Steps},
              std::pair{"check", View::Check}}) {
            benchmark::RegisterBenchmark((std::string(name) + "/" + f.name).c_str(),
                                         [&f, v = view](benchmark::State& s) { family(s, f, v); })
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
