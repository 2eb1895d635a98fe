#include "demux/demux_drawing.h"

#include "drawing/drawing_kit.h"
#include "drawing/gates.h"

#include <algorithm>
#include <stdexcept>

namespace quendal::demux {

DemuxGeometry::DemuxGeometry(int numVars_, int x0_, int y0_) : numVars(numVars_), x0(x0_), y0(y0_) {
    N = 1 << numVars;
    W = (numVars + 1) * 400;
    H = (N + 1) * 200;
    Xo = x0 + W;
    Yb = y0 + H;
    Ym = y0 + H / 2;
    X8 = Xo + 800;
}

namespace {

// The strobe is an active-low enable tied to ground, so the block is always
// enabled.
void drawStrobe(drawing::Canvas& c, const DemuxGeometry& g) {
    const int x0 = g.x0, Yb = g.Yb;
    c.printAt(x0 - 1000, Yb - 450, {" Strobe "});
    c.line(x0, Yb - 250, x0 - 1000, Yb - 250);
    c.line(x0 - 1000, Yb - 250, x0 - 1000, Yb - 10);
    drawing::drawGround(c, x0 - 1000, Yb - 10, drawing::GroundSize::Large);
    c.circle(x0 - 25, Yb - 250, 25);
}

// With no term to collect the function is constant: 0 for an empty min-term
// list, 1 for an empty max-term list. Y is then tied to ground or to Vcc
// where the combining gate would have stood.
void drawConstantOutput(drawing::Canvas& c, const DemuxGeometry& g, bool high) {
    const int X = g.X8, Y = g.Ym;
    c.line(X, Y, X + 470, Y, drawing::colours::green);
    c.printAt(X + 500, Y - 90, {" Y "});
    if (high) {
        c.line(X, Y, X, Y - 400);
        drawing::printVccLabel(c, X, Y - 400);
        return;
    }
    c.line(X, Y, X, Y + 240);
    drawing::drawGround(c, X, Y + 240, drawing::GroundSize::Large);
}

}  // namespace

void drawDemux(drawing::Canvas& c, const drawing::FunctionView& f, int din) {
    const int numVars = f.function.width;
    if (numVars < kDemuxMinVars || numVars > kDemuxMaxVars)
        throw std::out_of_range("A demultiplexer drawing needs 1 to 6 variables, not " +
                                std::to_string(numVars));
    const int x0 = drawing::kBlockOrigin.x, y0 = drawing::kBlockOrigin.y;
    const DemuxGeometry g(numVars, x0, y0);
    const std::vector<int> terms = drawing::termsBelow(f, g.N);
    const std::string header = drawing::implementationHeader(f);

    // The canvas fits the drawing, smaller than a new one too, but is never
    // narrower than the header line.
    c.setSize(std::max(g.W + x0 + 1800, c.textWidth(header)), g.H + y0 + 1000);

    drawing::printImplementationHeader(c, header);

    c.box(x0, y0, g.W, g.H);
    drawStrobe(c, g);

    const int labelX = x0 + (numVars + 1) * 200 - 400;
    c.printAt(labelX, y0 + (g.N + 1) * 100 - 200, {"1 : " + std::to_string(g.N)});
    c.printAt(labelX, y0 + (g.N + 1) * 100, {" DEMUX "});

    for (int i = 1; i <= g.N; ++i)
        c.printAt(g.Xo - 300, y0 + i * 200 - 100, {drawing::PrintItem::number(i - 1)});

    for (int i = 1; i <= numVars; ++i) {
        const int x = x0 + i * 400;
        c.line(x, g.Yb, x, g.Yb + 400);
        c.printAt(x - 50, g.Yb + 500, {drawing::varName(f, i)});
    }

    c.line(x0, g.Ym, x0 - 1200, g.Ym);
    c.printAt(x0 - 1200, g.Ym - 250, {" Din = Logic " + std::to_string(din)});

    for (int i = 1; i <= g.N; ++i) c.line(g.Xo, y0 + i * 200, g.Xo + 400, y0 + i * 200);

    const bool activeLow = din != 1;
    if (terms.empty()) {
        if (activeLow)
            for (int i = 1; i <= g.N; ++i) c.circle(g.Xo + 25, y0 + i * 200, 25);
        drawConstantOutput(c, g, f.mode == logic::TermMode::Maxterms);
        return;
    }

    const int yF = g.yOut(terms.front());
    const int yL = g.yOut(terms.back());
    const double yMid = (static_cast<double>(yF) + yL) / 2.0;
    for (int t : terms) {
        const int yt = g.yOut(t);
        c.line(g.Xo + 400, yt, g.X8, yt);
        // The lead that ends exactly at the gate's centre meets neither input
        // wire; this joins it to the upper one.
        if (yt == yMid) c.line(g.X8, yF, g.X8, yt);
    }

    if (activeLow)
        for (int i = 1; i <= g.N; ++i) c.circle(g.Xo + 25, y0 + i * 200, 25);

    // A fresh gate area: the gate stands at X8 whatever an earlier drawing
    // left, and its inputs get no junction dots.
    drawing::GateArea area;
    if (f.mode == logic::TermMode::Minterms) {
        if (activeLow)
            drawing::drawNandGate(c, area, g.X8, yF, g.X8, yL);
        else
            drawing::drawOrGate(c, area, g.X8, yF, g.X8, yL);
    } else {
        if (activeLow)
            drawing::drawAndGate(c, area, g.X8, yF, g.X8, yL);
        else
            drawing::drawNorGate(c, area, g.X8, yF, g.X8, yL);
    }
}

}  // namespace quendal::demux
