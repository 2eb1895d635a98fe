#include "drawing/circuit_layout.h"

#include <algorithm>
#include <cstdint>

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

void printHeader(Canvas& c, const FunctionView& f, const CircuitStyle& style) {
    c.print();
    c.print(
        {style.userLabel, f.userName, style.dateLabel, f.dateText, style.timeLabel, f.timeText});
    c.print();
    c.print({"         Boolean Expression (SOP)   :   ", f.sopText});
    c.print({"         Boolean Expression (POS)   :   ", f.ipPosText});
    c.print({"         Minimized Equation (SOP)   :   ", f.minSopText});
    c.print({"         Minimized Equation (POS)   :   ", f.minPosText});
}

// The output marked with a dot and "Y" beside it.
void drawOutput(Canvas& c, int x, int y) {
    junctionDot(c, x, y);
    c.printAt(x + 100, y - 100, {"Y"});
}

// A function without any variable: Y tied to the supply rail or to ground.
void drawConstantOutput(Canvas& c, bool one) {
    constexpr int railX = 400, wireY = 2550, outX = 1400;
    constexpr int railLength = 100, groundLead = 200;
    if (one) {
        drawVccBar(c, railX, wireY - railLength);
        c.line(railX, wireY - railLength, railX, wireY, colours::green);
        c.line(railX, wireY, outX, wireY, colours::green);
    } else {
        c.line(railX, wireY, outX, wireY, colours::green);
        c.line(railX, wireY, railX, wireY + groundLead, colours::green);
        drawGround(c, railX, wireY + groundLead, GroundSize::Small);
    }
    drawOutput(c, outX, wireY);
}

void layoutCircuit(Canvas& c, const FunctionView& f, const CircuitStyle& style, CircuitLayout& L) {
    printHeader(c, f, style);

    L.area = GateArea{};
    L.area.gateAreaX = drawLines(c, L, f, style.inverter);

    if (isConstant(f)) {
        drawConstantOutput(c, !f.minimum.empty());
        return;
    }

    L.in1Y = L.linesY + 1050;
    L.in2Y = L.in1Y + 200;
    const std::size_t lastTerm = f.minimum.size() - 1, termCount = f.minimum.size();

    bool first = true;
    for (std::size_t i = 0; i < f.minimum.size(); ++i) {
        const std::vector<Literal> literals = literalsOf(f.minimum[i], f);

        for (std::size_t k = 0; k < literals.size(); ++k) {
            const Literal& lit = literals[k];
            L.curVar = lit.letter;
            const bool bar = style.tapsOpposite ? !lit.marked : lit.marked;
            if (k == 0) {
                L.in1X = findX(L, L.curVar, bar);
                continue;
            }
            L.in2X = findX(L, L.curVar, bar);
            const Point out = style.literalGate(c, L.area, L.in1X, L.in1Y, L.in2X, L.in2Y,
                                                k + 1 == literals.size());
            if (first) {
                L.orX = out.x;
                L.orY = out.y;
            } else {
                L.termX = out.x;
                L.termY = out.y;
            }
            L.in1X = out.x;
            L.in1Y = out.y;
            L.in2Y = out.y + 200;
        }

        if (literals.size() == 1) {
            const int x =
                L.in1X + (literals[0].marked ? style.singleShiftMarked : style.singleShiftPlain);
            if (first) {
                L.orX = x;
                L.orY = L.in1Y;
            } else {
                L.termX = x;
                L.termY = L.in1Y - 100;
            }
        }

        if (!first) {
            const Point out =
                style.joinGate(c, L.area, L.orX, L.orY, L.termX, L.termY, i == lastTerm);
            L.orX = out.x;
            L.orY = out.y;
        }

        L.in1Y = L.in2Y + 100;
        L.in2Y = L.in1Y + 200;
        first = false;
    }

    if (style.invertsSingleTerm && termCount == 1) {
        const Point out = drawNandGate(c, L.area, L.orX, L.orY, L.orX, L.orY);
        L.orX = out.x;
        L.orY = out.y;
    }

    drawOutput(c, L.orX, L.orY);
}

Point basicLiteralGate(Canvas& c, GateArea& a, int x1, int y1, int x2, int y2, bool) {
    return drawAndGate(c, a, x1, y1, x2, y2);
}

Point basicJoinGate(Canvas& c, GateArea& a, int x1, int y1, int x2, int y2, bool) {
    return drawOrGate(c, a, x1, y1, x2, y2);
}

const CircuitStyle kBasicStyle{.userLabel = "         User   :   ",
                               .dateLabel = "                      Date     :     ",
                               .timeLabel = "         Time     :       ",
                               .inverter = InverterKind::Not,
                               .tapsOpposite = false,
                               .literalGate = basicLiteralGate,
                               .singleShiftPlain = 0,
                               .singleShiftMarked = 0,
                               .joinGate = basicJoinGate,
                               .invertsSingleTerm = false};

}  // namespace

int drawLines(Canvas& c, CircuitLayout& L, const FunctionView& f, InverterKind inverter) {
    L.usedVars.clear();
    const int width = f.function.width;
    std::uint8_t fixed = 0;  // columns some product has a literal of
    if (!isConstant(f)) {
        for (const logic::Cube& cube : f.minimum) fixed |= static_cast<std::uint8_t>(~cube.free);
    }
    for (int column = 0; column < width; ++column) {
        if ((fixed >> (width - 1 - column)) & 1U) L.usedVars.push_back(varName(f, column + 1));
    }

    const int xstart = L.linesX, ystart = L.linesY;
    const int lineCount = static_cast<int>(L.usedVars.size());
    for (int m = 1; m <= lineCount; ++m) {
        const int X = xstart + kLinePitch * m;
        c.printAt(X - 200, ystart + 100, {L.usedVars[m - 1]});
        c.line(X - 200, ystart + 350, X - 200, L.linesBottom, colours::green);
        c.line(X - 200, ystart + 550, X + 50, ystart + 550, colours::green);
        c.line(X + 50, ystart + 550, X + 50, ystart + 700, colours::green);
        const int below = drawInverter(c, inverter, X + 50, ystart + 700);
        c.line(X + 50, ystart + 700 + below, X + 50, L.linesBottom, colours::green);
    }
    return xstart + kLinePitch * (lineCount + 1) - 300;
}

int findX(const CircuitLayout& L, const std::string& letter, bool bar) {
    for (std::size_t k = 0; k < L.usedVars.size(); ++k) {
        if (L.usedVars[k] != letter) continue;
        const int m = static_cast<int>(k) + 1;
        return bar ? L.linesX + kLinePitch * m + 50 : L.linesX + kLinePitch * m - 200;
    }
    return 0;
}

void drawGateCircuit(Canvas& canvas, const FunctionView& function, const CircuitStyle& style) {
    // Measure first, with the variable lines cut short so that only what
    // must be seen (gates, wires, texts) decides whether the canvas grows.
    BoundsCanvas bounds(canvas);
    CircuitLayout measured;
    measured.linesBottom = measured.linesY + 950;
    layoutCircuit(bounds, function, style, measured);

    CircuitLayout layout;
    if (!bounds.empty() && (bounds.right() > canvas.width() || bounds.bottom() > canvas.height())) {
        const int width = std::clamp(bounds.right() + kCircuitMargin, canvas.width(),
                                     std::max(canvas.width(), kMaxCircuitCanvas));
        const int height = std::clamp(bounds.bottom() + kCircuitMargin, canvas.height(),
                                      std::max(canvas.height(), kMaxCircuitCanvas));
        // The scroll maxima are left to the document window, which ranges its
        // bars over the picture it shows.
        canvas.setSize(width, height);
        layout.linesBottom = height;
    }
    layoutCircuit(canvas, function, style, layout);
}

void drawBasicCircuit(Canvas& canvas, const FunctionView& function) {
    drawGateCircuit(canvas, function, kBasicStyle);
}

}  // namespace quendal::drawing
