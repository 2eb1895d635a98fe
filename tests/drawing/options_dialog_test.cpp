#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "common/twips.h"
#include "drawing/options_dialog.h"
#include "tests/support/scripted_prompts.h"

using namespace quendal::common;
using namespace quendal::drawing;

namespace {

// The smallest options dialog: Ok accepts with a fixed option.
class OneOption : public OptionsDialog {
public:
    explicit OneOption(QWidget* parent) : OptionsDialog(parent, "oneOption", 3000, 2000) {
        createButtons(twipsRect(300, 1200, 1215, 375), twipsRect(1600, 1200, 1215, 375));
    }
    int selection() const { return 7; }
};

// Counts the times a widget is enabled again.
class EnableCounter : public QObject {
public:
    explicit EnableCounter(QWidget* watched) : watched_(watched) {
        watched->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == watched_ && event->type() == QEvent::EnabledChange && watched_->isEnabled())
            ++count;
        return false;
    }

private:
    QWidget* watched_;
};

// The ways a dialog can be ended, tried one after the other on one dialog.
enum class End { Ok, Cancel, Reject, Close };

struct EndingCase {
    const char* name;
    std::vector<End> ends;
    std::vector<int> chosen;  // what onChosen receives
    int cancelled;            // how often the dialog ends without a choice
};

void PrintTo(const EndingCase& c, std::ostream* os) {
    *os << c.name;
}

class DialogEnds : public ::testing::TestWithParam<EndingCase> {
protected:
    void TearDown() override {
        mainWindow.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<QWidget> mainWindow = std::make_unique<QWidget>();
    QWidget* workForm = new QWidget(mainWindow.get());
};

// Only the first of Ok, Cancel, Esc or closing counts: a second click that
// arrives while the dialog closes must not draw twice or report both ends.
TEST_P(DialogEnds, OnlyTheFirstEndCounts) {
    auto* dialog = new OneOption(mainWindow.get());
    QPointer<OneOption> alive(dialog);
    std::vector<int> chosen;
    ScriptedPrompts prompts;
    EnableCounter enabled(workForm);
    showOptionsDialog(dialog, workForm, prompts, [&](int option) {
        // The work form is enabled before the drawing starts.
        EXPECT_TRUE(workForm->isEnabled());
        chosen.push_back(option);
    });
    EXPECT_FALSE(workForm->isEnabled());

    for (End end : GetParam().ends) {
        ASSERT_TRUE(alive);  // deleted only once the events are processed
        switch (end) {
            case End::Ok: dialog->cmdOk_Click(); break;
            case End::Cancel: dialog->cmdCancel_Click(); break;
            case End::Reject: dialog->reject(); break;
            case End::Close: dialog->close(); break;
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_FALSE(alive);
    EXPECT_EQ(chosen, GetParam().chosen);
    // Every end enables the work form; one without a choice is a cancel.
    EXPECT_EQ(enabled.count - int(chosen.size()), GetParam().cancelled);
    EXPECT_TRUE(workForm->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, DialogEnds,
    ::testing::Values(EndingCase{"OkThenEverythingElse",
                                 {End::Ok, End::Ok, End::Cancel, End::Reject, End::Close},
                                 {7},
                                 0},
                      EndingCase{"CancelThenOk", {End::Cancel, End::Ok, End::Close}, {}, 1},
                      EndingCase{"EscThenCancel", {End::Reject, End::Cancel, End::Ok}, {}, 1},
                      EndingCase{"ClosedThenOk", {End::Close, End::Ok, End::Reject}, {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// The work form may go first (the program ends with the dialog open): the
// dialog's end then only reports.
TEST(OptionsDialogWorkForm, AWorkFormGoneMeanwhileIsLeftAlone) {
    QWidget mainWindow;
    auto* workForm = new QWidget(&mainWindow);
    auto* dialog = new OneOption(&mainWindow);
    int chosen = -1;
    ScriptedPrompts prompts;
    showOptionsDialog(dialog, workForm, prompts, [&chosen](int option) { chosen = option; });
    delete workForm;
    dialog->cmdOk_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(chosen, 7);
}

// A drawing that fails says so through the prompts and leaves the work form
// usable.
TEST(OptionsDialogWorkForm, AFailedDrawingIsReportedThroughThePrompts) {
    QWidget mainWindow;
    auto* workForm = new QWidget(&mainWindow);
    auto* dialog = new OneOption(&mainWindow);
    ScriptedPrompts prompts;
    showOptionsDialog(dialog, workForm, prompts, [](int) { throw std::bad_alloc(); });
    dialog->cmdOk_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.startsWith("The drawing could not be made: "));
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Critical);
    EXPECT_TRUE(workForm->isEnabled());
}

}  // namespace
