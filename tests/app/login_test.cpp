#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/credits.h"
#include "app/frmSplash.h"
#include "common/button_feedback.h"
#include "common/session.h"
#include "tests/support/scripted_prompts.h"

using namespace quendal::common;
using namespace quendal::app;

namespace {

class LoginForm : public ::testing::Test {
protected:
    LoginForm() : form(&prompts, tick) {
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        txt = form.findChild<QLineEdit*>("txtUsername");
        cmdOk = form.findChild<QPushButton*>("cmdOk");
        cmdClear = form.findChild<QPushButton*>("cmdClear");
        cmdExit = form.findChild<QPushButton*>("cmdExit");
    }

    void showActive() {
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    ScriptedPrompts prompts;
    std::int16_t tick = 0;
    frmSplash form;
    QLineEdit* txt = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdExit = nullptr;
};

}  // namespace

TEST_F(LoginForm, HasItsControlsWithTheirTexts) {
    ASSERT_NE(txt, nullptr);
    ASSERT_NE(cmdOk, nullptr);
    EXPECT_EQ(cmdOk->text(), "&Ok");
    EXPECT_EQ(cmdClear->text(), "&Clear");
    EXPECT_EQ(cmdExit->text(), "E&xit");
    EXPECT_EQ(form.findChild<QLabel*>("lblProductName")->text(), "Quendal");
    EXPECT_EQ(form.findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
    EXPECT_EQ(form.findChild<QLabel*>("Label1")->text(), "Enter Username  : ");
    EXPECT_EQ(form.findChild<QLabel*>("Label3")->text(), "Designed by :");
    EXPECT_EQ(form.findChild<QLabel*>("Label2")->text(), kCreditNames[0]);
    EXPECT_FALSE(form.findChild<QLabel*>("imgLogo")->pixmap().isNull());
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.size(), QSize(520, 281));  // 7800 x 4215 twips
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(0, 0, 128));
    EXPECT_EQ(form.findChild<QWidget*>("picSplash")->palette().color(QPalette::Window),
              QColor(224, 224, 224));
    EXPECT_EQ(ButtonFeedback::background(cmdOk), ButtonFeedback::normal);
    // Tab order: the name box, then the three buttons.
    EXPECT_EQ(txt->nextInFocusChain(), cmdOk);
    EXPECT_EQ(cmdOk->nextInFocusChain(), cmdClear);
    EXPECT_EQ(cmdClear->nextInFocusChain(), cmdExit);
}

TEST_F(LoginForm, TypingCapitalisesAndRefusedKeysBeep) {
    QSignalSpy beeps(&form, &frmSplash::beeped);
    QTest::keyClicks(txt, "test  user");
    EXPECT_EQ(txt->text(), "Test User");
    EXPECT_EQ(beeps.count(), 1);
    QTest::keyClick(txt, Qt::Key_Backspace);
    QTest::keyClick(txt, Qt::Key_7);
    EXPECT_EQ(txt->text(), "Test User");
    EXPECT_EQ(beeps.count(), 3);
}

TEST_F(LoginForm, PastingCannotGetAroundTheRules) {
    QSignalSpy beeps(&form, &frmSplash::beeped);
    QTest::keyClicks(txt, "ann");
    QTest::keyClick(txt, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(txt, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(txt->text(), "Ann");
    EXPECT_EQ(beeps.count(), 2);
    EXPECT_EQ(txt->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_FALSE(txt->acceptDrops());
}

TEST_F(LoginForm, TextGrowsOnlyAtItsEnd) {
    // The rules judge each key as typed after the last one: moving the caret
    // or deleting elsewhere would get around them.
    QTest::keyClicks(txt, "ann");
    QTest::keyClick(txt, Qt::Key_Left);
    QTest::keyClick(txt, Qt::Key_Delete);
    QTest::keyClick(txt, Qt::Key_Home);
    QTest::keyClicks(txt, " b");
    EXPECT_EQ(txt->text(), "Ann B");
    EXPECT_EQ(txt->cursorPosition(), txt->text().size());
}

TEST_F(LoginForm, EnterWithAnEmptyBoxSaysTheNameCannotBeEmpty) {
    QSignalSpy accepted(&form, &frmSplash::loginAccepted);
    QTest::keyClick(txt, Qt::Key_Return);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "UserName cannot be Empty !");
    EXPECT_EQ(prompts.shown[0].title, "Quendal");
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Critical);
    EXPECT_EQ(prompts.shown[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(accepted.count(), 0);
}

TEST_F(LoginForm, OkKeepsTheNameExactlyAsTyped) {
    QSignalSpy accepted(&form, &frmSplash::loginAccepted);
    QTest::keyClicks(txt, "ann lee ");
    QTest::mouseClick(cmdOk, Qt::LeftButton);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(Session::current().UserName, "Ann Lee ");
    QTest::keyClicks(txt, "x.");
    QTest::mouseClick(cmdOk, Qt::LeftButton);
    EXPECT_EQ(Session::current().UserName, "Ann Lee X.");
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(LoginForm, EnterRunsOk) {
    QSignalSpy accepted(&form, &frmSplash::loginAccepted);
    QTest::keyClicks(txt, "ann");
    QTest::keyClick(txt, Qt::Key_Enter);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(Session::current().UserName, "Ann");
}

TEST_F(LoginForm, ClearEmptiesTheBoxAndStartsTheRulesAgain) {
    showActive();
    QTest::keyClicks(txt, "ann");
    QTest::mouseClick(cmdClear, Qt::LeftButton);
    EXPECT_EQ(txt->text(), "");
    EXPECT_EQ(Session::current().UserName, "");
    EXPECT_TRUE(txt->hasFocus());
    QTest::keyClicks(txt, "bo");
    EXPECT_EQ(txt->text(), "Bo");
}

TEST_F(LoginForm, ExitClosesTheForm) {
    QSignalSpy closed(&form, &frmSplash::closed);
    form.show();
    QTest::mouseClick(cmdExit, Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(LoginForm, CreditsRotateAndTheCounterOutlivesTheForm) {
    auto* label = form.findChild<QLabel*>("Label2");
    form.Timer1_Timer();
    EXPECT_EQ(label->text(), kCreditNames[1]);
    form.Timer1_Timer();
    form.Timer1_Timer();
    form.Timer1_Timer();
    EXPECT_EQ(label->text(), kCreditNames[0]);
    EXPECT_EQ(tick, 4);

    frmSplash again(&prompts, tick);
    again.Timer1_Timer();
    EXPECT_EQ(again.findChild<QLabel*>("Label2")->text(), kCreditNames[1]);
    EXPECT_EQ(tick, 5);
    EXPECT_EQ(again.findChild<QTimer*>("Timer1")->interval(), 1500);
}

TEST_F(LoginForm, TabbingFromOkToClearMovesTheLight) {
    showActive();
    cmdOk->setFocus();
    EXPECT_EQ(ButtonFeedback::background(cmdOk), ButtonFeedback::lit);
    QTest::keyClick(cmdOk, Qt::Key_Tab);
    EXPECT_TRUE(cmdClear->hasFocus());
    EXPECT_EQ(ButtonFeedback::background(cmdClear), ButtonFeedback::lit);
    EXPECT_EQ(ButtonFeedback::background(cmdOk), ButtonFeedback::normal);
}

TEST_F(LoginForm, PointerOverTheBackgroundPutsLitButtonsBack) {
    showActive();
    auto* picSplash = form.findChild<QWidget*>("picSplash");
    QTest::mouseMove(cmdExit);
    EXPECT_EQ(ButtonFeedback::background(cmdExit), ButtonFeedback::lit);
    // Over the name box nothing changes.
    QTest::mouseMove(txt);
    EXPECT_EQ(ButtonFeedback::background(cmdExit), ButtonFeedback::lit);
    QTest::mouseMove(picSplash, QPoint(5, 5));
    EXPECT_EQ(ButtonFeedback::background(cmdExit), ButtonFeedback::normal);
}
