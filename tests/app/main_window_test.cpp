#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include <cmath>

#include "app/credits.h"
#include "app/help_window.h"
#include "explain/explain_menu.h"
#include "tests/app/main_window_support.h"
#include "workspace/frmSimplification.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::app;

namespace {

struct MenuItem {
    const char* name;
    const char* text;
};

void PrintTo(const MenuItem& item, std::ostream* os) {
    *os << item.name;
}

class MainWindowMenu : public MainWindowTest, public ::testing::WithParamInterface<MenuItem> {};

}  // namespace

TEST_P(MainWindowMenu, ItemHasItsCaptionWithAccessKey) {
    QAction* item = action(GetParam().name);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QString(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Items, MainWindowMenu,
    ::testing::Values(
        MenuItem{"mnuFileNewDesign", "New &Design..."},
        MenuItem{"mnuFileOpen", "&Open..."}, MenuItem{"mnuFileClose", "&Close"},
        MenuItem{"mnuFileSave", "&Save"}, MenuItem{"mnuFileSaveAs", "Save &As..."},
        MenuItem{"mnuFilePageSetup", "Page Set&up..."}, MenuItem{"mnuFilePrint", "&Print..."},
        MenuItem{"mnuFileExit", "E&xit"}, MenuItem{"mnuViewToolbar", "&Toolbar"},
        MenuItem{"mnuViewStatusBar", "Status &Bar"}, MenuItem{"mnuFileExport", "&Export..."},
        MenuItem{"mnuViewZoomIn", "Zoom &In"}, MenuItem{"mnuViewZoomOut", "Zoom &Out"},
        MenuItem{"mnuViewActualSize", "&Actual Size"},
        MenuItem{"mnuViewFitInWindow", "&Fit in Window"}, MenuItem{"mnuWindowCascade", "&Cascade"},
        MenuItem{"mnuWindowTileHorizontal", "Tile &Horizontal"},
        MenuItem{"mnuWindowTileVertical", "Tile &Vertical"},
        MenuItem{"mnuWindowArrangeIcons", "&Arrange Icons"},
        MenuItem{"mnuHelpContents", "&Contents"},
        MenuItem{"mnuHelpSearchForHelpOn", "&Search For Help On..."},
        MenuItem{"mnuHelpAbout", "&About "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, MenusComeInOrderWithSeparatorsAndTheShortcut) {
    QStringList titles;
    for (QAction* menu : main->menuBar()->actions()) titles << menu->text();
    EXPECT_EQ(titles, QStringList({"&File", "&View", "Ex&plain", "P&ractice", "&Window", "&Help"}));
    QStringList file;
    for (QAction* item : main->findChild<QMenu*>("mnuFile")->actions()) file << item->objectName();
    EXPECT_EQ(file,
              QStringList({"mnuFileNewDesign", "mnuFileOpen", "mnuFileClose", "mnuFileBar0",
                           "mnuFileSave", "mnuFileSaveAs", "mnuFileExport", "mnuFileBar2",
                           "mnuFilePageSetup", "mnuFilePrint", "mnuFileBar5", "mnuFileExit"}));
    EXPECT_TRUE(action("mnuFileBar0")->isSeparator());
    EXPECT_TRUE(action("mnuHelpBar0")->isSeparator());
    EXPECT_EQ(action("mnuFileOpen")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
}

TEST_F(MainWindowTest, CaptionShowsTheUserNameExactlyAsTyped) {
    Session::current().UserName = "Ann Lee. ";
    mdifrmMain window(seams);
    EXPECT_EQ(window.windowTitle(), "Quendal  -  User  :  Ann Lee. ");
}

TEST_F(MainWindowTest, WorkFormStartsMaximizedAndActiveInsideTheFrame) {
    ASSERT_NE(main->workForm(), nullptr);
    QMdiSubWindow* work = windowOf(main->workForm());
    ASSERT_NE(work, nullptr);
    EXPECT_TRUE(work->isMaximized());
    EXPECT_EQ(area()->currentSubWindow(), work);
    EXPECT_EQ(main->activeDocument(), nullptr);
    EXPECT_EQ(main->frmD(), nullptr);
    EXPECT_FALSE(work->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(area()->background().color(), QColor(224, 224, 224));
}

TEST_F(MainWindowTest, ViewTogglesKeepCheckMarkAndVisibilityEqual) {
    main->show();
    auto* toolbar = main->findChild<QToolBar*>("tbToolBar");
    auto* statusbar = main->findChild<QStatusBar*>("sbStatusBar");
    QAction* viewToolbar = action("mnuViewToolbar");
    QAction* viewStatus = action("mnuViewStatusBar");
    EXPECT_TRUE(viewToolbar->isChecked());
    EXPECT_TRUE(viewStatus->isChecked());
    for (int round = 0; round < 2; ++round) {
        viewToolbar->trigger();
        viewStatus->trigger();
        EXPECT_EQ(viewToolbar->isChecked(), toolbar->isVisible());
        EXPECT_EQ(viewStatus->isChecked(), statusbar->isVisible());
        EXPECT_EQ(toolbar->isVisible(), round == 1);
    }
    // No other way to hide them behind the menu's back.
    EXPECT_FALSE(toolbar->isMovable());
    EXPECT_FALSE(toolbar->isFloatable());
}

TEST_F(MainWindowTest, ToolbarHasOpenSaveSeparatorPrintExportSeparatorSimulateWithIcons) {
    auto* toolbar = main->findChild<QToolBar*>("tbToolBar");
    const QList<QAction*> buttons = toolbar->actions();
    ASSERT_EQ(buttons.size(), 7);
    EXPECT_TRUE(buttons[5]->isSeparator());
    // The menu item itself, so button and menu share their check mark.
    EXPECT_EQ(buttons[6], action("mnuViewSimulate"));
    EXPECT_EQ(buttons[6]->icon().pixmap(16, 16).size(), QSize(16, 16));
    EXPECT_EQ(buttons[0]->data().toString(), "Open");
    EXPECT_EQ(buttons[1]->data().toString(), "Save");
    EXPECT_TRUE(buttons[2]->isSeparator());
    EXPECT_EQ(buttons[3]->data().toString(), "Print");
    EXPECT_EQ(buttons[4]->data().toString(), "Export");
    for (QAction* button : {buttons[0], buttons[1], buttons[3], buttons[4]}) {
        EXPECT_EQ(button->toolTip(), button->data().toString());
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_EQ(button->icon().pixmap(16, 16).size(), QSize(16, 16));
    }
}

TEST_F(MainWindowTest, ToolbarButtonsRunTheirFileCommands) {
    auto* toolbar = main->findChild<QToolBar*>("tbToolBar");
    toolbar->actions()[0]->trigger();
    EXPECT_EQ(dialogs.opens, 1);
    main->LoadNewDoc(DocumentKind::Circuit);
    toolbar->actions()[1]->trigger();
    EXPECT_EQ(dialogs.saves, 1);
    toolbar->actions()[3]->trigger();
    EXPECT_EQ(dialogs.printerDialogs, 1);
    // Keys are compared exactly.
    main->tbToolBar_ButtonClick("open");
    main->tbToolBar_ButtonClick("Open ");
    EXPECT_EQ(dialogs.opens, 1);
}

TEST_F(MainWindowTest, ViewZoomItemsZoomTheActiveDrawingAndTheStatusBarShowsIt) {
    auto* zoom = main->findChild<QLabel*>("pnlZoom");
    ASSERT_NE(zoom, nullptr);
    EXPECT_TRUE(zoom->text().isEmpty());
    EXPECT_EQ(action("mnuViewZoomIn")->shortcuts().value(0), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_EQ(action("mnuViewZoomOut")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_EQ(action("mnuViewActualSize")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    action("mnuViewZoomIn")->trigger();  // no drawing: nothing happens
    main->LoadNewDoc(DocumentKind::Circuit);
    frmCircuit* doc = main->frmD();
    EXPECT_EQ(zoom->text(), "100 %");
    action("mnuViewZoomIn")->trigger();
    action("mnuViewZoomIn")->trigger();
    EXPECT_EQ(doc->zoom(), 1.5);
    EXPECT_EQ(zoom->text(), "150 %");
    action("mnuViewZoomOut")->trigger();
    EXPECT_EQ(zoom->text(), "125 %");
    action("mnuViewActualSize")->trigger();
    EXPECT_EQ(doc->zoom(), 1.0);
    action("mnuViewFitInWindow")->trigger();
    EXPECT_EQ(zoom->text(), QStringLiteral("%1 %").arg(std::lround(doc->zoom() * 100)));
    area()->setActiveSubWindow(windowOf(main->workForm()));
    EXPECT_TRUE(zoom->text().isEmpty());
}

TEST_F(MainWindowTest, StatusBarShowsStatusDateAndTime) {
    EXPECT_EQ(main->findChild<QLabel*>("pnlStatus")->text(), "Status");
    EXPECT_EQ(main->findChild<QLabel*>("pnlDate")->text(), "05-Mar-2024");
    EXPECT_EQ(main->findChild<QLabel*>("pnlTime")->text(), "07:40 AM");
    clock.set(LocalDateTime{2024, 3, 5, 12, 30, 0});
    QTest::qWait(1100);  // the status bar updates itself
    EXPECT_EQ(main->findChild<QLabel*>("pnlTime")->text(), "12:30 PM");
}

TEST_F(MainWindowTest, KindsAreNumberedIndependentlyAndNumbersAreNotReused) {
    main->LoadNewDoc(DocumentKind::Mux);
    main->LoadNewDoc(DocumentKind::Demux);
    main->LoadNewDoc(DocumentKind::Circuit);
    QStringList captions;
    for (QMdiSubWindow* w : windows()) captions << w->windowTitle();
    EXPECT_EQ(captions.mid(1), QStringList({"Mux 1", "Demux 1", "Circuit 1"}));

    windowOf(main->frmD())->close();
    settle();
    main->LoadNewDoc(DocumentKind::Circuit);
    EXPECT_EQ(main->frmD()->windowTitle(), "Circuit 2");
    EXPECT_EQ(main->circuitCount(), 2);
    EXPECT_EQ(main->muxCount(), 1);
    EXPECT_EQ(main->demuxCount(), 1);
}

TEST_F(MainWindowTest, NewDocumentIsFrmDActiveVisibleAndEmpty) {
    Canvas& canvas = main->LoadNewDoc(DocumentKind::Circuit);
    frmCircuit* doc = main->frmD();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(&canvas, &doc->canvas());
    EXPECT_EQ(main->activeDocument(), doc);
    EXPECT_FALSE(doc->isHidden());
    EXPECT_EQ(canvas.width(), 9696);
    EXPECT_EQ(canvas.height(), 7296);
    // Another document moves frmD; activating the first one does not.
    main->LoadNewDoc(DocumentKind::Mux);
    frmCircuit* second = main->frmD();
    area()->setActiveSubWindow(windowOf(doc));
    EXPECT_EQ(main->activeDocument(), doc);
    EXPECT_EQ(main->frmD(), second);
}

TEST_F(MainWindowTest, UntitledDocumentsAdvanceNoCounter) {
    main->LoadNewDoc(DocumentKind::Opened);
    EXPECT_EQ(main->frmD()->windowTitle(), "");
    main->LoadNewDoc(DocumentKind::Explain);
    EXPECT_EQ(main->frmD()->windowTitle(), "");
    main->LoadNewDoc(DocumentKind::Circuit);
    EXPECT_EQ(main->frmD()->windowTitle(), "Circuit 1");
}

TEST_F(MainWindowTest, HelpOpensTheBuiltInGuideAndSearchesIt) {
    action("mnuHelpContents")->trigger();
    auto* help = main->findChild<HelpWindow*>("HelpWindow");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->findChild<QLineEdit*>("txtSearch")->isVisibleTo(help));
    auto* guide = help->findChild<QTextBrowser*>("txtGuide");
    // The guide is the README's user-guide part, rendered as Markdown: its headings are
    // headings, and every picture it shows loads from the program itself.
    QStringList headings;
    int pictures = 0;
    for (QTextBlock block = guide->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0) headings << block.text();
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFormat format = fragment.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            const QString name = format.toImageFormat().name();
            const QVariant data = guide->loadResource(QTextDocument::ImageResource, QUrl(name));
            EXPECT_FALSE(QImage::fromData(data.toByteArray()).isNull()) << name.toStdString();
            ++pictures;
        }
    }
    for (const char* section :
         {"Quendal", "A walk through", "Typing an equation", "The Explain views",
          "The two POS texts", "What Quendal guarantees", "The minimizer"}) {
        EXPECT_TRUE(headings.contains(section)) << section;
    }
    EXPECT_GE(pictures, 10);
    // Words of the README itself, where the guide once told another story.
    EXPECT_TRUE(guide->toPlainText().contains(
        "Logout, Exit, File > Close, File > Exit and closing the window say how many and ask "
        "before they are lost."));

    action("mnuHelpSearchForHelpOn")->trigger();
    EXPECT_EQ(main->findChildren<HelpWindow*>().size(), 1);
    auto* search = help->findChild<QLineEdit*>("txtSearch");
    EXPECT_TRUE(search->isVisibleTo(help));
    search->setText("Karnaugh");
    QTest::mouseClick(help->findChild<QPushButton*>("cmdFind"), Qt::LeftButton);
    EXPECT_EQ(guide->textCursor().selectedText(), "Karnaugh");
    search->setText("no such words here");
    QTest::mouseClick(help->findChild<QPushButton*>("cmdFind"), Qt::LeftButton);
    EXPECT_EQ(help->findChild<QLabel*>("lblFound")->text(), "Not found");
    EXPECT_TRUE(prompts.shown.empty());

    // Esc and Ctrl+W close it, from the search field too.
    for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W}) {
        help->showGuide(true);
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        QTest::keyClick(search, keys.key(), keys.keyboardModifiers());
        EXPECT_FALSE(help->isVisible());
    }
}

TEST_F(MainWindowTest, AboutShowsTheVersionWithoutAnIcon) {
    action("mnuHelpAbout")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, aboutText(1, 0, 0));
    EXPECT_EQ(prompts.shown[0].title, "Quendal");
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::None);
}

TEST_F(MainWindowTest, WindowMenuListsTheChildWindowsAndActivatesThem) {
    main->LoadNewDoc(DocumentKind::Circuit);
    main->LoadNewDoc(DocumentKind::Mux);
    auto* menu = main->findChild<QMenu*>("mnuWindow");
    emit menu->aboutToShow();
    emit menu->aboutToShow();  // refilled, not appended twice
    QStringList listed;
    QAction* circuitItem = nullptr;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->objectName().startsWith("mnuWindow")) continue;
        listed << a->text();
        if (a->text().endsWith("Circuit 1")) circuitItem = a;
        if (a->text().endsWith("Mux 1")) {
            EXPECT_TRUE(a->isChecked());
        }
    }
    ASSERT_EQ(listed.size(), 3);
    EXPECT_EQ(listed[1], "&2 Circuit 1");
    ASSERT_NE(circuitItem, nullptr);
    circuitItem->trigger();
    EXPECT_EQ(main->activeDocument()->windowTitle(), "Circuit 1");
}

// The Explain menu works out the minimum product of sums after Simplify; the work form shows it
// for as long as it shows that function's answer, and never one of another function.
TEST_F(MainWindowTest, WorkFormShowsTheTrueMinimumPosOnceWorkedOutAndOnlyForItsFunction) {
    auto* work = qobject_cast<quendal::workspace::frmSimplification*>(main->workForm());
    auto* menu = main->findChild<quendal::explain::ExplainMenu*>();
    ASSERT_TRUE(work && menu);
    auto* truePos = work->findChild<QLineEdit*>("txtTruePosEquation");
    auto* terms = work->findChild<QListWidget*>("lstTerms");
    // m(1,3,7,11,15)+d(0,2,5): the minimizer answers A'B'+CD.
    launcher.action = ScriptedMinimizerLauncher::writes("00--\r\n--11\r\n");
    work->findChild<QRadioButton*>("rbMinTerms")->click();
    for (int term : {1, 3, 7, 11, 15}) terms->item(term)->setCheckState(Qt::Checked);
    work->findChild<QRadioButton*>("rbDontCare")->click();
    for (int term : {0, 2, 5}) terms->item(term)->setCheckState(Qt::Checked);
    work->findChild<QPushButton*>("cmdSimplify")->click();
    EXPECT_EQ(work->findChild<QLineEdit*>("txtPosEquation")->text(), "((A+B)(C'+D'))'");
    QTRY_COMPARE(truePos->text(), QStringLiteral("(A'+C)D"));
    EXPECT_TRUE(truePos->toolTip().isEmpty());

    // Not proven in time: empty, and the tooltip says why.
    const FunctionView simplified = work->currentFunction();
    emit menu->explained(simplified, std::nullopt);
    EXPECT_TRUE(truePos->text().isEmpty());
    EXPECT_TRUE(truePos->toolTip().contains("not found in time"));
    emit menu->explained(simplified, "(A'+C)D");
    EXPECT_EQ(truePos->text(), "(A'+C)D");

    // A changed term clears it, and a late answer for the function before is never shown.
    terms->item(8)->setCheckState(Qt::Checked);
    EXPECT_TRUE(truePos->text().isEmpty());
    emit menu->explained(simplified, "X");
    EXPECT_TRUE(truePos->text().isEmpty());
    // Nor is one for another function while this one is shown.
    work->findChild<QPushButton*>("cmdSimplify")->click();
    QTRY_VERIFY(!truePos->text().isEmpty());
    emit menu->explained(simplified, "X");
    EXPECT_NE(truePos->text(), "X");
}
