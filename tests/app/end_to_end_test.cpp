#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "app/circuit_files.h"
#include "app/frmSplash.h"
#include "app/shell.h"
#include "tests/support/whole_picture.h"
#include "tests/app/main_window_support.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/palette_tolerance.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::app;

#ifdef QUENDAL_QM_EXE

namespace {

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
        }
    }
    return false;
}

}  // namespace

// From the login form through a real simplification to every kind of
// drawing, each saved and opened again.
TEST(EndToEnd, LoginSimplifyDrawSaveAndReopen) {
    TempWorkdir workdir;
    ScriptedPrompts prompts;
    FixedClock clock{LocalDateTime{2024, 3, 5, 7, 40, 0}};
    ScriptedFileDialogs dialogs;
    ProcessMinimizerLauncher launcher(ProcessMinimizerLauncher::kDefaultTimeoutMs,
                                      QStringLiteral(QUENDAL_QM_EXE));
    ShellSeams seams{&prompts, &clock, &dialogs, &launcher};
    Shell shell(seams);
    shell.start();

    auto* txt = shell.loginForm()->findChild<QLineEdit*>("txtUsername");
    QTest::keyClicks(txt, "test user");
    QTest::keyClick(txt, Qt::Key_Return);
    mdifrmMain* main = shell.mainWindow();
    ASSERT_NE(main, nullptr);
    QWidget* work = main->workForm();

    work->findChild<QRadioButton*>("rbMinTerms")->click();
    auto* list = work->findChild<QListWidget*>("lstTerms");
    for (int term : {1, 3, 5, 6, 7}) list->item(term)->setCheckState(Qt::Checked);
    work->findChild<QAbstractButton*>("cmdSimplify")->click();
    ASSERT_TRUE(prompts.shown.empty()) << prompts.shown[0].text.toStdString();
    EXPECT_EQ(work->findChild<QLineEdit*>("txtMinEquation")->text(), "A'BC+A'D");

    struct Kind {
        const char* command;
        const char* dialog;
        const char* caption;
    };
    const Kind kinds[] = {{"cmdCircuit", "frmCktOpt", "Circuit 1"},
                          {"cmdMux", "frmMuxOpt", "Mux 1"},
                          {"cmdDemux", "frmDemuxOpt", "Demux 1"}};
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.caption);
        work->findChild<QAbstractButton*>(kind.command)->click();
        auto* dialog = main->findChild<QDialog*>(kind.dialog);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QAbstractButton*>("cmdOk")->click();
        frmCircuit* doc = main->frmD();
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->windowTitle(), kind.caption);
        EXPECT_TRUE(hasInk(wholePicture(doc->canvas())));

        const QString path = workdir.file(QString(kind.caption).replace(' ', '_') + ".cir");
        dialogs.saveNames = {path};
        main->findChild<QAction*>("mnuFileSave")->trigger();
        EXPECT_EQ(doc->windowTitle(), path);

        dialogs.openNames = {path};
        main->findChild<QAction*>("mnuFileOpen")->trigger();
        frmCircuit* opened = main->frmD();
        ASSERT_NE(opened, doc);
        EXPECT_EQ(opened->windowTitle(), path);
        // The opened canvas is at least the design size; the drawing sits
        // at its top left, pixel for pixel (a rare text grey may take its
        // palette neighbour).
        const QImage saved = wholePicture(doc->canvas());
        EXPECT_TRUE(
            sameWithinPaletteTolerance(saved, wholePicture(opened->canvas()).copy(saved.rect())));
        EXPECT_GE(opened->canvas().width(), 9696);
        EXPECT_GE(opened->canvas().height(), 7296);
    }
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(main->circuitCount(), 1);
    EXPECT_EQ(main->muxCount(), 1);
    EXPECT_EQ(main->demuxCount(), 1);
}

#endif
