#include "practice/map_loops.h"

#include <bit>
#include <cstdlib>
#include <vector>

namespace quendal::practice {

namespace {

// The positions of one axis of `count` from `from` towards `to`, taken round the cycle.
std::vector<int> run(int from, int to, int count, bool wrap) {
    from = ((from % count) + count) % count;
    const int step = to >= from ? 1 : -1;
    int length = std::abs(to - from) + 1;
    int direction = step;
    if (wrap && length > 1 && length <= count) {
        length = count - length + 2;
        direction = -step;
    }
    if (length > count) length = count;
    std::vector<int> positions;
    for (int k = 0; k < length; ++k)
        positions.push_back(((from + k * direction) % count + count) % count);
    return positions;
}

}  // namespace

std::optional<logic::Cube> loopOfDrag(const explain::KarnaughLayout& layout, MapPoint start,
                                      MapPoint end, bool wrap) {
    const auto maps = run(start.map, end.map, layout.maps(), wrap);
    const auto rows = run(start.row, end.row, layout.rows(), wrap);
    const auto cols = run(start.col, end.col, layout.cols(), wrap);
    const int all = (1 << layout.width) - 1;
    int ones = all, zeros = all, cells = 0;
    for (int m : maps) {
        for (int r : rows) {
            for (int c : cols) {
                const int minterm = layout.mintermAt(m, r, c);
                ones &= minterm;
                zeros &= ~minterm;
                ++cells;
            }
        }
    }
    const int free = all & ~(ones | zeros);
    // Cells in Gray order make a product only when they are all the rows of one cube.
    if (cells != 1 << std::popcount(static_cast<unsigned>(free))) return std::nullopt;
    return logic::Cube{static_cast<std::uint8_t>(ones), static_cast<std::uint8_t>(free)};
}

}  // namespace quendal::practice
