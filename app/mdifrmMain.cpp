#include "app/mdifrmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>

#include <QToolBar>
#include <cmath>
#include <optional>

#include "app/artwork.h"
#include "app/circuit_files.h"
#include "app/circuit_simulation.h"
#include "app/credits.h"
#include "app/document_export.h"
#include "app/frmCircuit.h"
#include "app/help_window.h"
#include "app/print_layout.h"
#include "app/qt_file_dialogs.h"
#include "app/replacing_file.h"
#include "app/replacing_file.h"
#include "app/version.h"
#include "app/window_arrangement.h"
#include "common/clock.h"
#include "common/closing_question.h"
#include "common/minimizer_launcher.h"
#include "common/prompts.h"
#include "common/session.h"
#include "design/frmDesign.h"
#include "drawing/canvas_document.h"
#include "drawing/drawn_circuit.h"
#include "drawing/page_source.h"
#include "explain/explain_menu.h"
#include "explain/truth_table_view.h"
#include "practice/practice_menu.h"
#include "workspace/frmSimplification.h"

namespace quendal::app {

namespace {

// A document changed since it was last saved or opened.
constexpr char kChanged[] = "quendalChanged";

template <typename T, typename Real>
std::unique_ptr<T> unlessGiven(const void* given) {
    return given ? nullptr : std::make_unique<Real>();
}

}  // namespace

mdifrmMain::mdifrmMain(ShellSeams seams, QWidget* parent)
    : QMainWindow(parent),
      ownPrompts_(seams.prompts ? nullptr : std::make_unique<common::MessageBoxPrompts>(this)),
      ownClock_(unlessGiven<common::Clock, common::SystemClock>(seams.clock)),
      ownFileDialogs_(unlessGiven<common::FileDialogs, QtFileDialogs>(seams.fileDialogs)),
      ownLauncher_(
          unlessGiven<common::MinimizerLauncher, common::ProcessMinimizerLauncher>(seams.launcher)),
      prompts_(seams.prompts ? *seams.prompts : *ownPrompts_),
      clock_(seams.clock ? *seams.clock : *ownClock_),
      fileDialogs_(seams.fileDialogs ? *seams.fileDialogs : *ownFileDialogs_),
      launcher_(seams.launcher ? *seams.launcher : *ownLauncher_) {
    setObjectName(QStringLiteral("mdifrmMain"));
    setWindowIcon(appIcon());  // the child windows show it too
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setBackground(QColor(224, 224, 224));
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        updateZoomPanel();
        updateSimulateCommand();
        markTruthTables();
    });
    imlToolbarIcons = toolbarIcons();
    imlToolbarIcons.insert(QStringLiteral("Export"), exportIcon());
    createMenus();
    createToolBar();
    createStatusBar();
    resize(800, 600);
    MDIForm_Load();
    createWorkForm();
}

mdifrmMain::~mdifrmMain() {
    // The child windows go first: the work form uses the seams below. Their
    // going activates no other window here.
    mdiArea_->disconnect(this);
    delete mdiArea_;
}

QMenu* mdifrmMain::addMenu(const char* name, const QString& caption,
                           std::initializer_list<MenuEntry> entries) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    for (const MenuEntry& entry : entries) {
        QAction* action =
            entry.handler ? menu->addAction(QString::fromUtf8(entry.text)) : menu->addSeparator();
        action->setObjectName(QLatin1String(entry.name));
        if (entry.handler) connect(action, &QAction::triggered, this, entry.handler);
        action->setShortcuts(entry.keys);
    }
    return menu;
}

void mdifrmMain::createMenus() {
    using M = mdifrmMain;
    mnuFile = addMenu("mnuFile", QStringLiteral("&File"),
                      {{"mnuFileNewDesign", "New &Design...", &M::mnuFileNewDesign_Click},
                       {"mnuFileOpen", "&Open...", &M::mnuFileOpen_Click, {Qt::CTRL | Qt::Key_O}},
                       {"mnuFileClose", "&Close", &M::mnuFileClose_Click},
                       {"mnuFileBar0"},
                       {"mnuFileSave", "&Save", &M::mnuFileSave_Click},
                       {"mnuFileSaveAs", "Save &As...", &M::mnuFileSaveAs_Click},
                       {"mnuFileExport", "&Export...", &M::mnuFileExport_Click},
                       {"mnuFileBar2"},
                       {"mnuFilePageSetup", "Page Set&up...", &M::mnuFilePageSetup_Click},
                       {"mnuFilePrint", "&Print...", &M::mnuFilePrint_Click},
                       {"mnuFileBar5"},
                       {"mnuFileExit", "E&xit", &M::mnuFileExit_Click}});

    mnuView = addMenu(
        "mnuView", QStringLiteral("&View"),
        {{"mnuViewToolbar", "&Toolbar", &M::mnuViewToolbar_Click},
         {"mnuViewStatusBar", "Status &Bar", &M::mnuViewStatusBar_Click},
         {"mnuViewBar1"},
         {"mnuViewZoomIn",
          "Zoom &In",
          &M::mnuViewZoomIn_Click,
          {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}},
         {"mnuViewZoomOut", "Zoom &Out", &M::mnuViewZoomOut_Click, {Qt::CTRL | Qt::Key_Minus}},
         {"mnuViewActualSize", "&Actual Size", &M::mnuViewActualSize_Click, {Qt::CTRL | Qt::Key_0}},
         {"mnuViewFitInWindow", "&Fit in Window", &M::mnuViewFitInWindow_Click},
         {"mnuViewBar2"},
         {"mnuViewSimulate", "Si&mulate", &M::mnuViewSimulate_Click}});
    mnuViewSimulate = mnuView->findChild<QAction*>(QStringLiteral("mnuViewSimulate"));
    mnuViewSimulate->setCheckable(true);
    mnuViewSimulate->setIcon(simulateIcon());
    connect(mnuView, &QMenu::aboutToShow, this, &mdifrmMain::updateSimulateCommand);
    mnuViewToolbar = mnuView->findChild<QAction*>(QStringLiteral("mnuViewToolbar"));
    mnuViewStatusBar = mnuView->findChild<QAction*>(QStringLiteral("mnuViewStatusBar"));
    for (QAction* toggle : {mnuViewToolbar, mnuViewStatusBar}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }

    mnuWindow =
        addMenu("mnuWindow", QStringLiteral("&Window"),
                {{"mnuWindowCascade", "&Cascade", &M::mnuWindowCascade_Click},
                 {"mnuWindowTileHorizontal", "Tile &Horizontal", &M::mnuWindowTileHorizontal_Click},
                 {"mnuWindowTileVertical", "Tile &Vertical", &M::mnuWindowTileVertical_Click},
                 {"mnuWindowArrangeIcons", "&Arrange Icons", &M::mnuWindowArrangeIcons_Click}});
    connect(mnuWindow, &QMenu::aboutToShow, this, &mdifrmMain::fillWindowList);

    mnuHelp = addMenu(
        "mnuHelp", QStringLiteral("&Help"),
        {{"mnuHelpContents", "&Contents", &M::mnuHelpContents_Click},
         {"mnuHelpSearchForHelpOn", "&Search For Help On...", &M::mnuHelpSearchForHelpOn_Click},
         {"mnuHelpBar0"},
         {"mnuHelpAbout", "&About ", &M::mnuHelpAbout_Click}});
}

void mdifrmMain::mnuFileNewDesign_Click() {
    // A window of its own: a design is not a drawing, and it keeps its own File menu.
    const auto write = [](const QString& path, const QByteArray& bytes) -> std::optional<QString> {
        ReplacingFile file(replacementTarget(path));
        if (!file.start() || file.write(bytes) != bytes.size() || !file.commit())
            return file.reason();
        return std::nullopt;
    };
    auto* window = new design::frmDesign({prompts_, fileDialogs_, write, this}, this);
    window->setWindowFlag(Qt::Window);
    window->show();
}

void mdifrmMain::createToolBar() {
    tbToolBar = addToolBar(QStringLiteral("Toolbar"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    // The View menu alone shows and hides the toolbar, so its check mark
    // always tells the truth: no moving, floating or closing from elsewhere.
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbToolBar->setIconSize(QSize(16, 16));
    auto addButton = [this](const QString& key) {
        QAction* button = tbToolBar->addAction(imlToolbarIcons.value(key), key);
        button->setObjectName(key);
        button->setToolTip(key);
        button->setData(key);
        connect(button, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
    };
    addButton(QStringLiteral("Open"));
    addButton(QStringLiteral("Save"));
    tbToolBar->addSeparator();
    addButton(QStringLiteral("Print"));
    addButton(QStringLiteral("Export"));
    tbToolBar->addSeparator();
    // The menu item itself, so the button shows its check mark.
    tbToolBar->addAction(mnuViewSimulate);
}

void mdifrmMain::createStatusBar() {
    sbStatusBar = statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setSizeGripEnabled(false);
    auto panel = [](const char* name, const QString& text) {
        auto* label = new QLabel(text);
        label->setObjectName(QLatin1String(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        return label;
    };
    statusPanel_ = panel("pnlStatus", QStringLiteral("Status"));
    zoomPanel_ = panel("pnlZoom", {});
    zoomPanel_->setToolTip(QStringLiteral("Zoom of the active drawing"));
    datePanel_ = panel("pnlDate", {});
    timePanel_ = panel("pnlTime", {});
    sbStatusBar->addWidget(statusPanel_, 1);
    sbStatusBar->addPermanentWidget(zoomPanel_);
    sbStatusBar->addPermanentWidget(datePanel_);
    sbStatusBar->addPermanentWidget(timePanel_);
    statusTimer_ = new QTimer(this);
    statusTimer_->setInterval(1000);
    connect(statusTimer_, &QTimer::timeout, this, &mdifrmMain::updateStatusPanels);
    statusTimer_->start();
    updateStatusPanels();
    updateZoomPanel();
    updateSimulateCommand();
}

void mdifrmMain::updateZoomPanel() {
    const frmCircuit* document = activeDocument();
    zoomPanel_->setText(document ? QStringLiteral("%1 %").arg(std::lround(document->zoom() * 100))
                                 : QString());
    zoomPanel_->setVisible(document != nullptr);
}

void mdifrmMain::updateStatusPanels() {
    const common::LocalDateTime now = clock_.now();
    datePanel_->setText(QString::fromStdString(common::headerDate(now)));
    timePanel_->setText(QString::fromStdString(common::headerTime(now)));
}

void mdifrmMain::createWorkForm() {
    workForm_ = new workspace::frmSimplification(*this, prompts_, clock_, launcher_);
    // The work form stays until logout or exit: its window has no close
    // button.
    workWindow_ =
        mdiArea_->addSubWindow(workForm_, Qt::SubWindow | Qt::CustomizeWindowHint |
                                              Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
    workWindow_->setObjectName(QStringLiteral("workFormWindow"));
    connect(workForm_, &workspace::frmSimplification::logoutRequested, this,
            &mdifrmMain::logoutRequested);
    connect(workForm_, &workspace::frmSimplification::exitRequested, this, &QWidget::close);
    workWindow_->showMaximized();
    mdiArea_->setActiveSubWindow(workWindow_);

    // The teaching views open as titled documents; the menu sits between View and Window.
    explain::ExplainMenu::Hooks hooks{
        [this] { return workForm_->currentFunction(); },
        [this](const QString& caption, QWidget* controls) -> drawing::Canvas& {
            drawing::Canvas& canvas = LoadNewDoc(drawing::DocumentKind::Explain);
            frmD_->setWindowTitle(caption);
            if (controls) frmD_->setControls(controls);
            return canvas;
        },
        [this](const QString& text) { prompts_.message(text, common::PromptIcon::Exclamation); },
        &clock_};
    explainMenu_ =
        new explain::ExplainMenu(menuBar(), mnuWindow->menuAction(), mdiArea_, hooks, this);
    connect(workForm_, &workspace::frmSimplification::drawingCommandsEnabled, explainMenu_,
            &explain::ExplainMenu::setAvailable);
    // The work form shows the minimum product of sums the menu works out after each Simplify.
    connect(explainMenu_, &explain::ExplainMenu::explained, workForm_,
            &workspace::frmSimplification::showMinimumPos);
    // Practice sits after Explain; its views open as the Explain menu's do.
    practiceMenu_ = new practice::PracticeMenu(
        menuBar(), mnuWindow->menuAction(), mdiArea_,
        {hooks.openDocument, hooks.message, &fileDialogs_, &clock_}, this);
}

QWidget* mdifrmMain::workForm() const {
    return workForm_;
}

void mdifrmMain::MDIForm_Load() {
    caption_ = QStringLiteral("Quendal  -  User  :  ") +
               QString::fromStdString(common::Session::current().UserName);
    setWindowTitle(caption_);
}

drawing::Canvas& mdifrmMain::LoadNewDoc(drawing::DocumentKind kind) {
    QString caption;
    switch (kind) {
        case drawing::DocumentKind::Circuit:
            caption = QStringLiteral("Circuit %1").arg(++circuitCount_);
            break;
        case drawing::DocumentKind::Mux: caption = QStringLiteral("Mux %1").arg(++muxCount_); break;
        case drawing::DocumentKind::Demux:
            caption = QStringLiteral("Demux %1").arg(++demuxCount_);
            break;
        case drawing::DocumentKind::Opened:
        case drawing::DocumentKind::Explain: break;
    }
    auto* document = new frmCircuit(kind);
    document->setWindowTitle(caption);
    connect(document, &frmCircuit::zoomChanged, this, [this] { updateZoomPanel(); });
    connect(document, &frmCircuit::simulationChanged, this, [this] {
        updateSimulateCommand();
        markTruthTables();
    });
    connect(document, &frmCircuit::pictureClickedAt, this,
            [this, document](QPoint twips) { truthTableClicked(document, twips); });
    // The drawing, and so its model, comes once this returns; so does an
    // Explain view's content.
    QTimer::singleShot(0, this, [this] {
        updateSimulateCommand();
        markTruthTables();
    });
    QMdiSubWindow* window = mdiArea_->addSubWindow(document);
    frmD_ = document;
    connect(&document->canvas(), &drawing::DocumentCanvas::imageChanged, document,
            [document] { document->setProperty(kChanged, true); });
    window->show();
    mdiArea_->setActiveSubWindow(window);
    updateZoomPanel();
    return document->canvas();
}

frmCircuit* mdifrmMain::frmD() const {
    return frmD_;
}

frmCircuit* mdifrmMain::activeDocument() const {
    QMdiSubWindow* window = mdiArea_->currentSubWindow();
    return window ? qobject_cast<frmCircuit*>(window->widget()) : nullptr;
}

int mdifrmMain::unsavedDocumentCount() const {
    int count = 0;
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        const auto* document = qobject_cast<frmCircuit*>(window->widget());
        if (document && document->kind() != drawing::DocumentKind::Explain &&
            (isNeverSaved(document->windowTitle()) || document->property(kChanged).toBool())) {
            ++count;
        }
    }
    return count;
}

void mdifrmMain::closeEvent(QCloseEvent* event) {
    // Closed from the title bar: ask as Exit does when drawings would be
    // lost. The commands that close the window have asked already.
    if (event->spontaneous() && unsavedDocumentCount() > 0 &&
        !common::confirmClosing(prompts_, common::ClosingCommand::Exit, unsavedDocumentCount())) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

// File commands ----------------------------------------------------------

QString mdifrmMain::dialogFolder() const {
    return app::dialogFolder(QCoreApplication::applicationDirPath(), QDir::currentPath());
}

void mdifrmMain::mnuFileOpen_Click() {
    const QString path = fileDialogs_.openFileName(this, dialogFolder(), kCircuitFileFilter);
    if (path.isEmpty()) return;
    // The picture is read before its window opens, so a file that is no
    // picture leaves no empty window behind.
    QImage picture;
    try {
        picture = readCircuitFile(path);
    } catch (const CircuitFileError& e) {
        prompts_.message(QString::fromStdString(e.what()), common::PromptIcon::Exclamation);
        return;
    }
    LoadNewDoc(drawing::DocumentKind::Opened);
    frmD_->canvas().setPicture(picture);
    frmD_->setWindowTitle(QFileInfo(path).absoluteFilePath());
    frmD_->setProperty(kChanged, false);
}

bool mdifrmMain::writeDocument(frmCircuit* document, const QString& path) {
    try {
        saveDrawing(document->canvas(), path);
        document->setProperty(kChanged, false);
        return true;
    } catch (const CircuitFileError& e) {
        prompts_.message(QString::fromStdString(e.what()), common::PromptIcon::Exclamation);
        return false;
    }
}

void mdifrmMain::saveAs(frmCircuit* document) {
    const QString path = fileDialogs_.saveFileName(this, dialogFolder(), kCircuitFileFilter);
    if (path.isEmpty()) return;
    const QString absolute = QFileInfo(withCircuitExtension(path)).absoluteFilePath();
    if (writeDocument(document, absolute)) document->setWindowTitle(absolute);
}

void mdifrmMain::mnuFileSave_Click() {
    frmCircuit* document = activeDocument();
    if (!document) return;
    if (isNeverSaved(document->windowTitle())) {
        saveAs(document);
        return;
    }
    writeDocument(document, document->windowTitle());
}

void mdifrmMain::mnuFileSaveAs_Click() {
    if (frmCircuit* document = activeDocument()) saveAs(document);
}

QPrinter& mdifrmMain::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void mdifrmMain::mnuFilePageSetup_Click() {
    fileDialogs_.pageSetup(this, printer(), QStringLiteral("Page Setup"));
}

const drawing::DocumentCanvas* mdifrmMain::activeDrawing(
    std::unique_ptr<drawing::DocumentCanvas>& made, QString& title, const QString& command) const {
    QMdiSubWindow* window = mdiArea_->currentSubWindow();
    if (!window || window == workWindow_) return nullptr;
    title = window->widget()->windowTitle();
    if (const frmCircuit* document = activeDocument())
        return showsSimulation(*document, command) ? &document->shownCanvas() : &document->canvas();
    if (const auto* source = dynamic_cast<const drawing::PageSource*>(window->widget())) {
        made = std::make_unique<drawing::DocumentCanvas>();
        source->drawPage(*made);
        return made.get();
    }
    return nullptr;
}

void mdifrmMain::mnuFilePrint_Click() {
    std::unique_ptr<drawing::DocumentCanvas> made;
    QString title;
    const drawing::DocumentCanvas* page = activeDrawing(made, title, QStringLiteral("Print"));
    if (!page) return;
    QPrinter& device = printer();
    if (!fileDialogs_.choosePrinter(this, device, QStringLiteral("Print"))) return;
    device.setDocName(title);
    const drawing::DocumentCanvas& canvas = *page;
    PrintScale scale = PrintScale::FitToPage;
    const PageGrid grid = pageGrid(device, canvas.pixelSize());
    // A drawing larger than a page would print too small to read: offer to
    // print it at its size on the screen across several pages.
    if (grid.pages() > 1 &&
        prompts_.ask(QStringLiteral("This drawing is larger than one page.\n"
                                    "Print it at its size on the screen across %1 pages "
                                    "(%2 rows x %3 columns)?\n"
                                    "No prints it on one page, fitted to the page.")
                         .arg(grid.pages())
                         .arg(grid.rows)
                         .arg(grid.columns),
                     common::PromptReply::No, QStringLiteral("Print"))) {
        scale = PrintScale::ActualSize;
    }
    try {
        printDocument(device, canvas, scale);
    } catch (const PrintError& e) {
        prompts_.message(QString::fromStdString(e.what()), common::PromptIcon::Exclamation);
    }
}

void mdifrmMain::mnuFileExport_Click() {
    std::unique_ptr<drawing::DocumentCanvas> made;
    QString title;
    const drawing::DocumentCanvas* page = activeDrawing(made, title, QStringLiteral("Export"));
    if (!page) return;
    // Exports go where the user works, not beside the program.
    const QString path = fileDialogs_.exportFileName(this, QDir::currentPath(), kExportFileFilter);
    if (path.isEmpty()) return;
    const std::optional<ExportFormat> format = exportFormatFor(path);
    if (!format) {
        prompts_.message(unknownExportFormatMessage(path), common::PromptIcon::Exclamation);
        return;
    }
    if (const std::optional<QString> refusal = exportRefusal(*page, *format)) {
        prompts_.message(*refusal, common::PromptIcon::Exclamation, QStringLiteral("Export"));
        return;
    }
    if (!mayExportTo(path, prompts_)) return;
    ExportDialog options(path, *format, !page->hasDrawing(), this,
                         page->circuit() ? &page->circuit()->netlist : nullptr);
    if (options.exec() != QDialog::Accepted) return;
    try {
        exportDocument(*page, QFileInfo(path).absoluteFilePath(), *format, options.scale(), title,
                       options.moduleName());
    } catch (const ExportError& e) {
        prompts_.message(QString::fromStdString(e.what()), common::PromptIcon::Exclamation);
    }
}

void mdifrmMain::mnuFileClose_Click() {
    if (common::confirmClosing(prompts_, common::ClosingCommand::Exit, unsavedDocumentCount()))
        close();
}

void mdifrmMain::mnuFileExit_Click() {
    // At once, unless drawings would be lost.
    const int unsaved = unsavedDocumentCount();
    if (unsaved == 0 || common::confirmClosing(prompts_, common::ClosingCommand::Exit, unsaved))
        close();
}

void mdifrmMain::tbToolBar_ButtonClick(const QString& key) {
    if (key == QLatin1String("Open"))
        mnuFileOpen_Click();
    else if (key == QLatin1String("Save"))
        mnuFileSave_Click();
    else if (key == QLatin1String("Print"))
        mnuFilePrint_Click();
    else if (key == QLatin1String("Export"))
        mnuFileExport_Click();
}

// View and Window ------------------------------------------------------------

void mdifrmMain::mnuViewToolbar_Click() {
    // The action has already inverted its own check mark.
    tbToolBar->setVisible(mnuViewToolbar->isChecked());
}

void mdifrmMain::mnuViewStatusBar_Click() {
    sbStatusBar->setVisible(mnuViewStatusBar->isChecked());
}

void mdifrmMain::mnuViewZoomIn_Click() {
    if (frmCircuit* document = activeDocument()) document->zoomIn();
}

void mdifrmMain::mnuViewZoomOut_Click() {
    if (frmCircuit* document = activeDocument()) document->zoomOut();
}

void mdifrmMain::mnuViewActualSize_Click() {
    if (frmCircuit* document = activeDocument()) document->actualSize();
}

void mdifrmMain::mnuViewSimulate_Click() {
    frmCircuit* document = activeDocument();
    if (document) document->setSimulating(mnuViewSimulate->isChecked());
    updateSimulateCommand();
}

void mdifrmMain::updateSimulateCommand() {
    const frmCircuit* document = activeDocument();
    const bool simulating = document && document->isSimulating();
    mnuViewSimulate->setEnabled(document && document->canSimulate());
    mnuViewSimulate->setChecked(simulating);
    statusPanel_->setText(simulating ? document->simulatedRowText() : QStringLiteral("Status"));
}

namespace {

// Whether a circuit implements the table's function: the same letters, and
// Y as the table says on every row that is no don't-care.
bool implementsTable(const circuit::Netlist& netlist, const explain::TruthTableDocument& table) {
    const logic::Function& f = table.function();
    std::string letters;
    for (const std::string& letter : netlist.letters) letters += letter;
    if (letters != table.letters() || netlist.width() != f.width) return false;
    for (int row = 0; row < (1 << f.width); ++row)
        if (!f.dc.test(row) && circuit::outputValue(netlist, row) != f.on.test(row)) return false;
    return true;
}

}  // namespace

void mdifrmMain::markTruthTables() {
    std::vector<frmCircuit*> simulated;
    if (frmCircuit* active = activeDocument(); active && active->isSimulating())
        simulated.push_back(active);
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        auto* document = qobject_cast<frmCircuit*>(window->widget());
        if (document && document->isSimulating() && document != activeDocument())
            simulated.push_back(document);
    }
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        auto* table = window->widget()->findChild<explain::TruthTableDocument*>();
        if (!table) continue;
        std::optional<int> row;
        for (const frmCircuit* circuit : simulated) {
            if (implementsTable(circuit->canvas().circuit()->netlist, *table)) {
                row = int(circuit->simulatedRow());
                break;
            }
        }
        table->markRow(row);
    }
}

void mdifrmMain::truthTableClicked(frmCircuit* table, QPoint twips) {
    const auto* document = table->findChild<explain::TruthTableDocument*>();
    if (!document) return;
    const std::optional<int> row = document->rowAt(twips.x(), twips.y());
    if (!row) return;
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        auto* circuit = qobject_cast<frmCircuit*>(window->widget());
        if (circuit && circuit->isSimulating() &&
            implementsTable(circuit->canvas().circuit()->netlist, *document))
            circuit->setSimulatedRow(std::uint64_t(*row));
    }
}

bool mdifrmMain::showsSimulation(const frmCircuit& document, const QString& command) const {
    // The drawing as drawn unless the user asks for what the window shows.
    return document.isSimulating() &&
           prompts_.ask(QStringLiteral("The drawing is simulated at %1.\n%2 it as simulated?\n"
                                       "No %3 the drawing as drawn.")
                            .arg(document.simulatedRowText(), command,
                                 command == QLatin1String("Print") ? QStringLiteral("prints")
                                                                   : QStringLiteral("exports")),
                        common::PromptReply::No, command);
}

void mdifrmMain::mnuViewFitInWindow_Click() {
    if (frmCircuit* document = activeDocument()) document->fitInWindow();
}

void mdifrmMain::mnuWindowCascade_Click() {
    Arrange(Arrangement::Cascade);
}

void mdifrmMain::mnuWindowTileHorizontal_Click() {
    Arrange(Arrangement::TileHorizontal);
}

void mdifrmMain::mnuWindowTileVertical_Click() {
    Arrange(Arrangement::TileVertical);
}

void mdifrmMain::mnuWindowArrangeIcons_Click() {
    Arrange(Arrangement::ArrangeIcons);
}

void mdifrmMain::Arrange(Arrangement arrangement) {
    if (arrangement == Arrangement::Cascade) {
        mdiArea_->cascadeSubWindows();
        return;
    }
    const QRect area = mdiArea_->viewport()->rect();
    QList<QMdiSubWindow*> windows;
    if (arrangement == Arrangement::ArrangeIcons) {
        std::vector<QSize> sizes;
        for (QMdiSubWindow* w : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
            if (w->isVisible() && w->isMinimized()) {
                windows.append(w);
                sizes.push_back(w->size());
            }
        }
        const std::vector<QPoint> places = iconPositions(area, sizes);
        for (int i = 0; i < windows.size(); ++i) windows[i]->move(places[i]);
        return;
    }
    if (arrangement != Arrangement::TileHorizontal && arrangement != Arrangement::TileVertical)
        return;
    for (QMdiSubWindow* w : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (w->isVisible() && !w->isMinimized()) windows.append(w);
    }
    const std::vector<QRect> rects = tileRects(
        area, int(windows.size()),
        arrangement == Arrangement::TileHorizontal ? Tiling::Horizontal : Tiling::Vertical);
    for (int i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}

void mdifrmMain::fillWindowList() {
    for (QAction* action : windowListActions_) {
        mnuWindow->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    windowListActions_.append(mnuWindow->addSeparator());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        const QString title = window->windowTitle().replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action = mnuWindow->addAction(
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
        action->setCheckable(true);
        action->setChecked(window == mdiArea_->currentSubWindow());
        QPointer<QMdiSubWindow> target = window;
        connect(action, &QAction::triggered, this, [this, target] {
            if (target) mdiArea_->setActiveSubWindow(target);
        });
        windowListActions_.append(action);
    }
}

// Help -------------------------------------------------------------------------

void mdifrmMain::mnuHelpContents_Click() {
    showHelp(false);
}

void mdifrmMain::mnuHelpSearchForHelpOn_Click() {
    showHelp(true);
}

void mdifrmMain::showHelp(bool search) {
    if (!help_) help_ = new HelpWindow(this);
    help_->showGuide(search);
}

void mdifrmMain::mnuHelpAbout_Click() {
    prompts_.message(aboutText(kVersionMajor, kVersionMinor, kVersionRevision));
}

}  // namespace quendal::app
