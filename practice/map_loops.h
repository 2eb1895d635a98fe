#pragma once

#include <optional>

#include "explain/karnaugh_map.h"
#include "logic/cube.h"

namespace quendal::practice {

// A position on a Karnaugh map while a loop is dragged: map, row and column, each possibly one
// past an edge (-1 or the count), which is how a drag wraps round that edge.
struct MapPoint {
    int map = 0, row = 0, col = 0;
};

// The loop dragged from cell `start` to `end`: along each axis the cells from the start towards
// the end, running on round the edge where the end lies past it; with `wrap` (a modifier key
// held) each axis that moved goes the other way round instead. Nothing when those cells are no
// product (three in a row, say).
std::optional<logic::Cube> loopOfDrag(const explain::KarnaughLayout& layout, MapPoint start,
                                      MapPoint end, bool wrap);

}  // namespace quendal::practice
