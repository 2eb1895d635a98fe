#pragma once

#include <vector>

#include "circuit/netlist.h"
#include "drawing/canvas.h"
#include "drawing/circuit_builder.h"
#include "drawing/function_view.h"

namespace quendal::mux {

// The geometry of one multiplexer block with v select lines whose top-left
// corner is (xin, yin), in twips. Every multiplexer drawing places its pins
// by these values, so the wiring always meets the block.
struct MuxBlock {
    int v = 1;
    int xin = 0;
    int yin = 0;

    int N() const { return 1 << v; }                      // data inputs
    int W() const { return (v + 1) * 400; }               // width
    int H() const { return (N() + 1) * 200; }             // height
    int yIn(int m) const { return yin + (m + 1) * 200; }  // data input m, from the top
    int xSel(int s) const { return xin + s * 400; }       // select line s, from the left
    int yOut() const { return yin + H() / 2; }            // output
    int bottom() const { return yin + H(); }
    int right() const { return xin + W(); }
};

// Where the rails stand left of a block's left edge: every data input is
// tied to one of them.
inline constexpr int kVccRailLeft = 1500;
inline constexpr int kGroundRailLeft = 1000;
// How far below a block the ground symbol of its rail stands.
inline constexpr int kGroundBelowBlock = 500;

// Grows the canvas so the block fits with a margin of 1000 and sets both
// scroll maxima from the (possibly new) size. The canvas never shrinks; the
// last block drawn decides the scroll maxima.
void enlargeForBlock(drawing::Canvas& canvas, const MuxBlock& block);
void enlargeForBlock(drawing::CircuitBuilder& builder, const MuxBlock& block);

// The block as a part of a circuit being built, with its figure here in the
// drawing order: select pins on the bottom edge (the top edge when the
// select lines come from above), data pins down the left edge, the strobe's
// lead below the block when it has a strobe net, the output in the middle of
// the right edge. Returns the part's index.
int addBlock(drawing::CircuitBuilder& builder, const MuxBlock& block,
             const std::vector<circuit::NetId>& select, const std::vector<circuit::NetId>& data,
             circuit::NetId strobe, circuit::NetId out, bool selectFromTop = false);

// Outline, size label (" 8 : 1"), type label (" MUX ") and the input
// numbers 0 .. N-1 down the left edge.
void drawBlockBody(drawing::Canvas& canvas, const MuxBlock& block);

// The output wire leaving the middle of the right edge, 400 long.
void drawOutputLine(drawing::Canvas& canvas, const MuxBlock& block);

// " Y " just right of the output wire's end.
void printOutputText(drawing::Canvas& canvas, const MuxBlock& block);

// A free-standing block of selectLines select lines with stub lines on all
// its pins: the function's first numVars - selectLines letters go under the
// last select lines (none when the block selects on every variable).
void simpleMux(drawing::Canvas& canvas, const drawing::FunctionView& function, int selectLines,
               int xin, int yin);
// The same block in a circuit being built, its data inputs on the given nets
// (a net for every input; kNoNet gives an input a stub of its own). Returns
// the output's net; Y is the caller's.
circuit::NetId addSimpleMux(drawing::CircuitBuilder& builder, const drawing::FunctionView& function,
                            int selectLines, int xin, int yin, std::vector<circuit::NetId> data);

}  // namespace quendal::mux
