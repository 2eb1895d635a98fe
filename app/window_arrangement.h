#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

namespace quendal::app {

// The Window menu's arrange commands.
enum class Arrangement { Cascade, TileHorizontal, TileVertical, ArrangeIcons };

// Geometry of the arrange commands that the MDI area lacks.

// Tile Horizontal stacks the windows as wide bands, one above another; Tile
// Vertical puts them side by side as tall columns. Beyond three windows the
// bands (columns) are split into a grid so that no window gets too thin.
enum class Tiling { Horizontal, Vertical };
std::vector<QRect> tileRects(QRect area, int count, Tiling tiling);

// Arrange Icons: minimized windows lined up from the bottom left corner,
// left to right, a new row above when a row is full.
std::vector<QPoint> iconPositions(QRect area, const std::vector<QSize>& iconSizes);

}  // namespace quendal::app
