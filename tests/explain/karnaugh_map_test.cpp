// The Karnaugh map read back from its recorded operations, as a student reads it: the labels
// give every cell's row of the truth table (Gray code, variables in order), the cell shows the
// function's value there, each coloured loop encloses exactly its implicant's cells, and the
// legend names it in its colour.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <set>

#include "explain/explain_subject.h"
#include "explain/karnaugh_map.h"
#include "explain/truth_table_view.h"
#include "logic/expression_text.h"
#include "tests/support/recording_canvas.h"

using namespace quendal::drawing;
using namespace quendal::explain;

namespace {

using Op = RecordingCanvas::Op;

struct Rect {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return left < x && x < right && top < y && y < bottom; }
};

struct ReadCell {
    Rect box;
    int minterm = 0;
    std::string value;
};

int centreX(const Op& text) {
    return text.x1 + RecordingCanvas::kCharWidth * static_cast<int>(text.text.size()) / 2;
}
int centreY(const Op& text) {
    return text.y1 + RecordingCanvas::kLineHeight / 2;
}
bool binary(const std::string& text) {
    return !text.empty() && text.find_first_not_of("01") == std::string::npos;
}

// Reads the cells of every map: the grid from the foreground lines, each cell's value from the
// text inside it, its row from the labels (map title, row label, column label and the corner
// that names the row and column variables). Fails the test where the labels do not agree.
std::vector<ReadCell> readCells(const RecordingCanvas& canvas, int width) {
    std::vector<Op> texts, hLines, vLines;
    for (const Op& op : canvas.operations()) {
        if (op.kind == RecordingCanvas::Kind::Text) texts.push_back(op);
        if (op.kind == RecordingCanvas::Kind::Line && !op.colour) {
            (op.y1 == op.y2 ? hLines : vLines).push_back(op);
        }
    }
    std::set<int> ys, xs;
    for (const Op& h : hLines) ys.insert(h.y1);
    for (const Op& v : vLines) xs.insert(v.x1);
    const int gridTop = *ys.begin(), gridBottom = *ys.rbegin();
    const std::vector<int> y(ys.begin(), ys.end()), x(xs.begin(), xs.end());
    // Cells are the spans between neighbouring lines that a horizontal line crosses.
    std::vector<ReadCell> cells;
    for (std::size_t i = 0; i + 1 < x.size(); ++i) {
        const int mid = (x[i] + x[i + 1]) / 2;
        const bool inGrid = std::any_of(hLines.begin(), hLines.end(), [&](const Op& h) {
            return std::min(h.x1, h.x2) < mid && mid < std::max(h.x1, h.x2);
        });
        if (!inGrid) continue;
        for (std::size_t j = 0; j + 1 < y.size(); ++j)
            cells.push_back(ReadCell{{x[i], y[j], x[i + 1], y[j + 1]}, 0, {}});
    }
    for (ReadCell& cell : cells) {
        const int cx = (cell.box.left + cell.box.right) / 2;
        const Op* value = nullptr;
        const Op* rowLabel = nullptr;
        const Op* colLabel = nullptr;
        const Op* corner = nullptr;
        const Op* title = nullptr;
        int mapLeft = cell.box.left, mapRight = cell.box.right;
        for (const Op& h : hLines) {
            if (std::min(h.x1, h.x2) <= cell.box.left && cell.box.right <= std::max(h.x1, h.x2)) {
                mapLeft = std::min(h.x1, h.x2);
                mapRight = std::max(h.x1, h.x2);
            }
        }
        for (const Op& t : texts) {
            if (cell.box.contains(centreX(t), centreY(t))) value = &t;
        }
        EXPECT_TRUE(value) << "empty cell at " << cell.box.left << "," << cell.box.top;
        if (!value) continue;
        cell.value = value->text;
        for (const Op& t : texts) {
            if (t.y1 == value->y1 && t.x1 < mapLeft && binary(t.text) &&
                (!rowLabel || t.x1 > rowLabel->x1))
                rowLabel = &t;
            if (t.y1 < gridTop && centreX(t) == cx && binary(t.text) &&
                (!colLabel || t.y1 > colLabel->y1))
                colLabel = &t;
            const bool above = t.y1 < gridTop && t.y1 > gridTop - 4 * RecordingCanvas::kLineHeight;
            if (above && t.x1 < mapLeft && t.x1 > mapLeft - 1000 && !binary(t.text)) corner = &t;
            if (above && t.text.find(" = ") != std::string::npos && mapLeft < centreX(t) &&
                centreX(t) < mapRight)
                title = &t;
        }
        EXPECT_TRUE(colLabel && corner);
        if (!colLabel || !corner) continue;
        std::string rowLetters, colLetters = corner->text;
        if (const auto slash = corner->text.find('\\'); slash != std::string::npos) {
            rowLetters = corner->text.substr(0, slash);
            colLetters = corner->text.substr(slash + 1);
        }
        std::string letters, bits;
        if (title) {
            const auto eq = title->text.find(" = ");
            letters += title->text.substr(0, eq);
            bits += title->text.substr(eq + 3);
        }
        letters += rowLetters + colLetters;
        if (rowLabel) bits += rowLabel->text;
        bits += colLabel->text;
        // Every variable named once, in order, and one bit for each.
        EXPECT_EQ(letters, std::string("ABCDEF").substr(0, static_cast<std::size_t>(width)));
        EXPECT_EQ(bits.size(), static_cast<std::size_t>(width));
        cell.minterm = std::stoi(bits, nullptr, 2);
    }
    (void)gridBottom;
    return cells;
}

// The loop drawn in `colour` (grid area only, not the legend's swatch), split into its pieces:
// lines and corner arcs that meet. Each piece's bounding box is what it encloses, an open piece's
// reaching from its closed sides to near the grid's edge.
std::vector<Rect> loopPieces(const RecordingCanvas& canvas, Rgb colour, int gridBottom) {
    struct End {
        std::array<int, 4> ends;  // x1, y1, x2, y2
        Rect box;
    };
    std::vector<End> parts;
    for (const Op& op : canvas.operations()) {
        if (op.colour != colour || std::min(op.y1, op.y2) > gridBottom) continue;
        if (op.kind == RecordingCanvas::Kind::Line) {
            parts.push_back({{op.x1, op.y1, op.x2, op.y2},
                             {std::min(op.x1, op.x2), std::min(op.y1, op.y2),
                              std::max(op.x1, op.x2), std::max(op.y1, op.y2)}});
        } else if (op.kind == RecordingCanvas::Kind::Arc) {
            const auto at = [&](double a) {
                return std::pair{op.x1 + static_cast<int>(std::lround(op.r * std::cos(a))),
                                 op.y1 - static_cast<int>(std::lround(op.r * std::sin(a)))};
            };
            const auto [xa, ya] = at(op.start);
            const auto [xb, yb] = at(op.end);
            parts.push_back(
                {{xa, ya, xb, yb},
                 {std::min(xa, xb), std::min(ya, yb), std::max(xa, xb), std::max(ya, yb)}});
        }
    }
    // Union-find over parts whose ends meet.
    std::vector<std::size_t> root(parts.size());
    for (std::size_t i = 0; i < root.size(); ++i) root[i] = i;
    const auto find = [&](std::size_t i) {
        while (root[i] != i) i = root[i] = root[root[i]];
        return i;
    };
    for (std::size_t i = 0; i < parts.size(); ++i) {
        for (std::size_t j = i + 1; j < parts.size(); ++j) {
            for (int p = 0; p < 4; p += 2) {
                for (int q = 0; q < 4; q += 2) {
                    const auto& a = parts[i].ends;
                    const auto& b = parts[j].ends;
                    if (std::abs(a[p] - b[q]) <= 2 && std::abs(a[p + 1] - b[q + 1]) <= 2)
                        root[find(i)] = find(j);
                }
            }
        }
    }
    std::map<std::size_t, Rect> pieces;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Rect& b = parts[i].box;
        auto [it, fresh] = pieces.emplace(find(i), b);
        if (!fresh) {
            it->second = {std::min(it->second.left, b.left), std::min(it->second.top, b.top),
                          std::max(it->second.right, b.right),
                          std::max(it->second.bottom, b.bottom)};
        }
    }
    std::vector<Rect> result;
    for (const auto& [k, box] : pieces) result.push_back(box);
    return result;
}

// The cells enclosed by the loop drawn in `colour`; every piece lies inside the cells it encloses.
std::set<int> enclosed(const RecordingCanvas& canvas, const std::vector<ReadCell>& cells,
                       Rgb colour, int gridBottom) {
    std::set<int> inside;
    for (const Rect& piece : loopPieces(canvas, colour, gridBottom)) {
        int area = 0;
        for (const ReadCell& cell : cells) {
            if (piece.contains((cell.box.left + cell.box.right) / 2,
                               (cell.box.top + cell.box.bottom) / 2)) {
                inside.insert(cell.minterm);
                const Rect& c = cell.box;
                area += (std::min(c.right, piece.right) - std::max(c.left, piece.left)) *
                        (std::min(c.bottom, piece.bottom) - std::max(c.top, piece.top));
            }
        }
        // Nothing of the piece outside the cells it encloses.
        EXPECT_EQ(area, (piece.right - piece.left) * (piece.bottom - piece.top));
    }
    return inside;
}

TEST(KarnaughMap, CellsLabelsAndLoopsReadBackForTwoToSixVariables) {
    std::mt19937 random(11);
    int mapsChecked = 0;
    for (int width = 1; width <= kMaxKarnaughWidth; ++width) {
        for (int member = 0; member < 12; ++member) {
            logic::Function f;
            f.width = width;
            for (int row = 0; row < (1 << width); ++row) {
                const unsigned draw = random() % 10;
                if (draw < 4) f.on.set(row);
                if (draw >= 4 && draw < 6) f.dc.set(row);
            }
            const qm::Explanation e = qm::explain(f);
            for (LoopForm form : {LoopForm::Sop, LoopForm::Pos}) {
                const std::vector<logic::Cube>& loops =
                    form == LoopForm::Sop ? e.covers[0] : *e.pos;
                if (loops.size() > 10) continue;  // colours repeat beyond ten loops
                SCOPED_TRACE("width " + std::to_string(width) + " member " +
                             std::to_string(member));
                RecordingCanvas canvas;
                drawKarnaughMap(canvas, e, "ABCDEF", form);
                const std::vector<ReadCell> cells = readCells(canvas, width);
                ASSERT_EQ(cells.size(), std::size_t{1} << width);
                std::set<int> seen;
                int gridBottom = 0;
                for (const ReadCell& cell : cells) {
                    seen.insert(cell.minterm);
                    gridBottom = std::max(gridBottom, cell.box.bottom);
                    const int m = cell.minterm;
                    EXPECT_EQ(cell.value, f.on.test(m) ? "1" : f.dc.test(m) ? "x" : "0") << m;
                }
                EXPECT_EQ(seen.size(), cells.size()) << "a row appears twice";
                // The legend names each loop in the loop's colour; no other text is coloured.
                std::vector<std::pair<std::string, Rgb>> coloured, legend;
                for (const Op& op : canvas.operations()) {
                    if (op.kind == RecordingCanvas::Kind::Text && op.colour)
                        coloured.emplace_back(op.text, *op.colour);
                }
                for (std::size_t k = 0; k < loops.size(); ++k) {
                    legend.emplace_back(form == LoopForm::Sop
                                            ? logic::productText(loops[k], width, "ABCDEF")
                                            : logic::sumText(loops[k], width, "ABCDEF"),
                                        loopColour(static_cast<int>(k)));
                }
                EXPECT_EQ(coloured, legend);
                for (std::size_t k = 0; k < loops.size(); ++k) {
                    std::set<int> expected;
                    loops[k].rows(width).forEach([&](int m) { expected.insert(m); });
                    EXPECT_EQ(enclosed(canvas, cells, loopColour(static_cast<int>(k)), gridBottom),
                              expected)
                        << logic::codeOf(loops[k], width);
                }
                ++mapsChecked;
            }
        }
    }
    EXPECT_GT(mapsChecked, 100);
}

// What a reader needs to tell loops apart, over every function of 2 to 4 variables and a sample
// of 5 and 6, both loop forms: no loop touches a cell's digit, no two loops share a line, and
// every loop stays inside cells it may enclose (1s and don't-cares, or 0s and don't-cares).
TEST(KarnaughMap, LoopsKeepOffTheDigitsAndOffEachOther) {
    std::mt19937 random(5);
    int mapsChecked = 0;
    const auto check = [&](const logic::Function& f) {
        const qm::Explanation e = qm::explain(f);
        for (LoopForm form : {LoopForm::Sop, LoopForm::Pos}) {
            const std::vector<logic::Cube>& loops = form == LoopForm::Sop ? e.covers[0] : *e.pos;
            if (loops.size() > 10) continue;  // colours repeat beyond ten loops
            RecordingCanvas canvas;
            drawKarnaughMap(canvas, e, "ABCDEF", form);
            const std::vector<ReadCell> cells = readCells(canvas, f.width);
            int gridBottom = 0;
            for (const ReadCell& cell : cells) gridBottom = std::max(gridBottom, cell.box.bottom);
            const std::string allowed = form == LoopForm::Sop ? "1x" : "0x";
            std::vector<std::pair<Rect, Rgb>> lines;  // the loops' straight lines
            for (const Op& op : canvas.operations()) {
                const bool loopColoured =
                    op.colour && std::any_of(loops.begin(), loops.end(), [&](const auto& l) {
                        return loopColour(static_cast<int>(&l - loops.data())) == *op.colour;
                    });
                if (!loopColoured || std::min(op.y1, op.y2) > gridBottom) continue;
                Rect box{std::min(op.x1, op.x2), std::min(op.y1, op.y2), std::max(op.x1, op.x2),
                         std::max(op.y1, op.y2)};
                if (op.kind == RecordingCanvas::Kind::Arc)
                    box = {op.x1 - op.r, op.y1 - op.r, op.x1 + op.r, op.y1 + op.r};
                else if (op.kind == RecordingCanvas::Kind::Line)
                    lines.emplace_back(box, *op.colour);
                else
                    continue;
                for (const ReadCell& cell : cells) {
                    const int digitLeft =
                        (cell.box.left + cell.box.right - RecordingCanvas::kCharWidth) / 2;
                    const int digitTop =
                        (cell.box.top + cell.box.bottom - RecordingCanvas::kLineHeight) / 2;
                    const bool touches = box.left <= digitLeft + RecordingCanvas::kCharWidth &&
                                         digitLeft <= box.right &&
                                         box.top <= digitTop + RecordingCanvas::kLineHeight &&
                                         digitTop <= box.bottom;
                    EXPECT_FALSE(touches) << "a loop crosses the digit of " << cell.minterm;
                    const bool overlaps = box.left < cell.box.right && cell.box.left < box.right &&
                                          box.top < cell.box.bottom && cell.box.top < box.bottom;
                    EXPECT_TRUE(!overlaps || allowed.find(cell.value) != std::string::npos)
                        << "a loop reaches into cell " << cell.minterm;
                }
            }
            for (std::size_t i = 0; i < lines.size(); ++i) {
                for (std::size_t j = i + 1; j < lines.size(); ++j) {
                    const Rect& a = lines[i].first;
                    const Rect& b = lines[j].first;
                    if (lines[i].second == lines[j].second) continue;
                    const bool sameRow = a.top == a.bottom && b.top == b.bottom && a.top == b.top &&
                                         std::max(a.left, b.left) < std::min(a.right, b.right);
                    const bool sameColumn = a.left == a.right && b.left == b.right &&
                                            a.left == b.left &&
                                            std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
                    EXPECT_FALSE(sameRow || sameColumn) << "two loops share a line";
                }
            }
            ++mapsChecked;
        }
    };
    for (int width = 2; width <= 4; ++width) {
        for (unsigned ones = 0; ones < (1u << (1 << width)); ++ones) {
            logic::Function f;
            f.width = width;
            for (int row = 0; row < (1 << width); ++row)
                if ((ones >> row) & 1) f.on.set(row);
            check(f);
            if (::testing::Test::HasFailure()) return;
        }
    }
    for (int width = 5; width <= 6; ++width) {
        for (int member = 0; member < 40; ++member) {
            logic::Function f;
            f.width = width;
            for (int row = 0; row < (1 << width); ++row) {
                const unsigned draw = random() % 10;
                if (draw < 5) f.on.set(row);
                if (draw == 5) f.dc.set(row);
            }
            check(f);
        }
    }
    EXPECT_GT(mapsChecked, 65000);
}

TEST(KarnaughMap, WrappingLoopIsDrawnOpenAtTheEdges) {
    // B'D' on four variables: the four corners, one loop in four open pieces.
    logic::Function f;
    f.width = 4;
    for (int m : {0, 2, 8, 10}) f.on.set(m);
    const qm::Explanation e = qm::explain(f);
    ASSERT_EQ(e.covers[0].size(), 1U);
    RecordingCanvas canvas;
    drawKarnaughMap(canvas, e, "ABCD", LoopForm::Sop);
    int loopLines = 0;
    for (const Op& op : canvas.operations()) {
        if (op.kind == RecordingCanvas::Kind::Line && op.colour == loopColour(0)) ++loopLines;
    }
    // Four corner pieces of two lines each (their outer sides open), and the legend's swatch.
    EXPECT_EQ(loopLines, 4 * 2 + 4);
    int gridBottom = 0;
    for (const ReadCell& cell : readCells(canvas, 4))
        gridBottom = std::max(gridBottom, cell.box.bottom);
    EXPECT_EQ(loopPieces(canvas, loopColour(0), gridBottom).size(), 4U);
}

TEST(KarnaughMap, TheFunctionIsNamedApartFromItsVariables) {
    EXPECT_EQ(outputName("ABCDEFGH"), "Y");
    EXPECT_EQ(outputName("XYZ"), "W");
    for (int width = 6; width <= 8; ++width) {
        logic::Function f;
        f.width = width;
        f.on.set(1);
        const qm::Explanation e = qm::explain(f);
        const std::string letters = std::string("ABCDEFGH").substr(0, std::size_t(width));
        RecordingCanvas canvas;
        if (width == 6) drawKarnaughMap(canvas, e, letters, LoopForm::Sop);
        drawTruthTable(canvas, e, letters);
        bool outputColumn = false;
        for (const Op& op : canvas.operations()) {
            EXPECT_EQ(op.text.find("F("), std::string::npos) << op.text;
            EXPECT_NE(op.text.rfind("F =", 0), 0U) << op.text;
            outputColumn |= op.text == "Y";
        }
        EXPECT_TRUE(outputColumn);
    }
}

TEST(KarnaughMap, LayoutAndAvailability) {
    EXPECT_EQ(grayCode(2), 3);
    EXPECT_EQ(grayPosition(3), 2);
    for (int width = 1; width <= kMaxKarnaughWidth; ++width) {
        const KarnaughLayout layout = karnaughLayout(width);
        for (int m = 0; m < (1 << width); ++m) {
            const auto cell = layout.cellOf(m);
            EXPECT_EQ(layout.mintermAt(cell.map, cell.row, cell.col), m);
        }
        EXPECT_EQ(karnaughUnavailableReason(width), "");
    }
    EXPECT_THROW(karnaughLayout(7), std::invalid_argument);
    EXPECT_NE(karnaughUnavailableReason(8).find("1 to 6 variables; this function has 8"),
              std::string::npos);
}

}  // namespace
