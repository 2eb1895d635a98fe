#pragma once

#include <algorithm>

#include "drawing/bounds_canvas.h"

namespace quendal::explain {

// Runs a drawing once on a BoundsCanvas to size the canvas (growing only, with a margin round
// it), then draws for real, so that nothing is cut off at the canvas's edge.
template <class Draw>
void drawSized(drawing::Canvas& canvas, Draw draw) {
    constexpr int kMargin = 240;
    drawing::BoundsCanvas bounds(canvas);
    draw(bounds);
    if (!bounds.empty()) {
        canvas.setSize(std::max(canvas.width(), bounds.right() + kMargin),
                       std::max(canvas.height(), bounds.bottom() + kMargin));
    }
    draw(canvas);
}

}  // namespace quendal::explain
