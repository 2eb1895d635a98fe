// Simplify end to end on 8-variable functions: the ticks (or the typed
// equation) in place, a click on Simplify, the four texts shown. The real
// Qm.exe runs each time, found beside this program.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

#include "common/clock.h"
#include "common/minimizer_launcher.h"
#include "common/prompts.h"
#include "drawing/document_host.h"
#include "workspace/frmSimplification.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::workspace;

namespace {

class NoDocuments : public DocumentHost {
public:
    Canvas& LoadNewDoc(DocumentKind) override { throw std::logic_error("no documents here"); }
};

// Any prompt during a benchmark is a failed run.
class FailingPrompts : public Prompts {
public:
    PromptReply show(const Prompt& prompt) override {
        throw std::runtime_error(prompt.text.toStdString());
    }
};

struct Bench {
    Bench() : form(host, prompts, clock, launcher) {
        QDir::setCurrent(dir.path());
        form.show();
        auto* combo = form.findChild<QComboBox*>("cboVar");
        combo->setCurrentIndex(combo->findText("8"));
        emit combo->activated(combo->currentIndex());
    }

    template <typename W>
    W* get(const char* name) {
        return form.findChild<W*>(QString::fromLatin1(name));
    }

    void tick(const char* option, const std::vector<int>& terms) {
        auto* rb = get<QRadioButton>(option);
        QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(6, rb->height() / 2));
        for (int t : terms) get<QListWidget>("lstTerms")->item(t)->setCheckState(Qt::Checked);
    }

    void run(benchmark::State& state) {
        QPushButton* simplify = get<QPushButton>("cmdSimplify");
        QLineEdit* result = get<QLineEdit>("txtMinEquation");
        for (auto _ : state) {
            QTest::mouseClick(simplify, Qt::LeftButton);
            QCoreApplication::processEvents();  // the texts painted
            if (result->text().isEmpty()) state.SkipWithError("no minimized text");
        }
        state.counters["implicants"] =
            static_cast<double>(result->text().count(u'+') + (result->text().isEmpty() ? 0 : 1));
    }

    QTemporaryDir dir;
    NoDocuments host;
    FailingPrompts prompts;
    SystemClock clock;
    ProcessMinimizerLauncher launcher;
    frmSimplification form;
};

std::vector<int> randomTerms(unsigned seed, int percent) {
    std::mt19937 random(seed);
    std::vector<int> terms;
    for (int t = 0; t < 256; ++t) {
        if (static_cast<int>(random() % 100) < percent) terms.push_back(t);
    }
    return terms;
}

std::vector<int> without(const std::vector<int>& terms, const std::vector<int>& others) {
    std::vector<int> out;
    for (int t : terms) {
        if (std::find(others.begin(), others.end(), t) == others.end()) out.push_back(t);
    }
    return out;
}

void BM_RandomHalfMinTerms(benchmark::State& state) {
    Bench b;
    b.tick("rbMinTerms", randomTerms(7, 50));
    b.run(state);
}

void BM_RandomMinTermsWithDontCares(benchmark::State& state) {
    Bench b;
    const std::vector<int> dontCares = randomTerms(11, 20);
    b.tick("rbMinTerms", without(randomTerms(7, 40), dontCares));
    b.tick("rbDontCare", dontCares);
    b.run(state);
}

void BM_RandomMaxTerms(benchmark::State& state) {
    Bench b;
    b.tick("rbMaxTerms", randomTerms(3, 50));
    b.run(state);
}

void BM_Parity(benchmark::State& state) {
    Bench b;
    std::vector<int> odd;
    for (int t = 0; t < 256; ++t) {
        if (__builtin_popcount(static_cast<unsigned>(t)) % 2 == 1) odd.push_back(t);
    }
    b.tick("rbMinTerms", odd);
    b.run(state);
}

// Four to six of the eight inputs 1, three as don't-care: a teacher's function whose cover the
// minimizer knows in advance (its search takes seconds).
void BM_SymmetricBand(benchmark::State& state) {
    Bench b;
    std::vector<int> band, edge;
    for (int t = 0; t < 256; ++t) {
        const int ones = __builtin_popcount(static_cast<unsigned>(t));
        if (ones >= 4 && ones <= 6) band.push_back(t);
        if (ones == 3) edge.push_back(t);
    }
    b.tick("rbMinTerms", band);
    b.tick("rbDontCare", edge);
    b.run(state);
}

void BM_TypedEquation(benchmark::State& state) {
    Bench b;
    QTest::keyClicks(b.get<QLineEdit>("txtEquation"), "AB'CD+A'EF'G+BH+C'D'E'+FG'H");
    b.run(state);
}

}  // namespace

BENCHMARK(BM_RandomHalfMinTerms)->Unit(benchmark::kMillisecond)->Repetitions(10)->UseRealTime();
BENCHMARK(BM_RandomMinTermsWithDontCares)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->UseRealTime();
BENCHMARK(BM_RandomMaxTerms)->Unit(benchmark::kMillisecond)->Repetitions(10)->UseRealTime();
BENCHMARK(BM_Parity)->Unit(benchmark::kMillisecond)->Repetitions(10)->UseRealTime();
BENCHMARK(BM_SymmetricBand)->Unit(benchmark::kMillisecond)->Repetitions(10)->UseRealTime();
BENCHMARK(BM_TypedEquation)->Unit(benchmark::kMillisecond)->Repetitions(10)->UseRealTime();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
