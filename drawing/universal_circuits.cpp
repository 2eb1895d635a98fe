#include "drawing/universal_circuits.h"

#include "drawing/circuit_layout.h"
#include "drawing/gates.h"

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

// A single-literal term's output is the other line of its variable: the
// complement of the literal in the NAND circuit, the literal in the NOR one.
const CircuitStyle kNandStyle{
    .userLabel = kUserLabel,
    .dateLabel = kDateLabel,
    .timeLabel = kTimeLabel,
    .inverter = InverterKind::Nand,
    .tapsOpposite = false,
    .literalGate = nandLiteralGate,
    .singleShiftPlain = 250,
    .singleShiftMarked = -250,
    .joinGate = nandJoinGate,
    .invertsSingleTerm = true,
};

const CircuitStyle kNorStyle{
    .userLabel = kUserLabel,
    .dateLabel = kDateLabel,
    .timeLabel = kTimeLabel,
    .inverter = InverterKind::Nor,
    .tapsOpposite = true,
    .literalGate = norLiteralGate,
    .singleShiftPlain = -250,
    .singleShiftMarked = 250,
    .joinGate = norJoinGate,
    .invertsSingleTerm = false,
};

}  // namespace

void drawUniversalNandCircuit(Canvas& canvas, const FunctionView& function) {
    drawGateCircuit(canvas, function, kNandStyle);
}

void drawUniversalNorCircuit(Canvas& canvas, const FunctionView& function) {
    drawGateCircuit(canvas, function, kNorStyle);
}

void drawCircuit(Canvas& canvas, const FunctionView& function, CircuitKind kind) {
    switch (kind) {
        case CircuitKind::Basic: drawBasicCircuit(canvas, function); break;
        case CircuitKind::Nand: drawUniversalNandCircuit(canvas, function); break;
        case CircuitKind::Nor: drawUniversalNorCircuit(canvas, function); break;
    }
}
