// Walks the real program through its windows and saves screenshots of the
// whole screen: the login form, the main window with the work form, and
// drawings in document windows. Run it on a virtual screen (see
// scripts/pictures); the folder for the pictures is the first argument.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "app/document_export.h"
#include "app/frmCircuit.h"
#include "app/frmSplash.h"
#include "app/mdifrmMain.h"
#include "app/print_layout.h"
#include "app/shell.h"
#include "design/frmDesign.h"
#include "drawing/gates.h"

using namespace quendal::drawing;
using namespace quendal::app;

namespace {

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void say(const QString& text) {
    std::fprintf(stderr, "tour: %s\n", qPrintable(text));
}

bool shoot(const QDir& folder, const QString& name, const QRect& crop = {}) {
    wait(400);
    QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    if (!crop.isNull()) shot = shot.copy(crop);
    const QString path = folder.filePath(name);
    if (!shot.save(path, "PNG")) {
        say("could not write " + path);
        return false;
    }
    say("saved " + path);
    return true;
}

void typeInto(QWidget* widget, const QString& keys) {
    for (QChar c : keys) {
        const int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

template <typename T>
T* find(QWidget* in, const char* name) {
    T* found = in ? in->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!found) say(QStringLiteral("no %1 found").arg(QLatin1String(name)));
    return found;
}

QWidget* topLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    }
    return nullptr;
}

// Presses Ok in the options dialog that a drawing command opened.
bool acceptDialog(const char* name) {
    wait(300);
    QWidget* dialog = topLevel(name);
    if (!dialog) {
        say(QStringLiteral("no %1 dialog").arg(QLatin1String(name)));
        return false;
    }
    if (auto* ok = find<QAbstractButton>(dialog, "cmdOk")) ok->click();
    return true;
}

// A drawing made with the gate symbols, for when the real commands cannot
// run (no minimizer at hand).
void drawTestCircuit(Canvas& canvas) {
    canvas.print();
    canvas.print({"     User  :  Test User"});
    canvas.print({"     Test drawing: Y = AB + C'"});
    GateArea area;
    area.gateAreaX = 2000;
    for (int x : {1000, 1400, 1800}) canvas.line(x, 1500, x, 6000, colours::green);
    canvas.printAt(950, 1300, {"A"});
    canvas.printAt(1350, 1300, {"B"});
    canvas.printAt(1750, 1300, {"C"});
    const Point p = drawAndGate(canvas, area, 1000, 2200, 1400, 2600);
    drawNotGate(canvas, 1800, 3000);
    canvas.line(1800, 3200, 1800, 3600, colours::green);
    const Point y = drawOrGate(canvas, area, p.x, p.y, 1800, 3600);
    canvas.line(y.x, y.y, y.x + 300, y.y, colours::green);
    junctionDot(canvas, y.x + 300, y.y);
    canvas.printAt(y.x + 400, y.y - 100, {"Y"});
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setQuitOnLastWindowClosed(false);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    if (!folder.exists() && !QDir().mkpath(folder.path())) return 1;

    // Message boxes would wait for a user: answer them with their default.
    QTimer dismisser;
    QObject::connect(&dismisser, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say("message: " + box->text());
            box->defaultButton() ? box->defaultButton()->click() : box->accept();
        }
    });
    dismisser.start(200);

    int failures = 0;
    QTimer::singleShot(0, [&] {
        Shell shell;
        shell.start();
        frmSplash* splash = shell.loginForm();
        wait(300);
        typeInto(find<QLineEdit>(splash, "txtUsername"), QStringLiteral("test user"));
        if (!shoot(folder, "login.png", splash->frameGeometry().adjusted(-40, -40, 40, 40))) {
            ++failures;
        }
        find<QAbstractButton>(splash, "cmdOk")->click();
        wait(500);

        mdifrmMain* main = shell.mainWindow();
        if (!main) {
            say("no main window after login");
            ++failures;
            app.quit();
            return;
        }
        if (!shoot(folder, "main.png")) ++failures;

        // Min-terms 1, 3, 5, 6, 7 of four variables, simplified by the real
        // minimizer, then each kind of drawing.
        QWidget* work = main->workForm();
        bool drawn = false;
        if (auto* rb = find<QRadioButton>(work, "rbMinTerms")) rb->click();
        if (auto* list = find<QListWidget>(work, "lstTerms")) {
            for (int term : {1, 3, 5, 6, 7}) {
                if (QListWidgetItem* item = list->item(term)) item->setCheckState(Qt::Checked);
            }
        }
        if (auto* simplify = find<QAbstractButton>(work, "cmdSimplify")) simplify->click();
        wait(800);
        if (!shoot(folder, "simplified.png")) ++failures;
        auto* circuit = find<QAbstractButton>(work, "cmdCircuit");
        if (circuit && circuit->isEnabled()) {
            circuit->click();
            drawn = acceptDialog("frmCktOpt");
        }
        if (!drawn) {
            say("drawing a test circuit instead");
            drawTestCircuit(main->LoadNewDoc(DocumentKind::Circuit));
        }
        if (!shoot(folder, "circuit.png")) ++failures;

        auto* mux = find<QAbstractButton>(work, "cmdMux");
        if (mux && mux->isEnabled()) {
            mux->click();
            if (acceptDialog("frmMuxOpt") && !shoot(folder, "mux.png")) ++failures;
        }
        auto* demux = find<QAbstractButton>(work, "cmdDemux");
        if (demux && demux->isEnabled()) {
            demux->click();
            if (acceptDialog("frmDemuxOpt") && !shoot(folder, "demux.png")) ++failures;
        }
        main->Arrange(Arrangement::TileVertical);
        if (!shoot(folder, "tiled.png")) ++failures;
        // Each tiled drawing whole, then the circuit enlarged.
        QList<frmCircuit*> documents;
        for (QMdiSubWindow* w : main->mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
            if (auto* document = qobject_cast<frmCircuit*>(w->widget())) {
                document->fitInWindow();
                documents << document;
            }
        }
        if (!shoot(folder, "tiled_fit.png")) ++failures;
        if (!documents.isEmpty()) {
            main->mdiArea()->setActiveSubWindow(
                qobject_cast<QMdiSubWindow*>(documents.front()->parentWidget()));
            documents.front()->parentWidget()->showMaximized();
            documents.front()->setZoom(3.0, QPoint(0, 0));
            if (!shoot(folder, "circuit_zoomed.png")) ++failures;
            // And as a PDF page, for a look with pdftoppm.
            try {
                exportDocument(documents.front()->canvas(), folder.filePath("circuit.pdf"),
                               ExportFormat::Pdf, 1.0, QStringLiteral("Circuit 1"));
                exportDocument(documents.front()->canvas(), folder.filePath("circuit.svg"),
                               ExportFormat::Svg, 1.0, QStringLiteral("Circuit 1"));
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(folder.filePath("circuit_printed.pdf"));
                printDocument(printer, documents.front()->canvas(), PrintScale::FitToPage);
                say("saved circuit.pdf, circuit.svg and circuit_printed.pdf");
            } catch (const std::exception& e) {
                say(QString::fromStdString(e.what()));
                ++failures;
            }
        }
        // A design of several outputs: the 7-segment decoder, minimized with shared products.
        main->mnuFileNewDesign_Click();
        wait(300);
        if (auto* designWindow = qobject_cast<quendal::design::frmDesign*>(topLevel("frmDesign"))) {
            designWindow->move(0, 0);
            designWindow->resize(1100, 700);
            designWindow->loadPreset(QStringLiteral("bcd7seg"));
            designWindow->minimize();
            designWindow->waitForResult();
            if (!shoot(folder, "design.png", designWindow->frameGeometry())) ++failures;
            designWindow->hide();
            designWindow->deleteLater();
        } else {
            say("no design window");
            ++failures;
        }
        // The user guide as Help shows it, pictures included.
        main->mnuHelpContents_Click();
        if (!shoot(folder, "help.png")) ++failures;
        app.quit();
    });
    app.exec();
    return failures == 0 ? 0 : 1;
}
