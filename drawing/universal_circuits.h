#pragma once

#include "drawing/canvas.h"
#include "drawing/drawn_circuit.h"
#include "drawing/function_view.h"

namespace quendal::drawing {

// The minimized sum of products built from NAND gates only: every literal
// taps its own line, each term's chain carries the complement of the term
// and the terms are joined by AND-from-NAND gates, the last join a NAND.
void drawUniversalNandCircuit(Canvas& canvas, const FunctionView& function);

// The same function from NOR gates only: every literal taps the opposite
// line, each term's chain carries the term itself and the terms are joined
// by OR-from-NOR gates.
void drawUniversalNorCircuit(Canvas& canvas, const FunctionView& function);

// The three gate circuits of the Circuit command.
enum class CircuitKind { Basic, Nand, Nor };

// Builds the circuit of the given kind as drawn on the canvas (its size and
// text metrics), without drawing it.
DrawnCircuit buildCircuit(const Canvas& canvas, const FunctionView& function, CircuitKind kind);

// Draws the circuit of the given kind and keeps its model with the canvas.
void drawCircuit(Canvas& canvas, const FunctionView& function, CircuitKind kind);

}  // namespace quendal::drawing
