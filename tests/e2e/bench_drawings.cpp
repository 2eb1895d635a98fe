// bench_drawings: drawings from the click on Ok in the options dialog to the
// picture painted in its new document window, in the real program on a real
// X display: 8-variable circuits of 32 product terms in the three styles,
// the 64 : 1 multiplexer tree, the 1 : 64 demultiplexer, and the largest
// circuits (8-variable parity, 128 terms) in the three styles; then the
// largest picture saved as a circuit file and opened again. Prints the
// median, fastest and slowest times, the picture sizes and the peak memory
// of each case.
//
// Usage: bench_drawings [--repeat N] [--largest] [--no-open] [--keep FOLDER]
// (under xvfb-run; default N = 5). --largest draws only the largest
// circuits, --no-open saves them without opening them again: under
// /usr/bin/time -v that gives the whole program's peak for drawing, showing,
// zooming and saving them. --keep leaves the largest circuit files in
// FOLDER, named by style, for measuring them further.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/circuit_files.h"
#include "app/frmCircuit.h"
#include "app/frmSplash.h"
#include "app/mdifrmMain.h"
#include "app/shell.h"
#include "app/startup.h"
#include "common/file_dialogs.h"
#include "drawing/canvas_document.h"
#include "tests/e2e/ui_driver.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::app;

using namespace e2e;

namespace {

// The file dialogs answer at once, so that saving and opening are timed
// without a person typing.
class ImmediateFileDialogs : public FileDialogs {
public:
    QString path;
    QString openFileName(QWidget*, const QString&, const QString&) override { return path; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return path; }
    bool choosePrinter(QWidget*, QPrinter&, const QString&) override { return false; }
    void pageSetup(QWidget*, QPrinter&, const QString&) override {}
};

// Notes when a document's picture has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint &&
            watched->objectName() == QLatin1String("picCircuit")) {
            painted = true;
        }
        return false;
    }
};

// The peak resident memory since the last reset, in MiB (Linux counts it
// per process and lets a process reset it).
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peakMemoryMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

struct Function {
    const char* name;
    int variables;
    std::vector<int> terms;
    int products;  // of the minimized function
};

// Minterms whose bits have odd parity, among the first `bits` variables,
// with every other variable 1: each minterm is a prime implicant of its own.
Function oddParity(const char* name, int variables, int bits) {
    Function f{name, variables, {}, 0};
    const int rest = variables - bits;
    for (int x = 0; x < (1 << bits); ++x) {
        if (std::popcount(unsigned(x)) % 2 == 1) f.terms.push_back((x << rest) | ((1 << rest) - 1));
    }
    f.products = int(f.terms.size());
    return f;
}

struct Drawing {
    QString name;
    const char* command;
    const char* dialog;
    const char* option;  // null: the preset
};

struct Result {
    QString name;
    int products = 0;
    QSize picture;
    std::vector<double> drawnMs;  // the click's handler done
    std::vector<double> ms;       // the picture painted
    double peakMiB = 0;
};

struct Reopen {
    QString name;
    QSize picture;
    double fileMiB = 0;
    double saveMs = 0;
    double openMs = 0;
    double savePeakMiB = 0;
    double peakMiB = 0;
    bool samePixels = false;
};

// Equal but for the smoothing greys of text, which a palette file may keep
// as a colour within 8 levels a channel.
bool closeEnough(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (std::abs(qRed(p[x]) - qRed(q[x])) > 8 ||
                std::abs(qGreen(p[x]) - qGreen(q[x])) > 8 ||
                std::abs(qBlue(p[x]) - qBlue(q[x])) > 8)
                return false;
        }
    }
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

class Bench {
public:
    Bench(Shell& shell, ImmediateFileDialogs& dialogs, const QDir& workdir, int repeat,
          bool largestOnly, bool reopen)
        : shell_(shell),
          dialogs_(dialogs),
          workdir_(workdir),
          repeat_(repeat),
          largestOnly_(largestOnly),
          reopen_(reopen) {
        qApp->installEventFilter(&watch_);
    }

    QString keepFolder;

    void run() {
        signIn();
        const Function f32 = oddParity("8 variables, 32 terms", 8, 6);
        const Function parity6 = oddParity("6 variables, 32 terms", 6, 6);
        const Function parity8 = oddParity("8-variable parity, 128 terms", 8, 8);
        const std::vector<Drawing> circuits = {
            {QStringLiteral("circuit AND/OR/NOT"), "cmdCircuit", "frmCktOpt", "rbBasic"},
            {QStringLiteral("circuit NAND"), "cmdCircuit", "frmCktOpt", "rbNand"},
            {QStringLiteral("circuit NOR"), "cmdCircuit", "frmCktOpt", "rbNor"}};
        const Drawing tree{QStringLiteral("64 : 1 multiplexer tree"), "cmdMux", "frmMuxOpt",
                           nullptr};
        const Drawing demux{QStringLiteral("1 : 64 demultiplexer"), "cmdDemux", "frmDemuxOpt",
                            nullptr};

        if (!largestOnly_) {
            enter(f32);
            for (const Drawing& d : circuits) measure(f32, d, false);
            measure(f32, tree, false);
            enter(parity6);
            measure(parity6, demux, false);
        }
        enter(parity8);
        for (const Drawing& d : circuits) measure(parity8, d, true);
        report();
        for (const Reopen& r : reopens_) {
            check(r.samePixels, QStringLiteral("%1: reopened with other pixels").arg(r.name));
        }
    }

private:
    mdifrmMain* main() const { return shell_.mainWindow(); }
    QWidget* work() const { return main()->workForm(); }

    void signIn() {
        auto* name = child<QLineEdit>(shell_.loginForm(), "txtUsername");
        check(waitUntil([&] { return name->isVisible(); }), QStringLiteral("no login form"));
        type(name, QStringLiteral("bench"));
        click(child<QPushButton>(shell_.loginForm(), "cmdOk"));
        check(waitUntil([this] { return main() && main()->isVisible(); }),
              QStringLiteral("no main window"));
        wait(300);
    }

    void enter(const Function& f) {
        chooseComboEntry(child<QComboBox>(work(), "cboVar"), QString::number(f.variables));
        clickOption(child<QRadioButton>(work(), "rbMinTerms"));
        auto* list = child<QListWidget>(work(), "lstTerms");
        // Ticked through the list's model: clicking 128 tick boxes adds only
        // time to the set-up, which is not measured.
        for (int t : f.terms) list->item(t)->setCheckState(Qt::Checked);
        auto* circuit = child<QPushButton>(work(), "cmdCircuit");
        click(child<QPushButton>(work(), "cmdSimplify"));
        check(waitUntil([circuit] { return circuit->isEnabled(); }, 20000),
              QStringLiteral("Simplify did not finish"));
        const QString minimized = child<QLineEdit>(work(), "txtMinEquation")->text();
        check(minimized.count(QLatin1Char('+')) + 1 == f.products,
              QStringLiteral("%1: the minimized function has %2 products")
                  .arg(QLatin1String(f.name))
                  .arg(minimized.count(QLatin1Char('+')) + 1));
    }

    // One drawing, repeated; the largest is also saved and opened again.
    void measure(const Function& f, const Drawing& d, bool saveAndOpen) {
        Result result;
        result.name = QStringLiteral("%1, %2").arg(d.name, QLatin1String(f.name));
        result.products = f.products;
        resetPeakMemory();
        for (int i = 0; i < repeat_; ++i) {
            click(child<QPushButton>(work(), d.command));
            QWidget* dialog = nullptr;
            check(waitUntil([&] {
                      return (dialog = visibleTopLevel(QLatin1String(d.dialog))) != nullptr;
                  }),
                  QStringLiteral("no options dialog"));
            if (d.option) clickOption(child<QRadioButton>(dialog, d.option));
            auto* ok = child<QPushButton>(dialog, "cmdOk");
            wait(50);

            watch_.painted = false;
            QElapsedTimer clock;
            clock.start();
            // The click returns after the handler has drawn and the events
            // it left (the picture's painting among them) have run.
            click(ok);
            const double drawn = clock.nsecsElapsed() / 1e6;
            result.drawnMs.push_back(drawn);
            // Should a repaint still follow, the picture is there when the
            // last one has run.
            double painted = watch_.painted ? drawn : -1;
            QElapsedTimer quiet;
            quiet.start();
            while (quiet.elapsed() < 200) {
                watch_.painted = false;
                QCoreApplication::processEvents();
                if (watch_.painted) {
                    painted = clock.nsecsElapsed() / 1e6;
                    quiet.restart();
                }
            }
            check(painted >= 0, QStringLiteral("%1: no picture painted").arg(result.name));
            result.ms.push_back(painted);

            frmCircuit* document = main()->frmD();
            result.picture = document->canvas().pixelSize();
            if (i + 1 == repeat_) {
                if (saveAndOpen) zoomAbout(document);
                result.peakMiB = peakMemoryMiB();
                if (saveAndOpen) saveOpen(document, result.name);
            }
            closeDocuments();
        }
        results_.push_back(result);
        std::fprintf(stderr, "bench: %s: %.1f ms\n", qPrintable(result.name), median(result.ms));
    }

    // Shows the whole drawing, then zooms in to the largest zoom and back,
    // each painted, as a user looking at it would.
    void zoomAbout(frmCircuit* document) {
        auto painted = [this] {
            watch_.painted = false;
            QElapsedTimer clock;
            clock.start();
            while (!watch_.painted && clock.elapsed() < 5000) QCoreApplication::processEvents();
        };
        document->fitInWindow();
        painted();
        while (document->zoom() < DocumentCanvas::kMaxZoom) {
            document->zoomIn();
            painted();
        }
        document->actualSize();
        painted();
    }

    void saveOpen(frmCircuit* document, const QString& name) {
        Reopen r;
        r.name = name;
        r.picture = document->canvas().pixelSize();
        dialogs_.path = workdir_.filePath(QStringLiteral("largest.cir"));
        resetPeakMemory();
        QElapsedTimer clock;
        clock.start();
        main()->mnuFileSaveAs_Click();
        r.saveMs = clock.nsecsElapsed() / 1e6;
        check(QFileInfo(dialogs_.path).size() > 0, QStringLiteral("%1 was not saved").arg(name));
        r.fileMiB = QFileInfo(dialogs_.path).size() / (1024.0 * 1024.0);
        r.savePeakMiB = peakMemoryMiB();
        if (!reopen_) {
            r.samePixels = true;
            reopens_.push_back(r);
            QFile::remove(dialogs_.path);
            return;
        }

        resetPeakMemory();
        watch_.painted = false;
        clock.restart();
        main()->mnuFileOpen_Click();
        while (!watch_.painted && clock.elapsed() < 30000) QCoreApplication::processEvents();
        r.openMs = clock.nsecsElapsed() / 1e6;
        r.peakMiB = peakMemoryMiB();
        frmCircuit* opened = main()->frmD();
        check(opened != document &&
                  opened->windowTitle() == QFileInfo(dialogs_.path).absoluteFilePath(),
              QStringLiteral("%1: the circuit file did not open again").arg(name));
        // Compared strip by strip, so that the comparison holds no whole
        // picture either.
        const QImage& back = opened->canvas().picture();
        r.samePixels = back.width() >= r.picture.width() && back.height() >= r.picture.height();
        constexpr int kRows = 256;
        for (int top = 0; r.samePixels && top < r.picture.height(); top += kRows) {
            QImage strip =
                blankStrip(QSize(r.picture.width(), std::min(kRows, r.picture.height() - top)));
            document->canvas().paintStrip(strip, QPoint(0, top));
            r.samePixels = closeEnough(back.copy(QRect(QPoint(0, top), strip.size()))
                                           .convertToFormat(QImage::Format_RGB32),
                                       strip);
        }
        reopens_.push_back(r);
        if (keepFolder.isEmpty()) {
            QFile::remove(dialogs_.path);
        } else {
            QString style = name.section(QLatin1Char(','), 0, 0).section(QLatin1Char(' '), -1);
            const QString kept = QDir(keepFolder)
                                     .filePath(QStringLiteral("parity8_%1.cir")
                                                   .arg(style.remove(QLatin1Char('/')).toLower()));
            QFile::remove(kept);
            QFile::rename(dialogs_.path, kept);
        }
    }

    void closeDocuments() {
        for (QMdiSubWindow* w : main()->mdiArea()->subWindowList()) {
            if (qobject_cast<frmCircuit*>(w->widget())) w->close();
        }
        check(waitUntil([this] { return main()->activeDocument() == nullptr; }),
              QStringLiteral("the work form did not come back"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void report() const {
        std::printf(
            "drawings from the click on Ok, %d runs each: median (fastest, slowest) ms "
            "until the handler returned and until the picture was painted\n",
            repeat_);
        std::printf("%-52s %5s %12s %24s %24s %8s\n", "drawing", "terms", "picture px", "drawn ms",
                    "painted ms", "peak MiB");
        for (const Result& r : results_) {
            std::printf("%-52s %5d %5dx%-6d %8.1f (%5.1f, %6.1f) %8.1f (%5.1f, %6.1f) %8.0f\n",
                        qPrintable(r.name), r.products, r.picture.width(), r.picture.height(),
                        median(r.drawnMs), *std::min_element(r.drawnMs.begin(), r.drawnMs.end()),
                        *std::max_element(r.drawnMs.begin(), r.drawnMs.end()), median(r.ms),
                        *std::min_element(r.ms.begin(), r.ms.end()),
                        *std::max_element(r.ms.begin(), r.ms.end()), r.peakMiB);
        }
        for (const Reopen& r : reopens_) {
            std::printf(
                "%s: %dx%d px saved as .cir (%.1f MiB) in %.0f ms (peak %.0f MiB), "
                "opened again in %.0f ms (peak %.0f MiB, the drawing still open): %s\n",
                qPrintable(r.name), r.picture.width(), r.picture.height(), r.fileMiB, r.saveMs,
                r.savePeakMiB, r.openMs, r.peakMiB,
                r.samePixels ? "same pixels" : "DIFFERENT PIXELS");
        }
    }

    Shell& shell_;
    ImmediateFileDialogs& dialogs_;
    QDir workdir_;
    int repeat_;
    bool largestOnly_;
    bool reopen_;
    PaintWatch watch_;
    std::vector<Result> results_;
    std::vector<Reopen> reopens_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    prepareApplication();
    int repeat = 5;
    bool largestOnly = false, reopen = true;
    QString keep;
    for (int i = 1; i < argc; ++i) {
        if (QLatin1String(argv[i]) == QLatin1String("--repeat") && i + 1 < argc)
            repeat = std::max(1, atoi(argv[++i]));
        else if (QLatin1String(argv[i]) == QLatin1String("--keep") && i + 1 < argc)
            keep = QFile::decodeName(argv[++i]);
        else if (QLatin1String(argv[i]) == QLatin1String("--largest"))
            largestOnly = true;
        else if (QLatin1String(argv[i]) == QLatin1String("--no-open"))
            reopen = false;
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "bench_drawings: needs the X platform (run it under xvfb-run)\n");
        return 2;
    }
    QTemporaryDir workdir(QDir::temp().filePath(QStringLiteral("quendal-bench-XXXXXX")));
    QDir::setCurrent(workdir.path());

    ImmediateFileDialogs dialogs;
    ShellSeams seams;
    seams.fileDialogs = &dialogs;
    Shell shell(seams);
    quitWhenFinished(shell);
    Bench bench(shell, dialogs, QDir(workdir.path()), repeat, largestOnly, reopen);
    bench.keepFolder = keep;
    int status = 0;
    // A message box would wait for a user: note it and close it.
    ModalAnswerer messages([&status](QWidget* modal) {
        std::fprintf(stderr, "bench_drawings: unexpected window %s\n",
                     qPrintable(modal->windowTitle()));
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            std::fprintf(stderr, "  %s\n", qPrintable(box->text()));
        }
        status = 1;
        modal->close();
        return true;
    });
    QTimer::singleShot(0, [&] {
        try {
            bench.run();
        } catch (const StepFailure& e) {
            std::fprintf(stderr, "bench_drawings: %s\n", e.what());
            status = 1;
        }
        QCoreApplication::exit(status);
    });
    shell.start();
    app.exec();
    return status;
}
