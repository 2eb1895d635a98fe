#include "tests/e2e/road.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <cstdio>

#include "app/circuit_files.h"
#include "app/frmCircuit.h"
#include "app/frmSplash.h"
#include "app/mdifrmMain.h"
#include "app/shell.h"
#include "tests/support/whole_picture.h"
#include "tests/e2e/file_checks.h"
#include "tests/e2e/print_dialog_driver.h"
#include "tests/support/palette_tolerance.h"

using namespace quendal::drawing;
using namespace quendal::workspace;
using namespace quendal::app;

namespace e2e {

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QString kUser = QStringLiteral("Test User");
const QString kCaption = QStringLiteral("Quendal  -  User  :  Test User");

// Three variables, min-terms 1, 3 and 5, don't-care 7, as the expression
// rules write them: the input as a sum of products with its don't-care
// suffix, the complement form of the three min-term codes 001, 011 and 101,
// and the minimized function C (the minimizer covers 7 with the others) with
// the short-text rule beside it.
const QString kTermsEquation = QStringLiteral("A'B'C+A'BC+AB'C + d (ABC)");
const QString kTermsInputPos = QStringLiteral("((A+B+C')(A+B'+C')(A'+B+C'))'");
const QString kTermsMinimized = QStringLiteral("C");
const QByteArray kTermsInFile = "001\r\n011\r\n101\r\n111d";

// The typed equation: its products' codes 10- and --1 in complement form.
const QString kTypedKeys = QStringLiteral("ab'+c");
const QString kTypedEquation = QStringLiteral("AB'+C");
const QString kTypedInputPos = QStringLiteral("((A'+B)(C'))'");

// Line 1 of a log record; the date and time are the system's.
const QRegularExpression kLogHeader(QStringLiteral(
    "^UserName    : Test User Date : \\d\\d-[A-Z][a-z][a-z]-\\d{4} Time : \\d\\d:\\d\\d [AP]M$"));

void say(const QString& text) {
    std::fprintf(stderr, "e2e: %s\n", qPrintable(text));
}

}  // namespace

Road::Road(Shell& shell, Screenshots& shots, const QDir& workdir)
    : shell_(shell), shots_(shots), workdir_(workdir) {
    answerer_ = std::make_unique<ModalAnswerer>([this](QWidget* modal) {
        if (expected_) {
            // Answer it once; the step checks that it was answered.
            auto handler = std::move(expected_);
            expected_ = nullptr;
            return handler(modal);
        }
        QString what = QLatin1String(modal->metaObject()->className());
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            what += QStringLiteral(": ") + box->text();
        unexpected_ << what;
        say(QStringLiteral("unexpected modal window %1").arg(what));
        modal->close();
        return false;
    });
}

Road::~Road() = default;

mdifrmMain* Road::main() const {
    return shell_.mainWindow();
}

QWidget* Road::workForm() const {
    check(main() != nullptr, QStringLiteral("no main window"));
    return main()->workForm();
}

QString Road::text(const char* box) const {
    return child<QLineEdit>(workForm(), box)->text();
}

QString Road::logText() const {
    return QString::fromLatin1(fileBytes(workdir_.filePath(QStringLiteral("log.txt"))));
}

bool Road::walk() {
    const std::vector<Step> steps = {
        {QStringLiteral("the login window appears"), [this] { loginWindowAppears(); }},
        {QStringLiteral("sign in as test user"), [this] { signIn(QStringLiteral("main_window")); }},
        {QStringLiteral("3 variables, Min Terms 1 3 5, don't-care 7"),
         [this] { chooseFunction(); }},
        {QStringLiteral("Simplify with the real minimizer"), [this] { simplifyTerms(); }},
        {QStringLiteral("basic, NAND and NOR circuits"), [this] { drawCircuits(); }},
        {QStringLiteral("8 : 1 multiplexer and 4 : 1 tree"), [this] { drawMultiplexers(); }},
        {QStringLiteral("demultiplexer"), [this] { drawDemultiplexer(); }},
        {QStringLiteral("save a drawing as a circuit file"), [this] { saveDrawing(); }},
        {QStringLiteral("open the circuit file again"), [this] { openDrawing(); }},
        {QStringLiteral("print to a PDF file"), [this] { printDrawing(); }},
        {QStringLiteral("export a drawing as SVG"), [this] { exportDrawing(); }},
        {QStringLiteral("type an equation and press Enter"), [this] { typeEquation(); }},
        {QStringLiteral("draw every kind for the typed equation"),
         [this] { drawEveryKindOfTypedFunction(); }},
        {QStringLiteral("open each Explain view"), [this] { explainViews(); }},
        {QStringLiteral("Logout"), [this] { logOut(); }},
        {QStringLiteral("sign in again"), [this] { signInAgain(); }},
        {QStringLiteral("Exit"), [this] { exitProgram(); }},
    };
    int number = 0;
    for (const Step& step : steps) {
        ++number;
        say(QStringLiteral("step %1: %2").arg(number).arg(step.name));
        unexpected_.clear();
        try {
            step.run();
            check(unexpected_.isEmpty(), QStringLiteral("unexpected modal window: ") +
                                             unexpected_.join(QStringLiteral("; ")));
            check(answerer_->failure().isEmpty(), answerer_->failure());
        } catch (const StepFailure& e) {
            QString why = QString::fromStdString(e.what());
            // A modal window answered wrongly is the cause of what followed.
            if (!answerer_->failure().isEmpty() && answerer_->failure() != why) {
                why = answerer_->failure() + QStringLiteral(" (then: ") + why + QLatin1Char(')');
            }
            say(QStringLiteral("FAILED step %1 (%2): %3").arg(number).arg(step.name, why));
            shots_.take(QStringLiteral("FAILED"));
            expected_ = nullptr;
            return false;
        }
        say(QStringLiteral("ok   step %1").arg(number));
    }
    return true;
}

// ---- Sign in -------------------------------------------------------------

void Road::loginWindowAppears() {
    frmSplash* splash = shell_.loginForm();
    check(splash != nullptr, QStringLiteral("no login form"));
    check(waitUntil([splash] {
              return splash->isVisible() && splash->windowHandle() &&
                     splash->windowHandle()->isExposed();
          }),
          QStringLiteral("the login form is not shown on the screen"));
    check(main() == nullptr, QStringLiteral("a main window before login"));
    const QImage shot = shots_.take(QStringLiteral("login"));
    // The form's dark blue border shows on the X screen.
    const QPoint corner = splash->mapToGlobal(QPoint(2, 2));
    check(shot.pixel(corner) == qRgb(0, 0, 128),
          QStringLiteral("the login form's border is not on the screen"));
    checkEqual(child<QLineEdit>(splash, "txtUsername")->text(), QString(),
               QStringLiteral("txtUsername at start"));
}

void Road::signIn(const QString& shotName) {
    frmSplash* splash = shell_.loginForm();
    check(splash && splash->isVisible(), QStringLiteral("no login form"));
    auto* name = child<QLineEdit>(splash, "txtUsername");
    click(name);
    type(name, QStringLiteral("test user"));
    checkEqual(name->text(), kUser, QStringLiteral("txtUsername after typing test user"));
    const QImage typed = shots_.take(QStringLiteral("login_typed"));
    shots_.keep(QStringLiteral("login"), typed, splash->frameGeometry().adjusted(-24, -24, 24, 24));
    click(child<QPushButton>(splash, "cmdOk"));
    check(waitUntil([this] {
              return main() && main()->isVisible() && main()->windowHandle()->isExposed();
          }),
          QStringLiteral("no main window after Ok"));
    check(waitUntil([this] { return !shell_.loginForm() || !shell_.loginForm()->isVisible(); }),
          QStringLiteral("the login form is still shown"));
    checkEqual(main()->caption(), kCaption, QStringLiteral("main window caption"));
    check(main()->windowTitle().startsWith(kCaption),
          QStringLiteral("main window title: ") + main()->windowTitle());
    QWidget* work = workForm();
    check(work->isVisible(), QStringLiteral("the work form is not shown"));
    checkEqual(child<QComboBox>(work, "cboVar")->currentText(), QStringLiteral("4"),
               QStringLiteral("cboVar at start"));
    check(main()->mdiArea()->subWindowList().size() == 1,
          QStringLiteral("document windows in a fresh main window"));
    const QImage shot = shots_.take(shotName);
    check(hasInk(shot, onScreen(child<QWidget>(work, "lblVar")), qRgb(224, 224, 224)),
          QStringLiteral("the work form's labels are not on the screen"));
}

// ---- Function and Simplify -------------------------------------------------

void Road::chooseFunction() {
    QWidget* work = workForm();
    chooseComboEntry(child<QComboBox>(work, "cboVar"), QStringLiteral("3"));
    auto* list = child<QListWidget>(work, "lstTerms");
    check(list->count() == 8,
          QStringLiteral("lstTerms has %1 entries for 3 variables").arg(list->count()));
    check(!list->isEnabled(), QStringLiteral("lstTerms enabled before a mode is chosen"));

    auto* minTerms = child<QRadioButton>(work, "rbMinTerms");
    clickOption(minTerms);
    check(minTerms->isChecked(), QStringLiteral("Min Terms not selected by its click"));
    check(list->isEnabled(), QStringLiteral("lstTerms not enabled by Min Terms"));
    check(!child<QRadioButton>(work, "rbMaxTerms")->isEnabled(),
          QStringLiteral("Max Terms still available in min-term mode"));
    for (int term : {1, 3, 5}) clickTickBox(list, term);
    checkEqual(text("txtTerms"), QStringLiteral("1,3,5"), QStringLiteral("txtTerms"));

    auto* dontCare = child<QRadioButton>(work, "rbDontCare");
    clickOption(dontCare);
    check(dontCare->isChecked(), QStringLiteral("Don't Care not selected by its click"));
    clickTickBox(list, 7);
    checkEqual(text("txtDontCare"), QStringLiteral("7"), QStringLiteral("txtDontCare"));
    checkEqual(text("txtTerms"), QStringLiteral("1,3,5"), QStringLiteral("txtTerms"));
    for (int row = 0; row < 8; ++row) {
        const bool ticked = row == 1 || row == 3 || row == 5 || row == 7;
        check((list->item(row)->checkState() == Qt::Checked) == ticked,
              QStringLiteral("tick of entry %1").arg(row));
    }
    check(child<QPushButton>(work, "cmdSimplify")->isEnabled(),
          QStringLiteral("Simplify not enabled by the ticked terms"));
    check(!child<QPushButton>(work, "cmdCircuit")->isEnabled(),
          QStringLiteral("Circuit enabled before Simplify"));
    shots_.take(QStringLiteral("terms_ticked"));
}

void Road::simplifyTerms() {
    QWidget* work = workForm();
    auto* circuit = child<QPushButton>(work, "cmdCircuit");
    click(child<QPushButton>(work, "cmdSimplify"));
    check(waitUntil([circuit] { return circuit->isEnabled(); }, 15000),
          QStringLiteral("Circuit not enabled after Simplify"));
    check(child<QPushButton>(work, "cmdMux")->isEnabled() &&
              child<QPushButton>(work, "cmdDemux")->isEnabled(),
          QStringLiteral("Mux or Demux not enabled after Simplify"));
    checkEqual(text("txtEquation"), kTermsEquation, QStringLiteral("txtEquation"));
    checkEqual(text("txtIpPosEquation"), kTermsInputPos, QStringLiteral("txtIpPosEquation"));
    checkEqual(text("txtMinEquation"), kTermsMinimized, QStringLiteral("txtMinEquation"));
    checkEqual(text("txtPosEquation"), kTermsMinimized, QStringLiteral("txtPosEquation"));

    const QByteArray in = fileBytes(workdir_.filePath(QStringLiteral("in.txt")));
    check(in == kTermsInFile, QStringLiteral("in.txt holds \"%1\"").arg(QString::fromLatin1(in)));
    const QByteArray out = fileBytes(workdir_.filePath(QStringLiteral("out.txt")));
    check(out.trimmed() == "--1",
          QStringLiteral("out.txt holds \"%1\"").arg(QString::fromLatin1(out)));

    // A fresh folder: the log holds exactly the new record.
    const QStringList lines = logText().split(QStringLiteral("\r\n"));
    check(lines.size() == 7 && lines.last().isEmpty(),
          QStringLiteral("log.txt is not one record of six CR LF lines: \"%1\"").arg(logText()));
    check(kLogHeader.match(lines[0]).hasMatch(), QStringLiteral("log line 1: ") + lines[0]);
    checkEqual(lines[1], QStringLiteral("input (SOP) : ") + kTermsEquation,
               QStringLiteral("log line 2"));
    checkEqual(lines[2], QStringLiteral("input (POS) : ") + kTermsInputPos,
               QStringLiteral("log line 3"));
    checkEqual(lines[3], QStringLiteral("Output(SOP) : ") + kTermsMinimized,
               QStringLiteral("log line 4"));
    checkEqual(lines[4], QStringLiteral("Output(POS) : ") + kTermsMinimized,
               QStringLiteral("log line 5"));
    checkEqual(lines[5], QStringLiteral(" "), QStringLiteral("log line 6"));
    const QImage shot = shots_.take(QStringLiteral("simplified"));
    check(hasInk(shot, onScreen(child<QLineEdit>(work, "txtMinEquation")), kWhite),
          QStringLiteral("the minimized equation is not on the screen"));
    const QRect exit = onScreen(child<QPushButton>(work, "cmdExit"));
    shots_.keep(QStringLiteral("work_form"), shot,
                QRect(0, 0, exit.right() + 40, exit.bottom() + 30));
}

// ---- Drawings ------------------------------------------------------------

frmCircuit* Road::draw(const char* command, const char* dialogName, const char* option,
                       const char* presetOption, const QString& caption, const QString& shotName,
                       const QString& guideName) {
    showWorkForm();
    QWidget* work = workForm();
    mdifrmMain* window = main();
    const int windowsBefore = window->mdiArea()->subWindowList().size();
    click(child<QPushButton>(work, command));
    QWidget* dialog = nullptr;
    check(
        waitUntil([&] { return (dialog = visibleTopLevel(QLatin1String(dialogName))) != nullptr; }),
        QStringLiteral("%1 did not open").arg(QLatin1String(dialogName)));
    check(
        !work->isEnabled(),
        QStringLiteral("the work form is enabled while %1 is open").arg(QLatin1String(dialogName)));
    if (presetOption) {
        check(child<QRadioButton>(dialog, presetOption)->isChecked(),
              QStringLiteral("%1 is not preset").arg(QLatin1String(presetOption)));
    }
    if (option) {
        auto* rb = child<QRadioButton>(dialog, option);
        clickOption(rb);
        check(rb->isChecked(),
              QStringLiteral("%1 not selected by its click").arg(QLatin1String(option)));
    }
    shots_.take(shotName + QStringLiteral("_options"));
    click(child<QPushButton>(dialog, "cmdOk"));
    check(waitUntil([&] { return !visibleTopLevel(QLatin1String(dialogName)); }),
          QStringLiteral("%1 still open after Ok").arg(QLatin1String(dialogName)));
    check(work->isEnabled(), QStringLiteral("the work form is not enabled again after Ok"));
    frmCircuit* document = window->frmD();
    check(document != nullptr, QStringLiteral("no document window"));
    checkEqual(document->windowTitle(), caption, QStringLiteral("document caption"));
    check(window->mdiArea()->subWindowList().size() == windowsBefore + 1,
          QStringLiteral("Ok did not open exactly one document window"));
    check(window->activeDocument() == document,
          QStringLiteral("the new document is not the active window"));
    check(hasInk(wholePicture(document->canvas()), wholePicture(document->canvas()).rect(), kWhite),
          QStringLiteral("%1 has an empty picture").arg(caption));
    const QImage shot = shots_.take(shotName);
    const QRect shown = checkDocumentOnScreen(document, shot);
    if (!guideName.isEmpty()) {
        // The menus and the drawing, without the empty rest of the window.
        const QRect ink = inkBounds(shot, shown, kWhite);
        shots_.keep(guideName, shot,
                    QRect(0, 0, std::max(ink.right() + 40, 480), ink.bottom() + 30));
    }
    return document;
}

QRect Road::checkDocumentOnScreen(frmCircuit* document, const QImage& shot) {
    QWidget* picture = child<QWidget>(document, "picCircuit");
    // The visible part of the picture: inside the window, left of and above
    // the scroll bars.
    QRect shown = onScreen(picture).intersected(onScreen(document));
    const int bar = child<QWidget>(document, "VScroll1")->width();
    shown.adjust(0, 0, -bar, -bar);
    check(!shown.isEmpty(),
          QStringLiteral("%1's picture is not on the screen").arg(document->windowTitle()));
    check(hasInk(shot, shown, kWhite),
          QStringLiteral("%1 shows a blank picture on the screen").arg(document->windowTitle()));
    return shown;
}

void Road::drawCircuits() {
    // Ok without touching the options: the focus preset the basic gates.
    draw("cmdCircuit", "frmCktOpt", nullptr, "rbBasic", QStringLiteral("Circuit 1"),
         QStringLiteral("circuit_basic"));
    draw("cmdCircuit", "frmCktOpt", "rbNand", nullptr, QStringLiteral("Circuit 2"),
         QStringLiteral("circuit_nand"));
    draw("cmdCircuit", "frmCktOpt", "rbNor", nullptr, QStringLiteral("Circuit 3"),
         QStringLiteral("circuit_nor"));
    check(main()->circuitCount() == 3, QStringLiteral("circuit counter"));
}

void Road::drawMultiplexers() {
    // Three variables: 8 : 1 is preset (one multiplexer); 4 : 1 gives a tree.
    draw("cmdMux", "frmMuxOpt", nullptr, "rb8", QStringLiteral("Mux 1"),
         QStringLiteral("mux_8to1"));
    draw("cmdMux", "frmMuxOpt", "rb4", "rb8", QStringLiteral("Mux 2"),
         QStringLiteral("mux_tree_4to1"));
    check(main()->muxCount() == 2, QStringLiteral("mux counter"));
}

void Road::drawDemultiplexer() {
    draw("cmdDemux", "frmDemuxOpt", nullptr, "rb1", QStringLiteral("Demux 1"),
         QStringLiteral("demux"));
    check(main()->demuxCount() == 1, QStringLiteral("demux counter"));
}

// ---- Files and printing --------------------------------------------------

void Road::activateWindowFromList(const std::function<bool(const QString&)>& which,
                                  const QString& what) {
    chooseMenuItem(
        main(), "mnuWindow",
        [&which](const QAction* a) {
            // Window list entries read "&n caption".
            static const QRegularExpression number(QStringLiteral("^&\\d "));
            return a->isCheckable() && number.match(a->text()).hasMatch() &&
                   which(a->text().section(QLatin1Char(' '), 1));
        },
        what);
    wait(100);
}

void Road::expectFileDialog(const QString& path, const QString& shotName) {
    expected_ = [this, path, shotName](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        check(dialog != nullptr, QStringLiteral("expected a file dialog, got %1")
                                     .arg(QLatin1String(modal->metaObject()->className())));
        checkEqual(dialog->nameFilters().join(QLatin1Char(';')),
                   QStringLiteral("Quendal Files (*.cir)"), QStringLiteral("file dialog filter"));
        auto* name = child<QLineEdit>(dialog, "fileNameEdit");
        click(name);
        type(name, path);
        // The completer's list would take the Enter key for itself.
        if (name->completer() && name->completer()->popup()) name->completer()->popup()->hide();
        shots_.take(shotName);
        pressKey(name, Qt::Key_Return);
        return true;
    };
}

void Road::expectQuestion(const QString& question, bool yes, const QString& shotName) {
    expected_ = [this, question, yes, shotName](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        check(box != nullptr, QStringLiteral("expected a question box"));
        checkEqual(box->text(), question, QStringLiteral("question"));
        checkEqual(box->windowTitle(), QStringLiteral("Quendal"), QStringLiteral("question title"));
        check(box->icon() == QMessageBox::Question,
              QStringLiteral("the question has no question icon"));
        shots_.take(shotName);
        click(box->button(yes ? QMessageBox::Yes : QMessageBox::No));
        return true;
    };
}

void Road::saveDrawing() {
    activateWindowFromList([](const QString& c) { return c == QLatin1String("Circuit 1"); },
                           QStringLiteral("Circuit 1"));
    frmCircuit* document = main()->activeDocument();
    check(document && document->windowTitle() == QLatin1String("Circuit 1"),
          QStringLiteral("Circuit 1 is not the active document"));
    savedPath_ = workdir_.filePath(QStringLiteral("circuit1.cir"));
    savedPicture_ = wholePicture(document->canvas());
    expectFileDialog(savedPath_, QStringLiteral("save_dialog"));
    chooseMenuItem(main(), "mnuFile", "mnuFileSave");
    check(waitUntil([this] { return !expected_; }), QStringLiteral("no save dialog"));
    check(waitUntil([&] { return QFileInfo::exists(savedPath_); }),
          QStringLiteral("no file written to ") + savedPath_);
    check(isBitmapFile(fileBytes(savedPath_)), QStringLiteral("the circuit file is no bitmap"));
    checkEqual(document->windowTitle(), savedPath_, QStringLiteral("caption after Save"));
    const QImage written(savedPath_);
    check(sameWithinPaletteTolerance(savedPicture_, written),
          QStringLiteral("the circuit file does not hold the picture"));

    // Saved once: the next Save writes the same file without a dialog.
    QFile::remove(savedPath_);
    chooseMenuItem(main(), "mnuFile", "mnuFileSave");
    check(waitUntil([&] { return QFileInfo::exists(savedPath_); }),
          QStringLiteral("a second Save did not write the file again"));
    check(unexpected_.isEmpty(), QStringLiteral("a second Save showed a dialog"));
    shots_.take(QStringLiteral("saved"));
}

void Road::openDrawing() {
    mdifrmMain* window = main();
    const int windowsBefore = window->mdiArea()->subWindowList().size();
    expectFileDialog(savedPath_, QStringLiteral("open_dialog"));
    // The toolbar's Open button, as a user would.
    QAction* open =
        child<QToolBar>(window, "tbToolBar")->findChild<QAction*>(QStringLiteral("Open"));
    check(open != nullptr, QStringLiteral("no Open button"));
    click(child<QToolBar>(window, "tbToolBar")->widgetForAction(open));
    check(waitUntil([this] { return !expected_; }), QStringLiteral("no open dialog"));
    check(waitUntil([&] { return window->mdiArea()->subWindowList().size() == windowsBefore + 1; }),
          QStringLiteral("Open did not open a document window"));
    frmCircuit* document = window->frmD();
    checkEqual(document->windowTitle(), savedPath_, QStringLiteral("caption of the opened file"));
    check(window->activeDocument() == document,
          QStringLiteral("the opened document is not active"));
    const QImage opened = wholePicture(document->canvas()).convertToFormat(QImage::Format_RGB32);
    const QImage saved = savedPicture_.convertToFormat(QImage::Format_RGB32);
    check(opened.width() >= saved.width() && opened.height() >= saved.height(),
          QStringLiteral("the opened picture is cut off"));
    check(sameWithinPaletteTolerance(saved, opened.copy(saved.rect())),
          QStringLiteral("the opened picture differs from the saved one"));
    check(window->circuitCount() == 3, QStringLiteral("Open changed the circuit counter"));
    const QImage shot = shots_.take(QStringLiteral("opened"));
    checkDocumentOnScreen(document, shot);
}

void Road::printDrawing() {
    mdifrmMain* window = main();
    // The drawn circuit, saved under the same name as the opened picture but
    // first in the list: it prints from its operations.
    activateWindowFromList([this](const QString& c) { return c == savedPath_; }, savedPath_);
    check(main()->activeDocument() && main()->activeDocument()->canvas().hasDrawing(),
          QStringLiteral("the drawn circuit is not the active document"));
    const QString pdf = workdir_.filePath(QStringLiteral("circuit1.pdf"));
    expected_ = [this, pdf](QWidget* modal) {
        answerPrintDialog(modal, pdf, [this] { shots_.take(QStringLiteral("print_dialog")); });
        return true;
    };
    QAction* print =
        child<QToolBar>(window, "tbToolBar")->findChild<QAction*>(QStringLiteral("Print"));
    check(print != nullptr, QStringLiteral("no Print button"));
    click(child<QToolBar>(window, "tbToolBar")->widgetForAction(print));
    check(waitUntil([this] { return !expected_; }), QStringLiteral("no print dialog"));
    check(waitUntil([&] { return QFileInfo(pdf).size() > 0; }), QStringLiteral("no PDF written"));
    const std::optional<int> pages = pdfPageCount(fileBytes(pdf));
    check(pages.has_value(), QStringLiteral("the printed file is no PDF"));
    check(*pages == 1, QStringLiteral("the PDF has %1 pages").arg(*pages));
    // pdfimages lists its header line and a rule, then one line per image.
    const std::optional<QString> images = toolOutput(QStringLiteral("pdfimages"), {"-list", pdf});
    check(images.has_value(), QStringLiteral("pdfimages could not read the PDF"));
    check(images->trimmed().split(QLatin1Char('\n')).size() == 2,
          QStringLiteral("the printed circuit holds raster images:\n") + *images);
    const std::optional<QString> text = toolOutput(QStringLiteral("pdftotext"), {pdf, "-"});
    check(text.has_value(), QStringLiteral("pdftotext could not read the PDF"));
    for (const QString& header :
         {QStringLiteral("User"), QStringLiteral("Boolean Expression (SOP)"),
          QStringLiteral("Minimized Equation (POS)")}) {
        check(text->simplified().contains(header),
              QStringLiteral("the printed text lacks \"%1\":\n%2").arg(header, *text));
    }
    shots_.take(QStringLiteral("printed"));
}

void Road::expectExportDialogs(const QString& path, std::function<void(QWidget*)> onOptions) {
    expected_ = [this, path, onOptions](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        check(dialog != nullptr, QStringLiteral("expected the export file dialog"));
        auto* name = child<QLineEdit>(dialog, "fileNameEdit");
        click(name);
        type(name, path);
        if (name->completer() && name->completer()->popup()) name->completer()->popup()->hide();
        // Then the options page, whose defaults Enter accepts.
        expected_ = [this, onOptions](QWidget* options) {
            checkEqual(options->objectName(), QStringLiteral("ExportDialog"),
                       QStringLiteral("export options"));
            if (onOptions) onOptions(options);
            pressKey(options, Qt::Key_Return);
            return true;
        };
        pressKey(name, Qt::Key_Return);
        return true;
    };
}

void Road::exportDrawing() {
    const QString svg = workdir_.filePath(QStringLiteral("circuit1.svg"));
    expectExportDialogs(svg, [this](QWidget*) { shots_.take(QStringLiteral("export_options")); });
    mdifrmMain* window = main();
    QAction* button =
        child<QToolBar>(window, "tbToolBar")->findChild<QAction*>(QStringLiteral("Export"));
    check(button != nullptr, QStringLiteral("no Export button"));
    click(child<QToolBar>(window, "tbToolBar")->widgetForAction(button));
    check(waitUntil([this] { return !expected_; }), QStringLiteral("no export dialogs"));
    check(waitUntil([&] { return QFileInfo(svg).size() > 0; }), QStringLiteral("no SVG written"));
    check(toolOutput(QStringLiteral("xmllint"), {"--noout", svg}).has_value(),
          QStringLiteral("the SVG does not parse"));
    const QString content = QString::fromUtf8(fileBytes(svg));
    check(content.contains(QStringLiteral("Minimized Equation (SOP)")) &&
              content.contains(QStringLiteral("<text")),
          QStringLiteral("the SVG lacks the header texts"));
    check(content.count(QStringLiteral("<polyline")) + content.count(QStringLiteral("<path")) > 5,
          QStringLiteral("the SVG lacks the drawing's lines"));
}

// ---- Equation ------------------------------------------------------------

void Road::showWorkForm() {
    if (!main()->activeDocument()) return;
    // The work form's window is first in the window list.
    chooseMenuItem(
        main(), "mnuWindow",
        [](const QAction* a) {
            return a->isCheckable() && a->text().startsWith(QLatin1String("&1 "));
        },
        QStringLiteral("the work form"));
    check(waitUntil([this] { return main()->activeDocument() == nullptr; }),
          QStringLiteral("the work form did not come to the front"));
}

void Road::typeEquation() {
    showWorkForm();
    QWidget* work = workForm();
    // The box still shows the ticked function, and typing only appends to
    // it: Clear starts the new function.
    click(child<QPushButton>(work, "cmdClear"));
    checkEqual(text("txtEquation"), QString(), QStringLiteral("txtEquation after Clear"));
    checkEqual(child<QComboBox>(work, "cboVar")->currentText(), QStringLiteral("3"),
               QStringLiteral("cboVar after Clear"));
    auto* equation = child<QLineEdit>(work, "txtEquation");
    click(equation);
    type(equation, kTypedKeys);
    checkEqual(equation->text(), kTypedEquation, QStringLiteral("txtEquation after typing ab'+c"));
    checkEqual(text("txtTerms"), QString(), QStringLiteral("txtTerms after typing"));
    checkEqual(text("txtDontCare"), QString(), QStringLiteral("txtDontCare after typing"));
    check(!child<QPushButton>(work, "cmdCircuit")->isEnabled(),
          QStringLiteral("Circuit still enabled after typing"));
    shots_.take(QStringLiteral("equation_typed"));

    auto* circuit = child<QPushButton>(work, "cmdCircuit");
    pressKey(equation, Qt::Key_Return);
    check(waitUntil([circuit] { return circuit->isEnabled(); }, 15000),
          QStringLiteral("Enter did not simplify (Circuit stays disabled)"));
    checkEqual(text("txtEquation"), kTypedEquation, QStringLiteral("txtEquation"));
    checkEqual(text("txtIpPosEquation"), kTypedInputPos, QStringLiteral("txtIpPosEquation"));
    // The minimizer may list the two prime implicants in either order; the
    // product-of-sums text follows that order.
    const QString minimized = text("txtMinEquation");
    QStringList found = products(minimized);
    found.sort();
    checkEqual(found.join(QLatin1Char('+')), QStringLiteral("AB'+C"),
               QStringLiteral("products of txtMinEquation"));
    checkEqual(text("txtPosEquation"), complementForm(products(minimized)),
               QStringLiteral("txtPosEquation"));
    checkEqual(QString::fromLatin1(fileBytes(workdir_.filePath(QStringLiteral("in.txt")))),
               QStringLiteral("10-\r\n--1"), QStringLiteral("in.txt"));

    const QStringList lines = logText().split(QStringLiteral("\r\n"));
    check(lines.size() == 13, QStringLiteral("log.txt does not hold two records"));
    check(kLogHeader.match(lines[6]).hasMatch(), QStringLiteral("record 2 line 1: ") + lines[6]);
    checkEqual(lines[7], QStringLiteral("input (SOP) : ") + kTypedEquation,
               QStringLiteral("record 2 line 2"));
    checkEqual(lines[8], QStringLiteral("input (POS) : ") + kTypedInputPos,
               QStringLiteral("record 2 line 3"));
    checkEqual(lines[9], QStringLiteral("Output(SOP) : ") + minimized,
               QStringLiteral("record 2 line 4"));
    checkEqual(lines[10], QStringLiteral("Output(POS) : ") + text("txtPosEquation"),
               QStringLiteral("record 2 line 5"));
    checkEqual(lines[11], QStringLiteral(" "), QStringLiteral("record 2 line 6"));
    shots_.take(QStringLiteral("equation_simplified"));
}

// The drawing commands work on a typed function as well; its pictures are
// the user guide's.
void Road::drawEveryKindOfTypedFunction() {
    draw("cmdCircuit", "frmCktOpt", nullptr, "rbBasic", QStringLiteral("Circuit 4"),
         QStringLiteral("typed_circuit_basic"), QStringLiteral("circuit_basic"));
    draw("cmdCircuit", "frmCktOpt", "rbNand", nullptr, QStringLiteral("Circuit 5"),
         QStringLiteral("typed_circuit_nand"), QStringLiteral("circuit_nand"));
    draw("cmdCircuit", "frmCktOpt", "rbNor", nullptr, QStringLiteral("Circuit 6"),
         QStringLiteral("typed_circuit_nor"), QStringLiteral("circuit_nor"));
    draw("cmdMux", "frmMuxOpt", nullptr, "rb8", QStringLiteral("Mux 3"),
         QStringLiteral("typed_mux_8to1"), QStringLiteral("mux"));
    draw("cmdMux", "frmMuxOpt", "rb4", "rb8", QStringLiteral("Mux 4"),
         QStringLiteral("typed_mux_tree_4to1"), QStringLiteral("mux_tree"));
    draw("cmdDemux", "frmDemuxOpt", "rb0", "rb1", QStringLiteral("Demux 2"),
         QStringLiteral("typed_demux"), QStringLiteral("demux"));
}

// ---- Logout, sign in again, Exit -----------------------------------------

void Road::logOut() {
    QPointer<mdifrmMain> old = main();
    showWorkForm();
    // The drawings not saved are asked for before they go.
    const int unsaved = main()->unsavedDocumentCount();
    check(unsaved > 1, QStringLiteral("no unsaved drawings before Logout"));
    expectQuestion(QStringLiteral("%1 drawings are not saved and will be lost.\n"
                                  "Are you sure you want to Logout ?")
                       .arg(unsaved),
                   true, QStringLiteral("logout_question"));
    click(child<QPushButton>(workForm(), "cmdLogout"));
    check(!expected_, QStringLiteral("Logout asked no question"));
    check(waitUntil([this] {
              return shell_.loginForm() && shell_.loginForm()->isVisible() &&
                     shell_.loginForm()->windowHandle()->isExposed();
          }),
          QStringLiteral("no login form after Logout"));
    check(waitUntil([&] { return !old || !old->isVisible(); }),
          QStringLiteral("the main window is still shown after Logout"));
    // Every document window went with the main window.
    check(waitUntil([] {
              for (QWidget* w : QApplication::allWidgets()) {
                  if (qobject_cast<frmCircuit*>(w) && w->isVisible()) return false;
              }
              return true;
          }),
          QStringLiteral("document windows remain after Logout"));
    checkEqual(child<QLineEdit>(shell_.loginForm(), "txtUsername")->text(), QString(),
               QStringLiteral("txtUsername after Logout"));
    shots_.take(QStringLiteral("logged_out"));
}

void Road::signInAgain() {
    signIn(QStringLiteral("signed_in_again"));
    check(main()->circuitCount() == 0 && main()->muxCount() == 0 && main()->demuxCount() == 0,
          QStringLiteral("document counters of the new main window"));
    check(!child<QPushButton>(workForm(), "cmdSimplify")->isEnabled(),
          QStringLiteral("the new work form is not in its start state"));
}

void Road::exitProgram() {
    QPointer<mdifrmMain> window = main();
    expectQuestion(QStringLiteral("Are you sure you want to Exit ?"), true,
                   QStringLiteral("exit_question"));
    click(child<QPushButton>(workForm(), "cmdExit"));
    check(!expected_, QStringLiteral("Exit asked no question"));
    check(waitUntil([this] { return finished_; }), QStringLiteral("the program did not end"));
    for (QWidget* w : QApplication::topLevelWidgets()) {
        check(!w->isVisible() || qobject_cast<QMenu*>(w),
              QStringLiteral("a window remains after Exit: %1 \"%2\"")
                  .arg(QLatin1String(w->metaObject()->className()), w->windowTitle()));
    }
    shots_.take(QStringLiteral("exited"));
}

}  // namespace e2e
