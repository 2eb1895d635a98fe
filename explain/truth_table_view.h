#pragma once

#include <QObject>

#include <memory>
#include <optional>
#include <string>

#include "drawing/canvas.h"
#include "minimizer/explanation.h"

namespace quendal::explain {

// The truth table on a canvas: one row per input combination with the inputs, the output
// (1, 0 or x) and, for each 1-row, the products of the minimum sum of products that cover it.
// The 1-rows are framed in the colour of their first covering product, the colour its loop has
// on the Karnaugh map. In `practice` the table shows the function alone, nothing of its minimum.
void drawTruthTable(drawing::Canvas& canvas, const qm::Explanation& explanation,
                    const std::string& letters, bool practice = false);

// The band of table row `row` (twips, top and height) as drawTruthTable
// lays it out on a canvas of that line height.
struct TableRowBand {
    int top = 0;
    int height = 0;
};
TableRowBand truthTableRowBand(int lineHeight, int row);
// The table row at a point of the drawing (twips), if any.
std::optional<int> truthTableRowAt(const drawing::Canvas& canvas, const logic::Function& function,
                                   int x, int y);
// Frames a row of the drawn table: the row a simulated circuit of the same
// function stands at.
void markTruthTableRow(drawing::Canvas& canvas, const logic::Function& function, int row);

// A Truth Table document's function and the means to mark a row in it: kept
// as a child of its window, so that the main window can find the tables
// open beside a simulated circuit.
class TruthTableDocument : public QObject {
    Q_OBJECT
public:
    TruthTableDocument(std::shared_ptr<const qm::Explanation> explanation, std::string letters,
                       drawing::Canvas& canvas, QObject* window);
    const logic::Function& function() const { return explanation_->function; }
    const std::string& letters() const { return letters_; }
    std::optional<int> markedRow() const { return marked_; }
    // Draws the table again with `row` framed (none: no frame).
    void markRow(std::optional<int> row);
    std::optional<int> rowAt(int x, int y) const;

private:
    std::shared_ptr<const qm::Explanation> explanation_;
    std::string letters_;
    drawing::Canvas& canvas_;
    std::optional<int> marked_;
};

}  // namespace quendal::explain
