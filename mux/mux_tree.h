#pragma once

#include "drawing/canvas.h"
#include "drawing/function_view.h"

// The function of va variables with 2^vs : 1 multiplexers, where vs is one or
// two less than va: one first-level block per 2^vs consecutive terms (select
// lines on the last vs variables), then either two blocks with strobes and an
// OR gate, or four blocks feeding a second-level block of the same size
// (tied to its inputs by straight lines for 4 : 1, square ones for larger
// sizes, whose unused inputs would otherwise touch the slanted ties).
void drawMulMux(Canvas& canvas, const FunctionView& function, int va, int vs);

// First-level block muxNo of noOfMux, with v select lines, for a function of
// vt variables, top-left corner (xin, yin): block, strobe (when vt - v is 1),
// select lines and buses (odd blocks only), output line, and every data
// input tied to the Vcc rail (xin - 1500) or the ground rail (xin - 1000).
void drawMux(Canvas& canvas, const FunctionView& function, int v, int vt, int muxNo, int noOfMux,
             int xin, int yin);

// Where the select bus s of a first-level block at xin turns down to the
// left-hand ties. 400 apart; with a second level and five or more select
// lines they would reach the rails (the fifth would run along the ground
// rail), so those are packed 200 apart, all left of the Vcc rail.
int selectTieX(int xin, int s, int v, int vt);
