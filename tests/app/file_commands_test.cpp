#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>

#include "app/circuit_files.h"
#include "tests/support/whole_picture.h"
#include "tests/app/main_window_support.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::app;

namespace {

class FileCommands : public MainWindowTest {
protected:
    // A new "Circuit" document with something drawn on it.
    frmCircuit* newDrawing() {
        Canvas& canvas = main->LoadNewDoc(DocumentKind::Circuit);
        canvas.print();
        canvas.print({"     User  :  Test User"});
        canvas.line(1500, 1500, 1500, 10000, colours::green);
        junctionDot(canvas, 1500, 3000);
        return main->frmD();
    }

    QByteArray bytes(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    int documentCount() const { return int(windows().size()) - 1; }
};

}  // namespace

TEST_F(FileCommands, SavingANewDrawingAsksForAPathThenWritesThereWithoutAsking) {
    frmCircuit* doc = newDrawing();
    const QString path = workdir.file("first.cir");
    dialogs.saveNames = {path};
    action("mnuFileSave")->trigger();
    EXPECT_EQ(dialogs.saves, 1);
    EXPECT_EQ(dialogs.filters.value(0), "Quendal Files (*.cir)");
    EXPECT_EQ(doc->windowTitle(), path);
    EXPECT_TRUE(bytes(path).startsWith("BM"));

    doc->canvas().line(3000, 150, 6000, 150, colours::red);
    const QByteArray before = bytes(path);
    action("mnuFileSave")->trigger();
    EXPECT_EQ(dialogs.saves, 1);
    EXPECT_EQ(doc->windowTitle(), path);
    EXPECT_NE(bytes(path), before);
    EXPECT_EQ(readCircuitFile(path).convertToFormat(QImage::Format_RGB32),
              wholePicture(doc->canvas()));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(FileCommands, SaveAsAlwaysAsksAndReplacesAnExistingFile) {
    frmCircuit* doc = newDrawing();
    QFile old(workdir.file("old.cir"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("not a drawing");
    old.close();
    dialogs.saveNames = {workdir.file("a.cir"), workdir.file("old.cir")};
    action("mnuFileSaveAs")->trigger();
    action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(dialogs.saves, 2);
    EXPECT_EQ(doc->windowTitle(), workdir.file("old.cir"));
    EXPECT_TRUE(bytes(workdir.file("old.cir")).startsWith("BM"));
    EXPECT_TRUE(prompts.shown.empty());  // no overwrite question
}

TEST_F(FileCommands, FileDialogsStartInTheProgramsFolder) {
    newDrawing();
    action("mnuFileOpen")->trigger();
    action("mnuFileSaveAs")->trigger();
    ASSERT_EQ(dialogs.folders.size(), 2);
    // The test program's folder is writable, so the dialogs start there.
    EXPECT_EQ(dialogs.folders[0], QCoreApplication::applicationDirPath());
    EXPECT_EQ(dialogs.folders[1], QCoreApplication::applicationDirPath());
}

TEST_F(FileCommands, CancelledDialogsChangeNothing) {
    frmCircuit* doc = newDrawing();
    action("mnuFileSave")->trigger();
    action("mnuFileOpen")->trigger();
    EXPECT_EQ(doc->windowTitle(), "Circuit 1");
    EXPECT_EQ(documentCount(), 1);
    EXPECT_EQ(QDir(workdir.path()).entryList(QDir::Files), QStringList{});
}

TEST_F(FileCommands, WithOnlyTheWorkFormActiveSaveSaveAsAndPrintDoNothing) {
    dialogs.pdfPath = workdir.file("out.pdf");
    action("mnuFileSave")->trigger();
    action("mnuFileSaveAs")->trigger();
    action("mnuFilePrint")->trigger();
    newDrawing();
    area()->setActiveSubWindow(windowOf(main->workForm()));
    action("mnuFileSave")->trigger();
    EXPECT_EQ(dialogs.saves, 0);
    EXPECT_EQ(dialogs.printerDialogs, 0);
    EXPECT_FALSE(QFile::exists(workdir.file("out.pdf")));
}

TEST_F(FileCommands, ASaveThatCannotWriteSaysSoAndKeepsTheCaption) {
    frmCircuit* doc = newDrawing();
    ASSERT_TRUE(QDir(workdir.path()).mkdir("taken.cir"));
    dialogs.saveNames = {workdir.file("taken.cir")};
    action("mnuFileSave")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, "Quendal");
    EXPECT_TRUE(prompts.shown[0].text.contains(workdir.file("taken.cir")));
    EXPECT_EQ(doc->windowTitle(), "Circuit 1");

    // A saved document whose file became unwritable keeps its caption too.
    dialogs.saveNames = {workdir.file("b.cir")};
    action("mnuFileSaveAs")->trigger();
    ASSERT_TRUE(QFile::remove(workdir.file("b.cir")));
    ASSERT_TRUE(QDir(workdir.path()).mkdir("b.cir"));
    action("mnuFileSave")->trigger();
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(doc->windowTitle(), workdir.file("b.cir"));
}

TEST_F(FileCommands, AReopenedDrawingShowsTheSavedPixelsUnderItsPath) {
    frmCircuit* doc = newDrawing();
    const QString path = workdir.file("round.cir");
    dialogs.saveNames = {path};
    action("mnuFileSave")->trigger();
    const QImage saved = wholePicture(doc->canvas());

    dialogs.openNames = {path};
    action("mnuFileOpen")->trigger();
    frmCircuit* opened = main->frmD();
    ASSERT_NE(opened, doc);
    EXPECT_EQ(opened->windowTitle(), path);
    EXPECT_EQ(main->activeDocument(), opened);
    EXPECT_EQ(wholePicture(opened->canvas()).convertToFormat(QImage::Format_RGB32), saved);
    EXPECT_EQ(opened->canvas().width(), 9696);
    EXPECT_EQ(opened->canvas().height(), 7296);
    // Opening advances no counter.
    EXPECT_EQ(main->circuitCount(), 1);
    main->LoadNewDoc(DocumentKind::Circuit);
    EXPECT_EQ(main->frmD()->windowTitle(), "Circuit 2");
}

TEST_F(FileCommands, ASmallerPictureSitsTopLeftAndALargerOneGrowsTheCanvas) {
    QImage small(50, 40, QImage::Format_RGB32);
    small.fill(QColor(0, 0, 192));
    saveCircuitFile(workdir.file("small.cir"), small);
    QImage large(1300, 900, QImage::Format_RGB32);
    large.fill(Qt::white);
    large.setPixel(1299, 899, qRgb(192, 0, 0));
    saveCircuitFile(workdir.file("large.cir"), large);

    dialogs.openNames = {workdir.file("small.cir"), workdir.file("large.cir")};
    action("mnuFileOpen")->trigger();
    const QImage s = wholePicture(main->frmD()->canvas());
    EXPECT_EQ(main->frmD()->canvas().width(), 9696);
    EXPECT_EQ(s.pixel(49, 39), qRgb(0, 0, 192));
    EXPECT_EQ(s.pixel(50, 39), qRgb(255, 255, 255));

    action("mnuFileOpen")->trigger();
    frmCircuit* doc = main->frmD();
    EXPECT_EQ(doc->canvas().width(), 1300 * 15);
    EXPECT_EQ(doc->canvas().height(), 900 * 15);
    EXPECT_EQ(wholePicture(doc->canvas()).pixel(1299, 899), qRgb(192, 0, 0));

    // Saving it again keeps all of it.
    dialogs.saveNames = {workdir.file("again.cir")};
    action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(readCircuitFile(workdir.file("again.cir")).size(), QSize(1300, 900));
}

TEST_F(FileCommands, OpeningAFileThatIsNoPictureSaysSoAndLeavesNoWindow) {
    QFile text(workdir.file("notes.cir"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("A'B + AB'\r\n");
    text.close();
    dialogs.openNames = {workdir.file("notes.cir")};
    action("mnuFileOpen")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, "Quendal");
    EXPECT_TRUE(prompts.shown[0].text.contains(workdir.file("notes.cir")));
    EXPECT_EQ(documentCount(), 0);
    EXPECT_EQ(main->frmD(), nullptr);
}

TEST_F(FileCommands, PrintingToAPdfGivesOnePageWithTheDrawing) {
    newDrawing();
    dialogs.pdfPath = workdir.file("drawing.pdf");
    action("mnuFilePrint")->trigger();
    EXPECT_EQ(dialogs.titles, QStringList{"Print"});
    const QByteArray pdf = bytes(workdir.file("drawing.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Count 1"));
    // Drawn from the operations: text as text, no picture.
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
    EXPECT_TRUE(pdf.contains("/FontFile"));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(FileCommands, ACancelledPrinterDialogPrintsNothing) {
    newDrawing();
    action("mnuFilePrint")->trigger();
    EXPECT_EQ(dialogs.printerDialogs, 1);
    EXPECT_EQ(QDir(workdir.path()).entryList(QDir::Files), QStringList{});
}

TEST_F(FileCommands, PrintingThatCannotStartSaysSo) {
    newDrawing();
    ASSERT_TRUE(QDir(workdir.path()).mkdir("taken.pdf"));
    dialogs.pdfPath = workdir.file("taken.pdf");
    action("mnuFilePrint")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, "Quendal");
}

TEST_F(FileCommands, PageSetupShowsItsDialogAndUsesNothingOfIt) {
    action("mnuFilePageSetup")->trigger();
    EXPECT_EQ(dialogs.pageSetups, 1);
    EXPECT_EQ(dialogs.titles, QStringList{"Page Setup"});
}

TEST_F(FileCommands, CloseAsksAndNoLeavesEverythingOpen) {
    newDrawing();
    dialogs.saveNames = {workdir.file("saved.cir")};
    action("mnuFileSave")->trigger();
    QSignalSpy closed(main.get(), &mdifrmMain::closed);
    main->show();
    prompts.replies = {PromptReply::No};
    action("mnuFileClose")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Are you sure you want to Exit ?");
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Question);
    EXPECT_EQ(prompts.shown[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(documentCount(), 1);

    prompts.replies = {PromptReply::Yes};
    action("mnuFileClose")->trigger();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(FileCommands, ExitClosesAtOnceWithoutAskingWhenEveryDrawingIsSaved) {
    newDrawing();
    dialogs.saveNames = {workdir.file("saved.cir")};
    action("mnuFileSave")->trigger();
    dialogs.openNames = {workdir.file("saved.cir")};
    action("mnuFileOpen")->trigger();
    QSignalSpy closed(main.get(), &mdifrmMain::closed);
    main->show();
    action("mnuFileExit")->trigger();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(FileCommands, UnsavedDrawingsAreCountedAndAskedForBeforeClosing) {
    QSignalSpy closed(main.get(), &mdifrmMain::closed);
    main->show();
    frmCircuit* first = newDrawing();
    newDrawing();
    EXPECT_EQ(main->unsavedDocumentCount(), 2);
    dialogs.saveNames = {workdir.file("first.cir")};
    area()->setActiveSubWindow(windowOf(first));
    action("mnuFileSave")->trigger();
    EXPECT_EQ(main->unsavedDocumentCount(), 1);
    // Changed after saving: unsaved again until the next Save.
    first->canvas().line(3000, 150, 6000, 150, colours::red);
    EXPECT_EQ(main->unsavedDocumentCount(), 2);

    for (const char* command : {"mnuFileExit", "mnuFileClose"}) {
        prompts.shown.clear();
        action(command)->trigger();  // the default reply: No
        ASSERT_EQ(prompts.shown.size(), 1u) << command;
        EXPECT_EQ(prompts.shown[0].text,
                  "2 drawings are not saved and will be lost.\nAre you sure you want to Exit ?");
        EXPECT_EQ(prompts.shown[0].defaultReply, PromptReply::No);
        EXPECT_EQ(closed.count(), 0);
    }
    action("mnuFileSave")->trigger();
    EXPECT_EQ(main->unsavedDocumentCount(), 1);
    prompts.replies = {PromptReply::Yes};
    action("mnuFileExit")->trigger();
    EXPECT_EQ(prompts.shown.back().text,
              "1 drawing is not saved and will be lost.\nAre you sure you want to Exit ?");
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(FileCommands, SaveAsAddsCirToANameWithoutExtension) {
    frmCircuit* doc = newDrawing();
    dialogs.saveNames = {workdir.file("adder")};
    action("mnuFileSaveAs")->trigger();
    EXPECT_EQ(doc->windowTitle(), workdir.file("adder.cir"));
    EXPECT_EQ(QDir(workdir.path()).entryList(QDir::Files), QStringList{"adder.cir"});
}

// A drawing window keeps operations, not a picture: the largest drawing
// opens without its picture's memory, and without a message.
TEST_F(FileCommands, ALargeDrawingIsShownWithoutPictureMemory) {
    newDrawing();
    Canvas& canvas = main->LoadNewDoc(DocumentKind::Circuit);
    QPointer<frmCircuit> doc = main->frmD();
    canvas.setSize(18966 * 15, 8727 * 15);
    canvas.line(0, 0, 18966 * 15, 0, colours::green);
    settle();
    EXPECT_FALSE(doc.isNull());
    EXPECT_FALSE(windowOf(doc)->isHidden());
    EXPECT_EQ(documentCount(), 2);
    EXPECT_TRUE(prompts.shown.empty());
}
