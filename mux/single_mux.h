#pragma once

#include "drawing/canvas.h"
#include "drawing/drawn_circuit.h"
#include "drawing/function_view.h"

namespace quendal::mux {

// The function as one 2^numVars : 1 multiplexer whose top-left corner is the
// block origin: all variables on the select lines, every data input tied to
// Vcc or to ground by the function's truth table, under the header line.
void draw1Mux(drawing::Canvas& canvas, const drawing::FunctionView& function);
// The same drawing as a circuit model for the canvas, not drawn.
drawing::DrawnCircuit build1Mux(const drawing::Canvas& canvas,
                                const drawing::FunctionView& function);

}  // namespace quendal::mux
