#pragma once

#include <QByteArray>
#include <QImage>

class QIODevice;

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace quendal::app {

// The pieces of a Windows bitmap file that circuit files are made of: the
// palette, run-length compressed rows (BI_RLE8) and the headers, written
// and read without the image codecs, so that a picture can be written a
// strip at a time and a file checked before it is decoded.
namespace bitmap {

// How often each colour occurs (RGB, alpha ignored), counted strip by
// strip. Counting stops once there are more colours than any palette could
// stand for.
class ColourCount {
public:
    static constexpr size_t kMaxColours = 4096;
    void add(const QImage& strip);  // Format_RGB32
    bool overflowed() const { return overflowed_; }
    const std::unordered_map<QRgb, std::uint64_t>& counts() const { return counts_; }

private:
    std::unordered_map<QRgb, std::uint64_t> counts_;
    bool overflowed_ = false;
};

// Up to 256 colours and, for every colour counted, the entry it is written
// as.
struct Palette {
    std::vector<QRgb> colours;
    std::unordered_map<QRgb, std::uint8_t> entryOf;
};

// The palette for the counted colours: all of them when they fit; else the
// colours in `keep` that occur, then the most frequent ones, every other
// colour taking the nearest entry if that is within `tolerance` levels on
// each channel. Nothing when a colour would have to move further (or
// counting overflowed): the picture then needs 24 bits a pixel.
std::optional<Palette> choosePalette(const ColourCount& count, const std::vector<QRgb>& keep,
                                     int tolerance);

// Appends one row of palette entries as BI_RLE8 codes: runs of equal
// entries, absolute stretches for varied ones, then the end of the line
// (or of the bitmap, for the last row written).
void appendRle8Row(QByteArray& out, const std::uint8_t* entries, int width, bool lastRow);

// Bytes per row of an uncompressed bitmap (rows are padded to 4 bytes).
qint64 rowBytes(qint64 width, int bitsPerPixel);

// The file and info headers plus the palette of a bottom-up bitmap at
// 96 dpi. compression: 0 none, 1 BI_RLE8.
QByteArray headers(QSize size, int bitsPerPixel, int compression, const std::vector<QRgb>& palette,
                   qint64 pixelDataBytes);

// What a bitmap file's headers say about the pixel data that follows.
struct Layout {
    qint64 dataOffset = 0;
    qint64 width = 0;
    qint64 height = 0;  // rows, whether stored bottom-up or top-down
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    qint64 imageBytes = 0;  // as the header states it; 0 where unstated
    bool runLength() const { return compression == 1 || compression == 2; }
    // The bytes of pixel data the file must hold after dataOffset; 0 when
    // the header does not tell (a run-length bitmap without its size, an
    // embedded JPEG or PNG).
    qint64 announcedDataBytes() const;
};

// Whether a run-length bitmap's codes, read from the device's current
// position, reach their end-of-bitmap mark or fill every row before the
// file ends: a file cut short is otherwise shown with its missing rows
// blank.
bool runLengthDataComplete(QIODevice& device, const Layout& layout);

// The layout of a file that starts with a bitmap's headers ("BM"); nothing
// for any other file or headers cut short.
std::optional<Layout> readLayout(const QByteArray& head);

}  // namespace bitmap

}  // namespace quendal::app
