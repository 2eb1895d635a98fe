#pragma once

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

}  // namespace quendal::explain
