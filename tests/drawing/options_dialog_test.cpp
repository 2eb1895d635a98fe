#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "drawing/options_dialog.h"
#include "common/twips.h"

namespace {

// The smallest options dialog: Ok reports a fixed option.
class OneOption : public OptionsDialog {
public:
    explicit OneOption(QWidget* parent) : OptionsDialog(parent, "oneOption", 3000, 2000) {
        createButtons(twipsRect(300, 1200, 1215, 375), twipsRect(1600, 1200, 1215, 375));
    }

protected:
    int selectedOption() const override { return 7; }
};

// The ways a dialog can be ended, tried one after the other on one dialog.
enum class End { Ok, Cancel, Reject, Close };

struct EndingCase {
    const char* name;
    std::vector<End> ends;
    std::vector<int> chosen;  // what onChosen receives
    int cancelled;            // how often the dialog reports cancelled
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
    int cancelled = 0;
    QObject::connect(dialog, &OptionsDialog::cancelled, [&cancelled] { ++cancelled; });
    showOptionsDialog(dialog, workForm, [&](int option) {
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
    EXPECT_EQ(cancelled, GetParam().cancelled);
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
    showOptionsDialog(dialog, workForm, [&chosen](int option) { chosen = option; });
    delete workForm;
    dialog->cmdOk_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(chosen, 7);
}

}  // namespace
