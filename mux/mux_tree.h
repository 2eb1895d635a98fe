#pragma once

#include "drawing/canvas.h"
#include "drawing/drawn_circuit.h"
#include "drawing/function_view.h"

namespace quendal::mux {

// The function with 2^selectLines : 1 multiplexers, where selectLines is one
// or two less than the function's number of variables: one first-level block
// per 2^selectLines consecutive terms (select lines on the last variables),
// then either two blocks with strobes and an OR gate, or four blocks feeding
// a second-level block of the same size (tied to its inputs by straight lines
// for 4 : 1, square ones for larger sizes, whose unused inputs would
// otherwise touch the slanted ties).
void drawMulMux(drawing::Canvas& canvas, const drawing::FunctionView& function, int selectLines);
// The same drawing as a circuit model for the canvas, not drawn.
drawing::DrawnCircuit buildMulMux(const drawing::Canvas& canvas,
                                  const drawing::FunctionView& function, int selectLines);

// First-level block muxNo of noOfMux, with selectLines select lines, top-left
// corner (xin, yin): block, strobe (when one variable is left over), select
// lines and buses (odd blocks only), output line, and every data input tied
// to the Vcc rail (kVccRailLeft left of the block) or the ground rail
// (kGroundRailLeft).
void drawMux(drawing::Canvas& canvas, const drawing::FunctionView& function, int selectLines,
             int muxNo, int noOfMux, int xin, int yin);

// Where the select bus s of a first-level block at xin turns down to the
// left-hand ties. 400 apart; with a second level and five or more select
// lines they would reach the rails (the fifth would run along the ground
// rail), so those are packed 200 apart, all left of the Vcc rail.
int selectTieX(int xin, int s, int selectLines, int numVars);

}  // namespace quendal::mux
