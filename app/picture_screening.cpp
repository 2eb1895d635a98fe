#include "app/picture_screening.h"

#include <QIODevice>

namespace quendal::app {

namespace {

// The device's bytes one at a time, read a chunk at a time.
class ByteSource {
public:
    explicit ByteSource(QIODevice& device) : device_(device) {}
    int next() {
        if (at_ == buffer_.size()) {
            buffer_ = device_.read(kChunk);
            at_ = 0;
            if (buffer_.isEmpty()) return -1;
        }
        return std::uint8_t(buffer_[at_++]);
    }
    int next16BigEndian() {
        const int hi = next(), lo = next();
        return lo < 0 ? -1 : (hi << 8) | lo;
    }
    int next16LittleEndian() {
        const int lo = next(), hi = next();
        return hi < 0 ? -1 : (hi << 8) | lo;
    }
    bool skip(qint64 n) {
        const qint64 buffered = std::min<qint64>(n, buffer_.size() - at_);
        at_ += buffered;
        n -= buffered;
        if (n == 0) return true;
        const qint64 to = device_.pos() + n;
        if (to > device_.size()) return false;
        return device_.seek(to);
    }

private:
    static constexpr qint64 kChunk = 1 << 20;
    QIODevice& device_;
    QByteArray buffer_;
    qsizetype at_ = 0;
};

const QString kOpened = QStringLiteral("Quendal opens only BMP, GIF, JPEG, ICO and PNG pictures.");

}  // namespace

PictureKind pictureKind(const QByteArray& head) {
    if (head.startsWith("BM")) return PictureKind::Bmp;
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) return PictureKind::Gif;
    if (head.startsWith("\xff\xd8\xff")) return PictureKind::Jpeg;
    if (head.startsWith(QByteArray("\x00\x00\x01\x00", 4))) return PictureKind::Ico;
    if (head.startsWith("\x89PNG\r\n\x1a\n")) return PictureKind::Png;
    return PictureKind::Other;
}

QString otherKindRefusal(const QByteArray& head) {
    const QByteArray text = head.trimmed();
    QString kind;
    if (head.startsWith("\x1f\x8b")) {
        kind = QStringLiteral("It is a compressed file (an SVGZ drawing, perhaps)");
    } else if (text.startsWith("/* XPM */")) {
        kind = QStringLiteral("It is an XPM picture");
    } else if (text.contains("<svg") || text.startsWith("<?xml")) {
        kind = QStringLiteral("It is an SVG drawing or other XML text");
    } else if (head.size() > 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '7' &&
               QByteArray(" \t\r\n#").contains(head[2])) {
        kind = QStringLiteral("It is a PBM, PGM or PPM picture");
    } else {
        return QStringLiteral(
            "It is not a picture Quendal opens (only BMP, GIF, JPEG, ICO "
            "and PNG pictures).");
    }
    return kind + QStringLiteral("; ") + kOpened;
}

std::optional<JpegLayout> readJpegLayout(QIODevice& device) {
    ByteSource in(device);
    if (in.next() != 0xff || in.next() != 0xd8) return std::nullopt;
    JpegLayout layout;
    bool framed = false;
    for (;;) {
        // Between segments, and inside a scan's coded data, everything up
        // to the next marker is skipped.
        int b = in.next();
        if (b < 0) break;
        if (b != 0xff) continue;
        int marker;
        do marker = in.next();
        while (marker == 0xff);
        if (marker < 0 || marker == 0xd9) break;  // the end of the picture
        // Stuffed bytes, restart markers and markers without a length.
        if (marker == 0x00 || marker == 0x01 || marker == 0xd8 ||
            (marker >= 0xd0 && marker <= 0xd7))
            continue;
        const int length = in.next16BigEndian();
        if (length < 2) break;
        const bool frame =
            marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (frame && length >= 8 && !framed) {
            in.next();  // sample precision
            layout.height = in.next16BigEndian();
            layout.width = in.next16BigEndian();
            layout.components = in.next();
            layout.progressive =
                marker == 0xc2 || marker == 0xc6 || marker == 0xca || marker == 0xce;
            framed = true;
            if (!in.skip(length - 8)) break;
            continue;
        }
        if (marker == 0xda) ++layout.scans;
        if (!in.skip(length - 2)) break;
    }
    if (!framed) return std::nullopt;
    return layout;
}

std::optional<GifLayout> readGifLayout(QIODevice& device) {
    ByteSource in(device);
    if (!in.skip(6)) return std::nullopt;
    GifLayout layout;
    layout.width = in.next16LittleEndian();
    layout.height = in.next16LittleEndian();
    const int flags = in.next();
    if (flags < 0 || !in.skip(2)) return std::nullopt;
    if (flags & 0x80) in.skip(3 << ((flags & 7) + 1));
    auto skipSubBlocks = [&in] {
        for (int n = in.next(); n > 0; n = in.next())
            if (!in.skip(n)) return;
    };
    for (int block = in.next(); block >= 0 && block != 0x3b; block = in.next()) {
        if (block == 0x21) {
            in.next();  // the extension's label
            skipSubBlocks();
        } else if (block == 0x2c) {
            in.skip(4);  // left and top
            const qint64 width = in.next16LittleEndian(), height = in.next16LittleEndian();
            const int frameFlags = in.next();
            if (frameFlags < 0) break;
            if (frameFlags & 0x80) in.skip(3 << ((frameFlags & 7) + 1));
            in.next();  // the LZW code size
            skipSubBlocks();
            ++layout.frames;
            layout.largestFramePixels = std::max(layout.largestFramePixels, width * height);
            // Counted far enough to refuse; the rest need not be read.
            if (layout.frames > kMaxGifFrames) break;
        } else {
            break;
        }
    }
    return layout;
}

QString jpegRefusal(const JpegLayout& jpeg) {
    const qint64 pixels = jpeg.width * jpeg.height;
    if (jpeg.scans > kMaxJpegScans) {
        return QStringLiteral(
                   "It is a JPEG picture in %1 scans; Quendal opens at most %2, as each "
                   "is a pass over the whole picture.")
            .arg(jpeg.scans)
            .arg(kMaxJpegScans);
    }
    if (pixels * std::max(1, jpeg.scans) > kMaxJpegScanPixels) {
        return QStringLiteral(
                   "It is a JPEG picture of %1 x %2 pixels in %3 scans, which would "
                   "take too long to decode.")
            .arg(jpeg.width)
            .arg(jpeg.height)
            .arg(jpeg.scans);
    }
    // A picture in several scans keeps every component's coefficients
    // until the last one.
    const qint64 coefficients =
        jpeg.progressive || jpeg.scans > 1 ? pixels * std::max(1, jpeg.components) * 2 : 0;
    if (pixels * 4 + coefficients > kMaxDecodingBytes) {
        return QStringLiteral(
                   "It is a JPEG picture of %1 x %2 pixels, which would "
                   "take more than %3 MB to decode.")
            .arg(jpeg.width)
            .arg(jpeg.height)
            .arg(kMaxDecodingBytes / (1024 * 1024));
    }
    return {};
}

QString gifRefusal(const GifLayout& gif, qint64 maxPixels) {
    if (gif.frames > kMaxGifFrames) {
        return QStringLiteral("It is a GIF picture of more than %1 frames.").arg(kMaxGifFrames);
    }
    if (gif.largestFramePixels > maxPixels) {
        return QStringLiteral("It is a GIF picture with a frame of more than %1 million pixels.")
            .arg(maxPixels / 1'000'000);
    }
    return {};
}

}  // namespace quendal::app
