#pragma once

// The road of one simplification and its drawings, walked in the real
// program's windows: sign in, state a function, Simplify with the real
// minimizer, draw every kind, save, open, print, type an equation, log out,
// sign in again, Exit.

#include <QDir>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "tests/e2e/ui_driver.h"

namespace quendal::app {
class Shell;
}
namespace quendal::app {
class frmCircuit;
}
namespace quendal::app {
class mdifrmMain;
}
class QMessageBox;

namespace e2e {

class Road {
public:
    Road(quendal::app::Shell& shell, Screenshots& shots, const QDir& workdir);
    ~Road();

    // Walks every step in order and stops at the first that fails. True
    // when all passed.
    bool walk();
    // Set by the caller when the shell reports that no window remains.
    void programFinished() { finished_ = true; }

private:
    struct Step {
        QString name;
        std::function<void()> run;
    };

    void loginWindowAppears();
    void signIn(const QString& shotName);
    void chooseFunction();
    void simplifyTerms();
    void drawCircuits();
    void drawMultiplexers();
    void drawDemultiplexer();
    void saveDrawing();
    void openDrawing();
    void printDrawing();
    void exportDrawing();
    // Answers the export file dialog with `path` and the options page with
    // its defaults, after `onOptions` has seen it.
    void expectExportDialogs(const QString& path, std::function<void(QWidget*)> onOptions = {});
    void typeEquation();
    void logOut();
    void signInAgain();
    void exitProgram();

    // A drawing command: its options dialog, the option to pick (or none
    // for the preset), Ok, and the new document window with its picture.
    quendal::app::frmCircuit* draw(const char* command, const char* dialogName, const char* option,
                                   const char* presetOption, const QString& caption,
                                   const QString& shotName, const QString& guideName = {});
    // Brings the work form to the front through the Window menu, when a
    // document covers it.
    void showWorkForm();
    // The part of the screen that shows the document's drawing; fails when
    // the picture on the screen is blank.
    QRect checkDocumentOnScreen(quendal::app::frmCircuit* document, const QImage& shot);
    void drawEveryKindOfTypedFunction();
    // Opens each Explain view of the typed function once (road_explain.cpp).
    void explainViews();
    void activateWindowFromList(const std::function<bool(const QString&)>& which,
                                const QString& what);
    // Answers the next file dialog by typing the path and pressing Enter.
    void expectFileDialog(const QString& path, const QString& shotName);
    void expectQuestion(const QString& text, bool yes, const QString& shotName);

    quendal::app::mdifrmMain* main() const;
    QWidget* workForm() const;
    QString text(const char* box) const;
    QString logText() const;

    quendal::app::Shell& shell_;
    Screenshots& shots_;
    QDir workdir_;
    bool finished_ = false;
    // What the next modal window should be, and how to answer it; null when
    // none is expected: then any modal window is a failure of the step.
    std::function<bool(QWidget*)> expected_;
    QStringList unexpected_;
    std::unique_ptr<ModalAnswerer> answerer_;
    QString savedPath_;
    QImage savedPicture_;
};

}  // namespace e2e
