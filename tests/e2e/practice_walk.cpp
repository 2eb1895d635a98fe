// quendal_e2e_practice: the real program on the X display it is given (a virtual one under
// xvfb-run -a): signs in, starts a new exercise from the Practice menu, drags two loops on the
// practice Karnaugh map with the mouse, checks them, reveals the minimum and closes the
// exercise, whose row must then be in practice.csv. Exit status 0 when every step showed what
// it must.
//
// Usage: quendal_e2e_practice [--shots DIR]

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/frmSplash.h"
#include "app/mdifrmMain.h"
#include "app/shell.h"
#include "app/startup.h"
#include "practice/exercise_window.h"
#include "practice/practice_map.h"
#include "tests/e2e/ui_driver.h"

using namespace e2e;
using quendal::practice::ExerciseWindow;
using quendal::practice::PracticeMapView;
using quendal::practice::PracticeMapWindow;

namespace {

template <typename T>
T* findVisible() {
    for (QWidget* w : QApplication::allWidgets()) {
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
    }
    return nullptr;
}

// The cells to drag between (and whether Shift wraps) for a loop, found by trying them.
bool dragFor(const quendal::explain::KarnaughLayout& layout, const logic::Cube& loop, int& from,
             int& to, bool& shift) {
    const int rows = 1 << layout.width;
    for (int wrap = 0; wrap < 2; ++wrap) {
        for (from = 0; from < rows; ++from) {
            for (to = 0; to < rows; ++to) {
                if (!loop.contains(from) || !loop.contains(to)) continue;
                const auto a = layout.cellOf(from), b = layout.cellOf(to);
                const auto got = quendal::practice::loopOfDrag(layout, {a.map, a.row, a.col},
                                                               {b.map, b.row, b.col}, wrap == 1);
                if (got && *got == loop) {
                    shift = wrap == 1;
                    return true;
                }
            }
        }
    }
    return false;
}

void walk(quendal::app::Shell& shell, Screenshots& shots) {
    auto* splash = shell.loginForm();
    check(waitUntil([splash] { return splash && splash->isVisible(); }), "no login form");
    auto* name = child<QLineEdit>(splash, "txtUsername");
    click(name);
    type(name, QStringLiteral("test user"));
    click(child<QPushButton>(splash, "cmdOk"));
    check(waitUntil([&] { return shell.mainWindow() && shell.mainWindow()->isVisible(); }),
          "no main window after Ok");
    auto* main = shell.mainWindow();

    // Practice > New Exercise...: 3 variables, level 1, Ok.
    QString dialogFailure;
    ModalAnswerer answerer([&](QWidget* modal) {
        if (modal->objectName() != QLatin1String("dlgNewExercise")) return false;
        modal->findChild<QSpinBox*>(QStringLiteral("spnVariables"))->setValue(3);
        modal->findChild<QComboBox*>(QStringLiteral("cboLevel"))->setCurrentIndex(0);
        shots.take(QStringLiteral("practice_new_exercise"));
        qobject_cast<QDialog*>(modal)->accept();
        return true;
    });
    chooseMenuItem(main, "mnuPractice", "mnuPracticeNew");
    check(waitUntil([] { return findVisible<ExerciseWindow>() != nullptr; }), "no exercise window");
    auto* exercise = findVisible<ExerciseWindow>();
    checkEqual(child<QLineEdit>(exercise, "txtMinSop")->text(), QString(), "txtMinSop at start");
    shots.take(QStringLiteral("practice_exercise"));

    click(child<QPushButton>(exercise, "cmdKarnaughMap"));
    check(waitUntil([] { return findVisible<PracticeMapWindow>() != nullptr; }), "no practice map");
    auto* mapWindow = findVisible<PracticeMapWindow>();
    mapWindow->parentWidget()->showMaximized();
    wait(200);
    PracticeMapView* view = mapWindow->view();
    const auto layout = quendal::explain::karnaughLayout(3);
    // Two loops: the first two products of the minimum, or its one product and a single 1-cell
    // inside it, which Check Loops must then call redundant.
    const auto& minimum = exercise->explanation()->covers.front();
    std::vector<logic::Cube> drawn(minimum.begin(),
                                   minimum.begin() + std::min<std::size_t>(2, minimum.size()));
    if (drawn.size() == 1) {
        const int row = (drawn[0].rows(3) & exercise->exercise().function.on).first();
        drawn.push_back(logic::Cube{static_cast<std::uint8_t>(row), 0});
    }
    for (std::size_t k = 0; k < drawn.size(); ++k) {
        int from = 0, to = 0;
        bool shift = false;
        check(dragFor(layout, drawn[k], from, to, shift), "no drag gives the loop");
        const Qt::KeyboardModifiers keys = shift ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::mousePress(view, Qt::LeftButton, keys, view->cellCentre(from));
        QTest::mouseMove(view, view->cellCentre(to));
        QMouseEvent move(QEvent::MouseMove, view->cellCentre(to),
                         view->mapToGlobal(view->cellCentre(to)), Qt::NoButton, Qt::LeftButton,
                         keys);
        QApplication::sendEvent(view, &move);
        QTest::mouseRelease(view, Qt::LeftButton, keys, view->cellCentre(to));
        wait(100);
        check(view->loops().size() == k + 1, "the drag drew no loop");
        check(view->loops().back() == drawn[k], "the drag drew another loop");
        check(child<QLabel>(mapWindow, "lblLoop")->text().contains(QStringLiteral(" is ")),
              "the loop was not judged");
    }
    click(child<QPushButton>(mapWindow, "cmdCheckLoops"));
    const QString verdict = child<QLabel>(mapWindow, "lblLoops")->text();
    check(minimum.size() == 1   ? verdict.contains(QStringLiteral("is redundant"))
          : minimum.size() == 2 ? verdict.startsWith(QStringLiteral("Correct and minimal"))
                                : verdict.contains(QStringLiteral("none of your loops covers")),
          "Check Loops said: " + verdict);
    shots.take(QStringLiteral("practice_map_checked"));

    main->findChild<QMdiArea*>()->setActiveSubWindow(
        qobject_cast<QMdiSubWindow*>(exercise->parentWidget()));
    click(child<QPushButton>(exercise, "cmdReveal"));
    check(!child<QLineEdit>(exercise, "txtMinSop")->text().isEmpty(), "Reveal filled no box");
    shots.take(QStringLiteral("practice_revealed"));
    const QString code = QString::fromStdString(exercise->exercise().code);
    exercise->parentWidget()->close();
    wait(200);
    std::ifstream in("practice.csv");
    std::stringstream csv;
    csv << in.rdbuf();
    const QString record = QString::fromStdString(csv.str());
    check(record.contains(QStringLiteral("Test User,")) && record.contains(code) &&
              record.contains(QStringLiteral("loops ")),
          "practice.csv lacks the exercise: " + record);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quendal::app::prepareApplication();
    QString shotsPath = QStringLiteral("e2e-practice-screenshots");
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--shots")) {
        shotsPath = args[2];
    } else if (args.size() != 1) {
        std::fprintf(stderr, "usage: quendal_e2e_practice [--shots DIR]\n");
        return 2;
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "e2e: needs the X platform (e.g. under xvfb-run -a)\n");
        return 2;
    }
    QDir shotsDir(shotsPath);
    QDir().mkpath(shotsDir.absolutePath());
    QTemporaryDir workdir(QDir::temp().filePath(QStringLiteral("quendal-practice-XXXXXX")));
    QDir::setCurrent(workdir.path());
    Screenshots shots(QDir(shotsDir.absolutePath()));
    quendal::app::Shell shell;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        std::fprintf(stderr, "e2e: FAILED: the practice walk took longer than 120 s\n");
        std::_Exit(1);
    });
    watchdog.start(120000);
    int status = 1;
    QTimer::singleShot(0, [&] {
        try {
            walk(shell, shots);
            status = 0;
        } catch (const StepFailure& failure) {
            std::fprintf(stderr, "e2e: FAILED: %s\n", failure.what());
            shots.take(QStringLiteral("FAILED"));
        }
        QCoreApplication::exit(status);
    });
    shell.start();
    app.exec();
    std::fprintf(stderr, "e2e: practice walk %s\n", status == 0 ? "PASSED" : "FAILED");
    return status;
}
