#include <gtest/gtest.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/circuit_files.h"
#include "app/document_export.h"
#include "app/print_layout.h"
#include "drawing/universal_circuits.h"
#include "tests/app/main_window_support.h"
#include "tests/support/whole_picture.h"

using namespace quendal::common;
using namespace quendal::drawing;
using namespace quendal::app;

namespace {

class DocumentExport : public MainWindowTest {
protected:
    frmCircuit* newDrawing() {
        Canvas& canvas = main->LoadNewDoc(DocumentKind::Circuit);
        canvas.print();
        canvas.print({"     User  :  Test User"});
        canvas.line(1500, 1500, 1500, 6000, colours::green);
        canvas.arc(4000, 3000, 500, colours::red, 0, 3.1416);
        junctionDot(canvas, 1500, 3000);
        return main->frmD();
    }

    // Runs File > Export; the options page that follows is answered with
    // Enter (seen is what it showed).
    void exportTo(const QString& path, QString* note = nullptr, double* scale = nullptr) {
        dialogs.saveNames = {path};
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            EXPECT_EQ(modal->objectName(), "ExportDialog");
            if (auto* label = modal->findChild<QLabel*>("lblPictureOnly"); label && note)
                *note = label->text();
            if (scale) modal->findChild<QDoubleSpinBox*>("spnScale")->setValue(*scale * 100);
            QTest::keyClick(modal, Qt::Key_Return);
        });
        action("mnuFileExport")->trigger();
    }

    static QByteArray bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(DocumentExport, EachFormatFollowsTheSuffixAndComesFromTheOperations) {
    frmCircuit* doc = newDrawing();
    exportTo(workdir.file("drawing.PDF"));
    const QByteArray pdf = bytes(workdir.file("drawing.PDF"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
    EXPECT_TRUE(pdf.contains("/FontFile"));

    exportTo(workdir.file("drawing.svg"));
    QXmlStreamReader svg(bytes(workdir.file("drawing.svg")));
    QStringList texts;
    int shapes = 0;
    while (!svg.atEnd()) {
        if (svg.readNext() != QXmlStreamReader::StartElement) continue;
        if (svg.name() == QLatin1String("text")) texts << svg.readElementText().trimmed();
        for (const char* shape : {"polyline", "path", "circle"})
            shapes += svg.name() == QLatin1String(shape);
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_TRUE(texts.contains("User  :  Test User")) << texts.join('|').toStdString();
    EXPECT_GE(shapes, 3);  // the line, the arc and the dot

    exportTo(workdir.file("drawing.png"));
    const QImage png(workdir.file("drawing.png"));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), wholePicture(doc->canvas()));
    double twice = 2.0;
    exportTo(workdir.file("twice.png"), nullptr, &twice);
    EXPECT_EQ(QImage(workdir.file("twice.png")).size(), doc->canvas().pixelSize() * 2);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(DocumentExport, ACircuitIsWrittenAsVerilogVhdlOrJsonUnderTheNameGiven) {
    FunctionView f;
    f.letters = "ABC";
    f.function = logic::functionOfTerms(3, {1, 3, 5, 7}, logic::TermMode::Minterms);
    f.minimum = {logic::Cube{0b001, 0b110}};  // C
    drawCircuit(main->LoadNewDoc(DocumentKind::Circuit), f, CircuitKind::Nand);
    exportTo(workdir.file("f.v"));
    exportTo(workdir.file("f.vhd"));
    exportTo(workdir.file("f.json"));
    EXPECT_TRUE(bytes(workdir.file("f.v")).contains("module quendal_f (\n    input wire A,"));
    EXPECT_TRUE(bytes(workdir.file("f.v")).endsWith("endmodule\n"));
    EXPECT_TRUE(bytes(workdir.file("f.vhd")).contains("entity quendal_f is"));
    const QJsonObject json = QJsonDocument::fromJson(bytes(workdir.file("f.json"))).object();
    EXPECT_EQ(json["module"].toString(), "quendal_f");
    EXPECT_EQ(json["style"].toString(), "nand");
    EXPECT_TRUE(json["cost"].isObject());

    // A name either language refuses keeps the page open, saying why, until
    // it is corrected.
    dialogs.saveNames = {workdir.file("g.v")};
    QString problem, ports;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        auto* name = modal->findChild<QLineEdit*>("txtModule");
        ASSERT_NE(name, nullptr);
        ports = modal->findChild<QLabel*>("lblPorts")->text();
        name->setText("entity");
        QTest::keyClick(modal, Qt::Key_Return);
        EXPECT_EQ(QApplication::activeModalWidget(), modal);
        problem = modal->findChild<QLabel*>("lblProblem")->text();
        name->setText("adder");
        QTest::keyClick(modal, Qt::Key_Return);
    });
    action("mnuFileExport")->trigger();
    EXPECT_TRUE(problem.contains("reserved")) << problem.toStdString();
    EXPECT_EQ(ports, "inputs A, B, C; output Y");
    EXPECT_TRUE(bytes(workdir.file("g.v")).contains("module adder ("));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(DocumentExport, ADocumentWithoutACircuitIsNotWrittenAsOne) {
    newDrawing();  // lines and texts only, as an Explain view or an opened file
    for (const char* name : {"x.v", "x.vhd", "x.json"}) {
        dialogs.saveNames = {workdir.file(name)};
        action("mnuFileExport")->trigger();
    }
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_TRUE(prompts.shown[2].text.contains("Only a circuit drawn by Quendal"));
    EXPECT_EQ(QDir(workdir.path()).entryList(QDir::Files), QStringList{});
}

TEST_F(DocumentExport, ColouredTextKeepsItsColourOnTheScreenAndInTheFile) {
    const Rgb crimson{220, 20, 60};
    main->LoadNewDoc(DocumentKind::Circuit).printAt(600, 600, {"AB'+CD"}, crimson);
    const QImage shown = wholePicture(main->frmD()->canvas());
    bool reddish = false;
    for (int y = 0; y < 80 && !reddish; ++y) {
        for (int x = 0; x < 120 && !reddish; ++x) {
            const QColor c = shown.pixelColor(x, y);
            reddish = c.red() > 150 && c.green() < 100 && c.blue() < 120;
        }
    }
    EXPECT_TRUE(reddish);
    exportTo(workdir.file("coloured.svg"));
    EXPECT_TRUE(bytes(workdir.file("coloured.svg")).contains("#dc143c"));
}

TEST_F(DocumentExport, ANameWithoutAKnownSuffixIsRefusedAndNothingIsWritten) {
    newDrawing();
    dialogs.saveNames = {workdir.file("drawing.jpg")};
    action("mnuFileExport")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains(".pdf, .svg or .png"));
    // A folder is refused before the options page.
    ASSERT_TRUE(QDir(workdir.path()).mkdir("taken.svg"));
    dialogs.saveNames = {workdir.file("taken.svg")};
    action("mnuFileExport")->trigger();
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[1].text.contains("taken.svg"));
    EXPECT_EQ(QDir(workdir.path()).entryList(QDir::Files), QStringList{});
}

TEST_F(DocumentExport, AnOpenedDrawingIsExportedAsItsPictureAndTheDialogSaysSo) {
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 192));
    saveCircuitFile(workdir.file("opened.cir"), picture);
    dialogs.openNames = {workdir.file("opened.cir")};
    action("mnuFileOpen")->trigger();
    QString note;
    exportTo(workdir.file("opened.pdf"), &note);
    EXPECT_TRUE(note.contains("picture"));
    EXPECT_TRUE(bytes(workdir.file("opened.pdf")).contains("/Subtype /Image"));
}

TEST_F(DocumentExport, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    newDrawing();
    auto writeOld = [&](const QString& name) {
        QFile f(workdir.file(name));
        return f.open(QIODevice::WriteOnly) && f.write("old") == 3;
    };
    ASSERT_TRUE(writeOld("old.pdf") && writeOld("real.svg"));
    ASSERT_TRUE(QFile::link(workdir.file("real.svg"), workdir.file("link.svg")));
    prompts.replies = {PromptReply::No, PromptReply::No};
    for (const char* name : {"old.pdf", "link.svg"}) {
        dialogs.saveNames = {workdir.file(name)};
        action("mnuFileExport")->trigger();
    }
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].text, "\"old.pdf\" already exists.\nReplace it?");
    EXPECT_EQ(prompts.shown[0].defaultReply, PromptReply::No);
    EXPECT_TRUE(prompts.shown[1].text.contains("a link to \"" + workdir.file("real.svg") + "\""));
    EXPECT_EQ(bytes(workdir.file("old.pdf")), "old");
    EXPECT_EQ(bytes(workdir.file("real.svg")), "old");
    // Yes replaces it; a read-only file is refused, its mode kept.
    prompts.replies = {PromptReply::Yes};
    exportTo(workdir.file("old.pdf"));
    EXPECT_TRUE(bytes(workdir.file("old.pdf")).startsWith("%PDF"));
    ASSERT_TRUE(QFile::setPermissions(workdir.file("real.svg"), QFileDevice::ReadOwner));
    if (::access(QFile::encodeName(workdir.file("real.svg")).constData(), W_OK) != 0) {
        dialogs.saveNames = {workdir.file("real.svg")};
        action("mnuFileExport")->trigger();
        EXPECT_TRUE(prompts.shown.back().text.endsWith("It is read-only."));
        EXPECT_EQ(bytes(workdir.file("real.svg")), "old");
    }
    // The dialog is the export one, in the working folder.
    EXPECT_EQ(dialogs.folders.last(), QDir::currentPath());
}

TEST_F(DocumentExport, APipeOrALinkToOneIsNeverReplacedByExportOrSaveAs) {
    newDrawing();
    for (const char* suffix : {"pdf", "svg", "png", "cir"}) {
        const QString pipe = workdir.file(QStringLiteral("pipe.%1").arg(suffix));
        const QString link = workdir.file(QStringLiteral("link.%1").arg(suffix));
        ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(pipe, link));
        for (const QString& name : {pipe, link}) {
            prompts.shown.clear();
            dialogs.saveNames = {name};
            action(QLatin1String(suffix) == "cir" ? "mnuFileSaveAs" : "mnuFileExport")->trigger();
            ASSERT_EQ(prompts.shown.size(), 1u) << name.toStdString();
            EXPECT_TRUE(prompts.shown[0].text.contains("not a regular file"))
                << prompts.shown[0].text.toStdString();
        }
        struct stat status {};
        ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &status), 0);
        EXPECT_TRUE(S_ISFIFO(status.st_mode));
        EXPECT_TRUE(QFileInfo(link).isSymLink());
    }
}

TEST_F(DocumentExport, AFullDiskLeavesTheOldFileWholeAndSaysWhy) {
    // A small file system of its own, filled up.
    const QString disk = workdir.file("disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=512k") != 0)
        GTEST_SKIP() << "mounting a small file system is not permitted here";
    struct Unmount {
        QString at;
        ~Unmount() { ::umount(QFile::encodeName(at).constData()); }
    } unmount{disk};
    const QByteArray old(100'000, 'o');
    for (const char* name : {"old.pdf", "old.svg", "old.png", "old.cir"}) {
        QFile f(disk + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
    }
    {
        QFile filler(disk + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'f')) > 0) {
        }
    }
    newDrawing();
    for (const char* name : {"old.pdf", "old.svg", "old.png", "old.cir"}) {
        const QString path = disk + "/" + name;
        prompts.shown.clear();
        if (QFileInfo(path).suffix() == "cir") {
            dialogs.saveNames = {path};
            action("mnuFileSaveAs")->trigger();
        } else {
            prompts.replies = {PromptReply::Yes};
            exportTo(path);
        }
        ASSERT_FALSE(prompts.shown.empty()) << name;
        EXPECT_TRUE(prompts.shown.back().text.contains("No space left on device"))
            << prompts.shown.back().text.toStdString();
        EXPECT_EQ(bytes(path), old) << name;
    }
    EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

TEST_F(DocumentExport, APngBeyondItsMemoryBudgetIsRefusedNamingTheLargestScaleThatFits) {
    main->LoadNewDoc(DocumentKind::Circuit).setSize(60000, 60000);  // 4000 pixels
    double eightTimes = 8.0;
    exportTo(workdir.file("huge.png"), nullptr, &eightTimes);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains("32000 x 32000 pixels"));
    EXPECT_TRUE(prompts.shown[0].text.contains("The largest scale that fits is 354 %"));
    EXPECT_FALSE(QFile::exists(workdir.file("huge.png")));
}

TEST(PageGrid, ActualSizeCutsTheDrawingIntoRowsAndColumnsOfPages) {
    // 96 dpi on paper is the screen's size: one pixel a device pixel.
    EXPECT_EQ(pageGrid(QSize(1000, 500), QSize(1000, 500), 96).pages(), 1);
    const PageGrid grid = pageGrid(QSize(1001, 1500), QSize(1000, 500), 96);
    EXPECT_EQ(grid.columns, 2);
    EXPECT_EQ(grid.rows, 3);
    EXPECT_EQ(pageGrid(QSize(1000, 500), QSize(1000, 500), 192).pages(), 4);
}

TEST_F(DocumentExport, ALargeDrawingPrintsAcrossMarkedPagesWhenTheUserSaysYes) {
    Canvas& canvas = main->LoadNewDoc(DocumentKind::Circuit);
    canvas.setSize(40000, 20000);
    canvas.line(0, 100, 39000, 19000, colours::green);
    canvas.printAt(30000, 15000, {"far corner"});
    dialogs.pdfPath = workdir.file("pages.pdf");
    prompts.replies = {PromptReply::Yes};
    action("mnuFilePrint")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.shown[0].defaultReply, PromptReply::No);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const PageGrid grid = pageGrid(printer, main->frmD()->canvas().pixelSize());
    EXPECT_GT(grid.pages(), 1);
    const QByteArray pdf = bytes(workdir.file("pages.pdf"));
    EXPECT_TRUE(pdf.contains(QStringLiteral("/Count %1").arg(grid.pages()).toLatin1()));
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));

    // No: one page, fitted.
    prompts.replies = {PromptReply::No};
    action("mnuFilePrint")->trigger();
    EXPECT_TRUE(bytes(workdir.file("pages.pdf")).contains("/Count 1"));
}
