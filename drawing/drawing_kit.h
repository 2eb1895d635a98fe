#pragma once

#include <string>

#include "drawing/canvas.h"
#include "drawing/function_view.h"
#include "drawing/gates.h"

namespace quendal::drawing {

// The pieces that several drawings share, so that each is drawn one way.

// The top-left corner of the block in the multiplexer and demultiplexer
// drawings: left of it stand the rails and the data input, above it the
// header line.
inline constexpr Point kBlockOrigin{4000, 700};

// The ground symbol: three bars, each shorter than the one above, centred
// under x with the top bar at y. The gate circuits and the multiplexers use
// the small one, the demultiplexer the large one. fromRight draws each bar
// from its right end, as the multiplexer drawings always have.
enum class GroundSize { Small, Large };
void drawGround(Canvas& canvas, int x, int y, GroundSize size, bool fromRight = false);

// The supply rail's top in a gate circuit: a bar centred on x at y with
// "Vcc" centred above it.
void drawVccBar(Canvas& canvas, int x, int y);

// "Vcc" beside the top (x, y) of a supply rail that starts at a block's
// edge (the multiplexer and demultiplexer drawings).
void printVccLabel(Canvas& canvas, int x, int y);

// The multiplexer block figure with v select lines and top-left corner
// (x, y): outline, size label (" 8 : 1"), type label (" MUX ") and the input
// numbers 0 .. 2^v - 1 down the left edge.
void drawMuxBlockFigure(Canvas& canvas, int x, int y, int v);

// The header line of the multiplexer and demultiplexer drawings: user, date,
// time, the term list with its mode and, where there are any, the don't-care
// terms.
std::string implementationHeader(const FunctionView& function);

// Prints the header line at the top of the canvas, one line down.
void printImplementationHeader(Canvas& canvas, const std::string& header);

}  // namespace quendal::drawing
