// Opening an Explain view of an 8-variable function as the menu does: computing the explanation
// in the scope the view needs from the minimum that Simplify found (with a 2 s limit per member, as
// the menu has its own), drawing the view on a document canvas and painting the first window's
// worth of it, in processor time. Each family is one benchmark; the counters give its median and
// slowest member in milliseconds, and the slowest drawing alone: what opening a view costs once
// the menu's background work since Simplify has the explanation ready. The symmetric functions
// with don't-care edges, the minimizer's hardest, are left out.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "drawing/canvas_document.h"
#include "explain/check_answer_window.h"
#include "explain/steps_view.h"
#include "explain/truth_table_view.h"
#include "minimizer/minimize.h"
#include "tests/minimizer/function_families.h"

using namespace quendal::drawing;
using namespace quendal::explain;

namespace {

enum class View { TruthTable, Steps, Check };

// This thread's processor time in milliseconds: the machine the figures come from is shared,
// and waiting for a processor is not the program's time.
double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Processor milliseconds to open the view (and, in explainMs, to compute the explanation), or
// nothing when the explanation ran out of time.
std::optional<double> openView(const logic::Function& f, View view, double& explainMs) {
    using Clock = std::chrono::steady_clock;
    // Simplify found the minimum sum of products before (Qm.exe); the menu reads it back from
    // the work form.
    std::vector<logic::Cube> minimum;
    try {
        minimum = qm::minimize(f, Clock::now() + std::chrono::seconds(2));
    } catch (const qm::TooHard&) {
        return std::nullopt;
    }
    const auto start = Clock::now();
    const double startCpu = cpuMs();
    std::shared_ptr<const qm::Explanation> e;
    const qm::ExplainScope scope =
        view == View::Steps ? qm::ExplainScope::Everything : qm::ExplainScope::MinimumSop;
    try {
        e = std::make_shared<const qm::Explanation>(
            qm::explain(f, start + std::chrono::seconds(2), scope, &minimum));
    } catch (const qm::TooHard&) {
        return std::nullopt;
    }
    explainMs = cpuMs() - startCpu;
    if (view == View::Check) {
        CheckAnswerWindow form(e, "ABCDEFGH");
        benchmark::DoNotOptimize(&form);
    } else {
        DocumentCanvas canvas;
        if (view == View::TruthTable) drawTruthTable(canvas, *e, "ABCDEFGH");
        if (view == View::Steps) drawSteps(canvas, *e, "ABCDEFGH");
        // What a new document window shows of it.
        QImage window = blankStrip(QSize(634, 455));
        canvas.paintStrip(window, QPoint(0, 0));
        benchmark::DoNotOptimize(window.constBits());
    }
    return cpuMs() - startCpu;
}

void family(benchmark::State& state, const qm_bench::Family& members, View view) {
    std::vector<double> times, explaining, drawing;
    int tooHard = 0;
    for (auto _ : state) {
        times.clear();
        explaining.clear();
        drawing.clear();
        tooHard = 0;
        for (const logic::Function& f : members.members) {
            double explainMs = 0;
            if (const auto ms = openView(f, view, explainMs)) {
                times.push_back(*ms);
                explaining.push_back(explainMs);
                drawing.push_back(*ms - explainMs);
            } else {
                ++tooHard;
            }
        }
    }
    std::sort(times.begin(), times.end());
    std::sort(explaining.begin(), explaining.end());
    if (!times.empty()) {
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["slowest_ms"] = times.back();
        state.counters["slowest_explain_ms"] = explaining.back();
        state.counters["slowest_drawing_ms"] = *std::max_element(drawing.begin(), drawing.end());
    }
    state.counters["too_hard"] = tooHard;
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
