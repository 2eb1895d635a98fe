#include "design/design_drawing.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "design/design_minimum.h"
#include "drawing/bounds_canvas.h"
#include "drawing/circuit_builder.h"
#include "drawing/circuit_layout.h"
#include "drawing/function_view.h"
#include "drawing/gates.h"

namespace quendal::design {

namespace {

using circuit::NetId;
using circuit::PartKind;
using circuit::PinRole;
using drawing::CircuitBuilder;
namespace colours = drawing::colours;

// Gate inputs stand this far apart, as the gate circuits' two inputs do.
constexpr int kPinPitch = 200;
// The vertical wires that carry the products to the output gates.
constexpr int kBusPitch = 150;
// A variable's pair of lines, as the gate circuits space them.
constexpr int kLinePitch = 500;
// The x of an output's dot and name, right of the widest output gate.
constexpr int kOutputReach = 1100;

struct Style {
    PartKind product;  // the AND plane's gate
    PartKind sum;      // the output gate
    drawing::InverterKind inverter;
    circuit::Style model;
};

Style styleOf(DrawingStyle s) {
    switch (s) {
        case DrawingStyle::AndOr:
            return {PartKind::And, PartKind::Or, drawing::InverterKind::Not, circuit::Style::Basic};
        case DrawingStyle::NandNand:
            return {PartKind::Nand, PartKind::Nand, drawing::InverterKind::Nand,
                    circuit::Style::Nand};
        case DrawingStyle::NorNor:
            return {PartKind::Nor, PartKind::Nor, drawing::InverterKind::Nor, circuit::Style::Nor};
    }
    return styleOf(DrawingStyle::AndOr);
}

int reachOf(PartKind kind) {
    return kind == PartKind::And ? 450 : kind == PartKind::Or ? 470 : 500;
}

// The pins of a gate of `count` inputs whose first pin is at `top`, and the
// centre of its body: the two-input body sits on two middle pins, and the
// pins beyond it meet a bar that extends its back.
struct GatePins {
    std::vector<int> ys;
    int centre = 0;
};
GatePins gatePins(int top, int count) {
    GatePins g;
    for (int p = 0; p < count; ++p) g.ys.push_back(top + kPinPitch * p);
    const int above = (count - 1) / 2;
    g.centre = g.ys[static_cast<std::size_t>(above)] + kPinPitch / 2;
    return g;
}

// A gate of two inputs or more pointing right, its inputs at (x, ys); the
// body is the gate circuits' two-input figure, with its back extended to
// the outer pins. Returns its output.
drawing::Tap addWideGate(CircuitBuilder& b, PartKind kind, int x, const GatePins& g,
                         const std::vector<NetId>& inputs) {
    const int Y = g.centre, reach = reachOf(kind);
    const NetId out = b.net({});
    const int top = std::min(g.ys.front(), Y - 150), bottom = std::max(g.ys.back(), Y + 150);
    circuit::Part p;
    p.kind = kind;
    p.look = circuit::Look::Gate;
    p.name = "g" + std::to_string(b.netlist().parts.size());
    p.at = {x, Y};
    p.box = {x, top, reach, bottom - top};
    for (std::size_t k = 0; k < g.ys.size(); ++k)
        p.pins.push_back({PinRole::In, inputs[k], {x, g.ys[k]}});
    p.pins.push_back({PinRole::Out, out, {x + reach, Y}});
    b.body(b.part(std::move(p)));
    const drawing::Rgb body = kind == PartKind::And    ? colours::navy
                              : kind == PartKind::Nand ? colours::blue
                                                       : colours::red;
    const drawing::Rgb lead = kind == PartKind::And ? colours::navy : colours::green;
    if (top < Y - 150) b.line(x + 100, top, x + 100, Y - 150, body);
    if (bottom > Y + 150) b.line(x + 100, Y + 150, x + 100, bottom, body);
    for (int y : g.ys)
        if (y != Y - 100 && y != Y + 100) b.line(x, y, x + 100, y, lead);
    return {{x + reach, Y}, out};
}

struct Product {
    logic::Cube cube;
    std::uint32_t outputs = 0;
    std::vector<int> columns;  // its literals' columns, first column first
    std::vector<bool> marked;  // complemented literal
    drawing::Tap out;          // where its value leaves the AND plane
    int bus = 0;               // x of its vertical wire
};

// The header: what is drawn, then each output's sum.
int printHeader(CircuitBuilder& b, const Design& d, const qm::MultiCover& cover,
                DrawingStyle style) {
    b.print();
    b.print(std::string("         Design   :   ") + drawingStyleTitle(style) + "   (" +
            std::to_string(cover.products.size()) + " shared products)");
    for (int j = 0; j < d.outputs(); ++j) {
        std::string sum;
        bool one = false;
        for (const qm::SharedProduct& p : cover.products) {
            if (!((p.outputs >> j) & 1U)) continue;
            if (p.cube.literals(d.inputs()) == 0) one = true;
            sum += (sum.empty() ? "" : " + ") + productText(p.cube, d);
        }
        if (one) sum = "1";
        if (sum.empty()) sum = "0";
        b.print("         " + d.outputNames[static_cast<std::size_t>(j)] + " = " + sum);
    }
    return 3 + d.outputs();
}

void layoutDesign(CircuitBuilder& b, const Design& d, const qm::MultiCover& cover,
                  DrawingStyle drawingStyle) {
    const Style style = styleOf(drawingStyle);
    const int width = d.inputs();
    const int headerLines = printHeader(b, d, cover, drawingStyle);

    // The lines of the inputs some product reads, with their inverters.
    std::vector<int> used;
    for (int c = 0; c < width; ++c) {
        const int bit = width - 1 - c;
        for (const qm::SharedProduct& p : cover.products)
            if (!((p.cube.free >> bit) & 1U)) {
                used.push_back(c);
                break;
            }
    }
    int labelWidth = 0;
    for (int c : used)
        labelWidth = std::max(labelWidth, b.textWidth(d.inputNames[static_cast<std::size_t>(c)]));
    const int pitch = std::max(kLinePitch, labelWidth + 300);
    const int xstart = drawing::kLinesOrigin.x;
    // On the 100-twip grid, which keeps the output gates' pins off the
    // products' rows (see below).
    const int ystart =
        std::max(drawing::kLinesOrigin.y, (headerLines * b.lineHeight() + 399) / 100 * 100);

    // The AND plane: each product's slot from the top down; its rows depend
    // on the literal counts only, so the lines' length is known first.
    std::vector<Product> products;
    int slot = ystart + 1100;
    std::vector<int> productTop;
    for (const qm::SharedProduct& sp : cover.products) {
        Product p{sp.cube, sp.outputs, {}, {}, {}, 0};
        for (int c = 0; c < width; ++c) {
            const int bit = width - 1 - c;
            if ((sp.cube.free >> bit) & 1U) continue;
            p.columns.push_back(c);
            p.marked.push_back(((sp.cube.value >> bit) & 1U) == 0);
        }
        if (p.columns.empty()) continue;  // a product of no literal ties its outputs to 1
        productTop.push_back(slot);
        slot += p.columns.size() >= 2 ? kPinPitch * static_cast<int>(p.columns.size()) + 300 : 300;
        products.push_back(std::move(p));
    }
    const int linesBottom = slot;

    std::vector<NetId> trueNet(static_cast<std::size_t>(width), circuit::kNoNet), barNet = trueNet;
    std::vector<int> lineX(static_cast<std::size_t>(width), 0);
    for (std::size_t m = 1; m <= used.size(); ++m) {
        const int c = used[m - 1];
        const int X = xstart + pitch * static_cast<int>(m);
        b.printAt(X - 200, ystart + 100, d.inputNames[static_cast<std::size_t>(c)]);
        const NetId line = b.variable(c, {X - 200, ystart + 100}, {X - 200, ystart + 350});
        b.wire(line, {X - 200, ystart + 350}, {X - 200, linesBottom});
        b.wire(line, {X - 200, ystart + 550}, {X + 50, ystart + 550});
        b.wire(line, {X + 50, ystart + 550}, {X + 50, ystart + 700});
        const drawing::Tap bar =
            drawing::addInverter(b, style.inverter, {{X + 50, ystart + 700}, line});
        b.wire(bar.net, {bar.at.x, bar.at.y}, {X + 50, linesBottom});
        trueNet[static_cast<std::size_t>(c)] = line;
        barNet[static_cast<std::size_t>(c)] = bar.net;
        lineX[static_cast<std::size_t>(c)] = X - 200;
    }
    const int gateAreaX = xstart + pitch * (static_cast<int>(used.size()) + 1) - 300;
    // The line a literal taps: its own, or the other one.
    const auto tap = [&](int column, bool bar) -> drawing::Tap {
        const auto k = static_cast<std::size_t>(column);
        return bar ? drawing::Tap{{lineX[k] + 250, 0}, barNet[k]}
                   : drawing::Tap{{lineX[k], 0}, trueNet[k]};
    };

    const int andX = gateAreaX + 200;
    int outRight = andX;
    for (std::size_t i = 0; i < products.size(); ++i) {
        Product& p = products[i];
        const int top = productTop[i] + 100;
        if (p.columns.size() == 1) {
            // The line itself carries what the gate would: the literal, or
            // in the NAND circuit its complement.
            const bool bar = drawingStyle == DrawingStyle::NandNand ? !p.marked[0] : p.marked[0];
            drawing::Tap t = tap(p.columns[0], bar);
            t.at.y = top;
            b.dot(t.net, {t.at.x, t.at.y}, circuit::DotKind::Junction);
            p.out = t;
            continue;
        }
        const GatePins g = gatePins(top, static_cast<int>(p.columns.size()));
        std::vector<NetId> inputs;
        for (std::size_t k = 0; k < p.columns.size(); ++k) {
            // The NOR gate makes the product from the complements.
            const bool bar = drawingStyle == DrawingStyle::NorNor ? !p.marked[k] : p.marked[k];
            const drawing::Tap t = tap(p.columns[k], bar);
            const int y = g.ys[k];
            b.wire(t.net, {t.at.x, y}, {andX, y});
            b.dot(t.net, {t.at.x, y}, circuit::DotKind::Junction);
            inputs.push_back(t.net);
        }
        p.out = addWideGate(b, style.product, andX, g, inputs);
        outRight = std::max(outRight, p.out.at.x);
    }

    // Each product's vertical wire, the first product's rightmost so that
    // no product's wire crosses another's on its way there.
    const int busX = outRight + 200;
    const int count = static_cast<int>(products.size());
    for (int i = 0; i < count; ++i)
        products[static_cast<std::size_t>(i)].bus = busX + kBusPitch * (count - 1 - i);
    const int orX = busX + kBusPitch * std::max(count, 1) + 200;
    const int outX = orX + kOutputReach;

    // The output gates from the top down. Their pins lie halfway between the
    // AND plane's rows, so no wire to a gate meets a product's wire end.
    std::vector<std::vector<int>> busPoints(products.size());
    for (std::size_t i = 0; i < products.size(); ++i) busPoints[i].push_back(products[i].out.at.y);
    int row = ystart + 1100;
    const auto addOutput = [&](int j, drawing::Tap at) {
        if (at.at.x < outX) b.wire(at.net, {at.at.x, at.at.y}, {outX, at.at.y});
        b.dot(at.net, {outX, at.at.y}, circuit::DotKind::Junction);
        const std::string& name = d.outputNames[static_cast<std::size_t>(j)];
        b.printAt(outX + 100, at.at.y - 100, name);
        circuit::Part p;
        p.kind = PartKind::Output;
        p.name = name;
        p.at = {outX, at.at.y};
        p.box = {outX, at.at.y, 0, 0};
        p.pins = {{PinRole::In, at.net, {outX, at.at.y}}};
        b.part(std::move(p));
        b.netlist().outputs.push_back({name, at.net});
        if (j == 0) b.netlist().output = at.net;
    };
    for (int j = 0; j < d.outputs(); ++j) {
        std::vector<std::size_t> taken;
        bool one = false;
        for (const qm::SharedProduct& sp : cover.products)
            if (((sp.outputs >> j) & 1U) && sp.cube.literals(width) == 0) one = true;
        for (std::size_t i = 0; i < products.size(); ++i)
            if ((products[i].outputs >> j) & 1U) taken.push_back(i);
        if (one || taken.empty()) {
            const int y = row + 350, x = orX + 200;
            NetId net;
            if (one) {
                net = b.constant(1, {x, y - 100});
                b.vccBar(x, y - 100, net);
                b.wire(net, {x, y - 100}, {x, y});
            } else {
                net = b.constant(0, {x, y + 200});
                b.wire(net, {x, y}, {x, y + 200});
                b.ground(x, y + 200, false, false, net);
            }
            addOutput(j, {{x, y}, net});
            row = y + 350;
            continue;
        }
        if (taken.size() == 1) {
            const int y = row + 50;
            const Product& p = products[taken[0]];
            busPoints[taken[0]].push_back(y);
            b.wire(p.out.net, {p.bus, y}, {orX, y});
            drawing::Tap out{{orX, y}, p.out.net};
            if (drawingStyle == DrawingStyle::NandNand) {
                drawing::GateArea area;
                out = drawing::addGate(b, area, PartKind::Nand, out, out);
            }
            addOutput(j, out);
            row = y + 350;
            continue;
        }
        const GatePins g = gatePins(row + 50, static_cast<int>(taken.size()));
        std::vector<NetId> inputs;
        for (std::size_t k = 0; k < taken.size(); ++k) {
            const Product& p = products[taken[k]];
            busPoints[taken[k]].push_back(g.ys[k]);
            b.wire(p.out.net, {p.bus, g.ys[k]}, {orX, g.ys[k]});
            inputs.push_back(p.out.net);
        }
        drawing::Tap out = addWideGate(b, style.sum, orX, g, inputs);
        if (drawingStyle == DrawingStyle::NorNor) {
            drawing::GateArea area;
            out = drawing::addGate(b, area, PartKind::Nor, out, out);
        }
        addOutput(j, out);
        row = (std::max(g.ys.back(), g.centre + 150) + 399) / 100 * 100;
    }

    // The products' wires: across to their vertical wire, then along it,
    // dotted where a wire leaves it between its ends.
    for (std::size_t i = 0; i < products.size(); ++i) {
        const Product& p = products[i];
        const auto [low, high] = std::minmax_element(busPoints[i].begin(), busPoints[i].end());
        b.wire(p.out.net, {p.out.at.x, p.out.at.y}, {p.bus, p.out.at.y});
        if (*low < *high) b.wire(p.out.net, {p.bus, *low}, {p.bus, *high});
        for (int y : busPoints[i])
            if (y > *low && y < *high) b.dot(p.out.net, {p.bus, y}, circuit::DotKind::Junction);
    }
}

// The view the builder takes: the design's width and a letter per column;
// the names themselves are the design's and are set on the model after.
drawing::FunctionView viewOf(const Design& d) {
    drawing::FunctionView v;
    v.function.width = d.inputs();
    v.letters = std::string("ABCDEFGH").substr(0, static_cast<std::size_t>(d.inputs()));
    return v;
}

void nameInputs(drawing::DrawnCircuit& drawn, const Design& d, const drawing::Canvas& metrics) {
    circuit::Netlist& n = drawn.netlist;
    n.letters = d.inputNames;
    for (circuit::Part& p : n.parts) {
        if (p.kind != PartKind::Input) continue;
        p.name = d.inputNames[static_cast<std::size_t>(p.column)];
        p.box.width = metrics.textWidth(p.name);
        n.nets[static_cast<std::size_t>(p.output())].name = p.name;
    }
}

}  // namespace

const char* drawingStyleTitle(DrawingStyle style) {
    switch (style) {
        case DrawingStyle::AndOr: return "AND/OR/NOT";
        case DrawingStyle::NandNand: return "NAND-NAND";
        case DrawingStyle::NorNor: return "NOR-NOR";
    }
    return "AND/OR/NOT";
}

drawing::DrawnCircuit buildDesignCircuit(const drawing::Canvas& canvas, const Design& design,
                                         const qm::MultiCover& cover, DrawingStyle style) {
    const drawing::FunctionView view = viewOf(design);
    const circuit::Style model = styleOf(style).model;
    // Measured first, so that a large design grows the canvas before it is
    // drawn, as the gate circuits do.
    drawing::BoundsCanvas bounds(canvas);
    {
        CircuitBuilder measure(canvas, model, view);
        layoutDesign(measure, design, cover, style);
        drawing::renderCircuit(bounds, measure.take());
    }
    CircuitBuilder b(canvas, model, view);
    if (!bounds.empty() && (bounds.right() > canvas.width() || bounds.bottom() > canvas.height())) {
        const int limit = std::max(canvas.width(), drawing::kMaxCircuitCanvas);
        b.resize(std::clamp(bounds.right() + drawing::kCircuitMargin, canvas.width(), limit),
                 std::clamp(bounds.bottom() + drawing::kCircuitMargin, canvas.height(),
                            std::max(canvas.height(), drawing::kMaxCircuitCanvas)));
    }
    layoutDesign(b, design, cover, style);
    drawing::DrawnCircuit drawn = b.take();
    nameInputs(drawn, design, canvas);
    return drawn;
}

void drawDesign(drawing::Canvas& canvas, const Design& design, const qm::MultiCover& cover,
                DrawingStyle style) {
    auto drawn =
        std::make_shared<drawing::DrawnCircuit>(buildDesignCircuit(canvas, design, cover, style));
    drawing::renderCircuit(canvas, *drawn);
    canvas.setCircuit(std::move(drawn));
}

}  // namespace quendal::design
