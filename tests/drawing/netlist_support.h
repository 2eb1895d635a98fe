#pragma once

// Reads a gate drawing back as the circuit it describes, from the recorded
// canvas operations alone, so that a test checks what is drawn rather than
// what the layout meant to draw.
//
// What is recognised:
// - Two-input gates pointing right, by their bodies: the round front of
//   AND/NAND (arc of radius 150 from 3pi/2 to pi/2) and the concave back of
//   OR/NOR (arc of radius 180 around the input side); a bubble (circle of
//   radius 25 at the front) makes them NAND/NOR. Pins: inputs where the
//   leads meet the body, output at the front (after the bubble); a wire
//   must end at every pin.
// - Inverters pointing down: the triangle with its bubble (NOT), and the
//   NAND/NOR with joined inputs (round lower half of radius 100 plus bubble;
//   a concave back makes it a NOR). Both inputs are the top centre.
// - Wires: green lines, and navy lines outside AND bodies (the AND gate's
//   leads and output). Two wires join where an end of one lies on the other;
//   wires that only cross are not joined.
// - Inputs: a vertical wire whose top end lies just below a one-letter text
//   carries that variable. "Vcc" above a bar is logic 1; a bar with shorter
//   bars under it is ground (logic 0).
// - The output: the filled dot with "Y" printed at its upper right.
//
// Usage:
//   netlist::Netlist n = netlist::readNetlist(canvas.operations());
//   ASSERT_TRUE(n.problems.empty()) << n.describe();
//   std::optional<bool> y = n.evaluate({{"A", true}, {"B", false}});

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "drawing/gates.h"
#include "tests/support/recording_canvas.h"

namespace netlist {

enum class GateKind { Not, And, Nand, Or, Nor };
const char* kindName(GateKind kind);

struct Gate {
    GateKind kind;
    Point at;                 // two-input gates: (gateX, gateY); inverters: top centre
    std::vector<Point> pins;  // input pins (an inverter made of a two-input gate lists
                              // its joined input twice)
    Point outPin;
    std::vector<int> inputs;  // the net of each input pin, -1 when nothing touches it
    int output = -1;          // the net of the output pin
};

// The gates of a drawing, without their connections.
std::vector<Gate> recogniseGates(const std::vector<RecordingCanvas::Op>& ops);

struct Netlist {
    int netCount = 0;
    std::map<std::string, int> variables;  // letter -> net of its true line
    int vccNet = -1;
    int groundNet = -1;
    std::vector<Gate> gates;
    int outputNet = -1;  // -1 when no output dot with "Y" was found
    // Everything that makes the drawing unreadable as a circuit: a pin that
    // touches no wire, a net with two drivers or none, a missing output.
    std::vector<std::string> problems;

    // Y for the given variable values (letters not given are false), or
    // nothing when the output does not settle to a value.
    std::optional<bool> evaluate(const std::map<std::string, bool>& values) const;
    int count(GateKind kind) const;
    // One line per gate, "NAND(A, n3) -> n4", and the output, for messages.
    std::string describe() const;
};

Netlist readNetlist(const std::vector<RecordingCanvas::Op>& ops);

}  // namespace netlist
