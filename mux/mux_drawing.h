#pragma once

#include <optional>

#include "drawing/canvas.h"
#include "drawing/drawn_circuit.h"
#include "drawing/function_view.h"

namespace quendal::mux {

// The Ok step of the Mux command: the function drawn with 2^k : 1
// multiplexers, as one multiplexer when k equals the number of variables,
// else as a tree. A size that is not offered for the function draws nothing.
void drawMuxImplementation(drawing::Canvas& canvas, const drawing::FunctionView& function, int k);
// The same drawing as a circuit model for the canvas, not drawn; nothing
// for a size that is not offered.
std::optional<drawing::DrawnCircuit> buildMuxImplementation(const drawing::Canvas& canvas,
                                                            const drawing::FunctionView& function,
                                                            int k);

}  // namespace quendal::mux
