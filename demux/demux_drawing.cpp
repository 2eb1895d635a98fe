#include "demux/demux_drawing.h"

#include "drawing/circuit_builder.h"
#include "drawing/drawing_kit.h"
#include "drawing/gates.h"

#include <algorithm>
#include <memory>
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

using circuit::NetId;

// The strobe is an active-low enable tied to ground, so the block is always
// enabled.
void addStrobe(drawing::CircuitBuilder& c, const DemuxGeometry& g, NetId ground) {
    const int x0 = g.x0, bottom = g.bottom;
    c.printAt(x0 - 1000, bottom - 450, " Strobe ");
    c.wire(ground, {x0, bottom - 250}, {x0 - 1000, bottom - 250}, circuit::Stroke::Plain);
    c.wire(ground, {x0 - 1000, bottom - 250}, {x0 - 1000, bottom - 10}, circuit::Stroke::Plain);
    c.ground(x0 - 1000, bottom - 10, true, false, ground);
    c.circle(x0 - 25, bottom - 250, 25);
}

// With no term to collect the function is constant: 0 for an empty min-term
// list, 1 for an empty max-term list. Y is then tied to ground or to Vcc
// where the combining gate would have stood.
void addConstantOutput(drawing::CircuitBuilder& c, const DemuxGeometry& g, bool high) {
    const int x = g.gateX, y = g.dataY;
    const NetId out = high ? c.constant(1, {x, y - 400}) : c.constant(0, {x, y + 240});
    c.wire(out, {x, y}, {x + 470, y});
    c.printAt(x + 500, y - 90, " Y ");
    c.output(out, {x + 470, y});
    if (high) {
        c.wire(out, {x, y}, {x, y - 400}, circuit::Stroke::Plain);
        c.printAt(x - 100, y - 400 - 200, "Vcc");
        return;
    }
    c.wire(out, {x, y}, {x, y + 240}, circuit::Stroke::Plain);
    c.ground(x, y + 240, true, false, out);
}

}  // namespace

drawing::DrawnCircuit buildDemux(const drawing::Canvas& canvas, const drawing::FunctionView& f,
                                 int din) {
    const int numVars = f.function.width;
    if (numVars < kDemuxMinVars || numVars > kDemuxMaxVars)
        throw std::out_of_range("A demultiplexer drawing needs 1 to 6 variables, not " +
                                std::to_string(numVars));
    const int x0 = drawing::kBlockOrigin.x, y0 = drawing::kBlockOrigin.y;
    const DemuxGeometry g(numVars, x0, y0);
    const std::vector<int> terms = drawing::termsBelow(f, g.outputs);
    const std::string header = drawing::implementationHeader(f);
    drawing::CircuitBuilder c(canvas, circuit::Style::Demux, f);

    // The canvas fits the drawing, smaller than a new one too, but is never
    // narrower than the header line.
    c.resize(std::max(g.width + x0 + 1800, c.textWidth(header)), g.height + y0 + 1000);

    c.printAt(0, 0, {});
    c.print(header);

    const bool activeLow = din != 1;
    const NetId ground = c.constant(0, {x0 - 1000, g.bottom - 10});
    const NetId data = c.constant(din == 1 ? 1 : 0, {x0 - 1200, g.dataY});
    std::vector<NetId> select, outputs;
    for (int i = 1; i <= numVars; ++i) select.push_back(c.variableNet(i - 1));
    for (int k = 0; k < g.outputs; ++k) outputs.push_back(c.net({}));
    {
        using circuit::PinRole;
        circuit::Part p;
        p.kind = circuit::PartKind::Demux;
        p.look = circuit::Look::Block;
        p.name = "demux" + std::to_string(c.netlist().parts.size());
        p.activeLowOutputs = activeLow;
        p.at = {x0, y0};
        p.box = {x0, y0, g.width, g.height};
        for (int i = 1; i <= numVars; ++i)
            p.pins.push_back({PinRole::Select,
                              select[static_cast<std::size_t>(i - 1)],
                              {x0 + i * 400, g.bottom}});
        p.pins.push_back({PinRole::Data, data, {x0, g.dataY}});
        p.pins.push_back({PinRole::Strobe, ground, {x0, g.bottom - 250}});
        for (int k = 0; k < g.outputs; ++k)
            p.pins.push_back(
                {PinRole::Out, outputs[static_cast<std::size_t>(k)], {g.right, g.yOut(k)}});
        c.body(c.part(std::move(p)));
    }
    addStrobe(c, g, ground);

    const int labelX = x0 + (numVars + 1) * 200 - 400;
    c.printAt(labelX, y0 + (g.outputs + 1) * 100 - 200, "1 : " + std::to_string(g.outputs));
    c.printAt(labelX, y0 + (g.outputs + 1) * 100, " DEMUX ");

    for (int i = 1; i <= g.outputs; ++i)
        c.printAt(g.right - 300, y0 + i * 200 - 100, drawing::PrintItem::number(i - 1).text);

    for (int i = 1; i <= numVars; ++i) {
        const int x = x0 + i * 400;
        c.wire(select[static_cast<std::size_t>(i - 1)], {x, g.bottom}, {x, g.bottom + 400},
               circuit::Stroke::Plain);
        c.printAt(x - 50, g.bottom + 500, drawing::varName(f, i));
        c.variable(i - 1, {x - 50, g.bottom + 500}, {x, g.bottom + 400});
    }

    c.wire(data, {x0, g.dataY}, {x0 - 1200, g.dataY}, circuit::Stroke::Plain);
    c.printAt(x0 - 1200, g.dataY - 250, " Din = Logic " + std::to_string(din));

    for (int i = 1; i <= g.outputs; ++i)
        c.wire(outputs[static_cast<std::size_t>(i - 1)], {g.right, y0 + i * 200},
               {g.right + 400, y0 + i * 200}, circuit::Stroke::Plain);

    const auto bubbles = [&] {
        for (int i = 1; i <= g.outputs; ++i)
            c.circle(g.right + 25, y0 + i * 200, 25, outputs[static_cast<std::size_t>(i - 1)]);
    };
    if (terms.empty()) {
        if (activeLow) bubbles();
        addConstantOutput(c, g, f.mode == logic::TermMode::Maxterms);
        return c.take();
    }

    const int yF = g.yOut(terms.front());
    const int yL = g.yOut(terms.back());
    const double yMid = (static_cast<double>(yF) + yL) / 2.0;
    for (int t : terms) {
        const NetId net = outputs[static_cast<std::size_t>(t)];
        const int yt = g.yOut(t);
        c.wire(net, {g.right + 400, yt}, {g.gateX, yt}, circuit::Stroke::Plain);
        // The lead that ends exactly at the gate's centre meets neither input
        // wire; this joins it to the upper one.
        if (yt == yMid) c.wire(net, {g.gateX, yF}, {g.gateX, yt}, circuit::Stroke::Plain);
    }

    if (activeLow) bubbles();

    // One gate collects the terms' outputs: OR (Din 1) or NAND on active-low
    // outputs (Din 0) for min-terms, NOR or AND for max-terms. Its input bar
    // runs from the first lead to the last; a single lead feeds both inputs.
    using circuit::PartKind;
    const bool minterms = f.mode == logic::TermMode::Minterms;
    const PartKind kind = minterms ? (activeLow ? PartKind::Nand : PartKind::Or)
                                   : (activeLow ? PartKind::And : PartKind::Nor);
    const int gateY = drawing::roundHalfToEven(yMid);
    const int reach = kind == PartKind::And ? 450 : kind == PartKind::Or ? 470 : 500;
    const NetId out = c.net("Y");
    circuit::Part gate;
    gate.kind = kind;
    gate.look = circuit::Look::Combiner;
    gate.name = "g" + std::to_string(c.netlist().parts.size());
    gate.at = {g.gateX, gateY};
    gate.box = {g.gateX, std::min(yF, gateY - 150), reach,
                std::max(yL, gateY + 150) - std::min(yF, gateY - 150)};
    for (int t : terms)
        gate.pins.push_back(
            {circuit::PinRole::In, outputs[static_cast<std::size_t>(t)], {g.gateX, g.yOut(t)}});
    if (terms.size() == 1) gate.pins.push_back(gate.pins.front());
    gate.pins.push_back({circuit::PinRole::Out, out, {g.gateX + reach, gateY}});
    c.body(c.part(std::move(gate)));
    c.output(out, {g.gateX + reach, gateY});
    return c.take();
}

void drawDemux(drawing::Canvas& canvas, const drawing::FunctionView& f, int din) {
    auto drawn = std::make_shared<drawing::DrawnCircuit>(buildDemux(canvas, f, din));
    drawing::renderCircuit(canvas, *drawn);
    canvas.setCircuit(std::move(drawn));
}

}  // namespace quendal::demux
