#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include "explain/karnaugh_map.h"
#include "explain/steps_view.h"
#include "explain/truth_table_view.h"
#include "practice/exercise_window.h"
#include "practice/practice_map.h"
#include "practice/practice_menu.h"
#include "practice/worksheet.h"
#include "tests/app/scripted_file_dialogs.h"
#include "tests/support/recording_canvas.h"

namespace quendal::practice {
namespace {

std::string contents(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string joinedLines(const drawing::RecordingCanvas& canvas) {
    std::string all;
    for (const std::string& line : canvas.lines()) all += line + "\n";
    return all;
}

// Y(A,B,C) = C + AB: a level-1 function whose minimum is easy to spot in a drawing.
Exercise simpleExercise() {
    Exercise e;
    e.request = {1, 3, false, 0};
    e.code = "L1-3V-N-0000";
    e.function = logic::functionOfTerms(3, {1, 3, 5, 6, 7}, logic::TermMode::Minterms);
    return e;
}

// The practice views show the function and nothing of its minimum.
TEST(PracticeViews, ShowNothingOfTheMinimum) {
    const qm::Explanation e = qm::explain(simpleExercise().function);
    drawing::RecordingCanvas table, fullTable, map, steps, fullSteps;
    explain::drawTruthTable(table, e, "ABC", true);
    explain::drawTruthTable(fullTable, e, "ABC");
    EXPECT_EQ(joinedLines(table).find("Covered by"), std::string::npos);
    EXPECT_EQ(joinedLines(table).find("'AB'"), std::string::npos);
    EXPECT_NE(joinedLines(fullTable).find("'AB'"), std::string::npos);
    explain::KarnaughPractice none;
    explain::drawKarnaughMap(map, e, "ABC", explain::LoopForm::Sop, &none);
    const std::string mapText = joinedLines(map);
    EXPECT_EQ(mapText.find("arc"), std::string::npos);  // no loop has a corner drawn
    EXPECT_EQ(mapText.find("C + AB"), std::string::npos);
    explain::drawSteps(steps, e, "ABC", 1);
    explain::drawSteps(fullSteps, e, "ABC");
    EXPECT_EQ(joinedLines(steps).find("2. Prime implicants"), std::string::npos);
    EXPECT_NE(joinedLines(steps).find("Next Step"), std::string::npos);
    EXPECT_NE(joinedLines(fullSteps).find("2. Prime implicants"), std::string::npos);
}

class ExerciseWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString record = dir.filePath(QStringLiteral("practice.csv"));
    std::vector<QString> messages;
    ExerciseWindow* open() {
        ExerciseWindow::Hooks hooks;
        hooks.recordPath = record.toStdString();
        hooks.message = [this](const QString& m) { messages.push_back(m); };
        const Exercise x = simpleExercise();
        return new ExerciseWindow(
            x, std::make_shared<const qm::Explanation>(qm::explain(x.function)),
            PracticeRecord{"ann", "2026-12-08 09:00", "", {}, 0, 0, 0}, hooks);
    }
    template <class T>
    static T* child(QWidget* w, const char* name) {
        return w->findChild<T*>(QLatin1String(name));
    }
};

// A whole exercise: boxes empty, a wrong answer and a hint, Reveal, and the row it leaves.
TEST_F(ExerciseWindowTest, HidesTheMinimumUntilRevealAndRecordsTheWork) {
    std::unique_ptr<ExerciseWindow> w(open());
    EXPECT_TRUE(child<QLineEdit>(w.get(), "txtMinSop")->text().isEmpty());
    EXPECT_TRUE(child<QLineEdit>(w.get(), "txtMinPos")->text().isEmpty());
    EXPECT_FALSE(child<QPushButton>(w.get(), "cmdShow")->isVisibleTo(w.get()));
    child<QLineEdit>(w.get(), "txtAnswer")->setText(QStringLiteral("C"));
    QTest::mouseClick(child<QPushButton>(w.get(), "cmdCheck"), Qt::LeftButton);
    EXPECT_EQ(child<QLabel>(w.get(), "lblVerdict")->text(),
              QStringLiteral("Row 6 is a 1 that none of your products covers."));
    child<QLineEdit>(w.get(), "txtAnswer")->setText(QStringLiteral("C +"));
    w->cmdCheck_Click();
    EXPECT_FALSE(child<QLabel>(w.get(), "lblVerdict")->text().isEmpty());
    w->cmdHint_Click();
    EXPECT_TRUE(
        child<QLabel>(w.get(), "lblHint")->text().startsWith(QStringLiteral("Hint 1 of 3")));
    EXPECT_TRUE(child<QLineEdit>(w.get(), "txtMinSop")->text().isEmpty());
    w->cmdReveal_Click();
    EXPECT_EQ(child<QLineEdit>(w.get(), "txtMinSop")->text(), QStringLiteral("Y = AB+C"));
    EXPECT_EQ(child<QLineEdit>(w.get(), "txtMinPos")->text(), QStringLiteral("Y = (A+C)(B+C)"));
    EXPECT_TRUE(w->finish());
    EXPECT_TRUE(w->finish());  // once only
    const std::string csv = contents(record);
    EXPECT_EQ(csv.rfind(practiceHeader(), 0), 0u);
    EXPECT_NE(csv.find("ann,2026-12-08 09:00,L1-3V-N-0000,C: Row 6 is a 1"), std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",1,1,"), std::string::npos);  // one hint, one reveal
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 2);
}

TEST_F(ExerciseWindowTest, ARecordThatCannotBeWrittenIsToldAndTheWindowStays) {
    QDir().mkdir(record);
    std::unique_ptr<ExerciseWindow> w(open());
    EXPECT_FALSE(w->finish());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("practice.csv")));
}

// Loops dragged on the map with the mouse, one wrapping round the edge: each judged at once,
// then the set.
TEST(PracticeMapTest, DraggedLoopsAreJudgedAloneAndTogether) {
    const Exercise x = simpleExercise();
    std::vector<std::pair<std::string, std::string>> reports;
    PracticeMapWindow w(
        std::make_shared<const qm::Explanation>(qm::explain(x.function)), "ABC",
        [&](const std::string& l, const std::string& v) { reports.emplace_back(l, v); });
    PracticeMapView* view = w.view();
    auto drag = [&](int from, QPoint to, Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(view, Qt::LeftButton, keys, view->cellCentre(from));
        QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         keys);
        QApplication::sendEvent(view, &move);
        QTest::mouseRelease(view, Qt::LeftButton, keys, to);
    };
    auto* verdict = w.findChild<QLabel*>(QStringLiteral("lblLoop"));
    // Cell 1 to cell 7 (the middle two columns of both rows): the loop C.
    drag(1, view->cellCentre(7));
    ASSERT_EQ(view->loops().size(), 1u);
    EXPECT_EQ(
        verdict->text(),
        QStringLiteral("C is a prime implicant, and essential: no other prime covers cell 1."));
    drag(6, view->cellCentre(6));
    EXPECT_TRUE(verdict->text().startsWith(QStringLiteral("ABC' is an implicant but not prime")));
    w.cmdCheckLoops_Click();
    EXPECT_EQ(reports.back().second, "Correct, but not minimal: 1 literal too many.");
    // A right click takes the newest loop on a cell away; a drag past the left edge wraps.
    QTest::mouseClick(view, Qt::RightButton, {}, view->cellCentre(6));
    ASSERT_EQ(view->loops().size(), 1u);
    const QPoint pastLeft =
        view->cellCentre(4) - QPoint(view->cellCentre(5).x() - view->cellCentre(4).x(), 0);
    drag(4, pastLeft);
    ASSERT_EQ(view->loops().size(), 2u);
    EXPECT_EQ(view->loops().back(), logic::cubeOfCode("1-0"));  // cells 4 and 6, round the edge
    EXPECT_TRUE(verdict->text().contains(QStringLiteral("cell 4 inside it is a 0")));
    w.cmdCheckLoops_Click();
    EXPECT_EQ(reports.back().second, "AC' is 1 on row 4, where the function is 0.");
}

// On six variables the pointer finds the cells of all four maps: a drag from map to map, and
// with Shift round the maps' edge.
TEST(PracticeMapTest, DragsReachAcrossTheMaps) {
    const Exercise x = generateExercise({3, 6, false, 1});
    PracticeMapView view(std::make_shared<const qm::Explanation>(qm::explain(x.function)),
                         "ABCDEF");
    for (int minterm = 0; minterm < 64; ++minterm) {
        const auto cell = explain::karnaughLayout(6).cellOf(minterm);
        const MapPoint p = view.pointAt(view.cellCentre(minterm));
        ASSERT_TRUE(p.map == cell.map && p.row == cell.row && p.col == cell.col) << minterm;
    }
    auto drag = [&](int from, int to, Qt::KeyboardModifiers keys) {
        QTest::mousePress(&view, Qt::LeftButton, keys, view.cellCentre(from));
        QTest::mouseRelease(&view, Qt::LeftButton, keys, view.cellCentre(to));
        return view.loops().back();
    };
    // Maps AB = 00, 01, 11, 10 side by side: cell 0 to cell 16 joins the first two.
    EXPECT_EQ(drag(0, 16, Qt::NoModifier), logic::cubeOfCode("0-0000"));
    EXPECT_EQ(drag(0, 32, Qt::ShiftModifier), logic::cubeOfCode("-00000"));
}

// The exporter's exercises command: what it writes, and what it refuses.
TEST(ExercisesCommand, WritesJsonAndPdfsAndRefusesBadArguments) {
    QTemporaryDir dir;
    const QString json = dir.filePath(QStringLiteral("sheet.json"));
    std::ostringstream err;
    ASSERT_EQ(runExercisesCommand({"--exercises", "3", "--level", "2", "--vars", "4",
                                   "--dont-cares", "--seed", "77", "--format", "json", "-o", json},
                                  err),
              0)
        << err.str();
    const QJsonArray list = QJsonDocument::fromJson(QByteArray::fromStdString(contents(json)))
                                .object()["exercises"]
                                .toArray();
    ASSERT_EQ(list.size(), 3);
    const auto expected = worksheetExercises(3, 2, 4, true, 77);
    for (int i = 0; i < 3; ++i) {
        const QJsonObject o = list[i].toObject();
        const Exercise& x = expected[static_cast<std::size_t>(i)];
        EXPECT_EQ(o["code"].toString().toStdString(), x.code);
        EXPECT_EQ(o["variables"].toInt(), 4);
        EXPECT_EQ(o["level"].toInt(), 2);
        logic::RowSet ones, dcs;
        for (const auto v : o["ones"].toArray()) ones.set(v.toInt());
        for (const auto v : o["dontCares"].toArray()) dcs.set(v.toInt());
        EXPECT_EQ(ones, x.function.on);
        EXPECT_EQ(dcs, x.function.dc);
    }
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    const QString key = dir.filePath(QStringLiteral("key.pdf"));
    ASSERT_EQ(runExercisesCommand({"--exercises", "2", "--level", "3", "--vars", "6", "--seed", "5",
                                   "--format", "pdf", "-o", pdf, "--answers", key},
                                  err),
              0)
        << err.str();
    EXPECT_EQ(contents(pdf).rfind("%PDF", 0), 0u);
    EXPECT_EQ(contents(key).rfind("%PDF", 0), 0u);

    const QStringList good{"--exercises", "2", "--level",  "1",    "--vars", "3",
                           "--seed",      "1", "--format", "json", "-o",     json};
    for (const auto& [at, value] : std::vector<std::pair<int, QString>>{
             {1, "0"}, {1, "101"}, {3, "4"}, {5, "7"}, {5, "x"}, {7, "1048576"}, {9, "svg"}}) {
        QStringList bad = good;
        bad[at] = value;
        std::ostringstream why;
        EXPECT_EQ(runExercisesCommand(bad, why), 2) << bad.join(' ').toStdString();
        const std::string text = why.str();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    }
    std::ostringstream why;
    EXPECT_EQ(runExercisesCommand(QStringList(good.begin(), good.end() - 2), why), 2);
    EXPECT_EQ(runExercisesCommand({"--exercises", "1", "--level", "3", "--vars", "2", "--seed", "1",
                                   "--format", "json", "-o", json},
                                  why),
              2);
    // Not a regular file: refused at once, nothing left behind.
    const QString fifo = dir.filePath(QStringLiteral("pipe.json"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QStringList toPipe = good;
    toPipe.last() = fifo;
    EXPECT_EQ(runExercisesCommand(toPipe, why), 1);
    toPipe.last() = dir.path();
    EXPECT_EQ(runExercisesCommand(toPipe, why), 1);
    EXPECT_NE(why.str().find("it is a folder"), std::string::npos);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 4);
}

}  // namespace
}  // namespace quendal::practice

namespace quendal::practice {
namespace {

// The menu's glue: codes opened or refused, and each view in practice form until Reveal.
TEST(PracticeMenuTest, OpensViewsInPracticeFormUntilReveal) {
    QTemporaryDir dir;
    QMenuBar bar;
    QMdiArea area;
    std::vector<std::unique_ptr<drawing::RecordingCanvas>> canvases;
    std::vector<std::unique_ptr<QWidget>> controls;
    std::vector<QString> captions, messages;
    PracticeMenu::Hooks hooks;
    hooks.openDocument = [&](const QString& caption, QWidget* extra) -> drawing::Canvas& {
        captions.push_back(caption);
        controls.emplace_back(extra);
        canvases.push_back(std::make_unique<drawing::RecordingCanvas>());
        return *canvases.back();
    };
    hooks.message = [&](const QString& m) { messages.push_back(m); };
    hooks.recordPath = dir.filePath(QStringLiteral("practice.csv")).toStdString();
    PracticeMenu menu(&bar, nullptr, &area, hooks);

    EXPECT_EQ(menu.openCode(QStringLiteral("L3-2V-N-0000")), nullptr);  // no such level
    EXPECT_EQ(menu.openCode(QStringLiteral("nonsense")), nullptr);
    ASSERT_EQ(messages.size(), 2u);
    ExerciseWindow* exercise = menu.openCode(QStringLiteral("l2-4v-d-8k3q"));
    ASSERT_NE(exercise, nullptr);
    EXPECT_EQ(exercise->exercise().code, "L2-4V-D-8K3Q");

    menu.openView(*exercise, ExerciseWindow::View::Steps);
    auto* next = qobject_cast<QPushButton*>(controls.back().get());
    ASSERT_NE(next, nullptr);
    for (int i = 1; i < explain::kStepsParts; ++i) {
        EXPECT_EQ(joinedLines(*canvases.back()).find("7. The minimum product of sums"),
                  std::string::npos);
        next->click();
    }
    EXPECT_NE(joinedLines(*canvases.back()).find("7. The minimum product of sums"),
              std::string::npos);
    EXPECT_FALSE(next->isEnabled());
    menu.openView(*exercise, ExerciseWindow::View::TruthTable);
    EXPECT_EQ(joinedLines(*canvases.back()).find("Covered by"), std::string::npos);
    menu.openView(*exercise, ExerciseWindow::View::KarnaughMap);
    EXPECT_NE(area.activeSubWindow()->findChild<PracticeMapWindow*>(), nullptr);
    exercise->cmdReveal_Click();
    menu.openView(*exercise, ExerciseWindow::View::TruthTable);
    EXPECT_NE(joinedLines(*canvases.back()).find("Covered by"), std::string::npos);
    EXPECT_EQ(captions.front().left(9), QStringLiteral("Practice "));
    EXPECT_EQ(captions.back().left(11), QStringLiteral("Truth Table"));
}

}  // namespace
}  // namespace quendal::practice

namespace quendal::practice {
namespace {

// The menu's dialogs, answered as a person would: a new exercise of the kind chosen, and a
// worksheet with its answer key beside it.
TEST(PracticeMenuTest, NewExerciseAndWorksheetFollowTheirDialogs) {
    QTemporaryDir dir;
    QMenuBar bar;
    QMdiArea area;
    ScriptedFileDialogs files;
    files.saveNames.push_back(dir.filePath(QStringLiteral("sheet")));
    PracticeMenu::Hooks hooks;
    hooks.fileDialogs = &files;
    hooks.recordPath = dir.filePath(QStringLiteral("practice.csv")).toStdString();
    std::vector<QString> messages;
    hooks.message = [&](const QString& m) { messages.push_back(m); };
    PracticeMenu menu(&bar, nullptr, &area, hooks);
    // Answers the dialog once it is up: 5 variables, don't-cares, level 3 (and 2 exercises).
    auto answer = [](int count) {
        QTimer::singleShot(0, [count] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QSpinBox*>(QStringLiteral("spnVariables"))->setValue(5);
            dialog->findChild<QCheckBox*>(QStringLiteral("chkDontCares"))->setChecked(true);
            dialog->findChild<QComboBox*>(QStringLiteral("cboLevel"))->setCurrentIndex(2);
            if (auto* spin = dialog->findChild<QSpinBox*>(QStringLiteral("spnCount")))
                spin->setValue(count);
            dialog->accept();
        });
    };
    answer(0);
    menu.mnuPracticeNew_Click();
    auto* exercise = area.activeSubWindow()->findChild<ExerciseWindow*>();
    ASSERT_NE(exercise, nullptr);
    EXPECT_EQ(exercise->exercise().code.substr(0, 7), "L3-5V-D");
    answer(2);
    menu.mnuPracticeWorksheet_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(contents(dir.filePath(QStringLiteral("sheet.pdf"))).rfind("%PDF", 0), 0u);
    EXPECT_EQ(contents(dir.filePath(QStringLiteral("sheet-answers.pdf"))).rfind("%PDF", 0), 0u);
}

}  // namespace
}  // namespace quendal::practice
