// The last working stretch of the road: each Explain view of the typed function AB'+C opened
// once from the menu, each showing what the view draws for that function.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "app/frmCircuit.h"
#include "app/mdifrmMain.h"
#include "drawing/canvas_document.h"
#include "tests/support/whole_picture.h"
#include "explain/karnaugh_map.h"
#include "explain/steps_view.h"
#include "explain/truth_table_view.h"
#include "tests/e2e/file_checks.h"
#include "tests/e2e/print_dialog_driver.h"
#include "tests/e2e/road.h"

using namespace quendal::drawing;
using namespace quendal::explain;
using namespace quendal::app;

namespace e2e {

void Road::explainViews() {
    // AB'+C: the 1-rows 1, 3, 4, 5 and 7 of three variables.
    logic::Function f;
    f.width = 3;
    for (int row : {1, 3, 4, 5, 7}) f.on.set(row);
    const qm::Explanation e = qm::explain(f);
    struct View {
        const char* item;
        QString caption, shot;
        std::function<void(Canvas&)> draw;
    };
    const View views[] = {
        {"mnuExplainTruthTable", QStringLiteral("Truth Table 1"),
         QStringLiteral("explain_truth_table"), [&](Canvas& c) { drawTruthTable(c, e, "ABC"); }},
        {"mnuExplainKarnaughMap", QStringLiteral("Karnaugh Map 1"),
         QStringLiteral("explain_karnaugh_map"),
         [&](Canvas& c) { drawKarnaughMap(c, e, "ABC", LoopForm::Sop); }},
        {"mnuExplainSteps", QStringLiteral("Steps 1"), QStringLiteral("explain_steps"),
         [&](Canvas& c) { drawSteps(c, e, "ABC"); }},
    };
    for (const View& view : views) {
        chooseMenuItem(main(), "mnuExplain", view.item);
        frmCircuit* document = main()->activeDocument();
        check(document != nullptr, view.caption + QStringLiteral(" did not open"));
        checkEqual(document->windowTitle(), view.caption, QStringLiteral("document caption"));
        // The document shows exactly the view drawn for the function.
        DocumentCanvas expected;
        view.draw(expected);
        check(wholePicture(document->canvas()) == wholePicture(expected),
              view.caption + QStringLiteral(" does not show the view of AB'+C"));
        const QImage shot = shots_.take(view.shot);
        const QRect shown = checkDocumentOnScreen(document, shot);
        const QRect ink = inkBounds(shot, shown, qRgb(255, 255, 255));
        shots_.keep(
            view.shot, shot,
            onScreen(document).intersected(QRect(0, 0, ink.right() + 30, ink.bottom() + 30)));
        if (view.shot != QStringLiteral("explain_karnaugh_map")) continue;
        // The map's own switch redraws it with the loops around the zeros.
        clickOption(child<QAbstractButton>(document, "optPos"));
        DocumentCanvas pos;
        drawKarnaughMap(pos, e, "ABC", LoopForm::Pos);
        check(waitUntil([&] { return wholePicture(document->canvas()) == wholePicture(pos); }),
              QStringLiteral("the switch did not redraw the map with the POS loops"));
    }

    chooseMenuItem(main(), "mnuExplain", "mnuExplainCheck");
    QMdiSubWindow* window = main()->mdiArea()->currentSubWindow();
    check(window != nullptr, QStringLiteral("Check 1 did not open"));
    checkEqual(window->widget()->windowTitle(), QStringLiteral("Check 1"),
               QStringLiteral("check window caption"));
    auto* answer = child<QLineEdit>(window->widget(), "txtAnswer");
    click(answer);
    type(answer, QStringLiteral("C+AB'"));
    click(child<QPushButton>(window->widget(), "cmdCheck"));
    const QString verdict = child<QLabel>(window->widget(), "lblVerdict")->text();
    check(verdict.startsWith(QStringLiteral("Equivalent and minimal")),
          QStringLiteral("check verdict: ") + verdict);
    const QImage shot = shots_.take(QStringLiteral("explain_check"));
    // The window down to its Show button; the rest is empty.
    QRect part = onScreen(window);
    part.setBottom(onScreen(child<QPushButton>(window->widget(), "cmdShow")).bottom() + 12);
    shots_.keep(QStringLiteral("explain_check"), shot, part);
    // The check exports as a page through the drawings' vector path.
    const QString svg = workdir_.filePath(QStringLiteral("check1.svg"));
    expectExportDialogs(svg);
    chooseMenuItem(main(), "mnuFile", "mnuFileExport");
    check(waitUntil([this] { return !expected_; }), QStringLiteral("no export dialogs"));
    check(waitUntil([&] { return QFileInfo(svg).size() > 0; }), QStringLiteral("no SVG written"));
    const QString page = QString::fromUtf8(fileBytes(svg));
    for (const QString& text : {QStringLiteral("C+AB'"), QStringLiteral("Equivalent and minimal")})
        check(page.contains(text), QStringLiteral("the exported check lacks ") + text);
    // And prints the same page.
    const QString pdf = workdir_.filePath(QStringLiteral("check1.pdf"));
    expected_ = [pdf](QWidget* modal) {
        answerPrintDialog(modal, pdf, [] {});
        return true;
    };
    chooseMenuItem(main(), "mnuFile", "mnuFilePrint");
    check(waitUntil([this] { return !expected_; }), QStringLiteral("no print dialog"));
    check(waitUntil([&] { return QFileInfo(pdf).size() > 0; }), QStringLiteral("no PDF written"));
    const std::optional<QString> printed = toolOutput(QStringLiteral("pdftotext"), {pdf, "-"});
    check(printed && printed->contains(QStringLiteral("Equivalent and minimal")),
          QStringLiteral("the printed check lacks its verdict"));
    // Done checking: the window goes, and the road goes on from the work form.
    window->close();
    check(waitUntil([&] { return main()->mdiArea()->currentSubWindow() != window; }),
          QStringLiteral("Check 1 did not close"));
    showWorkForm();
}

}  // namespace e2e
