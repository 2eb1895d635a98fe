#include "explain/karnaugh_map.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "explain/explain_subject.h"
#include "explain/sized_drawing.h"
#include "logic/expression_text.h"

namespace quendal::explain {

namespace {

constexpr int kMargin = 240;
constexpr int kCellWidth = 480;
constexpr int kCellHeight = 360;
constexpr int kLabelWidth = 720;  // row labels left of each grid
constexpr int kMapGap = 480;      // between maps side by side
constexpr int kLoopInset = 30;    // the first loop's distance from the cell edge
constexpr int kLoopStep = 25;
constexpr int kOpenReach = 150;  // how far a wrapping loop's sides run on past the edge     //
                                 // further in for each next loop, so overlapping loops show

// Dark enough to print on white, far enough apart to tell the loops apart.
constexpr std::array<drawing::Rgb, 10> kLoopColours{{
    {220, 20, 60},
    {0, 90, 230},
    {0, 150, 0},
    {240, 130, 0},
    {150, 0, 210},
    {0, 150, 160},
    {200, 0, 140},
    {140, 80, 20},
    {110, 120, 0},
    {80, 80, 80},
}};

std::string bits(int code, int count) {
    std::string text;
    for (int bit = count - 1; bit >= 0; --bit) text += ((code >> bit) & 1) ? '1' : '0';
    return text;
}

// The positions (along rows or columns of `count` bits at `shift` in the minterm) a cube covers,
// as pieces [first, last] with whether the piece runs on over the start or end edge.
struct Piece {
    int first = 0, last = 0;
    bool openStart = false, openEnd = false;
};

std::vector<Piece> piecesAlong(const logic::Cube& cube, int shift, int count) {
    const int positions = 1 << count;
    std::vector<bool> in(static_cast<std::size_t>(positions));
    int covered = 0;
    for (int p = 0; p < positions; ++p) {
        const int code = grayCode(p) << shift;
        const int mask = (positions - 1) << shift;
        in[static_cast<std::size_t>(p)] = ((code ^ cube.value) & mask & ~cube.free) == 0;
        covered += in[static_cast<std::size_t>(p)] ? 1 : 0;
    }
    if (covered == positions) return {Piece{0, positions - 1}};
    // The covered positions form one run on the cycle; find where it starts.
    int start = 0;
    while (!(in[static_cast<std::size_t>(start)] &&
             !in[static_cast<std::size_t>((start + positions - 1) % positions)]))
        ++start;
    const int end = start + covered - 1;
    if (end < positions) return {Piece{start, end}};
    return {Piece{start, positions - 1, false, true}, Piece{0, end - positions, true, false}};
}

struct Geometry {
    int mapsTop = 0;
    int gridTop = 0;
    int mapWidth = 0;  // labels and grid of one map
    int gridLeft(int map) const { return kMargin + map * (mapWidth + kMapGap) + kLabelWidth; }
};

}  // namespace

int grayCode(int position) {
    return position ^ (position >> 1);
}

int grayPosition(int code) {
    int position = 0;
    for (; code != 0; code >>= 1) position ^= code;
    return position;
}

KarnaughLayout karnaughLayout(int width) {
    if (width < 1 || width > kMaxKarnaughWidth)
        throw std::invalid_argument("a Karnaugh map needs 1 to 6 variables");
    KarnaughLayout layout;
    layout.width = width;
    layout.mapBits = std::max(0, width - 4);
    const int inMap = width - layout.mapBits;
    layout.rowBits = inMap / 2;
    layout.colBits = inMap - layout.rowBits;
    return layout;
}

KarnaughLayout::Cell KarnaughLayout::cellOf(int minterm) const {
    Cell cell;
    cell.col = grayPosition(minterm & (cols() - 1));
    cell.row = grayPosition((minterm >> colBits) & (rows() - 1));
    cell.map = grayPosition(minterm >> (colBits + rowBits));
    return cell;
}

int KarnaughLayout::mintermAt(int map, int row, int col) const {
    return (grayCode(map) << (rowBits + colBits)) | (grayCode(row) << colBits) | grayCode(col);
}

drawing::Rgb loopColour(int index) {
    return kLoopColours[static_cast<std::size_t>(index) % kLoopColours.size()];
}

std::string karnaughUnavailableReason(int width) {
    if (width <= kMaxKarnaughWidth) return "";
    return "Karnaugh maps are drawn for 1 to 6 variables; this function has " +
           std::to_string(width) + ". The truth table and the steps show it.";
}

namespace {

void drawMap(drawing::Canvas& canvas, const qm::Explanation& explanation,
             const std::string& letters, LoopForm form) {
    const logic::Function& f = explanation.function;
    const KarnaughLayout layout = karnaughLayout(f.width);
    const int lh = canvas.lineHeight();
    const bool sop = form == LoopForm::Sop;
    const std::vector<logic::Cube> loops =
        sop ? explanation.covers.front() : explanation.pos.value_or(std::vector<logic::Cube>{});

    Geometry g;
    g.mapWidth = kLabelWidth + layout.cols() * kCellWidth;
    g.mapsTop = kMargin + 3 * lh;
    g.gridTop = g.mapsTop + (layout.mapBits > 0 ? 2 : 1) * lh + 180;
    const int gridHeight = layout.rows() * kCellHeight;
    const int legendTop = g.gridTop + gridHeight + lh;

    const std::string mapLetters = letters.substr(0, static_cast<std::size_t>(layout.mapBits));
    const std::string rowLetters = letters.substr(static_cast<std::size_t>(layout.mapBits),
                                                  static_cast<std::size_t>(layout.rowBits));
    const std::string colLetters =
        letters.substr(static_cast<std::size_t>(layout.mapBits + layout.rowBits),
                       static_cast<std::size_t>(layout.colBits));

    canvas.printAt(kMargin, kMargin, {"Karnaugh map of " + functionName(letters)});
    canvas.printAt(kMargin, kMargin + lh,
                   {sop ? "Loops around the 1s: the products of the minimum sum of products"
                        : "Loops around the 0s: the sums of the minimum product of sums"});

    for (int map = 0; map < layout.maps(); ++map) {
        const int left = g.gridLeft(map);
        const int right = left + layout.cols() * kCellWidth;
        int labelsTop = g.mapsTop;
        if (layout.mapBits > 0) {
            const std::string title = mapLetters + " = " + bits(grayCode(map), layout.mapBits);
            canvas.printAt(left + (right - left - canvas.textWidth(title)) / 2, labelsTop, {title});
            labelsTop += lh;
        }
        const std::string corner = rowLetters.empty() ? colLetters : rowLetters + "\\" + colLetters;
        canvas.printAt(left - kLabelWidth + 60, labelsTop, {corner});
        for (int col = 0; col < layout.cols(); ++col) {
            const std::string label = bits(grayCode(col), layout.colBits);
            canvas.printAt(left + col * kCellWidth + (kCellWidth - canvas.textWidth(label)) / 2,
                           labelsTop, {label});
        }
        for (int row = 0; row < layout.rows(); ++row) {
            const int textTop = g.gridTop + row * kCellHeight + (kCellHeight - lh) / 2;
            if (layout.rowBits > 0) {
                const std::string label = bits(grayCode(row), layout.rowBits);
                canvas.printAt(left - 200 - canvas.textWidth(label), textTop, {label});
            }
            for (int col = 0; col < layout.cols(); ++col) {
                const int minterm = layout.mintermAt(map, row, col);
                const std::string value = f.on.test(minterm) ? "1" : f.dc.test(minterm) ? "x" : "0";
                canvas.printAt(left + col * kCellWidth + (kCellWidth - canvas.textWidth(value)) / 2,
                               textTop, {value});
            }
        }
        for (int row = 0; row <= layout.rows(); ++row)
            canvas.line(left, g.gridTop + row * kCellHeight, right, g.gridTop + row * kCellHeight);
        for (int col = 0; col <= layout.cols(); ++col) {
            canvas.line(left + col * kCellWidth, g.gridTop, left + col * kCellWidth,
                        g.gridTop + gridHeight);
        }
    }

    for (std::size_t k = 0; k < loops.size(); ++k) {
        const logic::Cube& cube = loops[k];
        const drawing::Rgb colour = loopColour(static_cast<int>(k));
        const int inset = kLoopInset + static_cast<int>(k % 4) * kLoopStep;
        const auto rowPieces = piecesAlong(cube, layout.colBits, layout.rowBits);
        const auto colPieces = piecesAlong(cube, 0, layout.colBits);
        for (int map = 0; map < layout.maps(); ++map) {
            const int mapCode = grayCode(map) << (layout.rowBits + layout.colBits);
            const int mapMask = (layout.maps() - 1) << (layout.rowBits + layout.colBits);
            if (((mapCode ^ cube.value) & mapMask & ~cube.free) != 0) continue;
            const int left = g.gridLeft(map);
            for (const Piece& r : rowPieces) {
                for (const Piece& c : colPieces) {
                    const int x1 =
                        c.openStart ? left - kOpenReach : left + c.first * kCellWidth + inset;
                    const int x2 = c.openEnd ? left + layout.cols() * kCellWidth + kOpenReach
                                             : left + (c.last + 1) * kCellWidth - inset;
                    const int y1 = r.openStart ? g.gridTop - kOpenReach
                                               : g.gridTop + r.first * kCellHeight + inset;
                    const int y2 = r.openEnd ? g.gridTop + gridHeight + kOpenReach
                                             : g.gridTop + (r.last + 1) * kCellHeight - inset;
                    if (!r.openStart) canvas.line(x1, y1, x2, y1, colour);
                    if (!r.openEnd) canvas.line(x1, y2, x2, y2, colour);
                    if (!c.openStart) canvas.line(x1, y1, x1, y2, colour);
                    if (!c.openEnd) canvas.line(x2, y1, x2, y2, colour);
                }
            }
        }
    }

    // The legend: a swatch of each loop's colour and the product or sum it stands for.
    const int width = f.width;
    int y = legendTop;
    for (std::size_t k = 0; k < loops.size(); ++k) {
        const drawing::Rgb colour = loopColour(static_cast<int>(k));
        const int top = y + 30, bottom = y + lh - 30;
        canvas.line(kMargin, top, kMargin + 300, top, colour);
        canvas.line(kMargin + 300, top, kMargin + 300, bottom, colour);
        canvas.line(kMargin + 300, bottom, kMargin, bottom, colour);
        canvas.line(kMargin, bottom, kMargin, top, colour);
        const std::string term = sop ? logic::productText(loops[k], width, letters)
                                     : logic::posText({loops[k]}, width, letters);
        canvas.printAt(kMargin + 420, y, {term}, colour);
        y += lh + 60;
    }
    const std::string whole = sop ? logic::sopText(loops, width, letters)
                                  : (explanation.pos ? logic::posText(loops, width, letters) : "?");
    canvas.printAt(kMargin, y, {std::string("F = ") + whole});
}

}  // namespace

void drawKarnaughMap(drawing::Canvas& canvas, const qm::Explanation& explanation,
                     const std::string& letters, LoopForm form) {
    drawSized(canvas,
              [&](drawing::Canvas& target) { drawMap(target, explanation, letters, form); });
}

}  // namespace quendal::explain
