#include "demux/frmDemuxOpt.h"
#include "common/button_feedback.h"
#include "demux/demux_command.h"
#include "tests/support/recording_host.h"
#include "tests/support/scripted_prompts.h"

#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::demux;

using ::testing::Contains;
using ::testing::HasSubstr;

namespace {

FunctionView function(int n) {
    FunctionView f;
    f.userName = "ADA";
    f.letters = std::string(logic::kDefaultLetters.substr(0, static_cast<std::size_t>(n)));
    f.function = logic::functionOfTerms(n, {0, (1 << n) - 1}, logic::TermMode::Minterms);
    f.termsText = "0," + std::to_string((1 << n) - 1);
    return f;
}

// A host that also notes whether the work form was enabled when the new
// document was asked for.
class OrderNotingHost : public RecordingHost {
public:
    explicit OrderNotingHost(QWidget* workForm) : workForm_(workForm) {}
    Canvas& LoadNewDoc(DocumentKind kind) override {
        workFormEnabledAtLoad.push_back(workForm_->isEnabled());
        return RecordingHost::LoadNewDoc(kind);
    }
    std::vector<bool> workFormEnabledAtLoad;

private:
    QWidget* workForm_;
};

class DemuxCommand : public ::testing::Test {
protected:
    void SetUp() override {
        mainWindow = std::make_unique<QWidget>();
        workForm = new QWidget(mainWindow.get());
        host = std::make_unique<OrderNotingHost>(workForm);
        mainWindow->show();
    }

    frmDemuxOpt* open(int n = 3) {
        runDemuxCommand({mainWindow.get(), workForm, *host, prompts}, function(n));
        return mainWindow->findChild<frmDemuxOpt*>("frmDemuxOpt");
    }

    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    std::vector<std::string> drawing(size_t doc = 0) const {
        return host->documents.at(doc).canvas->lines();
    }

    std::unique_ptr<QWidget> mainWindow;
    QWidget* workForm = nullptr;
    std::unique_ptr<OrderNotingHost> host;
    ScriptedPrompts prompts;
};

}  // namespace

TEST_F(DemuxCommand, OpensTheDialogAsItsOwnWindowWithLogicOnePreset) {
    frmDemuxOpt* dlg = open();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->isWindow());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->isModal());
    EXPECT_EQ(dlg->windowTitle(), "Quendal");
    EXPECT_FALSE(dlg->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dlg->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(dlg->FrameDemuxOpt->title(), "          Select Input Value for DEMUX");
    EXPECT_EQ(dlg->rb0->text(), " Din  =  logic 0");
    EXPECT_EQ(dlg->rb1->text(), " Din  = Logic 1");
    EXPECT_EQ(dlg->cmdOk->text(), "&Ok");
    EXPECT_EQ(dlg->cmdCancel->text(), "&Cancel");
    EXPECT_TRUE(dlg->rb1->isChecked());
    EXPECT_FALSE(dlg->rb0->isChecked());
    // The selected option has the focus, so Enter at once keeps Din 1.
    EXPECT_EQ(dlg->focusWidget(), dlg->rb1);
    EXPECT_EQ(dlg->rb0->parentWidget(), dlg->FrameDemuxOpt);
    EXPECT_FALSE(workForm->isEnabled());
    EXPECT_TRUE(host->documents.empty());
    for (const char* name : {"FrameCktOpt", "rb0", "rb1", "cmdOk", "cmdCancel"})
        EXPECT_NE(dlg->findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(dlg->rb0->nextInFocusChain(), dlg->rb1);
    EXPECT_EQ(dlg->rb1->nextInFocusChain(), dlg->cmdOk);
    EXPECT_EQ(dlg->cmdOk->nextInFocusChain(), dlg->cmdCancel);
}

TEST_F(DemuxCommand, OkWithoutTouchingDrawsWithDinOneIntoANewDemuxDocument) {
    QPointer<frmDemuxOpt> dlg = open();
    QTest::mouseClick(dlg->cmdOk, Qt::LeftButton);
    settle();
    EXPECT_TRUE(dlg.isNull());
    EXPECT_TRUE(workForm->isEnabled());
    EXPECT_EQ(host->kinds(), std::vector<DocumentKind>{DocumentKind::Demux});
    EXPECT_EQ(host->workFormEnabledAtLoad, std::vector<bool>{true});
    EXPECT_THAT(drawing(), Contains("text 2800,1350 ' Din = Logic 1'"));
    EXPECT_THAT(drawing(), Contains("text 4400,1400 '1 : 8'"));
}

TEST_F(DemuxCommand, ChoosingLogicZeroDrawsWithDinZero) {
    QPointer<frmDemuxOpt> dlg = open();
    QTest::mouseClick(dlg->rb0, Qt::LeftButton, {}, QPoint(4, dlg->rb0->height() / 2));
    EXPECT_TRUE(dlg->rb0->isChecked());
    EXPECT_FALSE(dlg->rb1->isChecked());
    QTest::mouseClick(dlg->cmdOk, Qt::LeftButton);
    settle();
    EXPECT_THAT(drawing(), Contains("text 2800,1350 ' Din = Logic 0'"));
}

TEST_F(DemuxCommand, CancelOpensNoDocumentAndEnablesTheWorkForm) {
    QPointer<frmDemuxOpt> dlg = open();
    QTest::mouseClick(dlg->cmdCancel, Qt::LeftButton);
    settle();
    EXPECT_TRUE(dlg.isNull());
    EXPECT_TRUE(workForm->isEnabled());
    EXPECT_TRUE(host->documents.empty());

    // The next Ok still opens a document; the dialog starts afresh.
    frmDemuxOpt* again = open();
    EXPECT_TRUE(again->rb1->isChecked());
    QTest::mouseClick(again->cmdOk, Qt::LeftButton);
    settle();
    EXPECT_EQ(host->kinds(), std::vector<DocumentKind>{DocumentKind::Demux});
}

TEST_F(DemuxCommand, EnterConfirmsAndEscCancels) {
    QPointer<frmDemuxOpt> dlg = open();
    QTest::keyClick(dlg->rb1, Qt::Key_Return);
    settle();
    EXPECT_TRUE(dlg.isNull());
    EXPECT_EQ(host->kinds(), std::vector<DocumentKind>{DocumentKind::Demux});

    dlg = open();
    QTest::keyClick(dlg->rb1, Qt::Key_Escape);
    settle();
    EXPECT_TRUE(dlg.isNull());
    EXPECT_EQ(host->documents.size(), 1u);
    EXPECT_TRUE(workForm->isEnabled());
}

TEST_F(DemuxCommand, ClosingTheWindowCountsAsCancel) {
    QPointer<frmDemuxOpt> dlg = open();
    dlg->close();
    settle();
    EXPECT_TRUE(dlg.isNull());
    EXPECT_TRUE(workForm->isEnabled());
    EXPECT_TRUE(host->documents.empty());
}

TEST_F(DemuxCommand, DrawsTheFunctionAsItWasWhenTheCommandRan) {
    auto f = std::make_unique<FunctionView>(function(2));
    runDemuxCommand({mainWindow.get(), workForm, *host, prompts}, *f);
    f.reset();
    auto* dlg = mainWindow->findChild<frmDemuxOpt*>("frmDemuxOpt");
    QTest::mouseClick(dlg->cmdOk, Qt::LeftButton);
    settle();
    EXPECT_THAT(drawing(), Contains("text 4200,1000 '1 : 4'"));
    EXPECT_THAT(drawing()[1], HasSubstr("User  :  ADA"));
}

class DemuxSizeCheck : public DemuxCommand, public ::testing::WithParamInterface<int> {};

TEST_P(DemuxSizeCheck, SevenOrMoreVariablesOnlyGiveTheMessage) {
    const int n = GetParam();
    frmDemuxOpt* dlg = open(n);
    if (n <= 6) {
        ASSERT_NE(dlg, nullptr);
        EXPECT_TRUE(prompts.shown.empty());
        QTest::mouseClick(dlg->cmdOk, Qt::LeftButton);
        settle();
        const std::string label = "'1 : " + std::to_string(1 << n) + "'";
        EXPECT_THAT(drawing(), Contains(HasSubstr(label)));
        return;
    }
    EXPECT_EQ(dlg, nullptr);
    EXPECT_TRUE(workForm->isEnabled());
    EXPECT_TRUE(host->documents.empty());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "DEMUX of size larger than 1:64 not possible");
    EXPECT_EQ(prompts.shown[0].title, "Quendal");
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::None);
    EXPECT_EQ(prompts.shown[0].buttons, PromptButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DemuxSizeCheck, ::testing::Values(1, 6, 7, 8));

TEST_F(DemuxCommand, ButtonsLightUnderThePointerAndResetOverTheForm) {
    frmDemuxOpt* dlg = open();
    QTest::mouseMove(dlg->cmdCancel);
    QMouseEvent over(QEvent::MouseMove, QPointF(5, 5), dlg->cmdCancel->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(dlg->cmdCancel, &over);
    EXPECT_EQ(ButtonFeedback::background(dlg->cmdCancel), ButtonFeedback::lit);
    EXPECT_EQ(ButtonFeedback::background(dlg->cmdOk), ButtonFeedback::normal);

    // A point of the form's own surface, outside the frame and the buttons.
    const QPointF bare(3, dlg->height() - 3);
    ASSERT_EQ(dlg->childAt(bare.toPoint()), nullptr);
    QMouseEvent away(QEvent::MouseMove, bare, dlg->mapToGlobal(bare), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(dlg, &away);
    EXPECT_EQ(ButtonFeedback::background(dlg->cmdCancel), ButtonFeedback::normal);
    EXPECT_FALSE(dlg->feedback().highlightOn());
}

TEST_F(DemuxCommand, FocusLightsAButtonAndLosingItUnlights) {
    frmDemuxOpt* dlg = open();
    dlg->activateWindow();
    dlg->cmdOk->setFocus(Qt::TabFocusReason);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(dlg->cmdOk, &in);
    EXPECT_EQ(ButtonFeedback::background(dlg->cmdOk), ButtonFeedback::lit);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(dlg->cmdOk, &out);
    EXPECT_EQ(ButtonFeedback::background(dlg->cmdOk), ButtonFeedback::normal);
}

TEST_F(DemuxCommand, DialogHasItsSizeColoursAndFont) {
    frmDemuxOpt* dlg = open();
    EXPECT_EQ(dlg->size(), QSize(345, 236));  // 5175 x 3540 twips
    EXPECT_EQ(dlg->palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(dlg->rb0->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(dlg->FrameDemuxOpt->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_EQ(dlg->cmdOk->font().family(), "Times New Roman");
    EXPECT_EQ(dlg->cmdOk->font().pointSize(), 12);
    EXPECT_EQ(ButtonFeedback::background(dlg->cmdOk), ButtonFeedback::normal);
}
