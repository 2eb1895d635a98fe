#include "drawing/drawn_circuit.h"

#include "drawing/circuit_builder.h"
#include "drawing/drawing_kit.h"
#include "drawing/gates.h"

namespace quendal::drawing {

namespace {

using circuit::Look;
using circuit::Part;
using circuit::PartKind;
using circuit::PinRole;
using Kind = DrawnCircuit::Element::Kind;

Point toPoint(circuit::Point p) {
    return {p.x, p.y};
}

void drawTwoInputBody(Canvas& c, PartKind kind, Point at) {
    switch (kind) {
        case PartKind::And: drawAndBody(c, at); break;
        case PartKind::Nand: drawNandBody(c, at); break;
        case PartKind::Or: drawOrBody(c, at); break;
        case PartKind::Nor: drawNorBody(c, at); break;
        default: break;
    }
}

// The demultiplexer's gate: its input bar runs from the first lead to the
// last, and the body stands between them, as the gate primitives place it.
void drawCombiner(Canvas& c, const Part& p) {
    const std::vector<circuit::Pin> in = p.inputs();
    if (in.empty()) return;
    const int x = p.at.x, yF = in.front().at.y, yL = in.back().at.y;
    GateArea area;
    switch (p.kind) {
        case PartKind::And: drawAndGate(c, area, x, yF, x, yL); break;
        case PartKind::Nand: drawNandGate(c, area, x, yF, x, yL); break;
        case PartKind::Or: drawOrGate(c, area, x, yF, x, yL); break;
        case PartKind::Nor: drawNorGate(c, area, x, yF, x, yL); break;
        default: break;
    }
}

void drawBody(Canvas& c, const Part& p) {
    switch (p.look) {
        case Look::Terminal: return;
        case Look::Gate: drawTwoInputBody(c, p.kind, toPoint(p.at)); return;
        case Look::Inverter:
            if (p.kind == PartKind::Nand)
                drawNotUsingNandGate(c, p.at.x, p.at.y);
            else if (p.kind == PartKind::Nor)
                drawNotUsingNorGate(c, p.at.x, p.at.y);
            else
                drawNotGate(c, p.at.x, p.at.y);
            return;
        case Look::Combiner: drawCombiner(c, p); return;
        case Look::Block:
            if (p.kind == PartKind::Demux) {
                c.box(p.box.x, p.box.y, p.box.width, p.box.height);
                return;
            }
            drawMuxBlockFigure(c, p.at.x, p.at.y,
                               static_cast<int>(p.pinsOf(PinRole::Select).size()));
            // The active-low strobe: a lead below the block with its bubble.
            if (!p.pinsOf(PinRole::Strobe).empty()) {
                const int x = p.at.x + 200, bottom = p.box.y + p.box.height;
                c.line(x, bottom + 25, x, bottom + 125);
                c.circle(x, bottom + 12, 25);
            }
            return;
    }
}

}  // namespace

std::vector<int> DrawnCircuit::elementsOf(circuit::NetId net) const {
    std::vector<int> out;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const Element& e = elements[i];
        circuit::NetId owner = e.net;
        if (e.kind == Element::Kind::Wire)
            owner = netlist.wires[static_cast<std::size_t>(e.index)].net;
        else if (e.kind == Element::Kind::Dot)
            owner = netlist.dots[static_cast<std::size_t>(e.index)].net;
        if (owner == net && net != circuit::kNoNet) out.push_back(static_cast<int>(i));
    }
    return out;
}

void renderCircuit(Canvas& c, const DrawnCircuit& d, const NetPaint& paint) {
    const auto colourOf = [&](circuit::NetId net, std::optional<Rgb> drawn) {
        if (paint && net != circuit::kNoNet)
            if (const std::optional<Rgb> painted = paint(net)) return painted;
        return drawn;
    };
    for (const DrawnCircuit::Element& e : d.elements) {
        switch (e.kind) {
            case Kind::Wire: {
                const circuit::Wire& w = d.netlist.wires[static_cast<std::size_t>(e.index)];
                const std::optional<Rgb> drawn = w.stroke == circuit::Stroke::Wire
                                                     ? std::optional<Rgb>(colours::green)
                                                     : std::nullopt;
                c.line(w.from.x, w.from.y, w.to.x, w.to.y, colourOf(w.net, drawn));
                break;
            }
            case Kind::Dot: {
                const circuit::Dot& dot = d.netlist.dots[static_cast<std::size_t>(e.index)];
                const std::optional<Rgb> painted = colourOf(dot.net, std::nullopt);
                switch (dot.kind) {
                    case circuit::DotKind::Junction:
                        c.setFillStyle(FillStyle::Solid);
                        c.circle(dot.at.x, dot.at.y, 25, painted.value_or(colours::black));
                        c.setFillStyle(FillStyle::Transparent);
                        break;
                    case circuit::DotKind::Filled:
                        c.setFillStyle(FillStyle::Solid);
                        c.circle(dot.at.x, dot.at.y, 25, painted);
                        c.setFillStyle(FillStyle::Transparent);
                        break;
                    case circuit::DotKind::Open: c.circle(dot.at.x, dot.at.y, 25, painted); break;
                }
                break;
            }
            case Kind::Body: drawBody(c, d.netlist.part(e.index)); break;
            case Kind::Print:
                if (e.text.empty())
                    c.print();
                else
                    c.print({e.text}, e.colour);
                break;
            case Kind::PrintAt:
                if (e.text.empty())
                    c.printAt(e.x1, e.y1, {});
                else
                    c.printAt(e.x1, e.y1, {e.text}, e.colour);
                break;
            case Kind::Line: c.line(e.x1, e.y1, e.x2, e.y2, colourOf(e.net, e.colour)); break;
            case Kind::Circle: c.circle(e.x1, e.y1, e.r, colourOf(e.net, e.colour)); break;
            case Kind::Ground:
                drawGround(c, e.x1, e.y1, e.r == 1 ? GroundSize::Large : GroundSize::Small,
                           e.x2 == 1);
                break;
            case Kind::VccBar: drawVccBar(c, e.x1, e.y1); break;
            case Kind::Resize: c.setSize(e.x1, e.y1); break;
            case Kind::ScrollMax:
                if (e.x2 == 1)
                    c.setHScrollMax(e.x1);
                else
                    c.setVScrollMax(e.x1);
                break;
        }
    }
}

// ---- CircuitBuilder -----------------------------------------------------------

CircuitBuilder::CircuitBuilder(const Canvas& target, circuit::Style style,
                               const FunctionView& function)
    : metrics_(target), function_(function), width_(target.width()), height_(target.height()) {
    drawn_.netlist.style = style;
    for (int column = 0; column < function.function.width; ++column)
        drawn_.netlist.letters.push_back(varName(function, column + 1));
    variables_.assign(static_cast<std::size_t>(function.function.width), circuit::kNoNet);
    terminals_.assign(variables_.size(), false);
}

DrawnCircuit::Element& CircuitBuilder::add(Kind kind) {
    drawn_.elements.push_back({});
    drawn_.elements.back().kind = kind;
    return drawn_.elements.back();
}

void CircuitBuilder::body(int part) {
    add(Kind::Body).index = part;
}

void CircuitBuilder::wire(circuit::NetId net, circuit::Point from, circuit::Point to,
                          circuit::Stroke stroke) {
    add(Kind::Wire).index = drawn_.netlist.addWire(net, from, to, stroke);
}

void CircuitBuilder::dot(circuit::NetId net, circuit::Point at, circuit::DotKind kind) {
    add(Kind::Dot).index = drawn_.netlist.addDot(net, at, kind);
}

void CircuitBuilder::print(const std::string& text) {
    add(Kind::Print).text = text;
}

void CircuitBuilder::printAt(int x, int y, const std::string& text) {
    auto& e = add(Kind::PrintAt);
    e.x1 = x;
    e.y1 = y;
    e.text = text;
}

void CircuitBuilder::line(int x1, int y1, int x2, int y2, std::optional<Rgb> colour,
                          circuit::NetId net) {
    auto& e = add(Kind::Line);
    e.x1 = x1;
    e.y1 = y1;
    e.x2 = x2;
    e.y2 = y2;
    e.colour = colour;
    e.net = net;
}

void CircuitBuilder::circle(int x, int y, int r, circuit::NetId net) {
    auto& e = add(Kind::Circle);
    e.x1 = x;
    e.y1 = y;
    e.r = r;
    e.net = net;
}

void CircuitBuilder::ground(int x, int y, bool large, bool fromRight, circuit::NetId net) {
    auto& e = add(Kind::Ground);
    e.x1 = x;
    e.y1 = y;
    e.r = large ? 1 : 0;
    e.x2 = fromRight ? 1 : 0;
    e.net = net;
}

void CircuitBuilder::vccBar(int x, int y, circuit::NetId net) {
    auto& e = add(Kind::VccBar);
    e.x1 = x;
    e.y1 = y;
    e.net = net;
}

void CircuitBuilder::resize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    auto& e = add(Kind::Resize);
    e.x1 = width;
    e.y1 = height;
}

void CircuitBuilder::scrollMax(bool horizontal, int value) {
    auto& e = add(Kind::ScrollMax);
    e.x1 = value;
    e.x2 = horizontal ? 1 : 0;
}

circuit::NetId CircuitBuilder::variableNet(int column) {
    circuit::NetId& net = variables_.at(static_cast<std::size_t>(column));
    if (net == circuit::kNoNet) net = this->net(varName(function_, column + 1));
    return net;
}

circuit::NetId CircuitBuilder::variable(int column, circuit::Point at, circuit::Point pin) {
    const circuit::NetId net = variableNet(column);
    if (terminals_.at(static_cast<std::size_t>(column))) return net;
    terminals_[static_cast<std::size_t>(column)] = true;
    const std::string letter = varName(function_, column + 1);
    circuit::Part p;
    p.kind = PartKind::Input;
    p.name = letter;
    p.column = column;
    p.at = at;
    p.box = {at.x, at.y, textWidth(letter), lineHeight()};
    p.pins = {{PinRole::Out, net, pin}};
    part(std::move(p));
    return net;
}

circuit::NetId CircuitBuilder::constant(int value, circuit::Point pin) {
    const circuit::NetId n = net(value ? "Vcc" : "GND");
    circuit::Part p;
    p.kind = PartKind::Constant;
    p.name = value ? "Vcc" : "GND";
    p.value = value ? 1 : 0;
    p.at = pin;
    p.box = {pin.x, pin.y, 0, 0};
    p.pins = {{PinRole::Out, n, pin}};
    part(std::move(p));
    return n;
}

void CircuitBuilder::output(circuit::NetId net, circuit::Point pin) {
    circuit::Part p;
    p.kind = PartKind::Output;
    p.name = "Y";
    p.at = pin;
    p.box = {pin.x, pin.y, 0, 0};
    p.pins = {{PinRole::In, net, pin}};
    part(std::move(p));
    drawn_.netlist.output = net;
}

}  // namespace quendal::drawing
