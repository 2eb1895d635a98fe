// The Explain menu and the check window driven as a user does: the menu follows Simplify, its
// items open numbered documents showing the views, and the check window answers in words.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <deque>

#include "common/session.h"
#include "explain/check_answer_window.h"
#include "explain/explain_menu.h"
#include "logic/expression_parser.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;
using namespace quendal::explain;

namespace {

bool hasText(const RecordingCanvas& canvas, const std::string& text) {
    for (const auto& op : canvas.operations()) {
        if (op.kind == RecordingCanvas::Kind::Text && op.text == text) return true;
    }
    return false;
}

class ExplainMenuTest : public ::testing::Test {
protected:
    ExplainMenuTest() {
        area = new QMdiArea(&window);
        window.setCentralWidget(area);
        view = window.menuBar()->addMenu(QStringLiteral("&View"));
        windowMenu = window.menuBar()->addMenu(QStringLiteral("&Window"));
        // Ones 1, 3, 7, 11, 15 with don't-cares 0, 2, 5.
        function.function =
            logic::functionOfTerms(4, {1, 3, 7, 11, 15}, logic::TermMode::Minterms, {0, 2, 5});
        function.letters = "ABCD";
        ExplainMenu::Hooks hooks{[this] { return function; },
                                 [this](const QString& caption, QWidget* controls) -> Canvas& {
                                     captions.push_back(caption);
                                     canvases.emplace_back();
                                     auto* widget = new QWidget;
                                     widget->setWindowTitle(caption);
                                     if (controls) controls->setParent(widget);
                                     QMdiSubWindow* window = area->addSubWindow(widget);
                                     window->show();
                                     area->setActiveSubWindow(window);
                                     return canvases.back();
                                 },
                                 [this](const QString& text) { messages << text; }};
        menu = new ExplainMenu(window.menuBar(), windowMenu->menuAction(), area, hooks, &window);
    }
    QAction* item(const char* name) { return menu->menu()->findChild<QAction*>(name); }

    QMainWindow window;
    QMdiArea* area = nullptr;
    QMenu* view = nullptr;
    QMenu* windowMenu = nullptr;
    FunctionView function;
    ExplainMenu* menu = nullptr;
    QStringList captions, messages;
    std::deque<RecordingCanvas> canvases;
};

TEST_F(ExplainMenuTest, SitsBetweenViewAndWindowAndFollowsSimplify) {
    const auto menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Ex&plain"));
    EXPECT_FALSE(menu->menu()->isEnabled());
    menu->setAvailable(true);
    EXPECT_TRUE(menu->menu()->isEnabled());
    menu->setAvailable(false);
    EXPECT_FALSE(menu->menu()->isEnabled());
}

TEST_F(ExplainMenuTest, ItemsOpenNumberedDocumentsShowingTheViews) {
    menu->setAvailable(true);
    item("mnuExplainTruthTable")->trigger();
    item("mnuExplainKarnaughMap")->trigger();
    item("mnuExplainSteps")->trigger();
    item("mnuExplainTruthTable")->trigger();
    EXPECT_EQ(captions,
              (QStringList{"Truth Table 1", "Karnaugh Map 1", "Steps 1", "Truth Table 2"}));
    EXPECT_TRUE(hasText(canvases[0], "Truth table of Y(A,B,C,D)"));
    EXPECT_TRUE(hasText(canvases[1], "A'B'"));  // the SOP legend
    EXPECT_TRUE(hasText(canvases[2], "Y = (A'+C)D   (2 sums, 3 literals)"));

    // The map's own switch redraws it in place with the loops around the zeros; the menu item
    // tells and turns the same switch.
    area->setActiveSubWindow(area->subWindowList()[1]);
    RecordingCanvas& map = canvases[1];
    auto* pos = area->currentSubWindow()->findChild<QRadioButton*>("optPos");
    ASSERT_TRUE(pos);
    QTest::mouseClick(pos, Qt::LeftButton, {}, QPoint(4, pos->height() / 2));
    EXPECT_TRUE(hasText(map, "Y = (A'+C)D"));
    EXPECT_FALSE(hasText(map, "A'B'"));
    emit menu->menu()->aboutToShow();
    EXPECT_TRUE(item("mnuExplainPosLoops")->isChecked());
    item("mnuExplainPosLoops")->trigger();
    EXPECT_TRUE(hasText(map, "Y = A'B'+CD"));
    EXPECT_FALSE(hasText(map, "Y = (A'+C)D"));
    EXPECT_TRUE(area->currentSubWindow()->findChild<QRadioButton*>("optSop")->isChecked());
    EXPECT_EQ(area->subWindowList().size(), 4);

    item("mnuExplainCheck")->trigger();
    QMdiSubWindow* check = area->currentSubWindow();
    ASSERT_TRUE(check);
    EXPECT_EQ(check->widget()->windowTitle(), QStringLiteral("Check 1"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ExplainMenuTest, ViewsShowTheMinimumSimplifyFoundWhenItIsProven) {
    // A'D+CD is as small as A'B'+CD, which the minimizer here prefers.
    function.minimum = logic::parseSumOfProducts("A'D+CD", 4, "ABCD");
    menu->setAvailable(true);
    item("mnuExplainTruthTable")->trigger();
    EXPECT_TRUE(hasText(canvases.back(), "A'D"));
    function.minimumProven = false;
    menu->setAvailable(true);
    item("mnuExplainTruthTable")->trigger();
    EXPECT_TRUE(hasText(canvases.back(), "A'B'"));
    // A minimum that is no cover of the function is not taken either.
    function.minimumProven = true;
    function.minimum = logic::parseSumOfProducts("A'B'", 4, "ABCD");
    menu->setAvailable(true);
    item("mnuExplainTruthTable")->trigger();
    EXPECT_TRUE(hasText(canvases.back(), "CD"));
}

TEST_F(ExplainMenuTest, TheWholeExplanationWorkedOutAfterSimplifyIsSharedAndFollowsIt) {
    menu->setAvailable(true);
    const auto whole = menu->explanation();
    ASSERT_TRUE(whole && whole->pos);
    EXPECT_EQ(menu->explanation(qm::ExplainScope::MinimumSop), whole);
    // Simplifying another function drops what was worked out for the one before, ready or not.
    function.function = logic::functionOfTerms(4, {1, 3}, logic::TermMode::Minterms);
    menu->setAvailable(true);
    menu->setAvailable(true);
    item("mnuExplainSteps")->trigger();
    EXPECT_TRUE(hasText(canvases.back(), "Y = A'B'D   (3 sums, 3 literals)"));
    const logic::Function& shown = menu->explanation()->function;
    EXPECT_TRUE(shown.on.test(1) && shown.on.test(3) && !shown.on.test(7));
}

TEST_F(ExplainMenuTest, KarnaughMapSaysWhyItIsUnavailableAboveSixVariables) {
    function.function = logic::functionOfTerms(8, {0, 255}, logic::TermMode::Minterms);
    function.letters = "ABCDEFGH";
    menu->setAvailable(true);
    QAction* map = item("mnuExplainKarnaughMap");
    EXPECT_FALSE(map->isEnabled());
    EXPECT_TRUE(map->text().contains(QStringLiteral("up to 6 variables")));
    EXPECT_TRUE(map->toolTip().contains(QStringLiteral("this function has 8")));
    item("mnuExplainSteps")->trigger();
    EXPECT_TRUE(
        hasText(canvases.back(), "Y = A'B'C'D'E'F'G'H'+ABCDEFGH   (2 products, 16 literals)"));
}

TEST(CheckWindow, AnswersEquivalenceMinimalitySyntaxAndShowsOnlyWhenAsked) {
    logic::Function f;
    f.width = 4;
    for (int row : {1, 3, 7, 11, 15}) f.on.set(row);
    for (int row : {0, 2, 5}) f.dc.set(row);
    // The window starts from the minimum sum of products and asks for the rest only when a
    // product of sums or Show needs it.
    int fuller = 0;
    CheckAnswerWindow form(std::make_shared<const qm::Explanation>(
                               qm::explain(f, qm::Deadline::max(), qm::ExplainScope::MinimumSop)),
                           "ABCD", [&] {
                               ++fuller;
                               return std::make_shared<const qm::Explanation>(qm::explain(f));
                           });
    auto page = [&] {
        RecordingCanvas canvas;
        form.drawPage(canvas);
        std::string text;
        for (const auto& op : canvas.operations()) text += op.text + "\n";
        return text;
    };
    EXPECT_NE(page().find("No answer has been checked."), std::string::npos);
    // The printout says who checked and when, the date through the clock seam.
    quendal::common::Session::current().UserName = "Ann Lee";
    const FixedClock clock{quendal::common::LocalDateTime{2024, 3, 5, 7, 40, 0}};
    setCheckPageClock(&clock);
    EXPECT_NE(page().find("Student: Ann Lee      Date: 05-Mar-2024\nY(A,B,C,D):\n"),
              std::string::npos);
    setCheckPageClock(nullptr);
    EXPECT_EQ(form.findChild<QLabel*>("lblFunction")->text(),
              "Y(A,B,C,D):   1-rows: 1, 3, 7, 11, 15   Don't-cares: 0, 2, 5");
    auto* answer = form.findChild<QLineEdit*>("txtAnswer");
    auto* verdict = form.findChild<QLabel*>("lblVerdict");
    auto* minimum = form.findChild<QLabel*>("lblMinimum");
    auto enter = [&](const QString& text) {
        answer->setText(text);
        QTest::mouseClick(form.findChild<QPushButton*>("cmdCheck"), Qt::LeftButton);
        return verdict->text();
    };
    EXPECT_TRUE(enter("A'D+CD").startsWith("Equivalent and minimal"));
    EXPECT_EQ(fuller, 0);
    EXPECT_TRUE(enter("D(A'+C)").startsWith("Equivalent and minimal: a minimum product of sums"));
    EXPECT_EQ(fuller, 1);
    EXPECT_TRUE(enter("A'B'D+CD").startsWith("Equivalent, but not minimal"));
    EXPECT_TRUE(enter("A'B'+C").startsWith("Not equivalent. For A = 0, B = 1, C = 1, D = 0"));
    EXPECT_EQ(enter("A'(B+C"), "Missing ')' at position 7 to close the '(' at position 3.");
    EXPECT_EQ(enter("A'B*C"), "Unexpected '*' at position 4.");
    EXPECT_EQ(answer->selectedText(), "*");
    // A paste longer than the box holds is refused with a word, not checked cut short.
    EXPECT_TRUE(
        enter(QString(40000, 'A')).startsWith("The answer is longer than 32767 characters"));
    // Pastes that once exhausted the stack end in a syntax message, and the box goes on working.
    EXPECT_TRUE(enter(QString(25000, '(')).startsWith("Something is missing"));
    EXPECT_TRUE(enter(QString(32766, '(') + "A").startsWith("Missing ')' at position 32768"));
    EXPECT_TRUE(enter("A" + QString(32000, '\'') + "*").startsWith("Unexpected '*'"));
    EXPECT_TRUE(enter("A'D+CD").startsWith("Equivalent and minimal"));
    EXPECT_TRUE(minimum->text().isEmpty());
    // The printed page: the answer last checked with its verdict; the minimum once shown.
    enter("A'B'D+CD");
    EXPECT_NE(page().find("Answer: Y = A'B'D+CD\n" + verdict->text().toStdString()),
              std::string::npos);
    EXPECT_EQ(page().find("minimum sum"), std::string::npos);
    QTest::mouseClick(form.findChild<QPushButton*>("cmdShow"), Qt::LeftButton);
    EXPECT_EQ(minimum->text(),
              "A minimum sum of products: Y = A'B'+CD\n"
              "A minimum product of sums: Y = (A'+C)D");
    EXPECT_NE(page().find("A minimum product of sums: Y = (A'+C)D"), std::string::npos);
}

}  // namespace
