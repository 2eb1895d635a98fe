#pragma once

#include "drawing/canvas.h"
#include "drawing/function_view.h"

#include <string>

// The header line of the single-multiplexer drawing: user, date, time, the
// term list with its mode and, where there are any, the don't-care terms.
std::string muxHeaderLine(const FunctionView& function);

// The function of v variables as one 2^v : 1 multiplexer whose top-left
// corner is (xin, yin): all variables on the select lines, every data input
// tied to Vcc or to ground by the function's truth table.
void draw1Mux(Canvas& canvas, const FunctionView& function, int v, int xin = 4000, int yin = 700);
