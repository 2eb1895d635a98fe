#pragma once

#include "drawing/canvas.h"

namespace quendal::drawing {

// A point in twips.
struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

// The gate-area state of one drawing. gateAreaX is where the gate area
// begins (just right of the last variable line); inputs left of it tap a
// variable line and get a junction dot. gateX and gateY are the input side
// and centre line of the last two-input gate drawn. Every drawing starts
// with its own state, so no drawing depends on what an earlier one left.
struct GateArea {
    int gateAreaX = 0;
    int gateX = 0;
    int gateY = 0;
};

// Inverters pointing down with their top edge centred at (x, y). Callers
// continue the wire 200 below y (drawNotGate) or 250 below (the others).
void drawNotGate(Canvas& canvas, int x, int y);
void drawNotUsingNandGate(Canvas& canvas, int x, int y);
void drawNotUsingNorGate(Canvas& canvas, int x, int y);

// The inverter a circuit is built with: the NOT gate, or a NAND or NOR gate
// with its inputs joined.
enum class InverterKind { Not, Nand, Nor };
// Draws the inverter of that kind as above; returns how far below y its
// output wire continues.
int drawInverter(Canvas& canvas, InverterKind kind, int x, int y);

// Two-input gates pointing right, with the wires that bring their inputs
// in; each returns the end of its output wire.
Point drawAndGate(Canvas& canvas, GateArea& area, int xin1, int yin1, int xin2, int yin2);
Point drawNandGate(Canvas& canvas, GateArea& area, int xin1, int yin1, int xin2, int yin2);
Point drawOrGate(Canvas& canvas, GateArea& area, int xin1, int yin1, int xin2, int yin2);
Point drawNorGate(Canvas& canvas, GateArea& area, int xin1, int yin1, int xin2, int yin2);
// AND from two NAND gates, OR from two NOR gates: the second stage has both
// inputs joined at the first stage's output.
Point drawAndUsingNandGate(Canvas& canvas, GateArea& area, int xin1, int yin1, int xin2, int yin2);
Point drawOrUsingNorGate(Canvas& canvas, GateArea& area, int xin1, int yin1, int xin2, int yin2);

// Half to even, as the gates centre themselves between their inputs.
int roundHalfToEven(double value);

}  // namespace quendal::drawing
