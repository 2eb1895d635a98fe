#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/workspace/work_form_support.h"

using namespace quendal::drawing;

namespace {

struct CommandCase {
    const char* button;
    const char* dialog;
    DocumentKind documentKind;
};

QWidget* openDialog(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible()) return w;
    }
    return nullptr;
}

class DrawingCommand : public testing::TestWithParam<CommandCase> {};

// The drawing commands get the function Simplify minimized: the options
// dialog disables the work form while it is open, Ok draws a new document.
TEST_P(DrawingCommand, DrawsTheMinimizedFunction) {
    WorkForm w;
    // As in the program, the dialogs' parent is the main window around the form.
    QWidget mainWindow;
    w.form->setParent(&mainWindow);
    mainWindow.show();
    struct Unparent {
        QWidget* form;
        ~Unparent() { form->setParent(nullptr); }
    } unparent{w.form.get()};
    w.scripted.action = ScriptedMinimizerLauncher::writes("01\r\n10\r\n");
    w.chooseVariables(2);
    w.choose("rbMinTerms");
    w.tickAll({1, 2});
    w.click("cmdSimplify");
    w.click(GetParam().button);

    QWidget* dialog = openDialog(GetParam().dialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(w.form->isEnabled());
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_TRUE(w.form->isEnabled());
    ASSERT_EQ(w.host.opened, (std::vector<DocumentKind>{GetParam().documentKind}));
    EXPECT_FALSE(w.host.canvases[0]->lines().empty());
    EXPECT_EQ(openDialog(GetParam().dialog), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DrawingCommand,
    testing::Values(CommandCase{"cmdCircuit", "frmCktOpt", DocumentKind::Circuit},
                    CommandCase{"cmdMux", "frmMuxOpt", DocumentKind::Mux},
                    CommandCase{"cmdDemux", "frmDemuxOpt", DocumentKind::Demux}),
    [](const auto& info) { return std::string(info.param.button); });

}  // namespace
