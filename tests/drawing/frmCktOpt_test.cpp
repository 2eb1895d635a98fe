#include <QApplication>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/button_feedback.h"
#include "drawing/circuit_command.h"
#include "drawing/circuit_layout.h"
#include "drawing/frmCktOpt.h"
#include "drawing/universal_circuits.h"
#include "tests/drawing/circuit_function_support.h"
#include "tests/support/recording_host.h"
#include "tests/support/scripted_prompts.h"

using namespace quendal::common;
using namespace quendal::drawing;

namespace {

// A main window and a work form as the command finds them.
class CircuitCommand : public ::testing::Test {
protected:
    void SetUp() override {
        mainWindow.resize(800, 600);
        workForm = new QWidget(&mainWindow);
        // The main window stays hidden: offscreen, a shown window under the
        // dialog would take the test's pointer moves.
    }

    frmCktOpt* open(const FunctionView& f) {
        runCircuitCommand({&mainWindow, workForm, host, prompts}, f);
        auto* dialog = mainWindow.findChild<frmCktOpt*>("frmCktOpt");
        if (dialog) {
            QApplication::setActiveWindow(dialog);
            QApplication::processEvents();
        }
        return dialog;
    }

    // Lets deleteLater of a closed dialog happen.
    static void settle() {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static std::vector<std::string> drawn(void (*draw)(Canvas&, const FunctionView&),
                                          const FunctionView& f) {
        RecordingCanvas c;
        draw(c, f);
        return c.lines();
    }

    QWidget mainWindow;
    QWidget* workForm = nullptr;
    RecordingHost host;
    ScriptedPrompts prompts;
    FunctionView function = circuitFunction("AB'+C");
};

}  // namespace

TEST_F(CircuitCommand, DialogHasItsCaptionControlsAndTabOrder) {
    frmCktOpt* d = open(function);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Quendal");
    EXPECT_EQ(d->size(), QSize(346, 250));
    EXPECT_FALSE(d->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(d->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_TRUE(d->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(d->findChild<QGroupBox*>("FrameCktOpt")->title(),
              "        Select the Type of Circuit");
    EXPECT_EQ(d->findChild<QRadioButton*>("rbBasic")->text(), " Using Basic Gates");
    EXPECT_EQ(d->findChild<QRadioButton*>("rbNand")->text(), " Using Universal NAND Gate");
    EXPECT_EQ(d->findChild<QRadioButton*>("rbNor")->text(), " Using Universal NOR Gate");
    EXPECT_EQ(d->findChild<QPushButton*>("cmdOk")->text(), "&Ok");
    EXPECT_EQ(d->findChild<QPushButton*>("cmdCancel")->text(), "&Cancel");
    EXPECT_EQ(d->cmdOk->geometry(), QRect(72, 200, 81, 25));
    EXPECT_EQ(d->rbNand->geometry(), QRect(40, 72, 217, 17));
    EXPECT_EQ(d->font().family(), "Times New Roman");
    EXPECT_EQ(d->font().pointSize(), 12);
    EXPECT_EQ(d->rbBasic->nextInFocusChain(), d->rbNand);
    EXPECT_EQ(d->rbNand->nextInFocusChain(), d->rbNor);
    EXPECT_EQ(d->rbNor->nextInFocusChain(), d->cmdOk);
    EXPECT_EQ(d->cmdOk->nextInFocusChain(), d->cmdCancel);
    EXPECT_EQ(d->FrameCktOpt->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_EQ(d->rbNor->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(d->palette().color(QPalette::Window), QColor(224, 224, 224));
    d->cmdCancel_Click();
}

TEST_F(CircuitCommand, WorkFormIsDisabledWhileTheDialogIsOpen) {
    frmCktOpt* d = open(function);
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(workForm->isEnabled());
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_TRUE(d->isVisible());
    QTest::mouseClick(d->cmdOk, Qt::LeftButton);
    EXPECT_TRUE(workForm->isEnabled());
}

TEST_F(CircuitCommand, OkWithoutTouchingTheOptionsDrawsTheBasicCircuit) {
    QPointer<frmCktOpt> d = open(function);
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->rbBasic->isChecked());
    QTest::mouseClick(d->cmdOk, Qt::LeftButton);
    settle();
    EXPECT_FALSE(d);
    ASSERT_EQ(host.documents.size(), 1u);
    EXPECT_EQ(host.documents[0].caption, "Circuit 1");
    EXPECT_EQ(host.documents[0].canvas->lines(), drawn(drawBasicCircuit, function));
}

TEST_F(CircuitCommand, ChosenOptionDecidesTheCircuit) {
    frmCktOpt* d = open(function);
    QTest::mouseClick(d->rbNand, Qt::LeftButton, {}, QPoint(3, d->rbNand->height() / 2));
    EXPECT_TRUE(d->rbNand->isChecked());
    QTest::mouseClick(d->cmdOk, Qt::LeftButton);
    settle();

    // Tabbing onto an option selects it, as the focus does.
    d = open(function);
    d->rbNor->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(d->rbNor->isChecked());
    QTest::keyClick(d, Qt::Key_Return);
    settle();

    ASSERT_EQ(host.documents.size(), 2u);
    EXPECT_EQ(host.documents[0].canvas->lines(), drawn(drawUniversalNandCircuit, function));
    EXPECT_EQ(host.documents[1].canvas->lines(), drawn(drawUniversalNorCircuit, function));
}

TEST_F(CircuitCommand, CancelCreatesNoWindowAndLeavesTheCounters) {
    QPointer<frmCktOpt> d = open(function);
    QTest::mouseClick(d->cmdCancel, Qt::LeftButton);
    settle();
    EXPECT_FALSE(d);
    EXPECT_TRUE(host.documents.empty());
    EXPECT_EQ(host.count(DocumentKind::Circuit), 0);
    EXPECT_TRUE(workForm->isEnabled());

    d = open(function);
    QTest::keyClick(d, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(d);
    EXPECT_TRUE(host.documents.empty());
    EXPECT_TRUE(workForm->isEnabled());
}

TEST_F(CircuitCommand, ClosingTheDialogOtherwiseIsCancel) {
    QPointer<frmCktOpt> d = open(function);
    d->close();
    settle();
    EXPECT_FALSE(d);
    EXPECT_TRUE(host.documents.empty());
    EXPECT_TRUE(workForm->isEnabled());
}

TEST_F(CircuitCommand, EachOkOpensTheNextCircuitNumber) {
    for (int i = 0; i < 3; ++i) {
        frmCktOpt* d = open(function);
        QTest::keyClick(d, Qt::Key_Enter);
        settle();
    }
    ASSERT_EQ(host.documents.size(), 3u);
    EXPECT_EQ(host.documents[0].caption, "Circuit 1");
    EXPECT_EQ(host.documents[1].caption, "Circuit 2");
    EXPECT_EQ(host.documents[2].caption, "Circuit 3");
    // Earlier drawings are left as they were.
    EXPECT_EQ(host.documents[0].canvas->lines(), host.documents[2].canvas->lines());
}

TEST_F(CircuitCommand, DialogKeepsItsOwnCopyOfTheFunction) {
    frmCktOpt* d = nullptr;
    {
        const FunctionView temporary = circuitFunction("A+B'");
        d = open(temporary);
    }
    QTest::mouseClick(d->cmdOk, Qt::LeftButton);
    settle();
    ASSERT_EQ(host.documents.size(), 1u);
    EXPECT_EQ(host.documents[0].canvas->lines(), drawn(drawBasicCircuit, circuitFunction("A+B'")));
}

TEST_F(CircuitCommand, ButtonsLightUpAndTheSurfaceResetsThem) {
    frmCktOpt* d = open(function);
    d->cmdOk->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ButtonFeedback::background(d->cmdOk), ButtonFeedback::lit);
    EXPECT_TRUE(d->highlightOn());

    QTest::mouseMove(d->cmdCancel);
    QApplication::processEvents();
    EXPECT_EQ(ButtonFeedback::background(d->cmdCancel), ButtonFeedback::lit);

    QTest::mouseMove(d, QPoint(5, d->height() - 5));
    QApplication::processEvents();
    EXPECT_EQ(ButtonFeedback::background(d->cmdOk), ButtonFeedback::normal);
    EXPECT_EQ(ButtonFeedback::background(d->cmdCancel), ButtonFeedback::normal);
    EXPECT_FALSE(d->highlightOn());

    d->cmdCancel->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ButtonFeedback::background(d->cmdCancel), ButtonFeedback::lit);
    d->rbNand->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ButtonFeedback::background(d->cmdCancel), ButtonFeedback::normal);
    d->cmdCancel_Click();
}
