#include "explain/truth_table_view.h"

#include <algorithm>
#include <vector>

#include "explain/explain_subject.h"
#include "explain/karnaugh_map.h"
#include "explain/sized_drawing.h"
#include "logic/expression_text.h"

namespace quendal::explain {

namespace {

constexpr int kMargin = 240;
constexpr int kRowColumn = 600;  // the row number
constexpr int kInputColumn = 300;
constexpr int kOutputColumn = 420;

void drawTable(drawing::Canvas& canvas, const qm::Explanation& e, const std::string& letters,
               bool practice) {
    const logic::Function& f = e.function;
    // In practice nothing of the minimum shows: no products, no frames.
    static const std::vector<logic::Cube> kNone;
    const std::vector<logic::Cube>& cover = practice ? kNone : e.covers.front();
    const int lh = canvas.lineHeight();
    const int rowHeight = lh + 45;
    const int inputsLeft = kMargin + kRowColumn;
    const int outputLeft = inputsLeft + f.width * kInputColumn;
    const int coverLeft = outputLeft + kOutputColumn;
    // Each 1-row's covering products (indices into the cover), each written in the colour of
    // its loop on the Karnaugh map; the first one's colour frames the row.
    std::vector<std::vector<int>> coveredBy(std::size_t{1} << f.width);
    std::vector<std::string> products;
    std::vector<int> productWidths;
    for (const logic::Cube& cube : cover) {
        products.push_back(logic::productText(cube, f.width, letters));
        productWidths.push_back(canvas.textWidth(products.back()));
    }
    const int separatorWidth = canvas.textWidth(", ");
    int coverWidth = canvas.textWidth("Covered by");
    f.on.forEach([&](int row) {
        std::vector<int>& by = coveredBy[static_cast<std::size_t>(row)];
        int width = 0;
        for (std::size_t k = 0; k < cover.size(); ++k) {
            if (!cover[k].contains(row)) continue;
            width += (by.empty() ? 0 : separatorWidth) + productWidths[k];
            by.push_back(static_cast<int>(k));
        }
        coverWidth = std::max(coverWidth, width);
    });
    const int right = practice ? coverLeft : coverLeft + coverWidth + 120;

    const std::string name = outputName(letters);
    canvas.printAt(kMargin, kMargin, {"Truth table of " + functionName(letters)});
    if (practice) {
        canvas.printAt(kMargin, kMargin + lh,
                       {"Practice: find a minimum sum of products that is 1 on the 1-rows."});
    } else {
        canvas.printAt(
            kMargin, kMargin + lh,
            {"Rows where " + name + " = 1 are framed in the colour of the first product of " +
             name + " = " + logic::sopText(cover, f.width, letters) + " that covers them."});
    }
    int y = kMargin + 3 * lh;
    canvas.printAt(kMargin + 60, y, {"Row"});
    for (int column = 0; column < f.width; ++column) {
        canvas.printAt(inputsLeft + column * kInputColumn, y,
                       {std::string(1, letters[static_cast<std::size_t>(column)])});
    }
    canvas.printAt(outputLeft, y, {name});
    if (!practice) canvas.printAt(coverLeft, y, {"Covered by"});
    y += rowHeight;
    canvas.line(kMargin, y - 30, right, y - 30);

    for (int row = 0; row < (1 << f.width); ++row) {
        const int textTop = y + (rowHeight - lh) / 2;
        canvas.printAt(kMargin + 60, textTop, {std::to_string(row)});
        for (int column = 0; column < f.width; ++column) {
            const bool one = (row >> (f.width - 1 - column)) & 1;
            canvas.printAt(inputsLeft + column * kInputColumn, textTop, {one ? "1" : "0"});
        }
        const bool on = f.on.test(row);
        canvas.printAt(outputLeft, textTop, {on ? "1" : f.dc.test(row) ? "x" : "0"});
        if (on && !practice) {
            const std::vector<int>& by = coveredBy[static_cast<std::size_t>(row)];
            int x = coverLeft;
            for (std::size_t i = 0; i < by.size(); ++i) {
                if (i > 0) {
                    canvas.printAt(x, textTop, {", "});
                    x += separatorWidth;
                }
                const auto k = static_cast<std::size_t>(by[i]);
                canvas.printAt(x, textTop, {products[k]}, loopColour(by[i]));
                x += productWidths[k];
            }
            const drawing::Rgb colour = loopColour(by.front());
            canvas.line(kMargin, y, right, y, colour);
            canvas.line(right, y, right, y + rowHeight - 15, colour);
            canvas.line(right, y + rowHeight - 15, kMargin, y + rowHeight - 15, colour);
            canvas.line(kMargin, y + rowHeight - 15, kMargin, y, colour);
        }
        y += rowHeight;
    }
}

constexpr drawing::Rgb kMarkColour{0, 158, 115};  // the simulation's highlight

}  // namespace

TableRowBand truthTableRowBand(int lineHeight, int row) {
    // As drawTable lays the rows out below the heading.
    const int rowHeight = lineHeight + 45;
    return {kMargin + 3 * lineHeight + rowHeight + row * rowHeight, rowHeight};
}

std::optional<int> truthTableRowAt(const drawing::Canvas& canvas, const logic::Function& function,
                                   int x, int y) {
    const int rows = 1 << function.width;
    const TableRowBand first = truthTableRowBand(canvas.lineHeight(), 0);
    const int right = kMargin + kRowColumn + function.width * kInputColumn + kOutputColumn;
    if (x < kMargin || x >= right || y < first.top) return std::nullopt;
    const int row = (y - first.top) / first.height;
    return row < rows ? std::optional<int>(row) : std::nullopt;
}

void markTruthTableRow(drawing::Canvas& canvas, const logic::Function& function, int row) {
    const TableRowBand band = truthTableRowBand(canvas.lineHeight(), row);
    const int right = kMargin + kRowColumn + function.width * kInputColumn + kOutputColumn - 60;
    // Two pixels wide, inside the frame a 1-row has in its product's colour.
    for (int k = 0; k < 2; ++k) {
        const int top = band.top + 15 + 15 * k, bottom = band.top + band.height - 30 - 15 * k;
        const int l = kMargin + 15 + 15 * k, r = right - 15 * k;
        canvas.line(l, top, r, top, kMarkColour);
        canvas.line(r, top, r, bottom, kMarkColour);
        canvas.line(r, bottom, l, bottom, kMarkColour);
        canvas.line(l, bottom, l, top, kMarkColour);
    }
}

TruthTableDocument::TruthTableDocument(std::shared_ptr<const qm::Explanation> explanation,
                                       std::string letters, drawing::Canvas& canvas,
                                       QObject* window)
    : QObject(window),
      explanation_(std::move(explanation)),
      letters_(std::move(letters)),
      canvas_(canvas) {
    setObjectName(QStringLiteral("truthTableDocument"));
}

void TruthTableDocument::markRow(std::optional<int> row) {
    if (row == marked_) return;
    marked_ = row;
    canvas_.cls();
    drawTruthTable(canvas_, *explanation_, letters_);
    if (row) markTruthTableRow(canvas_, function(), *row);
}

std::optional<int> TruthTableDocument::rowAt(int x, int y) const {
    return truthTableRowAt(canvas_, function(), x, y);
}

void drawTruthTable(drawing::Canvas& canvas, const qm::Explanation& explanation,
                    const std::string& letters, bool practice) {
    drawSized(canvas,
              [&](drawing::Canvas& target) { drawTable(target, explanation, letters, practice); });
}

}  // namespace quendal::explain
