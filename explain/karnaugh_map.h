#pragma once

#include <string>
#include <vector>

#include "drawing/canvas.h"
#include "minimizer/explanation.h"

namespace quendal::explain {

// Karnaugh maps of 1 to 6 variables drawn on a canvas. The first variables choose the map (5 and
// 6 variables give two or four 4 x 4 maps side by side), the next ones the row and the last ones
// the column; rows, columns and maps follow the Gray code so that neighbours differ in one
// variable, the edges included.
inline constexpr int kMaxKarnaughWidth = 6;

// The binary code at a Gray-code position (0, 1, 3, 2 for two bits), and back.
int grayCode(int position);
int grayPosition(int code);

struct KarnaughLayout {
    int width = 0;
    int mapBits = 0, rowBits = 0, colBits = 0;

    int maps() const { return 1 << mapBits; }
    int rows() const { return 1 << rowBits; }
    int cols() const { return 1 << colBits; }

    struct Cell {
        int map = 0, row = 0, col = 0;
    };
    Cell cellOf(int minterm) const;
    int mintermAt(int map, int row, int col) const;
};

// Throws std::invalid_argument outside 1 .. kMaxKarnaughWidth.
KarnaughLayout karnaughLayout(int width);

enum class LoopForm { Sop, Pos };

// The colour of the i-th loop and its legend swatch.
drawing::Rgb loopColour(int index);

// Why the map is not drawn for a width, or "" when it is.
std::string karnaughUnavailableReason(int width);

// The map with its labels, the cells 1 / 0 / x with their minterm numbers small in a corner, the
// loops of the minimum sum of products (around the ones) or of the minimum product of sums
// (around the zeros) and a legend that names each loop. Loops lie inside their cells, clear of
// the digits, loops that share cells at different depths; a loop that wraps round an edge is
// drawn in pieces, each open towards that edge.
//
// A practice map (`practice` given) shows the student's loops instead of the minimum's, with
// their legend but no total, and keeps the same cells whatever loops it shows.
struct KarnaughPractice {
    static constexpr int kDepths = 3;  // loops sharing cells, before they share a depth
    std::vector<logic::Cube> loops;
};
void drawKarnaughMap(drawing::Canvas& canvas, const qm::Explanation& explanation,
                     const std::string& letters, LoopForm form,
                     const KarnaughPractice* practice = nullptr);

// Where the cells of a practice map lie on the canvas it is drawn on (twips), so that a
// pointer can be put on a cell: map m's grid starts at firstLeft + m * mapStep.
struct KarnaughGrid {
    int gridTop = 0, firstLeft = 0, mapStep = 0;
    int cellWidth = 0, cellHeight = 0;
};
KarnaughGrid practiceGrid(const drawing::Canvas& canvas, int width);

}  // namespace quendal::explain
