#include "drawing/universal_circuits.h"

#include "drawing/circuit_layout.h"
#include "drawing/gates.h"

namespace quendal::drawing {

namespace {

// The last literal of a term is one gate; any earlier one is a compound gate
// so that the chain keeps the polarity its next stage expects.
Point nandLiteralGate(Canvas& c, GateArea& a, int x1, int y1, int x2, int y2, bool last) {
    return last ? drawNandGate(c, a, x1, y1, x2, y2) : drawAndUsingNandGate(c, a, x1, y1, x2, y2);
}

Point nandJoinGate(Canvas& c, GateArea& a, int x1, int y1, int x2, int y2, bool lastTerm) {
    return lastTerm ? drawNandGate(c, a, x1, y1, x2, y2)
                    : drawAndUsingNandGate(c, a, x1, y1, x2, y2);
}

Point norLiteralGate(Canvas& c, GateArea& a, int x1, int y1, int x2, int y2, bool last) {
    return last ? drawNorGate(c, a, x1, y1, x2, y2) : drawOrUsingNorGate(c, a, x1, y1, x2, y2);
}

Point norJoinGate(Canvas& c, GateArea& a, int x1, int y1, int x2, int y2, bool) {
    return drawOrUsingNorGate(c, a, x1, y1, x2, y2);
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

void drawCircuit(Canvas& canvas, const FunctionView& function, CircuitKind kind) {
    switch (kind) {
        case CircuitKind::Basic: drawBasicCircuit(canvas, function); break;
        case CircuitKind::Nand: drawUniversalNandCircuit(canvas, function); break;
        case CircuitKind::Nor: drawUniversalNorCircuit(canvas, function); break;
    }
}

}  // namespace quendal::drawing
