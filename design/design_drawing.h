#pragma once

#include "design/design.h"
#include "drawing/canvas.h"
#include "drawing/drawn_circuit.h"
#include "minimizer/multi_output.h"

namespace quendal::design {

// The two-level circuits a design is drawn as: AND gates and OR gates with
// NOT gates on the input lines, or NAND gates only, or NOR gates only.
enum class DrawingStyle { AndOr, NandNand, NorNor };
const char* drawingStyleTitle(DrawingStyle style);  // "AND/OR/NOT", "NAND-NAND", "NOR-NOR"

// The shared minimum of a design as one circuit: the input lines with their
// inverters as the gate circuits draw them, one AND plane of a gate per
// product of two literals or more (a product of one literal taps its line),
// and per output one gate taking its products, its output labelled by the
// output's name. NAND-NAND adds an inverter where an output takes a single
// product, NOR-NOR one after each output gate. An output that is always 1
// or always 0 is tied to Vcc or ground. The canvas grows to hold the circuit.
drawing::DrawnCircuit buildDesignCircuit(const drawing::Canvas& canvas, const Design& design,
                                         const qm::MultiCover& cover, DrawingStyle style);

// Builds it, draws it and keeps it with the canvas.
void drawDesign(drawing::Canvas& canvas, const Design& design, const qm::MultiCover& cover,
                DrawingStyle style);

}  // namespace quendal::design
