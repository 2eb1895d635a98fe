// quendal_e2e: starts the real program in-process, the way main() does, on
// the X display it is given (a virtual one under xvfb-run), walks the road
// of one simplification and its drawings with mouse and keyboard events,
// and saves a screenshot of the screen at every step. Exit status 0 when
// every step showed what it must.
//
// Usage: quendal_e2e [--shots DIR] [--workdir DIR] [--guide DIR]
//   --shots    where the screenshots go (default: e2e-screenshots)
//   --guide    also save the user guide's pictures (e2e_*.png) there
//   --workdir  the program's working folder, which must be new or empty
//              (default: a fresh temporary folder, removed afterwards)

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "app/shell.h"
#include "app/startup.h"
#include "tests/e2e/road.h"

using namespace quendal::app;

namespace {

void fail(const char* text) {
    std::fprintf(stderr, "e2e: %s\n", text);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    prepareApplication();

    QString shotsPath = QStringLiteral("e2e-screenshots");
    QString workPath;
    QString guidePath;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--shots") && i + 1 < args.size()) {
            shotsPath = args[++i];
        } else if (args[i] == QLatin1String("--workdir") && i + 1 < args.size()) {
            workPath = args[++i];
        } else if (args[i] == QLatin1String("--guide") && i + 1 < args.size()) {
            guidePath = args[++i];
        } else {
            std::fprintf(stderr,
                         "usage: quendal_e2e [--shots DIR] [--workdir DIR] [--guide DIR]\n");
            return 2;
        }
    }
    // The road proves the program in a real X window, not offscreen.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        fail("needs the X platform (QT_QPA_PLATFORM=xcb and a display, e.g. under xvfb-run)");
        return 2;
    }

    QDir shotsDir(shotsPath);
    if (!QDir().mkpath(shotsDir.absolutePath())) {
        fail("cannot create the screenshot folder");
        return 2;
    }
    for (const QString& old : shotsDir.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        shotsDir.remove(old);
    }
    QTemporaryDir temporary(QDir::temp().filePath(QStringLiteral("quendal-e2e-XXXXXX")));
    if (workPath.isEmpty()) workPath = temporary.path();
    QDir workdir(workPath);
    if (!QDir().mkpath(workdir.absolutePath()) || !workdir.isEmpty()) {
        fail("the working folder must be new or empty");
        return 2;
    }
    // The program writes in.txt, out.txt and log.txt to its working folder.
    QDir::setCurrent(workdir.absolutePath());

    e2e::Screenshots shots(QDir(shotsDir.absolutePath()));
    if (!guidePath.isEmpty()) {
        if (!QDir().mkpath(guidePath)) {
            fail("cannot create the guide folder");
            return 2;
        }
        shots.setGuideFolder(QDir(QDir(guidePath).absolutePath()));
    }
    Shell shell;
    quitWhenFinished(shell);
    e2e::Road road(shell, shots, QDir(workdir.absolutePath()));
    QObject::connect(&shell, &Shell::finished, [&road] { road.programFinished(); });

    // A step that hangs (a modal window nobody answers) ends the run.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&shots] {
        fail("FAILED: the road took longer than 180 s");
        shots.take(QStringLiteral("TIMEOUT"));
        std::_Exit(1);
    });
    watchdog.start(180000);

    bool passed = false;
    QTimer::singleShot(0, [&] {
        passed = road.walk();
        // After a failure the program is still running: end it.
        if (!passed) QCoreApplication::exit(1);
    });
    shell.start();
    app.exec();
    std::fprintf(stderr, "e2e: %s; screenshots in %s\n", passed ? "PASSED" : "FAILED",
                 qPrintable(shotsDir.absolutePath()));
    return passed ? 0 : 1;
}
