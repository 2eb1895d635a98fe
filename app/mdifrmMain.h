#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPointer>

#include <initializer_list>
#include <memory>

#include "app/shell_seams.h"
#include "app/window_arrangement.h"
#include "drawing/document_host.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QStatusBar;
class QTimer;
class QToolBar;

namespace quendal::drawing {
class DocumentCanvas;
}
namespace quendal::explain {
class ExplainMenu;
}
namespace quendal::practice {
class PracticeMenu;
}
namespace quendal::workspace {
class frmSimplification;
}

namespace quendal::app {

class frmCircuit;
class HelpWindow;

// The main window: the frame that holds the work form and the document
// windows, with the menus, toolbar and status bar, the file and print
// commands, About and Help.
class mdifrmMain : public QMainWindow, public drawing::DocumentHost {
    Q_OBJECT
public:
    explicit mdifrmMain(ShellSeams seams = {}, QWidget* parent = nullptr);
    ~mdifrmMain() override;

    // Opens document window "Circuit n", "Mux n", "Demux n" or an untitled
    // one, makes it frmD and returns its empty canvas. A value outside the
    // kinds opens nothing and returns a canvas that no window shows.
    drawing::Canvas& LoadNewDoc(drawing::DocumentKind kind) override;
    // Document windows never saved, or changed since they were saved or
    // opened; views made again at will (the Explain views) are not counted.
    int unsavedDocumentCount() const override;

    frmCircuit* frmD() const;
    // The document of the active child window; null when the work form (or
    // no child) is active.
    frmCircuit* activeDocument() const;
    QMdiArea* mdiArea() const { return mdiArea_; }
    QWidget* workForm() const;

    // The caption set at load. The window's title may show more: while a
    // child window is maximized its caption is appended in brackets.
    const QString& caption() const { return caption_; }

    int circuitCount() const { return circuitCount_; }
    int muxCount() const { return muxCount_; }
    int demuxCount() const { return demuxCount_; }

signals:
    // The work form's Logout: the shell closes this window and shows the
    // login form again.
    void logoutRequested();
    // The window closed; unless logging out, the program ends.
    void closed();

public slots:
    void MDIForm_Load();
    void mnuFileNewDesign_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileExport_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrint_Click();
    void mnuFileExit_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewZoomIn_Click();
    void mnuViewZoomOut_Click();
    void mnuViewActualSize_Click();
    void mnuViewFitInWindow_Click();
    // Simulate mode of the active drawing (also the toolbar's Simulate button).
    void mnuViewSimulate_Click();
    void mnuWindowCascade_Click();
    void mnuWindowTileHorizontal_Click();
    void mnuWindowTileVertical_Click();
    void mnuWindowArrangeIcons_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();
    void tbToolBar_ButtonClick(const QString& key);
    // The frame's arrange operation, as the Window menu's commands ask it.
    void Arrange(Arrangement arrangement);

protected:
    void closeEvent(QCloseEvent* event) override;
    // No toolbar menu on a right click: the View menu alone shows and hides
    // the bars, so its check marks always tell the truth.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createWorkForm();
    void updateStatusPanels();
    // The active document's zoom, or nothing when no document is active.
    void updateZoomPanel();
    // View > Simulate follows the active window: enabled for a drawing with
    // its circuit model, checked while it simulates; the status panel names
    // the simulated row.
    void updateSimulateCommand();
    // Whether Print or Export (`command`) takes a simulated drawing as the
    // window shows it: asked only while it simulates.
    bool showsSimulation(const frmCircuit& document, const QString& command) const;
    // Every open Truth Table of a simulated circuit's function marks the
    // row that circuit stands at (the active window's first).
    void markTruthTables();
    // A click on a Truth Table's row sets the switches of every simulated
    // circuit of its function.
    void truthTableClicked(frmCircuit* table, QPoint twips);
    void fillWindowList();
    void showHelp(bool search);
    void saveAs(frmCircuit* document);
    bool writeDocument(frmCircuit* document, const QString& path);
    QString dialogFolder() const;
    QPrinter& printer();
    // What File > Print and Export take from the active window, with its
    // title: a document's drawing, or the page a window such as the answer
    // check draws on demand (into `made`). Null for the work form. A
    // simulated drawing is taken as simulated when the user says so.
    const drawing::DocumentCanvas* activeDrawing(std::unique_ptr<drawing::DocumentCanvas>& made,
                                                 QString& title, const QString& command) const;
    // One menu entry: a command with its handler and keys, or, without a
    // handler, a separator.
    struct MenuEntry {
        const char* name;
        const char* text = nullptr;
        void (mdifrmMain::*handler)() = nullptr;
        QList<QKeySequence> keys = {};
    };
    QMenu* addMenu(const char* name, const QString& caption,
                   std::initializer_list<MenuEntry> entries);

    // The real seams, for those the caller left out.
    std::unique_ptr<common::Prompts> ownPrompts_;
    std::unique_ptr<common::Clock> ownClock_;
    std::unique_ptr<common::FileDialogs> ownFileDialogs_;
    std::unique_ptr<common::MinimizerLauncher> ownLauncher_;
    common::Prompts& prompts_;
    const common::Clock& clock_;
    common::FileDialogs& fileDialogs_;
    common::MinimizerLauncher& launcher_;

    QMdiArea* mdiArea_ = nullptr;
    QMdiSubWindow* workWindow_ = nullptr;
    workspace::frmSimplification* workForm_ = nullptr;
    QString caption_;
    QPointer<frmCircuit> frmD_;
    std::unique_ptr<QPrinter> printer_;
    int circuitCount_ = 0;
    int muxCount_ = 0;
    int demuxCount_ = 0;

    QMenu* mnuFile = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuWindow = nullptr;
    QMenu* mnuHelp = nullptr;
    explain::ExplainMenu* explainMenu_ = nullptr;
    practice::PracticeMenu* practiceMenu_ = nullptr;
    QPointer<HelpWindow> help_;
    QAction* mnuViewToolbar = nullptr;
    QAction* mnuViewStatusBar = nullptr;
    QAction* mnuViewSimulate = nullptr;
    QList<QAction*> windowListActions_;
    QToolBar* tbToolBar = nullptr;
    QStatusBar* sbStatusBar = nullptr;
    QLabel* statusPanel_ = nullptr;
    QLabel* zoomPanel_ = nullptr;
    QLabel* datePanel_ = nullptr;
    QLabel* timePanel_ = nullptr;
    QTimer* statusTimer_ = nullptr;
    QMap<QString, QIcon> imlToolbarIcons;
};

}  // namespace quendal::app
