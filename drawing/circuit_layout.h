#pragma once

#include <string>
#include <vector>

#include "drawing/canvas.h"
#include "drawing/circuit_builder.h"
#include "drawing/function_view.h"
#include "drawing/gates.h"

namespace quendal::drawing {

// Where the variable lines of a drawing begin: the x of the first pair's
// left neighbour and the top of the block of letters and inverters.
inline constexpr Point kLinesOrigin{100, 1500};

// The layout state of one gate-circuit drawing: where the variable lines
// stand, which letters have lines, the terms being drawn and the points the
// gate cascade carries from one gate to the next. Every drawing makes its
// own, so no drawing sees what an earlier one left.
struct CircuitLayout {
    int linesX = kLinesOrigin.x;  // x origin of the variable lines
    int linesY = kLinesOrigin.y;  // y origin of the variable-line block
    GateArea area;                // gateAreaX and the last gate's gateX, gateY
    // The letters that occur in the minimum cover, in column order;
    // usedVars[0] is the variable with the first pair of lines.
    std::vector<std::string> usedVars;
    // The nets of each used variable's line and complement line, in the
    // order of usedVars.
    std::vector<circuit::NetId> trueNets, complementNets;
    std::string curVar;        // the letter being placed
    int in1X = 0, in1Y = 0;    // first input of the next gate
    int in2X = 0, in2Y = 0;    // second input of the next gate
    int orX = 0, orY = 0;      // the running output
    int termX = 0, termY = 0;  // output of the current (not first) term
    // Where the variable and complement lines end: 10000 on a canvas that
    // holds the drawing, the bottom edge of a canvas grown to hold it.
    int linesBottom = 10000;
};

// Adds the lines of every variable that occurs in the minimum cover from
// the layout's origin (linesX, linesY), each with its inverter, fills
// layout.usedVars and its nets and returns the x where the gate area begins.
int addLines(CircuitBuilder& builder, CircuitLayout& layout, const FunctionView& function,
             InverterKind inverter);
// The same lines drawn alone on a canvas.
int drawLines(Canvas& canvas, CircuitLayout& layout, const FunctionView& function,
              InverterKind inverter);

// The x of the line that carries the letter (its complement line when bar
// is set); 0 when the letter has no lines.
int findX(const CircuitLayout& layout, const std::string& letter, bool bar);

// The minimized sum of products as a circuit of inverters, AND and OR gates,
// under its header block.
void drawBasicCircuit(Canvas& canvas, const FunctionView& function);
DrawnCircuit buildBasicCircuit(const Canvas& canvas, const FunctionView& function);

// What tells the three gate circuits apart; the term cascade, the variable
// lines, the header and the canvas growth are shared.
struct CircuitStyle {
    // Line 2 of the header: the basic circuit spaces it differently.
    const char* userLabel;
    const char* dateLabel;
    const char* timeLabel;
    InverterKind inverter;
    // A literal taps the opposite line (the NOR circuit) instead of its own.
    bool tapsOpposite;
    circuit::Style model;
    // The gate that adds one more literal to a term.
    Tap (*literalGate)(CircuitBuilder&, GateArea&, Tap in1, Tap in2, bool lastLiteral);
    // A single-literal term's output: how far right of the tapped line
    // (negative: left) it is taken, for a plain and for a marked letter.
    int singleShiftPlain;
    int singleShiftMarked;
    // The gate that joins a term to the running output.
    Tap (*joinGate)(CircuitBuilder&, GateArea&, Tap in1, Tap in2, bool lastTerm);
    // A function of one term ends on the complement and needs one more
    // inverting gate (the NAND circuit).
    bool invertsSingleTerm;
};

// Builds the circuit of the function in the given style for the canvas.
// When the gates, wires and texts reach past the canvas, the canvas grows to
// hold them with a margin (the window's scroll range follows it), and the
// variable lines run to the grown canvas's bottom edge.
DrawnCircuit buildGateCircuit(const Canvas& canvas, const FunctionView& function,
                              const CircuitStyle& style);
// Builds it, draws it and keeps it with the canvas.
void drawGateCircuit(Canvas& canvas, const FunctionView& function, const CircuitStyle& style);

// The margin left around a drawing that outgrew the canvas.
inline constexpr int kCircuitMargin = 500;
// A picture holds at most 32767 pixels along an edge (15 twips a pixel); a
// drawing never asks for more. Only header texts of thousands of characters
// come near it.
inline constexpr int kMaxCircuitCanvas = 32767 * 15;

}  // namespace quendal::drawing
