// The bitmap a circuit file holds: palette, run-length coding, strips, and
// what a reader refuses before decoding.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>

#include "app/bitmap_encoding.h"
#include "app/circuit_files.h"
#include "app/picture_screening.h"
#include "drawing/canvas_document.h"
#include "tests/support/whole_picture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/palette_tolerance.h"
#include "tests/support/temp_workdir.h"

using namespace quendal::drawing;
using namespace quendal::app;

namespace {

// A drawing with text, wires, gates and dots, plus (when `extraGreys`)
// every grey level, so that it needs more colours than a palette holds
// the way large drawings do.
QImage drawing(int widthTwips, bool extraGreys) {
    DocumentCanvas canvas;
    canvas.setSize(widthTwips, 7296);
    canvas.print({"     User  :  Ann   Date  :  05-Mar-2024   Time  :  07:40 AM"});
    canvas.print({"     F  =  A'B + AB'C + ABCDEFGH'"});
    canvas.line(1500, 1500, widthTwips - 100, 1500, colours::green);
    canvas.arc(4000, 3000, 400, colours::red, 3.14159265, 0);
    canvas.arc(5000, 3000, 400, colours::navy, 3.14159265, 0);
    canvas.arc(6000, 3000, 400, colours::blue, 3.14159265, 0);
    junctionDot(canvas, 1500, 3000);
    QImage picture = wholePicture(canvas);
    if (extraGreys) {
        for (int v = 1; v < 255; ++v) picture.setPixel(v, 400, qRgb(v, v, v));
        picture.setPixel(300, 400, qRgb(1, 2, 3));
    }
    return picture;
}

QImage photo(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) row[x] = random.generate() | 0xff000000;
    }
    return picture;
}

struct RoundTripCase {
    const char* name;
    QImage picture;
    int bitsPerPixel;
    bool runLength;
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

}  // namespace

TEST_P(RoundTrip, ReadsBackWithQtAndImageMagick) {
    TempWorkdir dir;
    const RoundTripCase& c = GetParam();
    const QString path = dir.file("x.cir");
    saveCircuitFile(path, c.picture);
    const QByteArray file = fileBytes(path);
    const auto layout = bitmap::readLayout(file);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->bitsPerPixel, c.bitsPerPixel);
    EXPECT_EQ(layout->runLength(), c.runLength);
    EXPECT_EQ(layout->dataOffset + layout->announcedDataBytes(), file.size());

    const QImage back = readCircuitFile(path);
    EXPECT_EQ(back.format(), c.bitsPerPixel == 8 ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    EXPECT_TRUE(sameWithinPaletteTolerance(c.picture, back));

    if (QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty()) return;
    QProcess convert;
    convert.start(QStringLiteral("convert"), {path, dir.file("x.png")});
    ASSERT_TRUE(convert.waitForFinished(60000));
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    EXPECT_TRUE(sameWithinPaletteTolerance(c.picture, QImage(dir.file("x.png"))));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, RoundTrip,
    ::testing::Values(RoundTripCase{"drawing", drawing(9696, false), 8, true},
                      // rows of more than 255 equal pixels, an odd width
                      RoundTripCase{"wide_drawing", drawing(30001, false), 8, true},
                      RoundTripCase{"more_than_256_colours", drawing(9696, true), 8, true},
                      RoundTripCase{"opened_8_bit",
                                    drawing(9696, false).convertToFormat(QImage::Format_Indexed8),
                                    8, true},
                      // varied pixels make run-length coding larger
                      RoundTripCase{"noise_of_256_colours",
                                    photo(301, 40).convertToFormat(QImage::Format_Indexed8), 8,
                                    false},
                      RoundTripCase{"photo", photo(333, 41), 24, false},
                      RoundTripCase{"one_pixel", photo(1, 1), 8, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CircuitFileWriter, PaintsEachStripOnceAPassFromTheBottomNeverTheWholePicture) {
    TempWorkdir dir;
    const QSize size(5000, 2000);  // 40 MB at 32 bits a pixel
    std::vector<int> tops;
    bool allWhiteAndRight = true;
    saveCircuitFile(dir.file("strips.cir"), size, [&](QImage& strip, int top) {
        allWhiteAndRight &= strip.format() == QImage::Format_RGB32 &&
                            strip.width() == size.width() &&
                            strip.pixel(7, 0) == qRgb(255, 255, 255);
        tops.push_back(top);
        for (int y = 0; y < strip.height(); ++y)
            strip.setPixel((top + y) % 5000, y, qRgb(0, 128, 0));
    });
    EXPECT_TRUE(allWhiteAndRight);
    ASSERT_GE(tops.size(), 4u);  // two passes of at least two strips
    EXPECT_EQ(tops.back(), 0);
    EXPECT_GT(tops.front(), tops[1]);
    const QImage back = readCircuitFile(dir.file("strips.cir"));
    ASSERT_EQ(back.size(), size);
    for (int y : {0, 999, 1999}) {
        EXPECT_EQ(back.pixel(y % 5000, y), qRgb(0, 128, 0));
        EXPECT_EQ(back.pixel((y + 1) % 5000, y), qRgb(255, 255, 255));
    }
}

TEST(CircuitFileWriter, AFailingPainterLeavesTheOldFileAndNothingElse) {
    TempWorkdir dir;
    writeBytes(dir.file("old.cir"), "old");
    EXPECT_THROW(saveCircuitFile(dir.file("old.cir"), QSize(100, 5000),
                                 [](QImage&, int top) {
                                     if (top < 1000) throw std::bad_alloc();
                                 }),
                 CircuitFileError);
    EXPECT_EQ(fileBytes(dir.file("old.cir")), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.cir"});
}

// A tiny file system that fills up: the message names the cause, the old
// file stays. Mounting needs the rights to; elsewhere the test is skipped.
TEST(CircuitFileWriter, AFullDiskIsNamedAndTheOldFileKept) {
    TempWorkdir dir;
    const QString mountPoint = dir.file("disk");
    ASSERT_TRUE(QDir(dir.path()).mkdir("disk"));
    if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    }
    struct Unmount {
        QByteArray point;
        ~Unmount() { ::umount(point.constData()); }
    } unmount{QFile::encodeName(mountPoint)};
    const QString path = mountPoint + QStringLiteral("/full.cir");
    saveCircuitFile(path, drawing(9696, false));
    const QByteArray before = fileBytes(path);
    try {
        saveCircuitFile(path, photo(400, 300));
        FAIL() << "no error";
    } catch (const CircuitFileError& e) {
        EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos);
    }
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files), QStringList{"full.cir"});
}

TEST(CircuitFileWriter, TheParityDrawingsPictureShrinksToAFractionOf24Bits) {
    // A picture as wide as the largest drawings, wires every few rows.
    DocumentCanvas canvas;
    canvas.setSize(18966 * 15, 600 * 15);
    for (int y = 0; y < 9000; y += 90) canvas.line(0, y, 18966 * 15, y, colours::green);
    canvas.print({"     User  :  Ann"});
    TempWorkdir dir;
    saveCircuitFile(dir.file("wide.cir"), wholePicture(canvas));
    const qint64 bytes24 = bitmap::rowBytes(18966, 24) * 600;
    EXPECT_LT(QFileInfo(dir.file("wide.cir")).size() * 50, bytes24);
}

struct ExtensionCase {
    const char* typed;
    const char* written;
};

class SaveAsName : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(SaveAsName, GetsCirOnlyWithoutAnExtension) {
    EXPECT_EQ(withCircuitExtension(GetParam().typed), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Names, SaveAsName,
                         ::testing::Values(ExtensionCase{"/home/ann/and", "/home/ann/and.cir"},
                                           ExtensionCase{"/home/ann/and.cir", "/home/ann/and.cir"},
                                           ExtensionCase{"/home/ann/and.bmp", "/home/ann/and.bmp"},
                                           ExtensionCase{"/home/ann/and.", "/home/ann/and.cir"},
                                           ExtensionCase{"/home/ann.d/and", "/home/ann.d/and.cir"},
                                           ExtensionCase{"and", "and.cir"}));

// Files the reader refuses before it decodes anything, each named with the
// file and the reason.
class RefusedFile : public ::testing::Test {
protected:
    void expectRefused(const QString& path, const char* reason) {
        try {
            readCircuitFile(path);
            FAIL() << "no error";
        } catch (const CircuitFileError& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find(path.toStdString()), std::string::npos) << text;
            EXPECT_NE(text.find(reason), std::string::npos) << text;
        }
    }
    TempWorkdir dir;
};

TEST_F(RefusedFile, CutShortWhetherOldOrNew) {
    saveCircuitFile(dir.file("new.cir"), drawing(9696, false));
    QImageWriter old(dir.file("old.cir"), "BMP");  // today's 24-bit files
    ASSERT_TRUE(old.write(drawing(9696, false)));
    EXPECT_FALSE(readCircuitFile(dir.file("old.cir")).isNull());
    for (const char* name : {"new.cir", "old.cir"}) {
        const QByteArray whole = fileBytes(dir.file(name));
        for (qsizetype length : {qsizetype(60), whole.size() / 2, whole.size() - 1}) {
            writeBytes(dir.file("cut.cir"), whole.left(length));
            expectRefused(dir.file("cut.cir"), "cut short");
        }
    }
}

TEST_F(RefusedFile, ClaimingFarMorePixelsThanItCanHold) {
    // 16000 x 16000 run-length coded pixels: in a few bytes, and in 2 MB of
    // runs (as many as runs can hold, but over the pixel limit).
    for (const int runs : {10, 1'000'000}) {
        QByteArray data;
        for (int i = 0; i < runs; ++i) data.append("\xff\x00", 2);
        data.append("\x00\x01", 2);
        QByteArray file = bitmap::headers(QSize(16000, 16000), 8, 1, {0xffffff}, data.size());
        writeBytes(dir.file("huge.cir"), file + data);
        expectRefused(dir.file("huge.cir"), runs == 10 ? "out of proportion" : "too large");
    }
}

TEST_F(RefusedFile, NamedPipesFoldersAndMissingFilesWithoutWaiting) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file("pipe.cir")).constData(), 0600), 0);
    expectRefused(dir.file("pipe.cir"), "not a regular file");
    expectRefused(dir.path(), "folder");
    expectRefused(dir.file("none.cir"), "no such file");
}

TEST_F(RefusedFile, ACutShortRunLengthFileWithoutItsSizeOrADamagedHeader) {
    saveCircuitFile(dir.file("whole.cir"), drawing(9696, false));
    QByteArray whole = fileBytes(dir.file("whole.cir"));
    ASSERT_EQ(bitmap::readLayout(whole)->compression, 1u);
    auto patched = [&](int at, std::uint32_t value, int bytes) {
        QByteArray file = whole;
        for (int i = 0; i < bytes; ++i) file[at + i] = char((value >> (8 * i)) & 0xff);
        return file;
    };
    // Without its size in the header (0), whole it opens and cut short it
    // is refused by its codes.
    whole = patched(34, 0, 4);
    writeBytes(dir.file("sizeless.cir"), whole);
    EXPECT_EQ(readCircuitFile(dir.file("sizeless.cir")).size(), drawing(9696, false).size());
    writeBytes(dir.file("cut.cir"), whole.left(whole.size() * 2 / 3));
    expectRefused(dir.file("cut.cir"), "cut short");
    // A header that gives no picture names what is wrong with it.
    writeBytes(dir.file("narrow.cir"), patched(18, 0, 4));
    expectRefused(dir.file("narrow.cir"), "header is damaged");
    writeBytes(dir.file("odd.cir"), patched(28, 7, 2));
    expectRefused(dir.file("odd.cir"), "unsupported bit depth (7 bits");
}

TEST_F(RefusedFile, OtherKindsOfFileAndCostlyPicturesBeforeDecoding) {
    // A JPEG of 8000 x 8000 pixels whose markers announce `scans` scans.
    auto jpeg = [](int scans) {
        QByteArray file("\xff\xd8\xff\xc2\x00\x0b\x08\x1f\x40\x1f\x40\x01\x01\x11\x00", 15);
        for (int i = 0; i < scans; ++i)
            file.append(QByteArray("\xff\xda\x00\x08\x01\x01\x00\x00\x3f\x00\x12\x34", 12));
        return file + "\xff\xd9";
    };
    QByteArray gif("GIF89a\x01\x00\x01\x00\x00\x00\x00", 13);
    for (int i = 0; i <= kMaxGifFrames; ++i)
        gif.append(QByteArray("\x2c\0\0\0\0\x01\0\x01\0\0\x02\x01\x01\0", 14));
    const std::pair<QByteArray, const char*> cases[] = {
        {QByteArray("\x1f\x8b\x08\x00", 4) + QByteArray(100, '\0'), "compressed file"},
        {"<?xml version=\"1.0\"?>\n<svg width=\"9\" height=\"9\"/>", "SVG drawing"},
        {"/* XPM */\nstatic char *x[] = {\"1 1 1 1\", \"a c #000\", \"a\"};", "XPM picture"},
        {"P5 2 2 255\n\x01\x02\x03\x04", "PBM, PGM or PPM"},
        {jpeg(kMaxJpegScans + 1), "in 101 scans"},
        {jpeg(40), "would take too long"},
        {gif, "more than 10000 frames"},
    };
    for (const auto& [bytes, reason] : cases) {
        writeBytes(dir.file("other.cir"), bytes);
        expectRefused(dir.file("other.cir"), reason);
    }
}

TEST(CircuitFile, OrdinaryPicturesOfTheKindsItOpensReadBack) {
    TempWorkdir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 128));
    for (const char* format : {"bmp", "jpeg", "ico", "png"}) {
        const QString path = dir.file(QStringLiteral("picture.%1.cir").arg(format));
        ASSERT_TRUE(QImageWriter(path, format).write(picture)) << format;
        EXPECT_EQ(readCircuitFile(path).size(), picture.size()) << format;
    }
    // Qt writes no GIF: the smallest one, a single white pixel.
    writeBytes(dir.file("pixel.gif.cir"),
               QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                          ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                          35));
    EXPECT_EQ(readCircuitFile(dir.file("pixel.gif.cir")).size(), QSize(1, 1));
}

// Running as root, a file cannot be made unreadable to the test: the
// message for the error the system gives is checked instead.
TEST(ReadFailureReason, NamesTheSystemsCause) {
    EXPECT_EQ(readFailureReason(EACCES), "It cannot be read: permission denied.");
    EXPECT_EQ(readFailureReason(EIO), "It cannot be read: input/output error.");
}

TEST(PaletteTolerance, MovesOnlyOtherColoursAndOnlyAFewLevels) {
    QImage original(2, 1, QImage::Format_RGB32);
    original.setPixel(0, 0, qRgb(0, 128, 0));      // a wire
    original.setPixel(1, 0, qRgb(100, 100, 100));  // a text grey
    QImage moved = original;
    moved.setPixel(1, 0, qRgb(108, 92, 100));
    EXPECT_TRUE(sameWithinPaletteTolerance(original, moved));
    moved.setPixel(1, 0, qRgb(109, 100, 100));
    EXPECT_FALSE(sameWithinPaletteTolerance(original, moved));
    moved = original;
    moved.setPixel(0, 0, qRgb(0, 129, 0));
    EXPECT_FALSE(sameWithinPaletteTolerance(original, moved));
}
