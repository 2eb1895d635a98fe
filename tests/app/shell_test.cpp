#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <bit>
#include <bitset>

#include "app/frmCircuit.h"
#include "app/frmSplash.h"
#include "app/shell.h"
#include "tests/app/main_window_support.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/scripted_minimizer_launcher.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::app;

namespace {

class ShellTest : public ::testing::Test {
protected:
    ShellTest() {
        seams.prompts = &prompts;
        seams.clock = &clock;
        seams.fileDialogs = &dialogs;
        seams.launcher = &launcher;
        shell = std::make_unique<Shell>(seams);
        shell->start();
    }

    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void login(const char* keys) {
        frmSplash* splash = shell->loginForm();
        ASSERT_NE(splash, nullptr);
        auto* txt = splash->findChild<QLineEdit*>("txtUsername");
        QTest::keyClicks(txt, keys);
        QTest::keyClick(txt, Qt::Key_Return);
        settle();
    }

    TempWorkdir workdir;
    ScriptedPrompts prompts;
    FixedClock clock{LocalDateTime{2024, 3, 5, 7, 40, 0}};
    ScriptedFileDialogs dialogs;
    ScriptedMinimizerLauncher launcher;
    ShellSeams seams;
    std::unique_ptr<Shell> shell;
};

}  // namespace

TEST_F(ShellTest, StartsAtAnEmptyLoginForm) {
    ASSERT_NE(shell->loginForm(), nullptr);
    EXPECT_TRUE(shell->loginForm()->isVisible());
    EXPECT_EQ(shell->mainWindow(), nullptr);
    EXPECT_EQ(shell->loginForm()->findChild<QLineEdit*>("txtUsername")->text(), "");
}

TEST_F(ShellTest, LoginReplacesTheLoginFormWithTheMaximizedMainWindow) {
    QSignalSpy finished(shell.get(), &Shell::finished);
    login("ann lee");
    EXPECT_EQ(shell->loginForm(), nullptr);
    mdifrmMain* main = shell->mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(main->windowTitle(), "Quendal  -  User  :  Ann Lee");
    EXPECT_TRUE(main->workForm()->isVisible());
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(ShellTest, LogoutClosesEveryWindowAndShowsAnEmptyLoginFormAgain) {
    QSignalSpy finished(shell.get(), &Shell::finished);
    login("ann");
    mdifrmMain* main = shell->mainWindow();
    main->LoadNewDoc(DocumentKind::Circuit);
    QPointer<frmCircuit> doc = main->frmD();
    QPointer<QWidget> work = main->workForm();
    // The unsaved drawing is asked for; No keeps everything.
    QTest::mouseClick(work->findChild<QPushButton*>("cmdLogout"), Qt::LeftButton);
    settle();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "1 drawing is not saved and will be lost.\nAre you sure you want to Logout ?");
    EXPECT_EQ(prompts.shown[0].defaultReply, PromptReply::No);
    EXPECT_EQ(shell->mainWindow(), main);
    EXPECT_FALSE(doc.isNull());

    prompts.replies = {PromptReply::Yes};
    QTest::mouseClick(work->findChild<QPushButton*>("cmdLogout"), Qt::LeftButton);
    settle();
    EXPECT_EQ(shell->mainWindow(), nullptr);
    EXPECT_TRUE(doc.isNull());
    EXPECT_TRUE(work.isNull());
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(finished.count(), 0);
    frmSplash* splash = shell->loginForm();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    auto* txt = splash->findChild<QLineEdit*>("txtUsername");
    EXPECT_EQ(txt->text(), "");
    EXPECT_EQ(Session::current().UserName, "");
    QTest::keyClicks(txt, "bo");
    EXPECT_EQ(txt->text(), "Bo");
}

TEST_F(ShellTest, LogoutAsksOnlyAboutDrawingsNotAboutExplainViews) {
    login("ann");
    mdifrmMain* main = shell->mainWindow();
    QWidget* work = main->workForm();
    // Minterms 1 and 2 of two variables: A'B+AB'.
    launcher.action = ScriptedMinimizerLauncher::writes("01\r\n10\r\n");
    auto* variables = work->findChild<QComboBox*>("cboVar");
    variables->setCurrentIndex(variables->findText("2"));
    emit variables->activated(variables->currentIndex());
    work->findChild<QRadioButton*>("rbMinTerms")->click();
    auto* terms = work->findChild<QListWidget*>("lstTerms");
    for (int term : {1, 2}) terms->item(term)->setCheckState(Qt::Checked);
    work->findChild<QPushButton*>("cmdSimplify")->click();
    for (const char* view :
         {"mnuExplainTruthTable", "mnuExplainKarnaughMap", "mnuExplainSteps", "mnuExplainCheck"})
        main->findChild<QAction*>(view)->trigger();
    ASSERT_EQ(main->mdiArea()->subWindowList().size(), 5);
    EXPECT_EQ(main->unsavedDocumentCount(), 0);
    main->LoadNewDoc(DocumentKind::Circuit);
    EXPECT_EQ(main->unsavedDocumentCount(), 1);
    prompts.replies = {PromptReply::No};
    QTest::mouseClick(work->findChild<QPushButton*>("cmdLogout"), Qt::LeftButton);
    settle();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "1 drawing is not saved and will be lost.\nAre you sure you want to Logout ?");
}

TEST_F(ShellTest, CountersStartAgainAfterANewLogin) {
    login("ann");
    shell->mainWindow()->LoadNewDoc(DocumentKind::Circuit);
    emit shell->mainWindow()->logoutRequested();
    settle();
    login("bo");
    shell->mainWindow()->LoadNewDoc(DocumentKind::Circuit);
    EXPECT_EQ(shell->mainWindow()->frmD()->windowTitle(), "Circuit 1");
    EXPECT_EQ(shell->mainWindow()->caption(), "Quendal  -  User  :  Bo");
    EXPECT_TRUE(shell->mainWindow()->windowTitle().startsWith("Quendal  -  User  :  Bo"));
}

TEST_F(ShellTest, TheWorkFormsExitAsksThenEndsTheProgram) {
    QSignalSpy finished(shell.get(), &Shell::finished);
    login("ann");
    shell->mainWindow()->LoadNewDoc(DocumentKind::Circuit);
    auto* exit = shell->mainWindow()->workForm()->findChild<QPushButton*>("cmdExit");
    prompts.replies = {PromptReply::No};
    QTest::mouseClick(exit, Qt::LeftButton);
    settle();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "1 drawing is not saved and will be lost.\nAre you sure you want to Exit ?");
    EXPECT_EQ(prompts.shown[0].defaultReply, PromptReply::No);
    ASSERT_NE(shell->mainWindow(), nullptr);
    EXPECT_NE(shell->mainWindow()->frmD(), nullptr);
    EXPECT_EQ(finished.count(), 0);

    prompts.replies = {PromptReply::Yes};
    QTest::mouseClick(exit, Qt::LeftButton);
    settle();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(shell->mainWindow(), nullptr);
    EXPECT_EQ(shell->loginForm(), nullptr);
}

TEST_F(ShellTest, ExitWhileTheExplanationIsWorkedOutEndsAtOnce) {
    QSignalSpy finished(shell.get(), &Shell::finished);
    login("ann");
    QWidget* work = shell->mainWindow()->workForm();
    // 1 where none or two to four of A', B, ..., H are 1, don't-care where five are: the Explain
    // menu starts working out its explanation at Simplify, and with the minterms for an answer
    // it searches the minimum sum of products again, for seconds.
    auto* variables = work->findChild<QComboBox*>("cboVar");
    variables->setCurrentIndex(variables->findText("8"));
    emit variables->activated(variables->currentIndex());
    auto* terms = work->findChild<QListWidget*>("lstTerms");
    const auto ones = [](int row) { return std::popcount(unsigned(row ^ 128)); };
    std::string minterms;
    work->findChild<QRadioButton*>("rbMinTerms")->click();
    for (int row = 0; row < 256; ++row) {
        if (ones(row) == 1 || ones(row) > 4) continue;
        terms->item(row)->setCheckState(Qt::Checked);
        minterms += std::bitset<8>(unsigned(row)).to_string() + "\r\n";
    }
    work->findChild<QRadioButton*>("rbDontCare")->click();
    for (int row = 0; row < 256; ++row)
        if (ones(row) == 5) terms->item(row)->setCheckState(Qt::Checked);
    launcher.action = ScriptedMinimizerLauncher::writes(minterms);
    work->findChild<QPushButton*>("cmdSimplify")->click();
    ASSERT_TRUE(shell->mainWindow()->findChild<QMenu*>("mnuExplain")->isEnabled());

    // The work is called off and its thread ends with the main window; nothing it holds is left
    // behind for the program's end.
    prompts.replies = {PromptReply::Yes};
    QTest::mouseClick(work->findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
    settle();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(shell->mainWindow(), nullptr);
    shell.reset();
}

TEST_F(ShellTest, FileExitEndsTheProgram) {
    QSignalSpy finished(shell.get(), &Shell::finished);
    login("ann");
    shell->mainWindow()->findChild<QAction*>("mnuFileExit")->trigger();
    settle();
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(ShellTest, TheLoginFormsExitEndsTheProgram) {
    QSignalSpy finished(shell.get(), &Shell::finished);
    QTest::mouseClick(shell->loginForm()->findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
    settle();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(shell->loginForm(), nullptr);
}

TEST_F(ShellTest, AnEmptyNameKeepsTheLoginForm) {
    login("");
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_NE(shell->loginForm(), nullptr);
    EXPECT_EQ(shell->mainWindow(), nullptr);
}
