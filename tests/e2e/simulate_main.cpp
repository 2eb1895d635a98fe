// quendal_e2e_simulate: Simulate mode in the real program's window on an X
// display (a virtual one under xvfb-run): sign in, simplify AB'+C with the
// real minimizer, draw its basic circuit, turn View > Simulate on, set the
// switches with the mouse and the keyboard, and read each net's colour on
// the screen at probe points on its wires. Exit status 0 when every probe
// showed its net's value.
//
// Usage: quendal_e2e_simulate [--shots DIR]

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

#include "app/circuit_simulation.h"
#include "app/frmCircuit.h"
#include "app/frmSplash.h"
#include "app/mdifrmMain.h"
#include "app/shell.h"
#include "app/startup.h"
#include "tests/e2e/ui_driver.h"

using namespace quendal;
using namespace e2e;

namespace {

QRgb rgbOf(drawing::Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

// For every net with a wire of at least 10 pixels, the middle of its
// longest wire, where no other net's wire or dot comes near: the points
// where the screen must show the net's value.
struct Probe {
    circuit::NetId net;
    QPoint pixel;  // in the picture, at 100 %
};

// Where the picture puts a point of the drawing, in pixels at 100 %.
QPoint pixelOf(int x, int y) {
    return QPoint(drawing::DocumentCanvas::toPixel(x), drawing::DocumentCanvas::toPixel(y));
}

std::vector<Probe> probesOf(const circuit::Netlist& n) {
    std::vector<Probe> probes;
    const auto near = [](const circuit::Wire& w, QPoint p) {
        const QRect span = QRect(pixelOf(std::min(w.from.x, w.to.x), std::min(w.from.y, w.to.y)),
                                 pixelOf(std::max(w.from.x, w.to.x), std::max(w.from.y, w.to.y)))
                               .adjusted(-3, -3, 3, 3);
        return span.contains(p);
    };
    for (std::size_t net = 0; net < n.nets.size(); ++net) {
        const circuit::Wire* longest = nullptr;
        int length = 0;
        for (int index : n.nets[net].wires) {
            const circuit::Wire& w = n.wires[static_cast<std::size_t>(index)];
            const int l = std::abs(w.to.x - w.from.x) + std::abs(w.to.y - w.from.y);
            if (l > length) {
                length = l;
                longest = &w;
            }
        }
        if (!longest || length < 150) continue;
        const QPoint mid =
            pixelOf((longest->from.x + longest->to.x) / 2, (longest->from.y + longest->to.y) / 2);
        bool clear = true;
        for (const circuit::Wire& other : n.wires)
            clear = clear && (other.net == static_cast<circuit::NetId>(net) || !near(other, mid));
        for (const circuit::Dot& dot : n.dots)
            clear = clear && (pixelOf(dot.at.x, dot.at.y) - mid).manhattanLength() > 6;
        if (clear) probes.push_back({static_cast<circuit::NetId>(net), mid});
    }
    return probes;
}

class SimulateWalk {
public:
    SimulateWalk(app::Shell& shell, Screenshots& shots) : shell_(shell), shots_(shots) {}

    bool walk() {
        try {
            signInAndDraw();
            simulate();
            return true;
        } catch (const StepFailure& failure) {
            std::fprintf(stderr, "e2e: FAILED: %s\n", failure.what());
            shots_.take(QStringLiteral("FAILED"));
            return false;
        }
    }

private:
    app::mdifrmMain* main() const { return shell_.mainWindow(); }

    void signInAndDraw() {
        app::frmSplash* splash = shell_.loginForm();
        check(waitUntil([&] { return splash && splash->isVisible(); }), "no login form");
        auto* name = child<QLineEdit>(splash, "txtUsername");
        click(name);
        type(name, QStringLiteral("test user"));
        click(child<QPushButton>(splash, "cmdOk"));
        check(waitUntil([this] {
                  return main() && main()->isVisible() && main()->windowHandle()->isExposed();
              }),
              "no main window after Ok");
        QWidget* work = main()->workForm();
        chooseComboEntry(child<QComboBox>(work, "cboVar"), QStringLiteral("3"));
        clickOption(child<QRadioButton>(work, "rbMinTerms"));
        auto* list = child<QListWidget>(work, "lstTerms");
        for (int term : {1, 3, 4, 5, 7}) clickTickBox(list, term);  // AB' + C
        click(child<QPushButton>(work, "cmdSimplify"));
        check(waitUntil([&] { return child<QPushButton>(work, "cmdCircuit")->isEnabled(); }, 15000),
              "Simplify did not finish");
        checkEqual(child<QLineEdit>(work, "txtMinEquation")->text(), QStringLiteral("AB'+C"),
                   "the minimum");
        click(child<QPushButton>(work, "cmdCircuit"));
        QWidget* dialog = nullptr;
        check(waitUntil([&] { return (dialog = visibleTopLevel("frmCktOpt")) != nullptr; }),
              "frmCktOpt did not open");
        click(child<QPushButton>(dialog, "cmdOk"));
        check(waitUntil([this] { return main()->activeDocument() != nullptr; }), "no drawing");
        document_ = main()->activeDocument();
        document_->actualSize();
    }

    // The screen at every probe shows its net's value for the current row.
    void checkColours(const QString& shotName) {
        const QImage shot = shots_.take(shotName);
        const circuit::Netlist& n = document_->canvas().circuit()->netlist;
        const std::vector<std::uint8_t> values = circuit::evaluate(n, document_->simulatedRow());
        QWidget* picture = child<QWidget>(document_, "picCircuit");
        int probed = 0;
        for (const Probe& probe : probes_) {
            const QPoint screen = picture->mapToGlobal(probe.pixel);
            if (!onScreen(picture).contains(screen)) continue;
            const bool one = values[static_cast<std::size_t>(probe.net)] != 0;
            const QRgb expected =
                rgbOf(one ? app::simulation_colours::one : app::simulation_colours::zero);
            check(shot.pixel(screen) == expected,
                  QStringLiteral("%1: net %2 should show %3 at (%4, %5)")
                      .arg(shotName, QString::fromStdString(n.nets[probe.net].name))
                      .arg(one)
                      .arg(screen.x())
                      .arg(screen.y()));
            ++probed;
        }
        check(probed >= 5,
              QStringLiteral("%1: only %2 probes on the screen").arg(shotName).arg(probed));
    }

    void simulate() {
        check(document_->canSimulate(), "the drawing carries no circuit model");
        chooseMenuItem(main(), "mnuView", "mnuViewSimulate");
        check(waitUntil([this] { return document_->isSimulating(); }), "Simulate did not start");
        probes_ = probesOf(document_->canvas().circuit()->netlist);
        auto* status = child<QLabel>(main(), "pnlStatus");
        checkEqual(status->text(), QStringLiteral("row 0: A=0 B=0 C=0"), "status at start");
        checkColours(QStringLiteral("simulate_row0"));

        // A click on A's switch, then C typed: row 5, where AB' and C are both 1.
        const circuit::Netlist& n = document_->canvas().circuit()->netlist;
        const app::Switch a = app::switchesOf(n).front();
        click(child<QWidget>(document_, "picCircuit"),
              pixelOf(a.box.x + a.box.width / 2, a.box.y + a.box.height / 2));
        checkEqual(status->text(), QStringLiteral("row 4: A=1 B=0 C=0"), "status after a click");
        checkColours(QStringLiteral("simulate_row4"));
        type(document_, QStringLiteral("c"));
        checkEqual(status->text(), QStringLiteral("row 5: A=1 B=0 C=1"), "status after typing C");
        checkColours(QStringLiteral("simulate_row5"));
        type(document_, QStringLiteral("ab"));
        checkEqual(status->text(), QStringLiteral("row 3: A=0 B=1 C=1"), "status after typing AB");
        checkColours(QStringLiteral("simulate_row3"));

        chooseMenuItem(main(), "mnuView", "mnuViewSimulate");
        check(!document_->isSimulating(), "Simulate did not end");
        checkEqual(status->text(), QStringLiteral("Status"), "status after simulation");
    }

    app::Shell& shell_;
    Screenshots& shots_;
    app::frmCircuit* document_ = nullptr;
    std::vector<Probe> probes_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::prepareApplication();
    QString shotsPath = QStringLiteral("e2e-simulate-screenshots");
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--shots")) {
        shotsPath = args[2];
    } else if (args.size() != 1) {
        std::fprintf(stderr, "usage: quendal_e2e_simulate [--shots DIR]\n");
        return 2;
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "e2e: needs the X platform (under xvfb-run)\n");
        return 2;
    }
    QDir shotsDir(shotsPath);
    QDir().mkpath(shotsDir.absolutePath());
    // The program writes in.txt, out.txt and log.txt where it runs.
    QTemporaryDir workdir(QDir::temp().filePath(QStringLiteral("quendal-e2e-XXXXXX")));
    QDir::setCurrent(workdir.path());

    Screenshots shots(QDir(shotsDir.absolutePath()));
    app::Shell shell;
    app::quitWhenFinished(shell);
    SimulateWalk walk(shell, shots);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        std::fprintf(stderr, "e2e: FAILED: the walk took longer than 120 s\n");
        std::_Exit(1);
    });
    watchdog.start(120000);
    bool passed = false;
    QTimer::singleShot(0, [&] {
        passed = walk.walk();
        QCoreApplication::exit(passed ? 0 : 1);
    });
    shell.start();
    application.exec();
    std::fprintf(stderr, "e2e: simulate %s\n", passed ? "PASSED" : "FAILED");
    return passed ? 0 : 1;
}
