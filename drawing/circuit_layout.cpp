#include "drawing/circuit_layout.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "drawing/bounds_canvas.h"
#include "drawing/drawing_kit.h"

namespace quendal::drawing {

namespace {

// Each variable's pair of lines stands this far right of the previous one.
constexpr int kLinePitch = 500;

struct Literal {
    std::string letter;
    bool marked = false;  // complemented: written with "'"
};

// A product's literals in column order, as its text lists them.
std::vector<Literal> literalsOf(const logic::Cube& cube, const FunctionView& f) {
    std::vector<Literal> literals;
    const int width = f.function.width;
    for (int column = 0; column < width; ++column) {
        const int bit = width - 1 - column;
        if ((cube.free >> bit) & 1U) continue;
        literals.push_back({varName(f, column + 1), ((cube.value >> bit) & 1U) == 0});
    }
    return literals;
}

// The function is a constant when the cover is empty (0) or holds a product
// without literals (1).
bool isConstant(const FunctionView& f) {
    const int width = f.function.width;
    return f.minimum.empty() ||
           std::any_of(f.minimum.begin(), f.minimum.end(),
                       [width](const logic::Cube& cube) { return cube.literals(width) == 0; });
}

void printHeader(CircuitBuilder& b, const FunctionView& f, const CircuitStyle& style) {
    b.print();
    b.print(style.userLabel + f.userName + style.dateLabel + f.dateText + style.timeLabel +
            f.timeText);
    b.print();
    b.print("         Boolean Expression (SOP)   :   " + f.sopText);
    b.print("         Boolean Expression (POS)   :   " + f.ipPosText);
    b.print("         Minimized Equation (SOP)   :   " + f.minSopText);
    b.print("         Minimized Equation (POS)   :   " + f.minPosText);
}

// The output marked with a dot and "Y" beside it.
void addOutput(CircuitBuilder& b, Tap out) {
    b.dot(out.net, {out.at.x, out.at.y}, circuit::DotKind::Junction);
    b.printAt(out.at.x + 100, out.at.y - 100, "Y");
    b.output(out.net, {out.at.x, out.at.y});
}

// A function without any variable: Y tied to the supply rail or to ground.
void addConstantOutput(CircuitBuilder& b, bool one) {
    constexpr int railX = 400, wireY = 2550, outX = 1400;
    constexpr int railLength = 100, groundLead = 200;
    circuit::NetId net;
    if (one) {
        net = b.constant(1, {railX, wireY - railLength});
        b.vccBar(railX, wireY - railLength, net);
        b.wire(net, {railX, wireY - railLength}, {railX, wireY});
        b.wire(net, {railX, wireY}, {outX, wireY});
    } else {
        net = b.constant(0, {railX, wireY + groundLead});
        b.wire(net, {railX, wireY}, {outX, wireY});
        b.wire(net, {railX, wireY}, {railX, wireY + groundLead});
        b.ground(railX, wireY + groundLead, false, false, net);
    }
    addOutput(b, {{outX, wireY}, net});
}

// The net of the variable line at x.
circuit::NetId lineNet(const CircuitLayout& L, int x) {
    for (std::size_t k = 0; k < L.usedVars.size(); ++k) {
        const int m = static_cast<int>(k) + 1;
        if (x == L.linesX + kLinePitch * m - 200) return L.trueNets[k];
        if (x == L.linesX + kLinePitch * m + 50) return L.complementNets[k];
    }
    return circuit::kNoNet;
}

void layoutCircuit(CircuitBuilder& b, const FunctionView& f, const CircuitStyle& style,
                   CircuitLayout& L) {
    printHeader(b, f, style);

    L.area = GateArea{};
    L.area.gateAreaX = addLines(b, L, f, style.inverter);

    if (isConstant(f)) {
        addConstantOutput(b, !f.minimum.empty());
        return;
    }

    L.in1Y = L.linesY + 1050;
    L.in2Y = L.in1Y + 200;
    const std::size_t lastTerm = f.minimum.size() - 1, termCount = f.minimum.size();

    // The nets that travel with in1, the running output and the term.
    circuit::NetId in1Net = circuit::kNoNet, orNet = circuit::kNoNet, termNet = circuit::kNoNet;
    bool first = true;
    for (std::size_t i = 0; i < f.minimum.size(); ++i) {
        const std::vector<Literal> literals = literalsOf(f.minimum[i], f);

        for (std::size_t k = 0; k < literals.size(); ++k) {
            const Literal& lit = literals[k];
            L.curVar = lit.letter;
            const bool bar = style.tapsOpposite ? !lit.marked : lit.marked;
            if (k == 0) {
                L.in1X = findX(L, L.curVar, bar);
                in1Net = lineNet(L, L.in1X);
                continue;
            }
            L.in2X = findX(L, L.curVar, bar);
            const Tap out =
                style.literalGate(b, L.area, {{L.in1X, L.in1Y}, in1Net},
                                  {{L.in2X, L.in2Y}, lineNet(L, L.in2X)}, k + 1 == literals.size());
            if (first) {
                L.orX = out.at.x;
                L.orY = out.at.y;
                orNet = out.net;
            } else {
                L.termX = out.at.x;
                L.termY = out.at.y;
                termNet = out.net;
            }
            L.in1X = out.at.x;
            L.in1Y = out.at.y;
            in1Net = out.net;
            L.in2Y = out.at.y + 200;
        }

        if (literals.size() == 1) {
            const int x =
                L.in1X + (literals[0].marked ? style.singleShiftMarked : style.singleShiftPlain);
            if (first) {
                L.orX = x;
                L.orY = L.in1Y;
                orNet = lineNet(L, x);
            } else {
                L.termX = x;
                L.termY = L.in1Y - 100;
                termNet = lineNet(L, x);
            }
        }

        if (!first) {
            const Tap out = style.joinGate(b, L.area, {{L.orX, L.orY}, orNet},
                                           {{L.termX, L.termY}, termNet}, i == lastTerm);
            L.orX = out.at.x;
            L.orY = out.at.y;
            orNet = out.net;
        }

        L.in1Y = L.in2Y + 100;
        L.in2Y = L.in1Y + 200;
        first = false;
    }

    if (style.invertsSingleTerm && termCount == 1) {
        const Tap in{{L.orX, L.orY}, orNet};
        const Tap out = addGate(b, L.area, circuit::PartKind::Nand, in, in);
        L.orX = out.at.x;
        L.orY = out.at.y;
        orNet = out.net;
    }

    addOutput(b, {{L.orX, L.orY}, orNet});
}

Tap basicLiteralGate(CircuitBuilder& b, GateArea& a, Tap in1, Tap in2, bool) {
    return addGate(b, a, circuit::PartKind::And, in1, in2);
}

Tap basicJoinGate(CircuitBuilder& b, GateArea& a, Tap in1, Tap in2, bool) {
    return addGate(b, a, circuit::PartKind::Or, in1, in2);
}

const CircuitStyle kBasicStyle{.userLabel = "         User   :   ",
                               .dateLabel = "                      Date     :     ",
                               .timeLabel = "         Time     :       ",
                               .inverter = InverterKind::Not,
                               .tapsOpposite = false,
                               .model = circuit::Style::Basic,
                               .literalGate = basicLiteralGate,
                               .singleShiftPlain = 0,
                               .singleShiftMarked = 0,
                               .joinGate = basicJoinGate,
                               .invertsSingleTerm = false};

}  // namespace

int addLines(CircuitBuilder& b, CircuitLayout& L, const FunctionView& f, InverterKind inverter) {
    L.usedVars.clear();
    L.trueNets.clear();
    L.complementNets.clear();
    const int width = f.function.width;
    std::uint8_t fixed = 0;  // columns some product has a literal of
    if (!isConstant(f)) {
        for (const logic::Cube& cube : f.minimum) fixed |= static_cast<std::uint8_t>(~cube.free);
    }
    std::vector<int> columns;
    for (int column = 0; column < width; ++column) {
        if ((fixed >> (width - 1 - column)) & 1U) {
            L.usedVars.push_back(varName(f, column + 1));
            columns.push_back(column);
        }
    }

    const int xstart = L.linesX, ystart = L.linesY;
    const int lineCount = static_cast<int>(L.usedVars.size());
    for (int m = 1; m <= lineCount; ++m) {
        const int X = xstart + kLinePitch * m;
        b.printAt(X - 200, ystart + 100, L.usedVars[static_cast<std::size_t>(m - 1)]);
        const circuit::NetId line = b.variable(columns[static_cast<std::size_t>(m - 1)],
                                               {X - 200, ystart + 100}, {X - 200, ystart + 350});
        b.wire(line, {X - 200, ystart + 350}, {X - 200, L.linesBottom});
        b.wire(line, {X - 200, ystart + 550}, {X + 50, ystart + 550});
        b.wire(line, {X + 50, ystart + 550}, {X + 50, ystart + 700});
        const Tap bar = addInverter(b, inverter, {{X + 50, ystart + 700}, line});
        b.wire(bar.net, {bar.at.x, bar.at.y}, {X + 50, L.linesBottom});
        L.trueNets.push_back(line);
        L.complementNets.push_back(bar.net);
    }
    return xstart + kLinePitch * (lineCount + 1) - 300;
}

int drawLines(Canvas& c, CircuitLayout& L, const FunctionView& f, InverterKind inverter) {
    CircuitBuilder b(c, circuit::Style::Basic, f);
    const int gateAreaX = addLines(b, L, f, inverter);
    renderCircuit(c, b.take());
    return gateAreaX;
}

int findX(const CircuitLayout& L, const std::string& letter, bool bar) {
    for (std::size_t k = 0; k < L.usedVars.size(); ++k) {
        if (L.usedVars[k] != letter) continue;
        const int m = static_cast<int>(k) + 1;
        return bar ? L.linesX + kLinePitch * m + 50 : L.linesX + kLinePitch * m - 200;
    }
    return 0;
}

DrawnCircuit buildGateCircuit(const Canvas& canvas, const FunctionView& function,
                              const CircuitStyle& style) {
    // Measure first, with the variable lines cut short so that only what
    // must be seen (gates, wires, texts) decides whether the canvas grows.
    BoundsCanvas bounds(canvas);
    {
        CircuitBuilder measure(canvas, style.model, function);
        CircuitLayout measured;
        measured.linesBottom = measured.linesY + 950;
        layoutCircuit(measure, function, style, measured);
        renderCircuit(bounds, measure.take());
    }

    CircuitBuilder b(canvas, style.model, function);
    CircuitLayout layout;
    if (!bounds.empty() && (bounds.right() > canvas.width() || bounds.bottom() > canvas.height())) {
        const int width = std::clamp(bounds.right() + kCircuitMargin, canvas.width(),
                                     std::max(canvas.width(), kMaxCircuitCanvas));
        const int height = std::clamp(bounds.bottom() + kCircuitMargin, canvas.height(),
                                      std::max(canvas.height(), kMaxCircuitCanvas));
        // The scroll maxima are left to the document window, which ranges its
        // bars over the picture it shows.
        b.resize(width, height);
        layout.linesBottom = height;
    }
    layoutCircuit(b, function, style, layout);
    return b.take();
}

void drawGateCircuit(Canvas& canvas, const FunctionView& function, const CircuitStyle& style) {
    auto drawn = std::make_shared<DrawnCircuit>(buildGateCircuit(canvas, function, style));
    renderCircuit(canvas, *drawn);
    canvas.setCircuit(std::move(drawn));
}

DrawnCircuit buildBasicCircuit(const Canvas& canvas, const FunctionView& function) {
    return buildGateCircuit(canvas, function, kBasicStyle);
}

void drawBasicCircuit(Canvas& canvas, const FunctionView& function) {
    drawGateCircuit(canvas, function, kBasicStyle);
}

}  // namespace quendal::drawing
