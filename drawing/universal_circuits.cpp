#include "drawing/universal_circuits.h"

#include "drawing/circuit_layout.h"
#include "drawing/gates.h"

namespace quendal::drawing {

namespace {

using circuit::PartKind;

// AND from two NAND gates, OR from two NOR gates: the second stage has both
// inputs joined at the first stage's output.
Tap addDoubleGate(CircuitBuilder& b, GateArea& a, PartKind kind, Tap in1, Tap in2) {
    const Tap first = addGate(b, a, kind, in1, in2);
    return addGate(b, a, kind, first, first);
}

// The last literal of a term is one gate; any earlier one is a compound gate
// so that the chain keeps the polarity its next stage expects.
Tap nandLiteralGate(CircuitBuilder& b, GateArea& a, Tap in1, Tap in2, bool last) {
    return last ? addGate(b, a, PartKind::Nand, in1, in2)
                : addDoubleGate(b, a, PartKind::Nand, in1, in2);
}

Tap nandJoinGate(CircuitBuilder& b, GateArea& a, Tap in1, Tap in2, bool lastTerm) {
    return lastTerm ? addGate(b, a, PartKind::Nand, in1, in2)
                    : addDoubleGate(b, a, PartKind::Nand, in1, in2);
}

Tap norLiteralGate(CircuitBuilder& b, GateArea& a, Tap in1, Tap in2, bool last) {
    return last ? addGate(b, a, PartKind::Nor, in1, in2)
                : addDoubleGate(b, a, PartKind::Nor, in1, in2);
}

Tap norJoinGate(CircuitBuilder& b, GateArea& a, Tap in1, Tap in2, bool) {
    return addDoubleGate(b, a, PartKind::Nor, in1, in2);
}

constexpr const char* kUserLabel = "         User   :   ";
constexpr const char* kDateLabel = "         Date     :     ";
constexpr const char* kTimeLabel = "         Time     :     ";

// The two universal circuits are duals. A single-literal term's output is
// the other line of its variable: the complement of the literal in the NAND
// circuit, the literal in the NOR one.
CircuitStyle universalStyle(InverterKind gate) {
    const bool nor = gate == InverterKind::Nor;
    return {.userLabel = kUserLabel,
            .dateLabel = kDateLabel,
            .timeLabel = kTimeLabel,
            .inverter = gate,
            .tapsOpposite = nor,
            .model = nor ? circuit::Style::Nor : circuit::Style::Nand,
            .literalGate = nor ? norLiteralGate : nandLiteralGate,
            .singleShiftPlain = nor ? -250 : 250,
            .singleShiftMarked = nor ? 250 : -250,
            .joinGate = nor ? norJoinGate : nandJoinGate,
            .invertsSingleTerm = !nor};
}

}  // namespace

void drawUniversalNandCircuit(Canvas& canvas, const FunctionView& function) {
    drawGateCircuit(canvas, function, universalStyle(InverterKind::Nand));
}

void drawUniversalNorCircuit(Canvas& canvas, const FunctionView& function) {
    drawGateCircuit(canvas, function, universalStyle(InverterKind::Nor));
}

DrawnCircuit buildCircuit(const Canvas& canvas, const FunctionView& function, CircuitKind kind) {
    switch (kind) {
        case CircuitKind::Nand:
            return buildGateCircuit(canvas, function, universalStyle(InverterKind::Nand));
        case CircuitKind::Nor:
            return buildGateCircuit(canvas, function, universalStyle(InverterKind::Nor));
        case CircuitKind::Basic: break;
    }
    return buildBasicCircuit(canvas, function);
}

void drawCircuit(Canvas& canvas, const FunctionView& function, CircuitKind kind) {
    switch (kind) {
        case CircuitKind::Basic: drawBasicCircuit(canvas, function); break;
        case CircuitKind::Nand: drawUniversalNandCircuit(canvas, function); break;
        case CircuitKind::Nor: drawUniversalNorCircuit(canvas, function); break;
    }
}

}  // namespace quendal::drawing
