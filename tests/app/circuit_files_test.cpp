#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/circuit_files.h"
#include "app/print_layout.h"
#include "drawing/canvas_document.h"
#include "tests/support/whole_picture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_workdir.h"

using namespace quendal::drawing;
using namespace quendal::app;

namespace {

QImage sampleDrawing() {
    DocumentCanvas canvas;
    canvas.print();
    canvas.print({"     User  :  Ann"});
    canvas.line(1500, 1500, 1500, 7000, colours::green);
    canvas.arc(4000, 3000, 400, colours::red, 3.14159265, 0);
    junctionDot(canvas, 1500, 3000);
    return wholePicture(canvas);
}

struct CaptionCase {
    const char* caption;
    bool neverSaved;
};

class NeverSavedCaption : public ::testing::TestWithParam<CaptionCase> {};

}  // namespace

TEST_P(NeverSavedCaption, IsToldByItsFirstCharacters) {
    EXPECT_EQ(isNeverSaved(GetParam().caption), GetParam().neverSaved) << GetParam().caption;
}

INSTANTIATE_TEST_SUITE_P(
    Captions, NeverSavedCaption,
    ::testing::Values(CaptionCase{"Circuit 1", true}, CaptionCase{"Mux 12", true},
                      CaptionCase{"Demux 3", true}, CaptionCase{"Muxes.cir", true},
                      CaptionCase{"circuit 1", false}, CaptionCase{"MUX 1", false},
                      CaptionCase{" Circuit 1", false},
                      CaptionCase{"/home/ann/Circuit 1.cir", false}, CaptionCase{"", false}));

TEST(DialogFolder, IsTheProgramsFolderWhenWritableElseTheWorkingFolder) {
    TempWorkdir dir;
    EXPECT_EQ(dialogFolder(dir.path(), "/home/ann/Quendal"), QDir(dir.path()).absolutePath());
    EXPECT_EQ(dialogFolder(dir.file("missing"), "/home/ann/Quendal"), "/home/ann/Quendal");
    writeBytes(dir.file("plain"), "x");
    EXPECT_EQ(dialogFolder(dir.file("plain"), "/home/ann/Quendal"), "/home/ann/Quendal");
    EXPECT_EQ(dialogFolder("", "/home/ann/Quendal"), "/home/ann/Quendal");
}

TEST(CircuitFile, IsABitmapThatReadsBackPixelForPixel) {
    TempWorkdir dir;
    const QImage drawing = sampleDrawing();
    saveCircuitFile(dir.file("and.cir"), drawing);
    EXPECT_TRUE(fileBytes(dir.file("and.cir")).startsWith("BM"));
    const QImage back = readCircuitFile(dir.file("and.cir"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), drawing);
    // Nothing is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"and.cir"});
}

// The 8-variable parity circuit's picture (18966 x 8727 pixels) needs about
// 632 MiB as 32-bit pixels, more than the image reader allows by default.
TEST(CircuitFile, ReaderLimitCoversTheLargestPictures) {
    EXPECT_EQ(readerAllocationLimitMiB(QSize(647, 487)), 512);
    EXPECT_GE(readerAllocationLimitMiB(QSize(18966, 8727)), 632);
    const int largest = DocumentCanvas::kMaxPixels;
    EXPECT_GE(qint64(readerAllocationLimitMiB(QSize(largest, largest))) * 1024 * 1024,
              qint64(largest) * largest * 4);
}

TEST(CircuitFile, IsReadByContentWhateverItsName) {
    TempWorkdir dir;
    saveCircuitFile(dir.file("drawing.txt"), sampleDrawing());
    EXPECT_FALSE(readCircuitFile(dir.file("drawing.txt")).isNull());
}

TEST(CircuitFile, SavingOverAFileReplacesIt) {
    TempWorkdir dir;
    writeBytes(dir.file("old.cir"), QByteArray(100000, 'x'));
    saveCircuitFile(dir.file("old.cir"), sampleDrawing());
    EXPECT_TRUE(fileBytes(dir.file("old.cir")).startsWith("BM"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.cir"});
}

TEST(CircuitFile, AFolderInTheWayIsReportedWithTheFileNameAndLeftAlone) {
    TempWorkdir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.cir"));
    try {
        saveCircuitFile(dir.file("taken.cir"), sampleDrawing());
        FAIL() << "no error";
    } catch (const CircuitFileError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.file("taken.cir").toStdString()),
                  std::string::npos);
    }
    EXPECT_TRUE(QFileInfo(dir.file("taken.cir")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

TEST(CircuitFile, AMissingFolderIsReported) {
    TempWorkdir dir;
    EXPECT_THROW(saveCircuitFile(dir.file("no/such/folder/a.cir"), sampleDrawing()),
                 CircuitFileError);
}

struct BadFileCase {
    const char* name;
    QByteArray bytes;
};

class UnreadableFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(UnreadableFile, IsReportedWithItsName) {
    TempWorkdir dir;
    const QString path = dir.file("bad.cir");
    writeBytes(path, GetParam().bytes);
    try {
        readCircuitFile(path);
        FAIL() << "no error";
    } catch (const CircuitFileError& e) {
        EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFile,
    ::testing::Values(BadFileCase{"text", "A'B+AB'\r\n"}, BadFileCase{"empty", ""},
                      BadFileCase{"bitmap_header_only",
                                  QByteArray("BM\x36\0\0\0\0\0\0\0\x36\0\0\0", 14)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CircuitFile, MissingFilesAndFoldersAreReported) {
    TempWorkdir dir;
    EXPECT_THROW(readCircuitFile(dir.file("none.cir")), CircuitFileError);
    EXPECT_THROW(readCircuitFile(dir.path()), CircuitFileError);
}

struct FitCase {
    QSize picture;
    QSize page;
    QRect placed;
};

class PageFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(PageFit, UsesTheFullWidthOrHeightKeepingProportions) {
    EXPECT_EQ(fitOnPage(GetParam().picture, GetParam().page), GetParam().placed);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PageFit,
    ::testing::Values(FitCase{{647, 487}, {4000, 6000}, {0, 0, 4000, 3011}},   // width limits
                      FitCase{{400, 1000}, {4000, 6000}, {0, 0, 2400, 6000}},  // height limits
                      FitCase{{100, 150}, {4000, 6000}, {0, 0, 4000, 6000}},   // same shape
                      FitCase{{10, 5}, {4000, 6000}, {0, 0, 4000, 2000}},      // enlarged
                      FitCase{{0, 5}, {4000, 6000}, {}}));
