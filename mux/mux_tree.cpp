#include "mux/mux_tree.h"

#include "drawing/drawing_kit.h"
#include "drawing/gates.h"
#include "mux/mux_block.h"
#include "mux/mux_terms.h"

#include <memory>
#include <vector>

namespace quendal::mux {

namespace {

// The first-level blocks stand in a column at this x, the first one at kY0.
constexpr int kX0 = drawing::kBlockOrigin.x;
constexpr int kY0 = 1000;
constexpr int kVccX = kX0 - kVccRailLeft;
constexpr int kGroundX = kX0 - kGroundRailLeft;
// The rails start this far below the top of the canvas.
constexpr int kRailTop = 800;

using circuit::NetId;
using circuit::Point;
using circuit::Stroke;

// The rails, each a constant made when the first input is tied to it.
struct Rails {
    NetId vcc = circuit::kNoNet, ground = circuit::kNoNet;
    Point vccPin, groundPin;

    NetId get(drawing::CircuitBuilder& b, bool one) {
        NetId& net = one ? vcc : ground;
        if (net == circuit::kNoNet) net = b.constant(one ? 1 : 0, one ? vccPin : groundPin);
        return net;
    }
};

// This drawing's connection marks are filled discs in the foreground colour.
void filledDot(drawing::CircuitBuilder& b, NetId net, int x, int y) {
    b.dot(net, {x, y}, circuit::DotKind::Filled);
}

void plainWire(drawing::CircuitBuilder& b, NetId net, int x1, int y1, int x2, int y2) {
    b.wire(net, {x1, y1}, {x2, y2}, Stroke::Plain);
}

// First-level block muxNo as drawMux draws it, in a circuit being built; its
// strobe on the given net (kNoNet: none). Returns the output's net.
NetId addMux(drawing::CircuitBuilder& c, const drawing::FunctionView& function, int selectLines,
             int muxNo, int noOfMux, int xin, int yin, Rails& rails, NetId strobe) {
    const int v = selectLines;
    const int numVars = function.function.width;
    const MuxBlock b{v, xin, yin};
    const int N = b.N();
    enlargeForBlock(c, b);

    const std::vector<bool> vcc = tiedToVcc(function, N * noOfMux);
    const int first = (muxNo - 1) * N;
    std::vector<NetId> select, data;
    for (int s = 1; s <= v; ++s) select.push_back(c.variableNet(numVars - v + s - 1));
    for (int m = 0; m < N; ++m)
        data.push_back(rails.get(c, vcc[static_cast<std::size_t>(first + m)]));
    const NetId out = c.net({});
    // An even block sits 800 below the odd one and takes its select lines
    // through its top edge, so only odd blocks draw them.
    const bool odd = muxNo % 2 == 1;
    addBlock(c, b, select, data, numVars - v == 1 ? strobe : circuit::kNoNet, out, !odd);

    if (odd) {
        for (int s = 1; s <= v; ++s) {
            const NetId net = select[static_cast<std::size_t>(s - 1)];
            const int x = b.xSel(s);
            plainWire(c, net, x, b.bottom(), x, b.bottom() + 800);
            if (noOfMux > 1) {
                const int y = b.bottom() + 100 * s + 120;
                plainWire(c, net, x, y, selectTieX(xin, s, v, numVars), y);
                filledDot(c, net, x, y);
            }
            c.printAt(x + 50, b.bottom(), drawing::varName(function, numVars - v + s));
            c.variable(numVars - v + s - 1, {x + 50, b.bottom()}, {x, b.bottom()});
        }
    }

    plainWire(c, out, b.right(), b.yOut(), b.right() + 400, b.yOut());

    const auto tie = [&](int m, int rail) {
        const NetId net = data[static_cast<std::size_t>(m)];
        filledDot(c, net, rail, b.yIn(m));
        plainWire(c, net, rail, b.yIn(m), xin, b.yIn(m));
    };
    if (function.mode == logic::TermMode::Minterms) {
        for (int m = 0; m < N; ++m)
            if (vcc[static_cast<std::size_t>(first + m)]) tie(m, xin - kVccRailLeft);
        for (int m = 0; m < N; ++m)
            if (!vcc[static_cast<std::size_t>(first + m)]) tie(m, xin - kGroundRailLeft);
    } else {
        for (int m = 0; m < N; ++m)
            tie(m, vcc[static_cast<std::size_t>(first + m)] ? xin - kVccRailLeft
                                                            : xin - kGroundRailLeft);
    }
    return out;
}

}  // namespace

int selectTieX(int xin, int s, int selectLines, int numVars) {
    const int pitch = (numVars - selectLines == 2 && selectLines >= 5) ? 200 : 400;
    return xin - 3000 + pitch * s;
}

void drawMux(drawing::Canvas& canvas, const drawing::FunctionView& function, int selectLines,
             int muxNo, int noOfMux, int xin, int yin) {
    drawing::CircuitBuilder c(canvas, circuit::Style::Mux, function);
    Rails rails{
        circuit::kNoNet, circuit::kNoNet, {xin - kVccRailLeft, yin}, {xin - kGroundRailLeft, yin}};
    addMux(c, function, selectLines, muxNo, noOfMux, xin, yin, rails, c.net({}));
    drawing::renderCircuit(canvas, c.take());
}

drawing::DrawnCircuit buildMulMux(const drawing::Canvas& canvas,
                                  const drawing::FunctionView& function, int selectLines) {
    const int numVars = function.function.width;
    const int k = selectLines;
    const int numTerms = 1 << numVars;
    const int P = 1 << k;
    const int M = numTerms / P;
    const int h = P * 200 + 1000;
    const int railEnd = M * h + 500;
    drawing::CircuitBuilder c(canvas, circuit::Style::Mux, function);
    Rails rails{circuit::kNoNet, circuit::kNoNet, {kVccX, kRailTop}, {kGroundX, railEnd}};

    // With one variable left over, it enables the first block (active low)
    // and, inverted, the second.
    const bool strobed = numVars - k == 1;
    const NetId first = strobed ? c.variableNet(0) : circuit::kNoNet;
    const NetId firstBar = strobed ? c.net({}) : circuit::kNoNet;
    std::vector<NetId> outputs;
    for (int q = 1; q <= M; ++q)
        outputs.push_back(
            addMux(c, function, k, q, M, kX0, (q - 1) * h + kY0, rails, q == 1 ? first : firstBar));

    // A rail is drawn only where some input hangs on it: a function that is 0
    // everywhere has no Vcc rail, one that is 1 everywhere no ground rail.
    c.printAt(kVccX - 100, kRailTop - 200, "Vcc");
    if (rails.vcc != circuit::kNoNet) plainWire(c, rails.vcc, kVccX, kRailTop, kVccX, railEnd);
    if (rails.ground != circuit::kNoNet) {
        plainWire(c, rails.ground, kGroundX, kRailTop, kGroundX, railEnd);
        c.ground(kGroundX, railEnd, false, true, rails.ground);
    }

    const int outputEndX = kX0 + (k + 1) * 400 + 400;
    if (strobed) {
        // Each drawing has its own gate area, so the OR gate always stands at
        // the end of the output lines, whatever was drawn before.
        drawing::GateArea area;
        const NetId y = c.net("Y");
        const drawing::Tap out = drawing::addGate(
            c, area, circuit::PartKind::Or, {{outputEndX, kY0 + (P + 1) * 100}, outputs[0]},
            {{outputEndX, h + kY0 + (P + 1) * 100}, outputs[1]}, y);
        for (int q = 1; q <= M; ++q)
            plainWire(c, q == 1 ? first : firstBar, 4200, q * h + 325, 2000, q * h + 325);
        plainWire(c, first, 2000, h + 325, 1000, h + 325);
        c.printAt(900, h + 150, drawing::varName(function, 1));
        c.variable(0, {900, h + 150}, {1000, h + 325});
        for (int s = 1; s <= k; ++s) {
            const int yS = h + 320 + 100 * s;
            plainWire(c, c.variableNet(numVars - k + s - 1), 1000, yS,
                      selectTieX(kX0, s, k, numVars), yS);
        }
        filledDot(c, first, 2000, h + 325);
        const int yN = M * h / 4 + h + 400;
        plainWire(c, first, 2000, h + 325, 2000, yN);
        drawing::addInverter(c, drawing::InverterKind::Not, {{2000, yN}, first}, firstBar);
        plainWire(c, firstBar, 2000, yN + 200, 2000, M * h + 325);
        c.printAt(out.at.x + 50, out.at.y - 50, "Y");
        c.output(y, {out.at.x, out.at.y});
    } else if (numVars - k == 2) {
        const int yS = (M - 1) * h / 2 + 500 + (P + 1) * 100 - 40 * P;
        const int xS = kX0 + (k + 1) * 400 + 1500;
        const NetId y = addSimpleMux(c, function, k, xS, yS, outputs);
        const MuxBlock second{k, xS, yS};
        c.output(y, {second.right() + 400, second.yOut()});
        for (int q = 1; q <= M; ++q) {
            const NetId net = outputs[static_cast<std::size_t>(q - 1)];
            const int yFrom = (q - 1) * h + 600 + h / 2;
            const int yTo = yS + 200 * q;
            if (k == 2) {
                plainWire(c, net, outputEndX, yFrom, xS - 500, yTo);
                continue;
            }
            // A larger second-level block has unused inputs below input 3; a
            // slanted tie would run along their open ends, so the ties go
            // square. The outer two keep to the outer column, so no tie
            // crosses another.
            const int column = outputEndX + ((q == 1 || q == M) ? 400 : 200);
            plainWire(c, net, outputEndX, yFrom, column, yFrom);
            plainWire(c, net, column, yFrom, column, yTo);
            plainWire(c, net, column, yTo, xS - 500, yTo);
        }
        for (int s = 1; s <= k; ++s) {
            const NetId net = c.variableNet(numVars - k + s - 1);
            const int xs = selectTieX(kX0, s, k, numVars);
            const int yT = h + 100 * s + 325;
            plainWire(c, net, xs, (M - 1) * h + 100 * s + 325, xs, yT);
            plainWire(c, net, xs, yT, 1000, yT);
            filledDot(c, net, xs, yT);
        }
    }
    return c.take();
}

void drawMulMux(drawing::Canvas& canvas, const drawing::FunctionView& function, int selectLines) {
    auto drawn =
        std::make_shared<drawing::DrawnCircuit>(buildMulMux(canvas, function, selectLines));
    drawing::renderCircuit(canvas, *drawn);
    canvas.setCircuit(std::move(drawn));
}

}  // namespace quendal::mux
