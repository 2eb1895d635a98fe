#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "circuit/netlist.h"
#include "drawing/canvas.h"

namespace quendal::drawing {

// A circuit drawing as its model: the netlist (parts, pins, nets and their
// wires, in twips) and the elements of the picture in the order they are
// drawn. Every gate, multiplexer and demultiplexer drawing is built as one
// and rendered from it; the document keeps it (Canvas::circuit), so that a
// simulation can find every wire of a net and an export can write the
// circuit.
struct DrawnCircuit {
    struct Element {
        enum class Kind {
            Wire,       // netlist.wires[index]
            Dot,        // netlist.dots[index]
            Body,       // the figure of netlist.parts[index]
            Print,      // text at the text position, then the next line (empty: only that)
            PrintAt,    // text at (x1, y1)
            Line,       // a line that is no wire (a symbol's stroke); net where it belongs to one
            Circle,     // an open circle of radius r at (x1, y1) (a bubble on a block's pin)
            Ground,     // the ground symbol at (x1, y1); r: 0 small, 1 large; x2: 1 from the right
            VccBar,     // the supply bar with "Vcc" above it at (x1, y1)
            Resize,     // the canvas becomes x1 by y1
            ScrollMax,  // the horizontal (x2 = 1) or vertical scroll maximum becomes x1
        };
        Kind kind = Kind::Line;
        int index = -1;
        circuit::NetId net =
            circuit::kNoNet;  // the net a Line, Circle, Ground or VccBar belongs to
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0, r = 0;
        std::optional<Rgb> colour;
        std::string text;
    };

    circuit::Netlist netlist;
    std::vector<Element> elements;

    // The elements that draw a net (wires, dots and symbols on it), in
    // drawing order.
    std::vector<int> elementsOf(circuit::NetId net) const;
};

// A colour for a net's wires, dots and symbols in place of the drawn ones;
// nothing keeps the drawn colour.
using NetPaint = std::function<std::optional<Rgb>(circuit::NetId)>;

// Draws the circuit on the canvas, element by element with the gate and
// block figures the drawings have always used. Without a paint the
// operations are exactly those of the drawing.
void renderCircuit(Canvas& canvas, const DrawnCircuit& circuit, const NetPaint& paint = {});

}  // namespace quendal::drawing
