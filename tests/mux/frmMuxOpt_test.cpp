#include "mux/frmMuxOpt.h"
#include "common/button_feedback.h"
#include "mux/mux_command.h"
#include "tests/mux/mux_fixture_support.h"
#include "tests/support/recording_host.h"
#include "tests/support/scripted_prompts.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::mux;

namespace {

const char* const kOptions[] = {"rb64", "rb32", "rb16", "rb8", "rb4", "rb2"};

class MuxCommand : public ::testing::Test {
protected:
    void TearDown() override {
        // Dialogs still open close with their parent.
        mainWindow.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    frmMuxOpt* open(const FunctionView& f) {
        runMuxCommand({mainWindow.get(), workForm, host, prompts}, f);
        return dialog();
    }
    frmMuxOpt* dialog() const { return mainWindow->findChild<frmMuxOpt*>("frmMuxOpt"); }
    static QRadioButton* option(frmMuxOpt* d, const char* name) {
        return d->findChild<QRadioButton*>(name);
    }
    // Lets the closed dialog delete itself.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static void click(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
    }

    std::unique_ptr<QWidget> mainWindow = std::make_unique<QWidget>();
    QWidget* workForm = new QWidget(mainWindow.get());
    RecordingHost host;
    ScriptedPrompts prompts;
};

TEST_F(MuxCommand, DialogLooksAsDesigned) {
    frmMuxOpt* d = open(makeFunction(4, {1}));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Quendal");
    EXPECT_TRUE(d->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_FALSE(d->isModal());
    EXPECT_FALSE(d->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(d->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(d->findChild<QGroupBox*>("FrameCktOpt")->title(),
              "                Select the Type of Mux");
    const char* const captions[] = {" Using 64 : 1 Mux", " Using 32 : 1 Mux", " Using 16 : 1 Mux",
                                    " Using  8 : 1 Mux", " Using  4 : 1 Mux", " Using  2 : 1 Mux"};
    for (int i = 0; i < 6; ++i) {
        QRadioButton* rb = option(d, kOptions[i]);
        ASSERT_NE(rb, nullptr) << kOptions[i];
        EXPECT_EQ(rb->text(), captions[i]);
        EXPECT_EQ(rb->parentWidget()->objectName(), "FrameCktOpt");
        EXPECT_EQ(rb->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 128));
        // Sizes not offered look disabled.
        EXPECT_NE(rb->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(0, 0, 128));
    }
    EXPECT_EQ(d->findChild<QPushButton*>("cmdOk")->text(), "&Ok");
    EXPECT_EQ(d->findChild<QPushButton*>("cmdCancel")->text(), "&Cancel");
    EXPECT_EQ(ButtonFeedback::background(d->cmdOk), ButtonFeedback::normal);
    EXPECT_FALSE(workForm->isEnabled());
}

struct OptionRow {
    int n;
    const char* enabled;  // one letter per option 64 .. 2: E enabled, - disabled
    const char* preset;
};

void PrintTo(const OptionRow& row, std::ostream* os) {
    *os << row.n << " variables";
}

class OptionsTable : public MuxCommand, public ::testing::WithParamInterface<OptionRow> {};

TEST_P(OptionsTable, EnabledAndPresetOptions) {
    const OptionRow row = GetParam();
    frmMuxOpt* d = open(makeFunction(row.n, {0}));
    ASSERT_NE(d, nullptr);
    for (int i = 0; i < 6; ++i) {
        QRadioButton* rb = option(d, kOptions[i]);
        EXPECT_EQ(rb->isEnabled(), row.enabled[i] == 'E') << kOptions[i];
        EXPECT_EQ(rb->isChecked(), rb->objectName() == row.preset) << kOptions[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    OneToEightVariables, OptionsTable,
    ::testing::Values(OptionRow{1, "-----E", "rb2"}, OptionRow{2, "----E-", "rb4"},
                      OptionRow{3, "---EE-", "rb8"}, OptionRow{4, "--EEE-", "rb16"},
                      OptionRow{5, "-EEE--", "rb32"}, OptionRow{6, "EEE---", "rb64"},
                      OptionRow{7, "EE----", "rb64"}, OptionRow{8, "E-----", "rb64"}));

TEST_F(MuxCommand, OkWithThePresetDrawsOneMultiplexer) {
    for (int n = 1; n <= 6; ++n) {
        frmMuxOpt* d = open(makeFunction(n, {0}));
        ASSERT_NE(d, nullptr);
        click(d->cmdOk);
        settle();
        EXPECT_EQ(dialog(), nullptr);
        EXPECT_TRUE(workForm->isEnabled());
        ASSERT_EQ(host.documents.size(), static_cast<std::size_t>(n));
        int boxes = 0;
        for (const auto& op : host.documents.back().canvas->operations())
            boxes += op.kind == RecordingCanvas::Kind::Box;
        EXPECT_EQ(boxes, 1) << n;
    }
}

TEST_F(MuxCommand, ChoosingFourToOneForThreeVariablesDrawsTwoBlocks) {
    frmMuxOpt* d = open(makeFunction(3, {1, 3, 5}));
    click(option(d, "rb4"));
    EXPECT_TRUE(option(d, "rb4")->isChecked());
    EXPECT_EQ(d->selectedK(), 2);
    click(d->cmdOk);
    settle();
    ASSERT_EQ(host.documents.size(), 1u);
    int boxes = 0;
    for (const auto& op : host.documents[0].canvas->operations())
        boxes += op.kind == RecordingCanvas::Kind::Box;
    EXPECT_EQ(boxes, 2);
}

TEST_F(MuxCommand, DisabledOptionsCannotBeChosen) {
    frmMuxOpt* d = open(makeFunction(4, {1}));
    click(option(d, "rb2"));
    click(option(d, "rb64"));
    EXPECT_EQ(d->selectedK(), 4);
    // Arrow keys move among the offered sizes only.
    option(d, "rb4")->setFocus();
    click(option(d, "rb4"));
    QTest::keyClick(option(d, "rb4"), Qt::Key_Down);
    EXPECT_GE(d->selectedK(), 2);
    EXPECT_LE(d->selectedK(), 4);
}

TEST_F(MuxCommand, CancelDrawsNothingAndLeavesTheCounters) {
    frmMuxOpt* d = open(makeFunction(3, {1}));
    EXPECT_FALSE(workForm->isEnabled());
    click(d->cmdCancel);
    settle();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(workForm->isEnabled());
    EXPECT_TRUE(host.captions().empty());
    EXPECT_EQ(host.count(DocumentKind::Mux), 0);
}

TEST_F(MuxCommand, EachOkOpensTheNextMuxDocument) {
    click(open(makeFunction(2, {1}))->cmdOk);
    settle();
    click(open(makeFunction(2, {1}))->cmdCancel);
    settle();
    click(open(makeFunction(3, {1}))->cmdOk);
    settle();
    EXPECT_EQ(host.captions(), (std::vector<std::string>{"Mux 1", "Mux 2"}));
}

TEST_F(MuxCommand, EnterIsOkAndEscapeIsCancel) {
    frmMuxOpt* d = open(makeFunction(2, {1}));
    QTest::keyClick(d, Qt::Key_Escape);
    settle();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(host.captions().empty());
    EXPECT_TRUE(workForm->isEnabled());

    d = open(makeFunction(2, {1}));
    QTest::keyClick(d, Qt::Key_Return);
    settle();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(host.captions(), (std::vector<std::string>{"Mux 1"}));
}

TEST_F(MuxCommand, ClosingTheDialogEnablesTheWorkForm) {
    frmMuxOpt* d = open(makeFunction(2, {1}));
    d->close();
    settle();
    EXPECT_TRUE(workForm->isEnabled());
    EXPECT_TRUE(host.captions().empty());
}

TEST_F(MuxCommand, DialogKeepsItsOwnCopyOfTheFunction) {
    {
        const FunctionView f = makeFunction(3, {1, 3, 5});
        open(f);
    }
    click(dialog()->cmdOk);
    settle();
    ASSERT_EQ(host.documents.size(), 1u);
    const auto lines = host.documents[0].canvas->lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "line 2500,1500-4000,1500 fg"), lines.end());
}

TEST_F(MuxCommand, TypedFunctionOffersSizesForItsLetters) {
    // Two letters typed while four variables were chosen.
    FunctionView f = makeFunction(2, {1, 2});
    f.letters = "PQ";
    frmMuxOpt* d = open(f);
    EXPECT_TRUE(option(d, "rb4")->isChecked());
    EXPECT_FALSE(option(d, "rb16")->isEnabled());
    click(d->cmdOk);
    settle();
    const auto lines = host.documents.at(0).canvas->lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "text 4350,2200 'P'"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "text 4750,2200 'Q'"), lines.end());
}

TEST_F(MuxCommand, NoDialogWithoutAFunction) {
    runMuxCommand({mainWindow.get(), workForm, host, prompts}, FunctionView{});
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(workForm->isEnabled());
}

TEST_F(MuxCommand, DialogFitsItsControls) {
    frmMuxOpt* d = open(makeFunction(4, {1}));
    d->show();
    const QRect frame = d->FrameMuxOpt->geometry();
    EXPECT_TRUE(d->rect().contains(frame));
    EXPECT_TRUE(d->rect().contains(d->cmdCancel->geometry()));
    for (const char* name : kOptions) {
        QRadioButton* rb = option(d, name);
        EXPECT_TRUE(d->FrameMuxOpt->rect().contains(rb->geometry())) << name;
        // The caption is not cut off.
        EXPECT_LE(rb->sizeHint().width(), rb->width() + 2) << name;
    }
}

TEST_F(MuxCommand, ButtonsLightUnderThePointerAndResetOverTheForm) {
    frmMuxOpt* d = open(makeFunction(2, {1}));
    d->show();
    const auto move = [](QWidget* w, QPoint at) {
        QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    move(d->cmdCancel, QPoint(5, 5));
    EXPECT_EQ(ButtonFeedback::background(d->cmdCancel), ButtonFeedback::lit);
    move(d, QPoint(2, 2));  // bare form, outside the frame
    EXPECT_EQ(ButtonFeedback::background(d->cmdCancel), ButtonFeedback::normal);
}

}  // namespace
