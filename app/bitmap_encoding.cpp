#include "app/bitmap_encoding.h"

#include <QIODevice>

#include <algorithm>
#include <cstdlib>

namespace quendal::app {

namespace bitmap {

namespace {

constexpr QRgb kRgbMask = 0x00ffffff;
constexpr int kDotsPerMeter = 3780;  // 96 dpi

void put16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void put32(QByteArray& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.append(char((v >> shift) & 0xff));
}

std::uint32_t get32(const QByteArray& in, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | std::uint8_t(in[at + i]);
    return v;
}

std::uint16_t get16(const QByteArray& in, int at) {
    return std::uint16_t(std::uint8_t(in[at]) | (std::uint8_t(in[at + 1]) << 8));
}

int distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

}  // namespace

void ColourCount::add(const QImage& strip) {
    if (overflowed_) return;
    const int width = strip.width(), height = strip.height();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
        int x = 0;
        while (x < width) {
            const QRgb colour = row[x] & kRgbMask;
            int end = x + 1;
            while (end < width && (row[end] & kRgbMask) == colour) ++end;
            counts_[colour] += std::uint64_t(end - x);
            x = end;
        }
        if (counts_.size() > kMaxColours) {
            overflowed_ = true;
            return;
        }
    }
}

std::optional<Palette> choosePalette(const ColourCount& count, const std::vector<QRgb>& keep,
                                     int tolerance) {
    if (count.overflowed()) return std::nullopt;
    std::vector<std::pair<QRgb, std::uint64_t>> byFrequency(count.counts().begin(),
                                                            count.counts().end());
    // Kept colours first, then the most frequent; ties by value, so that
    // the same picture always gives the same file.
    auto rank = [&keep](QRgb c) {
        const auto k = std::find(keep.begin(), keep.end(), c & kRgbMask);
        return k == keep.end() ? keep.size() : size_t(k - keep.begin());
    };
    std::sort(byFrequency.begin(), byFrequency.end(), [&](const auto& a, const auto& b) {
        const size_t ra = rank(a.first), rb = rank(b.first);
        if (ra != rb) return ra < rb;
        if (a.second != b.second) return a.second > b.second;
        return a.first < b.first;
    });
    Palette palette;
    for (const auto& [colour, n] : byFrequency) {
        if (palette.colours.size() == 256) {
            // The rest take their nearest entry, or the palette cannot do.
            int best = 0, bestDistance = 256;
            for (size_t i = 0; i < palette.colours.size(); ++i) {
                const int d = distance(colour, palette.colours[i]);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = int(i);
                }
            }
            if (bestDistance > tolerance) return std::nullopt;
            palette.entryOf[colour] = std::uint8_t(best);
            continue;
        }
        palette.entryOf[colour] = std::uint8_t(palette.colours.size());
        palette.colours.push_back(colour);
    }
    if (palette.colours.empty()) palette.colours.push_back(0xffffff);
    return palette;
}

void appendRle8Row(QByteArray& out, const std::uint8_t* p, int width, bool lastRow) {
    int i = 0;
    while (i < width) {
        int run = 1;
        while (i + run < width && run < 255 && p[i + run] == p[i]) ++run;
        if (run >= 2) {
            out.append(char(run));
            out.append(char(p[i]));
            i += run;
            continue;
        }
        // Varied entries up to the next run of three or more.
        int j = i;
        while (j < width && j - i < 255) {
            if (j + 2 < width && p[j] == p[j + 1] && p[j] == p[j + 2]) break;
            ++j;
        }
        const int n = j - i;
        if (n < 3) {
            // An absolute stretch needs at least three entries.
            for (int k = 0; k < n; ++k) {
                out.append(char(1));
                out.append(char(p[i + k]));
            }
        } else {
            out.append(char(0));
            out.append(char(n));
            out.append(reinterpret_cast<const char*>(p + i), n);
            if (n % 2) out.append(char(0));  // stretches end on a 16-bit boundary
        }
        i = j;
    }
    out.append(char(0));
    out.append(char(lastRow ? 1 : 0));
}

qint64 rowBytes(qint64 width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

QByteArray headers(QSize size, int bitsPerPixel, int compression, const std::vector<QRgb>& palette,
                   qint64 pixelDataBytes) {
    constexpr int kFileHeader = 14, kInfoHeader = 40;
    const qint64 offset = kFileHeader + kInfoHeader + 4 * qint64(palette.size());
    QByteArray out;
    out.reserve(int(offset));
    out.append("BM");
    put32(out, std::uint32_t(offset + pixelDataBytes));
    put32(out, 0);
    put32(out, std::uint32_t(offset));
    put32(out, kInfoHeader);
    put32(out, std::uint32_t(size.width()));
    put32(out, std::uint32_t(size.height()));  // positive: bottom-up rows
    put16(out, 1);
    put16(out, std::uint16_t(bitsPerPixel));
    put32(out, std::uint32_t(compression));
    put32(out, std::uint32_t(pixelDataBytes));
    put32(out, kDotsPerMeter);
    put32(out, kDotsPerMeter);
    put32(out, std::uint32_t(palette.size()));
    put32(out, 0);
    for (QRgb c : palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    return out;
}

qint64 Layout::announcedDataBytes() const {
    if (runLength()) return imageBytes;
    // Plain rows (0), or plain rows with bit-field masks (3, 6); a bitmap
    // holding a JPEG or PNG (4, 5) says nothing the rows could check.
    if (compression != 0 && compression != 3 && compression != 6) return 0;
    return rowBytes(width, bitsPerPixel) * height;
}

bool runLengthDataComplete(QIODevice& device, const Layout& layout) {
    // Read a chunk at a time: the codes of a large picture run to megabytes.
    QByteArray chunk;
    qsizetype at = 0;
    auto next = [&]() -> int {
        if (at == chunk.size()) {
            chunk = device.read(1 << 20);
            at = 0;
            if (chunk.isEmpty()) return -1;
        }
        return std::uint8_t(chunk[at++]);
    };
    const bool fourBits = layout.compression == 2;
    qint64 rows = 0;
    for (;;) {
        const int count = next(), code = next();
        if (code < 0) return rows >= layout.height;
        if (count > 0) continue;     // a run
        if (code == 1) return true;  // the end of the bitmap
        if (code == 0) {
            ++rows;
        } else if (code == 2) {
            next();
            const int down = next();
            if (down < 0) return false;
            rows += down;
        } else {
            // Absolute pixels, padded to 16 bits.
            const int bytes = fourBits ? (code + 1) / 2 : code;
            for (int i = 0; i < bytes + (bytes & 1); ++i) {
                if (next() < 0) return false;
            }
        }
    }
}

std::optional<Layout> readLayout(const QByteArray& head) {
    if (head.size() < 26 || !head.startsWith("BM")) return std::nullopt;
    Layout layout;
    layout.dataOffset = get32(head, 10);
    const std::uint32_t infoSize = get32(head, 14);
    if (infoSize == 12) {  // the OS/2 core header
        layout.width = get16(head, 18);
        layout.height = get16(head, 20);
        layout.bitsPerPixel = get16(head, 24);
        return layout;
    }
    if (infoSize < 40 || head.size() < 14 + 40) return std::nullopt;
    layout.width = std::int32_t(get32(head, 18));
    layout.height = std::abs(qint64(std::int32_t(get32(head, 22))));
    layout.bitsPerPixel = get16(head, 28);
    layout.compression = get32(head, 30);
    layout.imageBytes = get32(head, 34);
    return layout;
}

}  // namespace bitmap

}  // namespace quendal::app
