#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <memory>

#include "app/frmCircuit.h"
#include "app/mdifrmMain.h"
#include "common/clock.h"
#include "common/minimizer_launcher.h"
#include "common/session.h"
#include "tests/app/scripted_file_dialogs.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/scripted_minimizer_launcher.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_workdir.h"

// A main window with every seam scripted, in its own working folder.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        quendal::common::Session::current().UserName = "Test User";
        seams.prompts = &prompts;
        seams.clock = &clock;
        seams.fileDialogs = &dialogs;
        seams.launcher = &launcher;
        main = std::make_unique<quendal::app::mdifrmMain>(seams);
    }

    QAction* action(const char* name) const { return main->findChild<QAction*>(name); }
    QMdiArea* area() const { return main->mdiArea(); }
    QList<QMdiSubWindow*> windows() const { return area()->subWindowList(QMdiArea::CreationOrder); }
    QMdiSubWindow* windowOf(QWidget* widget) const {
        return qobject_cast<QMdiSubWindow*>(widget->parentWidget());
    }
    // Lets deferred deletions happen (closed windows delete themselves).
    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    TempWorkdir workdir;
    ScriptedPrompts prompts;
    FixedClock clock{quendal::common::LocalDateTime{2024, 3, 5, 7, 40, 0}};
    ScriptedFileDialogs dialogs;
    ScriptedMinimizerLauncher launcher;
    quendal::app::ShellSeams seams;
    std::unique_ptr<quendal::app::mdifrmMain> main;
};
