#pragma once

#include "drawing/canvas.h"
#include "drawing/function_view.h"

namespace quendal::mux {

// The Ok step of the Mux command: the function drawn with 2^k : 1
// multiplexers, as one multiplexer when k equals the number of variables,
// else as a tree. A size that is not offered for the function draws nothing.
void drawMuxImplementation(drawing::Canvas& canvas, const drawing::FunctionView& function, int k);

}  // namespace quendal::mux
