#include <gtest/gtest.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include "app/circuit_files.h"
#include "app/document_export.h"
#include "app/print_layout.h"
#include "drawing/whole_picture.h"
#include "tests/app/main_window_support.h"

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
            EXPECT_EQ(modal->objectName(), "frmExport");
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
    ASSERT_TRUE(QDir(workdir.path()).mkdir("taken.svg"));
    exportTo(workdir.file("taken.svg"));
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
