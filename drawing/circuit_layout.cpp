#include "drawing/circuit_layout.h"

#include <algorithm>
#include <cctype>

#include "drawing/bounds_canvas.h"
#include "drawing/drawing_kit.h"

namespace quendal::drawing {

namespace {

// Each variable's pair of lines stands this far right of the previous one.
constexpr int kLinePitch = 500;

bool containsIgnoringCase(const std::string& text, const std::string& part) {
    auto it = std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) ==
               std::toupper(static_cast<unsigned char>(b));
    });
    return it != text.end();
}

bool hasLetter(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

std::vector<std::string> splitAtPlus(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == '+')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

struct Literal {
    std::string letter;
    bool marked = false;  // followed by "'"
};

// A "'" belongs to the letter before it and is never read as a letter.
std::vector<Literal> literalsOf(const std::string& term) {
    std::vector<Literal> literals;
    for (std::size_t j = 0; j < term.size(); ++j) {
        Literal lit{std::string(1, term[j])};
        if (j + 1 < term.size() && term[j + 1] == '\'') {
            lit.marked = true;
            ++j;
        }
        literals.push_back(lit);
    }
    return literals;
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

    if (!hasLetter(f.minSopText)) {
        drawConstantOutput(c, f.minSopText == "1");
        return;
    }

    L.sopTerms = splitAtPlus(f.minSopText);
    L.in1Y = L.linesY + 1050;
    L.in2Y = L.in1Y + 200;

    // Empty pieces of a malformed text ("A++B") are no terms at all.
    std::size_t lastTerm = 0, termCount = 0;
    for (std::size_t i = 0; i < L.sopTerms.size(); ++i) {
        if (!L.sopTerms[i].empty()) {
            lastTerm = i;
            ++termCount;
        }
    }

    bool first = true;
    for (std::size_t i = 0; i < L.sopTerms.size(); ++i) {
        const std::vector<Literal> literals = literalsOf(L.sopTerms[i]);
        if (literals.empty()) continue;

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
    for (const std::string& name : f.varNames) {
        // An empty entry is a position the equation left unused, not a
        // variable: an empty text would be "found" in any text.
        if (name.empty()) continue;
        if (std::find(L.usedVars.begin(), L.usedVars.end(), name) != L.usedVars.end()) continue;
        if (containsIgnoringCase(f.minSopText, name)) L.usedVars.push_back(name);
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
