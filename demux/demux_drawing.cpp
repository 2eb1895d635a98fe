#include "demux/demux_drawing.h"

#include "drawing/drawing_kit.h"
#include "drawing/gates.h"

#include <algorithm>
#include <stdexcept>

namespace quendal::demux {

DemuxGeometry::DemuxGeometry(int numVars_, int x0_, int y0_) : numVars(numVars_), x0(x0_), y0(y0_) {
    outputs = 1 << numVars;
    width = (numVars + 1) * 400;
    height = (outputs + 1) * 200;
    right = x0 + width;
    bottom = y0 + height;
    dataY = y0 + height / 2;
    gateX = right + 800;
}

namespace {

// The strobe is an active-low enable tied to ground, so the block is always
// enabled.
void drawStrobe(drawing::Canvas& c, const DemuxGeometry& g) {
    const int x0 = g.x0, bottom = g.bottom;
    c.printAt(x0 - 1000, bottom - 450, {" Strobe "});
    c.line(x0, bottom - 250, x0 - 1000, bottom - 250);
    c.line(x0 - 1000, bottom - 250, x0 - 1000, bottom - 10);
    drawing::drawGround(c, x0 - 1000, bottom - 10, drawing::GroundSize::Large);
    c.circle(x0 - 25, bottom - 250, 25);
}

// With no term to collect the function is constant: 0 for an empty min-term
// list, 1 for an empty max-term list. Y is then tied to ground or to Vcc
// where the combining gate would have stood.
void drawConstantOutput(drawing::Canvas& c, const DemuxGeometry& g, bool high) {
    const int x = g.gateX, y = g.dataY;
    c.line(x, y, x + 470, y, drawing::colours::green);
    c.printAt(x + 500, y - 90, {" Y "});
    if (high) {
        c.line(x, y, x, y - 400);
        drawing::printVccLabel(c, x, y - 400);
        return;
    }
    c.line(x, y, x, y + 240);
    drawing::drawGround(c, x, y + 240, drawing::GroundSize::Large);
}

}  // namespace

void drawDemux(drawing::Canvas& c, const drawing::FunctionView& f, int din) {
    const int numVars = f.function.width;
    if (numVars < kDemuxMinVars || numVars > kDemuxMaxVars)
        throw std::out_of_range("A demultiplexer drawing needs 1 to 6 variables, not " +
                                std::to_string(numVars));
    const int x0 = drawing::kBlockOrigin.x, y0 = drawing::kBlockOrigin.y;
    const DemuxGeometry g(numVars, x0, y0);
    const std::vector<int> terms = drawing::termsBelow(f, g.outputs);
    const std::string header = drawing::implementationHeader(f);

    // The canvas fits the drawing, smaller than a new one too, but is never
    // narrower than the header line.
    c.setSize(std::max(g.width + x0 + 1800, c.textWidth(header)), g.height + y0 + 1000);

    drawing::printImplementationHeader(c, header);

    c.box(x0, y0, g.width, g.height);
    drawStrobe(c, g);

    const int labelX = x0 + (numVars + 1) * 200 - 400;
    c.printAt(labelX, y0 + (g.outputs + 1) * 100 - 200, {"1 : " + std::to_string(g.outputs)});
    c.printAt(labelX, y0 + (g.outputs + 1) * 100, {" DEMUX "});

    for (int i = 1; i <= g.outputs; ++i)
        c.printAt(g.right - 300, y0 + i * 200 - 100, {drawing::PrintItem::number(i - 1)});

    for (int i = 1; i <= numVars; ++i) {
        const int x = x0 + i * 400;
        c.line(x, g.bottom, x, g.bottom + 400);
        c.printAt(x - 50, g.bottom + 500, {drawing::varName(f, i)});
    }

    c.line(x0, g.dataY, x0 - 1200, g.dataY);
    c.printAt(x0 - 1200, g.dataY - 250, {" Din = Logic " + std::to_string(din)});

    for (int i = 1; i <= g.outputs; ++i) c.line(g.right, y0 + i * 200, g.right + 400, y0 + i * 200);

    const bool activeLow = din != 1;
    if (terms.empty()) {
        if (activeLow)
            for (int i = 1; i <= g.outputs; ++i) c.circle(g.right + 25, y0 + i * 200, 25);
        drawConstantOutput(c, g, f.mode == logic::TermMode::Maxterms);
        return;
    }

    const int yF = g.yOut(terms.front());
    const int yL = g.yOut(terms.back());
    const double yMid = (static_cast<double>(yF) + yL) / 2.0;
    for (int t : terms) {
        const int yt = g.yOut(t);
        c.line(g.right + 400, yt, g.gateX, yt);
        // The lead that ends exactly at the gate's centre meets neither input
        // wire; this joins it to the upper one.
        if (yt == yMid) c.line(g.gateX, yF, g.gateX, yt);
    }

    if (activeLow)
        for (int i = 1; i <= g.outputs; ++i) c.circle(g.right + 25, y0 + i * 200, 25);

    // A fresh gate area: the gate stands at gateX whatever an earlier drawing
    // left, and its inputs get no junction dots.
    drawing::GateArea area;
    if (f.mode == logic::TermMode::Minterms) {
        if (activeLow)
            drawing::drawNandGate(c, area, g.gateX, yF, g.gateX, yL);
        else
            drawing::drawOrGate(c, area, g.gateX, yF, g.gateX, yL);
    } else {
        if (activeLow)
            drawing::drawAndGate(c, area, g.gateX, yF, g.gateX, yL);
        else
            drawing::drawNorGate(c, area, g.gateX, yF, g.gateX, yL);
    }
}

}  // namespace quendal::demux
