#pragma once

#include "drawing/canvas.h"
#include "drawing/drawn_circuit.h"
#include "drawing/function_view.h"

#include <string>
#include <vector>

namespace quendal::demux {

// The block sizes the demultiplexer drawing can make: 1 : 2 up to 1 : 64.
inline constexpr int kDemuxMinVars = 1;
inline constexpr int kDemuxMaxVars = 6;

// The geometry of a 1 : 2^numVars demultiplexer block whose top-left corner
// is (x0, y0), in twips.
struct DemuxGeometry {
    int numVars = 0;
    int x0 = 0, y0 = 0;
    int outputs = 0;  // 2^numVars
    int width = 0;    // of the block
    int height = 0;   // of the block
    int right = 0;    // the block's right edge
    int bottom = 0;   // the block's bottom edge
    int dataY = 0;    // middle of the left edge, where the data input enters
    int gateX = 0;    // where the term leads end and the combining gate's inputs lie

    DemuxGeometry(int numVars, int x0, int y0);
    // Height of output number k (0 .. outputs-1).
    int yOut(int k) const { return y0 + (k + 1) * 200; }
};

// Draws the function as a 1 : 2^numVars demultiplexer with its select inputs
// on the variables, its data input tied to din (1 or 0) and one gate
// combining the outputs of the function's terms: OR (Din 1) or NAND on
// active-low outputs (Din 0) for min-terms, NOR or AND for max-terms. The
// block's top-left corner is the block origin. Throws std::out_of_range when
// the function has not 1 to 6 variables.
void drawDemux(drawing::Canvas& canvas, const drawing::FunctionView& function, int din);
// The same drawing as a circuit model for the canvas, not drawn.
drawing::DrawnCircuit buildDemux(const drawing::Canvas& canvas,
                                 const drawing::FunctionView& function, int din);

}  // namespace quendal::demux
