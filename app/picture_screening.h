#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

namespace quendal::app {

// What an opened file is screened for before any picture is decoded: its
// kind by its first bytes, and for kinds whose decoding cost is not bounded
// by their size in pixels (a progressive JPEG passes over the whole picture
// once per scan) what the decoder would have to do.

enum class PictureKind { Bmp, Gif, Jpeg, Ico, Png, Other };

// The kind a file's first bytes show.
PictureKind pictureKind(const QByteArray& head);

// Why a file of another kind is not opened, as a sentence for the user
// ("It is an SVG drawing; Quendal opens only …").
QString otherKindRefusal(const QByteArray& head);

// A JPEG's frame as its markers describe it.
struct JpegLayout {
    qint64 width = 0;
    qint64 height = 0;
    int components = 0;
    bool progressive = false;
    int scans = 0;  // start-of-scan markers
};
// Reads the markers from the device's current position (it is left at the
// end); nothing when the file has no frame header.
std::optional<JpegLayout> readJpegLayout(QIODevice& device);

// A GIF's logical screen and frames.
struct GifLayout {
    qint64 width = 0;
    qint64 height = 0;
    int frames = 0;
    qint64 largestFramePixels = 0;
};
std::optional<GifLayout> readGifLayout(QIODevice& device);

// At most this many scans, and this many pixels decoded over all scans
// (a few seconds' work), for a JPEG.
inline constexpr int kMaxJpegScans = 100;
inline constexpr qint64 kMaxJpegScanPixels = 2'000'000'000;
// The memory a JPEG may take to decode: its pixels, and for a progressive
// one the coefficients of every component held until the last scan.
inline constexpr qint64 kMaxDecodingBytes = 1024LL * 1024 * 1024;
// At most this many frames in a GIF.
inline constexpr int kMaxGifFrames = 10'000;

// Why a JPEG or GIF would cost too much to decode; empty when it would not.
QString jpegRefusal(const JpegLayout& jpeg);
QString gifRefusal(const GifLayout& gif, qint64 maxPixels);

}  // namespace quendal::app
