#include "app/window_arrangement.h"

#include <algorithm>
#include <cmath>

namespace quendal::app {

namespace {

// Splits `length` into `parts` pieces that differ by at most one pixel.
int pieceStart(int length, int parts, int index) {
    return int(qint64(length) * index / parts);
}

}  // namespace

std::vector<QRect> tileRects(QRect area, int count, Tiling tiling) {
    std::vector<QRect> rects;
    if (count <= 0 || area.isEmpty()) return rects;
    // Groups are columns of bands (Horizontal) or rows of columns (Vertical).
    const int groups = count <= 3 ? 1 : int(std::sqrt(double(count)));
    const bool bands = tiling == Tiling::Horizontal;
    const int across = bands ? area.width() : area.height();  // direction of the groups
    const int along = bands ? area.height() : area.width();   // direction inside a group
    int placed = 0;
    for (int g = 0; g < groups; ++g) {
        // The last groups take the windows that do not divide evenly.
        const int inGroup = count / groups + (g >= groups - count % groups ? 1 : 0);
        const int a0 = pieceStart(across, groups, g), a1 = pieceStart(across, groups, g + 1);
        for (int i = 0; i < inGroup; ++i, ++placed) {
            const int b0 = pieceStart(along, inGroup, i), b1 = pieceStart(along, inGroup, i + 1);
            QRect r = bands ? QRect(a0, b0, a1 - a0, b1 - b0) : QRect(b0, a0, b1 - b0, a1 - a0);
            rects.push_back(r.translated(area.topLeft()));
        }
    }
    return rects;
}

std::vector<QPoint> iconPositions(QRect area, const std::vector<QSize>& iconSizes) {
    std::vector<QPoint> positions;
    int x = area.left();
    int bottom = area.bottom() + 1;
    int rowHeight = 0;
    for (const QSize& size : iconSizes) {
        if (x > area.left() && x + size.width() > area.right() + 1) {
            x = area.left();
            bottom -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        positions.emplace_back(x, bottom - size.height());
        x += size.width();
    }
    return positions;
}

}  // namespace quendal::app
