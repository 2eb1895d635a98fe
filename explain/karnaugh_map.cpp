#include "explain/karnaugh_map.h"

#include <algorithm>
#include <array>
#include <bit>
#include <stdexcept>

#include "explain/explain_subject.h"
#include "explain/sized_drawing.h"
#include "logic/expression_text.h"

namespace quendal::explain {

namespace {

constexpr int kMargin = 240;
constexpr int kMinCellWidth = 600;
constexpr int kMinCellHeight = 450;
constexpr int kLabelWidth = 720;  // row labels left of each grid
constexpr int kMapGap = 480;      // between maps side by side
constexpr int kFirstInset = 45;   // clear of the grid line, so no loop reads as one
// Loops that share cells lie this much further in each, so none shares another's line, and the
// deepest stays this far off the cell's digit.
constexpr int kLoopStep = 30;
constexpr int kCornerRadius = 60;
constexpr int kOpenGap = 60;  // a wrapping loop's open arms stop this short of the grid's edge
// The minterm numbers: small seven-segment digits, grey, in the cell's top-left corner inside
// the loops, so that the cell's value stays central.
constexpr int kNumberDigitWidth = 55;
constexpr int kNumberDigitHeight = 100;
constexpr int kNumberSpacing = 25;
constexpr int kNumberRoom = 2 * kNumberDigitWidth + kNumberSpacing + 90;
constexpr drawing::Rgb kMintermNumberColour{150, 150, 150};

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
    int cellWidth = kMinCellWidth, cellHeight = kMinCellHeight;
    int gridLeft(int map) const { return kMargin + map * (mapWidth + kMapGap) + kLabelWidth; }
};

// Each loop's depth: loops that share a cell get different depths (the larger loop outside), so
// their lines never coincide.
std::vector<int> loopDepths(const std::vector<logic::Cube>& loops) {
    std::vector<std::size_t> order(loops.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::popcount(loops[a].free) > std::popcount(loops[b].free);
    });
    std::vector<int> depth(loops.size(), -1);
    for (const std::size_t k : order) {
        std::vector<bool> taken(loops.size() + 1);
        for (std::size_t other = 0; other < loops.size(); ++other) {
            const logic::Cube& a = loops[k];
            const logic::Cube& b = loops[other];
            if (depth[other] >= 0 && ((a.value ^ b.value) & ~a.free & ~b.free) == 0)
                taken[static_cast<std::size_t>(depth[other])] = true;
        }
        int d = 0;
        while (taken[static_cast<std::size_t>(d)]) ++d;
        depth[k] = d;
    }
    return depth;
}

// A digit as seven segments (top, upper right, lower right, bottom, lower left, upper left,
// middle), so that it can be smaller than the canvas's one font.
void drawSmallNumber(drawing::Canvas& canvas, int x, int y, int number, drawing::Rgb colour) {
    static constexpr std::array<unsigned, 10> kSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                        0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const std::string digits = std::to_string(number);
    const int w = kNumberDigitWidth, h = kNumberDigitHeight, m = kNumberDigitHeight / 2;
    for (const char digit : digits) {
        const unsigned on = kSegments[static_cast<std::size_t>(digit - '0')];
        auto segment = [&](int bit, int x1, int y1, int x2, int y2) {
            if (on & (1u << bit)) canvas.line(x + x1, y + y1, x + x2, y + y2, colour);
        };
        segment(0, 0, 0, w, 0);
        segment(1, w, 0, w, m);
        segment(2, w, m, w, h);
        segment(3, 0, h, w, h);
        segment(4, 0, m, 0, h);
        segment(5, 0, 0, 0, m);
        segment(6, 0, m, w, m);
        x += w + kNumberSpacing;
    }
}

// One piece of a loop: the rectangle (x1, y1)-(x2, y2) with rounded corners, each side open
// (not drawn, its neighbours running on to the grid's edge) where the loop wraps round it.
void drawLoopPiece(drawing::Canvas& canvas, int x1, int y1, int x2, int y2, bool openLeft,
                   bool openTop, bool openRight, bool openBottom, drawing::Rgb colour) {
    constexpr double kPi = 3.14159265358979323846;
    const int r = kCornerRadius;
    const int left = openLeft ? x1 : x1 + r, right = openRight ? x2 : x2 - r;
    const int top = openTop ? y1 : y1 + r, bottom = openBottom ? y2 : y2 - r;
    if (!openTop) canvas.line(left, y1, right, y1, colour);
    if (!openBottom) canvas.line(left, y2, right, y2, colour);
    if (!openLeft) canvas.line(x1, top, x1, bottom, colour);
    if (!openRight) canvas.line(x2, top, x2, bottom, colour);
    if (!openTop && !openLeft) canvas.arc(x1 + r, y1 + r, r, colour, kPi / 2, kPi);
    if (!openTop && !openRight) canvas.arc(x2 - r, y1 + r, r, colour, 0, kPi / 2);
    if (!openBottom && !openLeft) canvas.arc(x1 + r, y2 - r, r, colour, kPi, 1.5 * kPi);
    if (!openBottom && !openRight) canvas.arc(x2 - r, y2 - r, r, colour, 1.5 * kPi, 2 * kPi);
}

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

// Every loop lies inside the cell's border, the deepest still one step off the digit.
int loopRoomFor(int levels) {
    return kFirstInset + kLoopStep * levels;
}

Geometry geometryOf(const drawing::Canvas& canvas, const KarnaughLayout& layout, int levels) {
    const int lh = canvas.lineHeight();
    const int loopRoom = loopRoomFor(levels);
    const int digitWidth =
        std::max({canvas.textWidth("0"), canvas.textWidth("1"), canvas.textWidth("x")});
    Geometry g;
    g.cellWidth = std::max(kMinCellWidth, digitWidth + 2 * (loopRoom + kNumberRoom));
    g.cellHeight = std::max(kMinCellHeight, lh + 2 * loopRoom);
    g.mapWidth = kLabelWidth + layout.cols() * g.cellWidth;
    g.mapsTop = kMargin + 3 * lh;
    g.gridTop = g.mapsTop + (layout.mapBits > 0 ? 2 : 1) * lh + 180;
    return g;
}

void drawMap(drawing::Canvas& canvas, const qm::Explanation& explanation,
             const std::string& letters, LoopForm form, const KarnaughPractice* practice) {
    const logic::Function& f = explanation.function;
    const KarnaughLayout layout = karnaughLayout(f.width);
    const int lh = canvas.lineHeight();
    const bool sop = form == LoopForm::Sop;
    const std::vector<logic::Cube> loops =
        practice ? practice->loops
        : sop    ? explanation.covers.front()
                 : explanation.pos.value_or(std::vector<logic::Cube>{});

    std::vector<int> depths = loopDepths(loops);
    // A practice map keeps its cells' size whatever the student draws, so a drag lands where
    // it began; loops beyond its depths share the deepest.
    if (practice) {
        for (int& depth : depths) depth = std::min(depth, KarnaughPractice::kDepths - 1);
    }
    const int levels = practice        ? KarnaughPractice::kDepths
                       : loops.empty() ? 1
                                       : *std::max_element(depths.begin(), depths.end()) + 1;
    const int loopRoom = loopRoomFor(levels);
    const Geometry g = geometryOf(canvas, layout, levels);
    const int cw = g.cellWidth, ch = g.cellHeight;
    const int gridHeight = layout.rows() * ch;
    const int legendTop = g.gridTop + gridHeight + lh;

    const std::string mapLetters = letters.substr(0, static_cast<std::size_t>(layout.mapBits));
    const std::string rowLetters = letters.substr(static_cast<std::size_t>(layout.mapBits),
                                                  static_cast<std::size_t>(layout.rowBits));
    const std::string colLetters =
        letters.substr(static_cast<std::size_t>(layout.mapBits + layout.rowBits),
                       static_cast<std::size_t>(layout.colBits));

    canvas.printAt(kMargin, kMargin, {"Karnaugh map of " + functionName(letters)});
    canvas.printAt(
        kMargin, kMargin + lh,
        {practice ? "Practice: drag loops around the 1s (Shift, or past an edge, to wrap round)"
         : sop    ? "Loops around the 1s: the products of the minimum sum of products"
                  : "Loops around the 0s: the sums of the minimum product of sums"});

    for (int map = 0; map < layout.maps(); ++map) {
        const int left = g.gridLeft(map);
        const int right = left + layout.cols() * cw;
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
            canvas.printAt(left + col * cw + (cw - canvas.textWidth(label)) / 2, labelsTop,
                           {label});
        }
        for (int row = 0; row < layout.rows(); ++row) {
            const int textTop = g.gridTop + row * ch + (ch - lh) / 2;
            if (layout.rowBits > 0) {
                const std::string label = bits(grayCode(row), layout.rowBits);
                canvas.printAt(left - 200 - canvas.textWidth(label), textTop, {label});
            }
            for (int col = 0; col < layout.cols(); ++col) {
                const int minterm = layout.mintermAt(map, row, col);
                const std::string value = f.on.test(minterm) ? "1" : f.dc.test(minterm) ? "x" : "0";
                canvas.printAt(left + col * cw + (cw - canvas.textWidth(value)) / 2, textTop,
                               {value});
                drawSmallNumber(canvas, left + col * cw + loopRoom + kLoopStep,
                                g.gridTop + row * ch + loopRoom + kLoopStep / 2, minterm,
                                kMintermNumberColour);
            }
        }
        for (int row = 0; row <= layout.rows(); ++row)
            canvas.line(left, g.gridTop + row * ch, right, g.gridTop + row * ch);
        for (int col = 0; col <= layout.cols(); ++col)
            canvas.line(left + col * cw, g.gridTop, left + col * cw, g.gridTop + gridHeight);
    }

    for (std::size_t k = 0; k < loops.size(); ++k) {
        const logic::Cube& cube = loops[k];
        const drawing::Rgb colour = loopColour(static_cast<int>(k));
        const int inset = kFirstInset + kLoopStep * depths[k];
        const auto rowPieces = piecesAlong(cube, layout.colBits, layout.rowBits);
        const auto colPieces = piecesAlong(cube, 0, layout.colBits);
        for (int map = 0; map < layout.maps(); ++map) {
            const int mapCode = grayCode(map) << (layout.rowBits + layout.colBits);
            const int mapMask = (layout.maps() - 1) << (layout.rowBits + layout.colBits);
            if (((mapCode ^ cube.value) & mapMask & ~cube.free) != 0) continue;
            const int left = g.gridLeft(map);
            const int right = left + layout.cols() * cw;
            for (const Piece& r : rowPieces) {
                for (const Piece& c : colPieces) {
                    const int x1 = c.openStart ? left + kOpenGap : left + c.first * cw + inset;
                    const int x2 = c.openEnd ? right - kOpenGap : left + (c.last + 1) * cw - inset;
                    const int y1 =
                        r.openStart ? g.gridTop + kOpenGap : g.gridTop + r.first * ch + inset;
                    const int y2 = r.openEnd ? g.gridTop + gridHeight - kOpenGap
                                             : g.gridTop + (r.last + 1) * ch - inset;
                    drawLoopPiece(canvas, x1, y1, x2, y2, c.openStart, r.openStart, c.openEnd,
                                  r.openEnd, colour);
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
    // A practice map names the student's loops only, never a total that could be the minimum.
    if (practice) return;
    const std::string whole = sop ? logic::sopText(loops, width, letters)
                                  : (explanation.pos ? logic::posText(loops, width, letters) : "?");
    canvas.printAt(kMargin, y, {outputName(letters) + " = " + whole});
}

}  // namespace

void drawKarnaughMap(drawing::Canvas& canvas, const qm::Explanation& explanation,
                     const std::string& letters, LoopForm form, const KarnaughPractice* practice) {
    drawSized(canvas, [&](drawing::Canvas& target) {
        drawMap(target, explanation, letters, form, practice);
    });
}

KarnaughGrid practiceGrid(const drawing::Canvas& canvas, int width) {
    const Geometry g = geometryOf(canvas, karnaughLayout(width), KarnaughPractice::kDepths);
    KarnaughGrid grid;
    grid.gridTop = g.gridTop;
    grid.cellWidth = g.cellWidth;
    grid.cellHeight = g.cellHeight;
    grid.firstLeft = g.gridLeft(0);
    grid.mapStep = g.mapWidth + kMapGap;
    return grid;
}

}  // namespace quendal::explain
