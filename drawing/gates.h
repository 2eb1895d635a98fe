#pragma once

#include "circuit/netlist.h"
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

// The bodies of the two-input gates alone, with their input leads and output
// wire, at (gateX, gateY) as placed above; each returns the end of its
// output wire.
Point drawAndBody(Canvas& canvas, Point at);
Point drawNandBody(Canvas& canvas, Point at);
Point drawOrBody(Canvas& canvas, Point at);
Point drawNorBody(Canvas& canvas, Point at);

class CircuitBuilder;

// A wire end that a gate takes as an input: where it is and its net.
struct Tap {
    Point at;
    circuit::NetId net = circuit::kNoNet;
};

// The gates as parts of a circuit being built, drawn as the functions above
// draw them: a two-input gate (And, Nand, Or or Nor) with the wires that
// bring its inputs in, and an inverter pointing down whose input is the top
// centre `in.at`. Each returns its output, on the net `out` when one is
// given (a net some part already reads), else on a new one.
Tap addGate(CircuitBuilder& builder, GateArea& area, circuit::PartKind kind, Tap in1, Tap in2,
            circuit::NetId out = circuit::kNoNet);
Tap addInverter(CircuitBuilder& builder, InverterKind kind, Tap in,
                circuit::NetId out = circuit::kNoNet);

// Half to even, as the gates centre themselves between their inputs.
int roundHalfToEven(double value);

}  // namespace quendal::drawing
